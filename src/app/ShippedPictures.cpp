#include "app/ShippedPictures.h"

#include "platform/ProgramFolder.h"

void InstallShippedPictures(const QString& programFolder) {
    Q_INIT_RESOURCE(ShippedPictures); // the pictures live in this static library
    CopyMissingFiles(QStringLiteral(":/pictures/BG"), programFolder + QStringLiteral("BG/"));
    CopyMissingFiles(QStringLiteral(":/pictures/clipart"), programFolder);
}
