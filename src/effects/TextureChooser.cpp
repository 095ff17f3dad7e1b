#include "effects/TextureChooser.h"

#include "effects/BrushImageBrowser.h"
#include "effects/WiaTile.h"
#include "platform/Interaction.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>

std::optional<QImage> ChooseTexture(QWidget* mainWindow, const QImage& current, QString& lastFile) {
    TGBrushImageBrowser browser(mainWindow);
    const QString brushFolder = ProgramFolder() + QStringLiteral("bmbrush");
    if (!lastFile.isEmpty() && QFileInfo(lastFile).isFile())
        browser.SelectFile(lastFile);
    else if (QDir(brushFolder).exists())
        browser.OpenFolder(brushFolder);
    else
        browser.OpenFolder(ProgramFolder());
    browser.Tile().SetImage(current);
    if (TInteraction::Current().Exec(browser) != QDialog::Accepted)
        return std::nullopt;
    lastFile = browser.SelectedFile();
    return browser.Tile().Image();
}
