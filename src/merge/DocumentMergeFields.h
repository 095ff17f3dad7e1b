#pragma once

#include "merge/MergeFields.h"

class QTextDocument;

// Fills the ${Column} fields of a formatted document from the record, in place. A field may
// span several runs of formatting (part of it bold, say); its value takes the look of the
// field's "$". With an empty record the document is left as it is.
void FillMergeFields(QTextDocument& document, const TMergeRecord& record);
