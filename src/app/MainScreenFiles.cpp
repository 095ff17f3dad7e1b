// The main window's File commands, the recent-files list and the design opened at start.
#include "app/MainScreen.h"

#include "app/CommandAction.h"
#include "app/FileCommands.h"
#include "app/FileHistory.h"
#include "platform/IniFile.h"
#include "app/RecentFiles.h"
#include "surface/BusinessCardPanel.h"

#include <QFileInfo>
#include <QPushButton>

namespace {

// The recent-files list of the settings file: a remembered path goes to the top and the
// list is written at once.
class TSettingsRecentFiles : public TRecentFiles {
public:
    explicit TSettingsRecentFiles(TMRUFileList& list) : FList(list) {}
    void Remember(const QString& path) override {
        FList.Add(path);
        FList.Save();
    }

private:
    TMRUFileList& FList;
};

} // namespace

void TMainScreen::WireFileCommands() {
    RecentFiles = new TMRUFileList(SettingsFileName(), this);
    RecentFiles->AttachMenu(FileMenu);
    RecentFiles->Load();
    FRecentStore = std::make_unique<TSettingsRecentFiles>(*RecentFiles);
    FFileCommands = std::make_unique<TFileCommands>(
        *BusinessCardPanel, TDesignState{CurrentFileName, BackgroundFileName, ChangesMade, Loading},
        *FRecentStore, this);
    FFileCommands->SetChangesMade = [this](bool value) { SetChangesMade(value); };
    FFileCommands->Setbuttons = [this] { Setbuttons(); };
    RecentFiles->OnClick = [this](const QString& path) { FFileCommands->OpenRecent(path); };

    NewItem->Wire(this, [this] { FFileCommands->New(); });
    OpenItem->Wire(this, [this] { FFileCommands->Open(); });
    DeleteItem->Wire(this, [this] { FFileCommands->Delete(); });
    SaveItem->Wire(this, [this] { FFileCommands->Save(); });
    SaveAsItem->Wire(this, [this] { FFileCommands->SaveAs(); });
    connect(Cancelbutton, &QPushButton::clicked, this, [this] { FFileCommands->CancelChanges(); });
}

void TMainScreen::OpenMostRecent() {
    // A most recent file that no longer exists opens nothing and stays in the list.
    const QStringList& recent = RecentFiles->Items();
    if (!recent.isEmpty() && QFileInfo::exists(recent.first()))
        FFileCommands->OpenBCFile(recent.first());
}
