#pragma once

#include <QString>

// The folder the program keeps its files in (settings, Saved/, BG/, bmbrush/, the
// clipboard file), always ending in '/'. It is the executable's folder when that is
// writable (the build tree, a portable copy), otherwise the per-user data folder. An
// installed program (its data in share/pentavo/ beside bin/) always uses the per-user
// folder, also where it could write beside itself (a prefix of the user's own, or root).
// Tests set their own.
QString ProgramFolder();
void SetProgramFolder(const QString& folder);

// The choice behind ProgramFolder for an executable in exeDir; userDataDir is the per-user
// data folder, made when it is chosen. Both results end in '/'.
QString ChooseProgramFolder(const QString& exeDir, const QString& userDataDir);

// The read-only data installed with the program (the examples): <prefix>/share/pentavo/ for
// an executable in <prefix>/bin/. Empty when there is none.
QString ShippedDataFolder();
QString ShippedDataFolderFor(const QString& exeDir);

// Makes "bmbrush", "Saved" and "BG" in the program folder, each in its own attempt; one that
// exists or cannot be made is no reason to stop.
void MakeProgramSubfolders(const QString& programFolder);

// Copies each file of the resource folder into the target folder where no file of that name
// is yet, so the user's own changes stay. The copies are writable by their owner: resource
// files copy read-only, and the user may want to replace them.
void CopyMissingFiles(const QString& resourceFolder, const QString& targetFolder);
