#include "merge/MergeList.h"

#include "merge/CsvReader.h"
#include "merge/VCardReader.h"

#include <QFile>
#include <QFileInfo>

int TMergeList::ColumnIndex(const QString& column) const {
    for (int i = 0; i < Columns.size(); ++i)
        if (Columns.at(i).compare(column, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString TMergeList::Value(int record, int column) const {
    if (record < 0 || record >= Records.size() || column < 0)
        return {};
    const QStringList& row = Records.at(record);
    return column < row.size() ? row.at(column) : QString();
}

TMergeList LoadMergeList(const QString& fileName) {
    const QFileInfo info(fileName);
    if (!info.isFile())
        throw EMergeListError(QStringLiteral("Cannot open the list %1").arg(fileName));
    if (info.size() > MaxMergeListBytes)
        throw EMergeListError(
            QStringLiteral("The list %1 is too large (more than 64 MB)").arg(fileName));
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EMergeListError(QStringLiteral("Cannot open the list %1").arg(fileName));
    const QByteArray bytes = file.read(MaxMergeListBytes + 1);
    const QString suffix = info.suffix().toLower();
    if (suffix == QLatin1String("vcf") || suffix == QLatin1String("vcard"))
        return ReadVCardList(bytes);
    return ReadCsvList(bytes);
}
