#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString& folderOverride() {
    static QString folder;
    return folder;
}

QString withSlash(QString f) {
    if (!f.endsWith('/'))
        f += '/';
    return f;
}
} // namespace

void SetProgramFolder(const QString& folder) { folderOverride() = withSlash(folder); }

QString ProgramFolder() {
    if (!folderOverride().isEmpty())
        return folderOverride();
    const QString exeDir = QCoreApplication::applicationDirPath();
    if (!exeDir.isEmpty() && QFileInfo(exeDir).isWritable())
        return folderOverride() = withSlash(exeDir);
    QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return folderOverride() = withSlash(data);
}
