#include "app/RecentFiles.h"

#include "platform/IniFile.h"

#include <QMenu>

namespace {
const QString section = QStringLiteral("MRU");
}

TMRUFileList::TMRUFileList(QString settingsFile, QObject* parent)
    : QObject(parent), FSettingsFile(std::move(settingsFile)) {}

void TMRUFileList::AttachMenu(QMenu* menu) {
    FMenu = menu;
    RebuildMenu();
}

void TMRUFileList::Load() {
    FItems.clear();
    const auto values = TIniFile(FSettingsFile).ReadSectionValues(section);
    for (const auto& kv : values)
        if (FItems.size() < MaxEntries && !kv.second.isEmpty() && kv.second.size() <= MaxPathLength)
            FItems.append(kv.second);
    RebuildMenu();
}

void TMRUFileList::Add(const QString& path) {
    const QString entry = path; // the path may be one of the entries about to move
    FItems.removeAll(entry);
    FItems.prepend(entry);
    while (FItems.size() > MaxEntries)
        FItems.removeLast();
    RebuildMenu();
}

void TMRUFileList::Remember(const QString& path) {
    Add(path);
    Save();
}

bool TMRUFileList::Save() const {
    TIniFile ini(FSettingsFile);
    ini.BeginUpdate();
    bool ok = ini.EraseSection(section);
    for (int i = 0; i < FItems.size(); ++i)
        ok = ini.WriteString(section, QStringLiteral("F%1").arg(i), FItems[i]) && ok;
    return ini.EndUpdate() && ok;
}

void TMRUFileList::RebuildMenu() {
    if (!FMenu)
        return;
    for (QAction* a : FMenuItems) {
        FMenu->removeAction(a);
        a->deleteLater();
    }
    FMenuItems.clear();
    if (FItems.isEmpty())
        return;
    FMenuItems.append(FMenu->addSeparator());
    for (int i = 0; i < FItems.size(); ++i) {
        // A '&' in a path is shown as itself, not as an access key.
        QString shown = FItems[i];
        shown.replace('&', QLatin1String("&&"));
        QAction* a = FMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        a->setWhatsThis(QStringLiteral("Opens this design again."));
        connect(a, &QAction::triggered, this, [this, i] { EntryClicked(i); });
        FMenuItems.append(a);
    }
}

void TMRUFileList::EntryClicked(int index) {
    if (index < 0 || index >= FItems.size())
        return;
    const QString path = FItems.takeAt(index);
    RebuildMenu();
    if (OnClick)
        OnClick(path);
}
