#pragma once

#include <QString>

// The folder the program keeps its files in (settings, Saved/, BG/, bmbrush/, the
// clipboard file), always ending in '/'. It is the executable's folder when that is
// writable, otherwise the per-user data folder. Tests set their own.
QString ProgramFolder();
void SetProgramFolder(const QString& folder);
