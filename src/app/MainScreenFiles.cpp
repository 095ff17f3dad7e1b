#include "app/MainScreen.h"

#include "app/FileCommands.h"
#include "app/MainSettings.h"
#include "app/RecentFiles.h"

#include <QFileInfo>

void TMainScreen::OpenMostRecent() {
    // A most recent file that no longer exists opens nothing and stays in the list.
    const QStringList& recent = Settings->RecentFiles->Items();
    if (!recent.isEmpty() && QFileInfo::exists(recent.first()))
        FileCommands->OpenBCFile(recent.first());
}
