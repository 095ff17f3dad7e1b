#include "app/BackSide.h"

#include "app/Companion.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

QString BackSideFileName(const QString& designPath) {
    return SiblingFileName(designPath, QStringLiteral(".PTB"));
}

bool WriteBackSide(const QString& designPath, const QByteArray& objects) {
    // A design without objects is the list's start and end tags alone.
    if (objects.isEmpty() || objects == QByteArray("\x01\x00", 2)) {
        DeleteBackSide(designPath);
        return true;
    }
    QSaveFile file(BackSideFileName(designPath));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(objects);
    return file.commit();
}

void DeleteBackSide(const QString& designPath) {
    const QString name = BackSideFileName(designPath);
    if (QFileInfo::exists(name))
        QFile::remove(name);
}
