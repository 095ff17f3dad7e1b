#include "app/PrintCommands.h"

#include "app/Preferences.h"
#include "platform/IniFile.h"
#include "widgets/WindowPlacement.h"

#include <QWidget>

TPrintCommands::TPrintCommands(TGBasePanel& panel, const TPrintState& state, QWidget* window)
    : QObject(window), FPrinting(panel, FPrinter, state, window) {
    FPrinting.RestorePreviewPlacement = [](QWidget& w) {
        RestoreWindowPlacement(w, SettingsFileName());
    };
    FPrinting.SavePreviewPlacement = [](QWidget& w) { SaveWindowPlacement(w, SettingsFileName()); };
}
