#pragma once

#include "app/FileHistory.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QAction;
class QMenu;

// The recent-files list: at most MaxEntries paths, most recent first, kept in section "MRU"
// of the settings file ("F0" the most recent) and shown at the end of a menu as
// "&1 path", "&2 path", ...
class TMRUFileList : public QObject, public TRecentFiles {
    Q_OBJECT
public:
    explicit TMRUFileList(QString settingsFile, QObject* parent = nullptr);

    static constexpr int MaxEntries = 5;
    // No file system takes a longer path.
    static constexpr int MaxPathLength = 4096;

    const QStringList& Items() const { return FItems; }
    // The menu the entries are appended to; the entries are rebuilt at once.
    void AttachMenu(QMenu* menu);
    // Reads section "MRU" in file order, keeping the first MaxEntries paths; a value too
    // long to be a path is none.
    void Load();
    // An equal path moves to the top, a new one is inserted there; the list is cut to
    // MaxEntries.
    void Add(const QString& path);
    // Rewrites section "MRU"; false when the settings file could not be written.
    bool Save() const;
    // Add, then Save: what happens after a design is opened or saved under a new name.
    void Remember(const QString& path) override;

    // Runs after a click on an entry, which has already left the list and the menu.
    std::function<void(const QString& path)> OnClick;

private:
    void RebuildMenu();
    void EntryClicked(int index);

    QString FSettingsFile;
    QStringList FItems;
    QMenu* FMenu = nullptr;
    QList<QAction*> FMenuItems;
};
