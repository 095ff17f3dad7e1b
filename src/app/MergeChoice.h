#pragma once

#include <QList>
#include <QString>

// The list a design is merged with and the records left out of printing. It is kept beside
// the design in a file with the extension ".PTM", so the design file stays as it is:
// "List=<path>" and "Skip=<record numbers from 1, comma-separated>", one per line.
struct TMergeChoice {
    QString ListFile;   // empty = the design is not merged
    QList<int> Skipped; // record indexes from 0, ascending

    bool IsEmpty() const { return ListFile.isEmpty(); }
    bool operator==(const TMergeChoice&) const = default;
};

QString MergeChoiceFileName(const QString& designPath);
// Writes the choice through a temporary file, or deletes the file for an empty choice; false
// when the file could not be written.
bool WriteMergeChoice(const QString& designPath, const TMergeChoice& choice);
// The stored choice; empty when there is none or the file is not one of ours.
TMergeChoice ReadMergeChoice(const QString& designPath);
void DeleteMergeChoice(const QString& designPath);
