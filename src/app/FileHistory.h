#pragma once

#include <QString>

// What the file commands need of the recent-files list: a path opened or saved goes to the
// top and the list is written. The main window hands in the list kept in the settings file.
class TRecentFiles {
public:
    virtual ~TRecentFiles() = default;
    virtual void Remember(const QString& path) = 0;
};
