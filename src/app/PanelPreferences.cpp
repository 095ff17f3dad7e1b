#include "app/PanelPreferences.h"

#include "platform/Interaction.h"
#include "surface/BusinessCardPanel.h"

void LoadPreferences(TPreferences& prefs, TGBasePanel& panel, const QString& settingsFile) {
    prefs = ReadPreferences(settingsFile);
    TFont font = panel.Font();
    ApplyDefaultFont(prefs.DefaultFont, font);
    panel.SetFont(font);
}

bool SavePreferences(TPreferences& prefs, const TGBasePanel& panel, const QString& settingsFile,
                     QWidget* messageParent) {
    prefs.DefaultFont = DefaultFontFrom(panel.Font());
    if (WritePreferences(settingsFile, prefs))
        return true;
    TInteraction::Current().Information(
        messageParent, QStringLiteral("Unable to save the settings in ") + settingsFile);
    return false;
}

void SetPanelPersonalInfo(TGBusinessCardPanel32& panel, const TPersonalInfo& info) {
    for (size_t i = 0; i < info.size(); ++i)
        panel.SetPersonalInfo(int(i), info[i]);
}
