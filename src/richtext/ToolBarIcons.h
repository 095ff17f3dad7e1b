#pragma once

#include <QIcon>

// The rich text tool bar's glyphs, drawn by the program: a letter in a style for the
// character buttons, ruled lines for the alignments, small pictures for the clipboard.
QIcon LetterIcon(const QString& letter, bool bold, bool italic, bool underline);
QIcon AlignmentIcon(Qt::Alignment alignment);

enum class TClipboardGlyph { Copy, Cut, Paste };
QIcon ClipboardIcon(TClipboardGlyph glyph);
