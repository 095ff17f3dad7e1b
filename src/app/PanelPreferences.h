#pragma once

#include "app/Preferences.h"

class QWidget;
class TGBasePanel;
class TGBusinessCardPanel32;

// The main window's side of the settings: reading them into the program's state and the
// card panel, and writing them back.

// Reads the whole settings file into prefs; the panel's font takes the default font.
void LoadPreferences(TPreferences& prefs, TGBasePanel& panel, const QString& settingsFile);
// Refreshes the default font from the panel's font and writes every key. A file that cannot
// be written is reported to the user; nothing else changes.
bool SavePreferences(TPreferences& prefs, const TGBasePanel& panel, const QString& settingsFile,
                     QWidget* messageParent = nullptr);
// Copies the ten personal-information strings into the card panel, in order.
void SetPanelPersonalInfo(TGBusinessCardPanel32& panel, const TPersonalInfo& info);
