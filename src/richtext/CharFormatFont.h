#pragma once

#include <QFont>
#include <QTextCharFormat>

// The face and point size a run is drawn in: its own, or else the document's default
// font's (whose size may be given in pixels, taken at 96 per inch).
QString FormatFamily(const QTextCharFormat& format, const QFont& documentFont);
double FormatPoints(const QTextCharFormat& format, const QFont& documentFont);
