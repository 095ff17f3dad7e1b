#include "app/Companion.h"

#include "platform/RegularFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

bool WriteCompanionFile(const QString& designPath, const QString& backgroundFileName) {
    QSaveFile file(CompanionFileName(designPath));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(backgroundFileName.toUtf8() + "\r\n");
    return file.commit();
}

void DeleteCompanionFile(const QString& designPath) {
    const QString name = CompanionFileName(designPath);
    if (QFileInfo::exists(name))
        QFile::remove(name);
}

std::optional<QString> ReadCompanionFile(const QString& designPath) {
    const TFileBytes file = ReadRegularFile(CompanionFileName(designPath), kMaxLine);
    if (file.Result != TFileRead::Read)
        return std::nullopt;
    const QByteArray& start = file.Bytes;
    qsizetype end = start.indexOf('\n');
    if (end < 0)
        end = start.size();
    QByteArray line = start.left(end);
    if (line.endsWith('\r'))
        line.chop(1);
    return QString::fromUtf8(line);
}
