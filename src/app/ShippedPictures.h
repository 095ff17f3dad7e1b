#pragma once

#include <QString>

// Puts the background art the program ships into the folder's "BG" and its clip art
// beside the program, each file only where it is missing, so a fresh install has pictures
// to choose from and the user's own changes stay.
void InstallShippedPictures(const QString& programFolder);
