#include "app/MergeChoice.h"

#include "app/Companion.h"
#include "platform/RegularFile.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace {
// Enough for the numbers of a hundred thousand skipped records.
constexpr qint64 kMaxFile = 1024 * 1024;
constexpr int kMaxRecord = 10'000'000;
} // namespace

QString MergeChoiceFileName(const QString& designPath) {
    return SiblingFileName(designPath, QStringLiteral(".PTM"));
}

bool WriteMergeChoice(const QString& designPath, const TMergeChoice& choice) {
    if (choice.IsEmpty()) {
        DeleteMergeChoice(designPath);
        return true;
    }
    QStringList numbers;
    for (const int i : choice.Skipped)
        numbers.append(QString::number(i + 1));
    QSaveFile file(MergeChoiceFileName(designPath));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("List=" + choice.ListFile.toUtf8() + "\r\n");
    file.write("Skip=" + numbers.join(',').toLatin1() + "\r\n");
    return file.commit();
}

TMergeChoice ReadMergeChoice(const QString& designPath) {
    const TFileBytes file = ReadRegularFile(MergeChoiceFileName(designPath), kMaxFile);
    if (file.Result != TFileRead::Read || file.Truncated)
        return {};
    TMergeChoice choice;
    for (QByteArray line : file.Bytes.split('\n')) {
        line = line.trimmed();
        if (line.startsWith("List=")) {
            choice.ListFile = QString::fromUtf8(line.mid(5));
        } else if (line.startsWith("Skip=")) {
            for (const QByteArray& number : line.mid(5).split(',')) {
                bool ok = false;
                const int n = number.trimmed().toInt(&ok);
                if (ok && n >= 1 && n <= kMaxRecord)
                    choice.Skipped.append(n - 1);
            }
        }
    }
    std::sort(choice.Skipped.begin(), choice.Skipped.end());
    choice.Skipped.erase(std::unique(choice.Skipped.begin(), choice.Skipped.end()),
                         choice.Skipped.end());
    if (choice.ListFile.isEmpty())
        return {};
    return choice;
}

void DeleteMergeChoice(const QString& designPath) {
    QFile::remove(MergeChoiceFileName(designPath));
}
