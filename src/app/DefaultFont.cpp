#include "app/DefaultFont.h"

#include "app/PanelPreferences.h"
#include "surface/BasePanel.h"
#include "widgets/StandardDialogs.h"

#include <QAction>

QString DefaultFontCaption(const TFont& font) {
    QString caption = QStringLiteral("Default Font: %1, %2 pt ").arg(font.Name).arg(font.Size());
    if (font.Has(fsBold))
        caption += QStringLiteral(", bold");
    if (font.Has(fsItalic))
        caption += QStringLiteral(", italic");
    if (font.Has(fsUnderline))
        caption += QStringLiteral(", underline");
    return caption;
}

void SetDefaultFontCaption(QAction* item, const TFont& font) {
    if (item)
        item->setText(DefaultFontCaption(font));
}

bool ChooseDefaultFont(QWidget* mainWindow, TGBasePanel& panel, QAction* item, TPreferences& prefs,
                       const QString& settingsFile) {
    const auto font = ChooseFont(panel.Font(), mainWindow);
    if (font)
        panel.SetFont(*font);
    SetDefaultFontCaption(item, panel.Font());
    SavePreferences(prefs, panel, settingsFile, mainWindow);
    return font.has_value();
}
