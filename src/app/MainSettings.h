#pragma once

#include "app/Preferences.h"

#include <QObject>

class TMRUFileList;
class TMainScreen;

// The main window's settings and what comes with them: the preferences read from and
// written to the settings file, the default font and its menu caption, the personal
// information and its command, the recent-files list at the end of the File menu, and the
// window placement.
class TMainSettings : public QObject {
    Q_OBJECT
public:
    // Reads the settings (the panel takes the default font and the personal information),
    // sets the default-font caption, reads the recent files and wires the "&Default Font - "
    // and "&Personal Information" commands.
    explicit TMainSettings(TMainScreen& window);

    TPreferences Prefs;
    QString FileName;
    TMRUFileList* RecentFiles = nullptr;

    // Reads the whole settings file again; the panel's font takes the default font.
    void LoadPreferences();
    // Writes every setting, the default font taken from the panel's font.
    void SavePreferences();
    // At the first activation, and when the window closes.
    void RestorePlacement();
    void SavePlacement();

private:
    TMainScreen& FWindow;
};
