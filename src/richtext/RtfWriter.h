#pragma once

#include "richtext/RtfDocument.h"

#include <QByteArray>

class QTextDocument;

// Writes the document as RTF that word processors read: an \ansi, code page 1252 header
// with font and colour tables, one \pard paragraph per block ended by \par, and each run of
// text in a group of its own with its font, size, styles and colours. Text outside
// Windows-1252 is written as \uN with a '?' stand-in (\uc1). The same document always gives
// the same bytes, and what ReadRtf reads from them is the same document again.
QByteArray WriteRtf(const TRtfDocument& document);
QByteArray WriteRtf(const QTextDocument& document);
