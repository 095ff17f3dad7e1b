#pragma once

#include <QRect>
#include <QString>

class QWidget;

// A window's normal (not maximised) rectangle as the settings file keeps it: Right and
// Bottom are exclusive edges in screen pixels.
struct TStoredPlacement {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool Maximized = false;
    bool operator==(const TStoredPlacement&) const = default;
};

// ClassName + "_Placement", with the screen's pixels per inch appended above 96, so that
// placements stored at another resolution are not reused.
QString PlacementSection(const QString& className, int pixelsPerInch);

// Moves a stored rectangle left and up so that its right and bottom edges lie on the screen;
// a rectangle left of or above the screen stays where it is.
TStoredPlacement PushOntoScreen(TStoredPlacement p, const QRect& screen);

// A stored rectangle from anywhere made one a window can take: edges within the range of
// screen coordinates, and at least one pixel but no more than the screen in each direction
// (keeping Left and Top).
TStoredPlacement ClampPlacement(TStoredPlacement p, const QRect& screen);

// Writes the window's normal rectangle and maximised state to its placement section.
bool SaveWindowPlacement(const QWidget& window, const QString& settingsFile);
// Restores the stored placement (pushed back onto the screen), or centres the window on its
// screen when nothing is stored; then saves the placement again.
void RestoreWindowPlacement(QWidget& window, const QString& settingsFile);
