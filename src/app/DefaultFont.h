#pragma once

#include "app/Preferences.h"

class QAction;
class QWidget;
class TGBasePanel;

// "Default Font: Arial, 10 pt " followed by ", bold", ", italic", ", underline" for each
// style that is set.
QString DefaultFontCaption(const TFont& font);
void SetDefaultFontCaption(QAction* item, const TFont& font);

// The "&Default Font - " command: the font dialog starts with the panel's font and, when
// confirmed, the panel takes the chosen font (new text objects take it from there). Either
// way the menu caption is refreshed and the settings are saved. Returns true on Ok.
bool ChooseDefaultFont(QWidget* mainWindow, TGBasePanel& panel, QAction* item, TPreferences& prefs,
                       const QString& settingsFile);
