#include "app/Companion.h"

#include "platform/RegularFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace {
constexpr qint64 kMaxLine = 64 * 1024;
}

QString SiblingFileName(const QString& designPath, const QString& extension) {
    const qsizetype slash = designPath.lastIndexOf('/');
    const qsizetype dot = designPath.lastIndexOf('.');
    if (dot > slash)
        return designPath.left(dot) + extension;
    return designPath + extension;
}

QString CompanionFileName(const QString& designPath) {
    return SiblingFileName(designPath, QStringLiteral(".PTX"));
}

bool WriteCompanionFile(const QString& designPath, const QString& backgroundFileName,
                        const QString& backBackgroundFileName) {
    QSaveFile file(CompanionFileName(designPath));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(backgroundFileName.toUtf8() + "\r\n");
    if (!backBackgroundFileName.isEmpty())
        file.write(backBackgroundFileName.toUtf8() + "\r\n");
    return file.commit();
}

void DeleteCompanionFile(const QString& designPath) {
    const QString name = CompanionFileName(designPath);
    if (QFileInfo::exists(name))
        QFile::remove(name);
}

namespace {

// Line `index` (from 0) of the companion file, each line read no further than kMaxLine;
// nothing when there is no file (or it is not a regular file).
std::optional<QString> ReadCompanionLine(const QString& designPath, int index) {
    const TFileBytes file = ReadRegularFile(CompanionFileName(designPath), kMaxLine * (index + 1));
    if (file.Result != TFileRead::Read)
        return std::nullopt;
    const QByteArray& start = file.Bytes;
    qsizetype from = 0;
    for (int i = 0; i < index; ++i) {
        const qsizetype end = start.indexOf('\n', from);
        if (end < 0)
            return QString();
        from = end + 1;
    }
    qsizetype end = start.indexOf('\n', from);
    if (end < 0)
        end = start.size();
    QByteArray line = start.mid(from, std::min(end - from, kMaxLine));
    if (line.endsWith('\r'))
        line.chop(1);
    return QString::fromUtf8(line);
}

} // namespace

std::optional<QString> ReadCompanionFile(const QString& designPath) {
    return ReadCompanionLine(designPath, 0);
}

QString ReadBackCompanionLine(const QString& designPath) {
    return ReadCompanionLine(designPath, 1).value_or(QString());
}
