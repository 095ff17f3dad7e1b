#include "app/MainScreen.h"

#include "app/FileCommands.h"
#include "app/MainSettings.h"
#include "app/RecentFiles.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

namespace {
// How often a handed-over design checks whether the open dialog has closed.
constexpr int PendingOpenRetryMs = 200;
} // namespace

void TMainScreen::OpenMostRecent() {
    // A design named on the command line comes first.
    if (!FPendingOpen.isEmpty()) {
        OpenPendingDesign();
        return;
    }
    // A most recent file that no longer exists opens nothing and stays in the list.
    const QStringList& recent = Settings->RecentFiles->Items();
    if (!recent.isEmpty() && QFileInfo::exists(recent.first()))
        FileCommands->OpenBCFile(recent.first());
}

void TMainScreen::OpenDesignFile(const QString& path) {
    FPendingOpen = path;
    if (FActivated)
        OpenPendingDesign();
}

void TMainScreen::OpenPendingDesign() {
    if (FPendingOpen.isEmpty())
        return;
    // Opening replaces every object on the card, so it never runs under a dialog that may be
    // editing one of them.
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(PendingOpenRetryMs, this, &TMainScreen::OpenPendingDesign);
        return;
    }
    const QString path = std::exchange(FPendingOpen, QString());
    FileCommands->OpenNamed(path);
}
