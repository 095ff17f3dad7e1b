#pragma once

#include <QString>
#include <QStringList>

// What the file commands need of the recent-files list: a path opened or saved goes to the
// top and the list is written. The main window hands in the list kept in the settings file.
class TRecentFiles {
public:
    virtual ~TRecentFiles() = default;
    virtual void Remember(const QString& path) = 0;
};

// A list kept in memory only: at most five paths, most recent first.
class TMemoryRecentFiles : public TRecentFiles {
public:
    void Remember(const QString& path) override {
        Items.removeAll(path);
        Items.prepend(path);
        while (Items.size() > 5)
            Items.removeLast();
    }
    QStringList Items;
};
