#include "app/ShippedPictures.h"

#include <QDir>
#include <QFile>

namespace {

void installFolder(const QString& resources, const QString& target) {
    for (const QString& name : QDir(resources).entryList(QDir::Files)) {
        const QString file = target + name;
        if (!QFile::exists(file) && QFile::copy(resources + '/' + name, file))
            QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                            QFile::ReadOther);
    }
}

} // namespace

void InstallShippedPictures(const QString& programFolder) {
    Q_INIT_RESOURCE(ShippedPictures); // the pictures live in this static library
    installFolder(QStringLiteral(":/pictures/BG"), programFolder + QStringLiteral("BG/"));
    installFolder(QStringLiteral(":/pictures/clipart"), programFolder);
}
