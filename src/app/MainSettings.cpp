#include "app/MainSettings.h"

#include "app/CommandAction.h"
#include "app/DefaultFont.h"
#include "app/MainScreen.h"
#include "app/PanelPreferences.h"
#include "app/PersonalInformation.h"
#include "app/RecentFiles.h"
#include "platform/IniFile.h"
#include "surface/BusinessCardPanel.h"
#include "widgets/WindowPlacement.h"

TMainSettings::TMainSettings(TMainScreen& window)
    : QObject(&window), FileName(SettingsFileName()), FWindow(window) {
    TGBusinessCardPanel32& panel = *window.BusinessCardPanel;
    LoadPreferences();
    SetDefaultFontCaption(window.DefaultFontItem, panel.Font());
    SetPanelPersonalInfo(panel, Prefs.Personal);
    RecentFiles = new TMRUFileList(FileName, this);
    RecentFiles->AttachMenu(window.FileMenu);
    RecentFiles->Load();
    window.DefaultFontItem->Wire(this, [this] {
        ChooseDefaultFont(&FWindow, *FWindow.BusinessCardPanel, FWindow.DefaultFontItem, Prefs,
                          FileName);
    });
    window.PersonalInformationItem->Wire(this, [this] {
        EditPersonalInformation(&FWindow, Prefs, *FWindow.BusinessCardPanel, FileName);
    });
}

void TMainSettings::LoadPreferences() {
    ::LoadPreferences(Prefs, *FWindow.BusinessCardPanel, FileName);
}

void TMainSettings::SavePreferences() {
    ::SavePreferences(Prefs, *FWindow.BusinessCardPanel, FileName, &FWindow);
}

void TMainSettings::RestorePlacement() {
    RestoreWindowPlacement(FWindow, FileName);
}

void TMainSettings::SavePlacement() {
    SaveWindowPlacement(FWindow, FileName);
}
