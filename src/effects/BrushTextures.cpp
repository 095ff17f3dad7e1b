#include "effects/BrushTextures.h"

#include "effects/BrushImageBrowser.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QImage>

static void initBrushTextureResources() {
    Q_INIT_RESOURCE(BrushTextures);
}

void InstallBrushTextures(const QString& brushFolder) {
    initBrushTextureResources();
    const QDir folder(brushFolder);
    if (!folder.exists() ||
        !folder.entryList(TGBrushImageBrowser::FileMask(), QDir::Files).isEmpty())
        return;
    CopyMissingFiles(QStringLiteral(":/textures"), brushFolder);
}

TBitmap DefaultTexture() {
    initBrushTextureResources();
    return TBitmap(QImage(QStringLiteral(":/textures/marble.bmp")));
}
