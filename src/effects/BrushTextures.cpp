#include "effects/BrushTextures.h"

#include "effects/BrushImageBrowser.h"

#include <QDir>
#include <QFile>

static void initBrushTextureResources() {
    Q_INIT_RESOURCE(BrushTextures);
}

void InstallBrushTextures(const QString& brushFolder) {
    initBrushTextureResources();
    const QDir folder(brushFolder);
    if (!folder.exists() ||
        !folder.entryList(TGBrushImageBrowser::FileMask(), QDir::Files).isEmpty())
        return;
    const QDir shipped(QStringLiteral(":/textures"));
    for (const QString& name : shipped.entryList(QDir::Files)) {
        const QString target = folder.filePath(name);
        // Resource files copy read-only; the user may want to replace them.
        if (QFile::copy(shipped.filePath(name), target))
            QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
    }
}
