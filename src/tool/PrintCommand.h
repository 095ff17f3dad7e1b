#pragma once

#include <QStringList>

// pentavo-tool print IN OUT.pdf [--settings PTV.INI] [--cards 1,2,...] [--copies N]
// [--outline] [--merge LIST]: the print run of a design into a PDF file, without a window;
// with a list (CSV or vCard), one card per person on it. The layout and
// nudges come from the settings file (defaults without one), the background art from the
// design's companion file. Takes the arguments after "print"; returns the exit status.
// Design files that cannot be read raise EStreamError.
int PrintCommand(const QStringList& args);
