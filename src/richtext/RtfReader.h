#pragma once

#include "richtext/RtfDocument.h"

#include <QByteArrayView>

class QTextDocument;

// What the reader made of a document.
struct TRtfReadResult {
    // False when the document went beyond the reader's limits (size, nesting) and only
    // the part within them was read.
    bool Complete = true;
};

// Reads RTF into the document, replacing what it held. The reader is lenient, as word
// processors are: control words it does not know are ignored, destinations it does not
// show (document information, style sheets, pictures, fields' instructions and every
// destination marked \*) are skipped whole, and a document that ends early keeps what came
// before. It never fails.
//
// Understood: groups; the font table (\fN, \fcharsetN) and colour table; \ansicpgN;
// \deffN; \plain \b \i \ul \ulnone \strike \fsN \fN \cfN \highlightN \cbN \super \sub
// \nosupersub; \par \pard \ql \qr \qc \qj \liN \riN \fiN \sbN \saN; \tab \line; \uN with
// \ucN; \'hh in the font's or the document's code page; the named special characters.
// Sizes are in half points and indents in twips, as RTF has them.
TRtfReadResult ReadRtf(QByteArrayView rtf, TRtfDocument& document);

// The same into a QTextDocument, which holds points and 1/96-inch pixels. Loading is not
// a step the document's undo can take back.
TRtfReadResult ReadRtf(QByteArrayView rtf, QTextDocument& document);
