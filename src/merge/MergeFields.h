#pragma once

#include <QString>

#include <functional>

struct TMergeList;

// Merge fields are written ${Column} inside any text. A record stands in for them when a card
// is shown with a record or printed for one; the stored text never changes.
struct TMergeRecord {
    const TMergeList* List = nullptr;
    int Index = -1;

    bool IsEmpty() const { return List == nullptr || Index < 0; }
};

bool HasMergeFields(const QString& text);

// The text with each ${Column} replaced by the record's value; a column the list does not
// have gives an empty value. "${" without a closing "}" stays as written. With an empty record
// the text comes back unchanged. When given, `quote` turns each value into what the text's own
// syntax needs (escaping it for a vCard, say) before it goes in.
QString SubstituteMergeFields(const QString& text, const TMergeRecord& record,
                              const std::function<QString(const QString&)>& quote = {});
