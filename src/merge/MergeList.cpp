#include "merge/MergeList.h"

#include "merge/CsvReader.h"
#include "merge/VCardReader.h"
#include "platform/RegularFile.h"

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
    const TFileBytes file = ReadRegularFile(fileName, MaxMergeListBytes);
    if (file.Result != TFileRead::Read)
        throw EMergeListError(QStringLiteral("Cannot open the list %1").arg(fileName));
    if (file.Truncated)
        throw EMergeListError(
            QStringLiteral("The list %1 is too large (more than 64 MB)").arg(fileName));
    const QByteArray& bytes = file.Bytes;
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("vcf") || suffix == QLatin1String("vcard"))
        return ReadVCardList(bytes);
    return ReadCsvList(bytes);
}
