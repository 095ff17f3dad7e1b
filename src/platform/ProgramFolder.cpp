#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
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

void SetProgramFolder(const QString& folder) {
    folderOverride() = withSlash(folder);
}

QString ChooseProgramFolder(const QString& exeDir, const QString& userDataDir) {
    const QFileInfo exe(exeDir);
    if (!exeDir.isEmpty() && exe.isDir() && exe.isWritable() &&
        ShippedDataFolderFor(exeDir).isEmpty())
        return withSlash(exeDir);
    QDir().mkpath(userDataDir);
    return withSlash(userDataDir);
}

QString ProgramFolder() {
    if (folderOverride().isEmpty())
        folderOverride() =
            ChooseProgramFolder(QCoreApplication::applicationDirPath(),
                                QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    return folderOverride();
}

QString ShippedDataFolderFor(const QString& exeDir) {
    const QString data = QDir(exeDir).absoluteFilePath(QStringLiteral("../share/pentavo"));
    if (exeDir.isEmpty() || !QFileInfo(data).isDir())
        return {};
    return withSlash(QDir::cleanPath(data));
}

QString ShippedDataFolder() {
    return ShippedDataFolderFor(QCoreApplication::applicationDirPath());
}

void MakeProgramSubfolders(const QString& programFolder) {
    const QDir folder(programFolder);
    for (const char* name : {"bmbrush", "Saved", "BG"})
        folder.mkdir(QString::fromLatin1(name));
}

void CopyMissingFiles(const QString& resourceFolder, const QString& targetFolder) {
    const QDir from(resourceFolder), to(targetFolder);
    for (const QString& name : from.entryList(QDir::Files)) {
        const QString target = to.filePath(name);
        // QFile::copy never overwrites, so a file already there is kept.
        if (QFile::copy(from.filePath(name), target))
            QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
    }
}
