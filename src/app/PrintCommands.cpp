#include "app/PrintCommands.h"

#include "app/MainScreen.h"
#include "app/MainSettings.h"
#include "app/MergeBar.h"
#include "platform/IniFile.h"
#include "surface/BusinessCardPanel.h"
#include "widgets/WindowPlacement.h"

TPrintCommands::TPrintCommands(TMainScreen& w)
    : QObject(), // owned by the main window's unique_ptr, not by its children list
      FPrinting(*w.BusinessCardPanel, FPrinter,
                {w.Settings->Prefs.Layout, w.Settings->Prefs.Nudges, w.CardSelection,
                 w.BackgroundFileName, &w.Settings->Prefs.Sides},
                &w) {
    FPrinting.LoadPreferences = [&w] { w.Settings->LoadPreferences(); };
    FPrinting.SavePreferences = [&w] { w.Settings->SavePreferences(); };
    FPrinting.AddMerge = [&w](TPrintRunSettings& s) { w.MergeBar->AddToRun(s); };
    FPrinting.AddSides = [&w](TPrintRunSettings& s) { return w.Sides->AddToRun(s); };
    FPrinting.SetCardSizeFromInches = [&w](double width, double height) {
        w.SetCardSizeFromInches(width, height);
    };
    FPrinting.RestorePreviewPlacement = [](QWidget& p) {
        RestoreWindowPlacement(p, SettingsFileName());
    };
    FPrinting.SavePreviewPlacement = [](QWidget& p) { SaveWindowPlacement(p, SettingsFileName()); };
}
