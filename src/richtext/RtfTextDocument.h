#pragma once

#include "richtext/RtfDocument.h"

class QTextDocument;

// Between rich text as RTF carries it and a QTextDocument, which holds sizes in points and
// indents in 1/96-inch pixels. What the reader makes of RTF goes into a document and comes
// back out the same.

// Replaces what the document held; loading is not a step its undo can take back.
void BuildTextDocument(const TRtfDocument& rtf, QTextDocument& document);

// A run or mark without a font of its own takes the document's default font; sizes and
// indents are rounded to RTF's units and bounded as the reader bounds them. Neighbouring
// fragments of one format are one run.
TRtfDocument RtfDocumentOf(const QTextDocument& document);
