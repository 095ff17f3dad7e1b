#pragma once

#include <QFontMetrics>
#include <QStringList>

// Breaks text into display lines the way a multi-line edit box with word wrap does: every
// given line starts a new display line; a line too wide for the width breaks after the last
// word that fits (the blanks at the break hang off the end and are dropped), and a single
// word too wide on its own is broken between characters. Empty lines stay. With maxLines
// of 0 or more, wrapping stops after that many display lines: a box that shows a few lines
// of a huge text costs those lines only.
QStringList WrapLikeEdit(const QStringList& lines, const QFontMetrics& metrics, int width,
                         qsizetype maxLines = -1);
