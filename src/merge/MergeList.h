#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A list of people to print a design for: named columns and one row of values per person.
// Rows may be shorter than the column list; a value that is not there reads as empty.
struct TMergeList {
    QStringList Columns;
    QList<QStringList> Records;

    int Count() const { return int(Records.size()); }
    // The first column of that name, matched without regard to case; -1 when there is none.
    int ColumnIndex(const QString& column) const;
    QString Value(int record, int column) const;
};

// A list that cannot be read: the message names the line and the reason.
class EMergeListError {
public:
    explicit EMergeListError(QString message) : FMessage(std::move(message)) {}
    const QString& Message() const { return FMessage; }

private:
    QString FMessage;
};

// Lists above this size are refused before they are read.
inline constexpr qint64 MaxMergeListBytes = 64 * 1024 * 1024;

// Reads a CSV or vCard file, chosen by the extension (".vcf"/".vcard" for vCard, anything else
// CSV). Raises EMergeListError.
TMergeList LoadMergeList(const QString& fileName);
