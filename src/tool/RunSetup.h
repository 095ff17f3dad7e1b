#pragma once

#include "merge/MergeList.h"
#include "printing/LabelPrintRun.h"

#include <QString>

#include <memory>

class TGBusinessCardPanel32;

// What the commands that print start from: the layout and nudges of a settings file
// (defaults without one), the design's background art from its companion file, and a merge
// list with every record in order.
struct TToolRun {
    TPrintRunSettings Settings;
    TMergeList List;
    std::unique_ptr<TGBusinessCardPanel32> Back;

    TToolRun();
    ~TToolRun();
};

// Fills the run from the option values (empty = not given). Returns the program's message
// when one of them cannot be used, else an empty string.
QString PrepareToolRun(const QString& design, const QString& settingsFile, const QString& mergeFile,
                       TToolRun& run);

// Reads the design onto a panel set up as the program's (rich text ready). A design that
// cannot be read raises EStreamError.
void LoadToolDesign(TGBusinessCardPanel32& panel, const QString& design);

// The value of --sides: "front", "back" or "both". False for anything else.
bool ParseToolSides(const QString& value, TPrintSides& sides);
// The message for any other value.
QString BadToolSides();

// When the run's sides take in the back, reads the design's back (blank when it has none)
// and gives it to the run.
void LoadToolBackSide(const QString& design, TToolRun& run);

// Writes the message on standard error and gives the exit status 1.
int FailTool(const QString& message);
