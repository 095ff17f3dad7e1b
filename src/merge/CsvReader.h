#pragma once

#include "merge/MergeList.h"

#include <QByteArray>

// A comma-, semicolon- or tab-separated list whose first row names the columns. Fields may be
// quoted, with "" for a quote and separators and line breaks inside the quotes. The separator
// is the one of the three that the header row uses most. Raises EMergeListError.
TMergeList ReadCsvList(const QByteArray& bytes);
