#pragma once

#include <QStringList>

// pentavo-tool export IN OUT.pdf [--bleed INCHES] [--crop-marks] [--merge LIST]
// [--settings PTV.INI]: the design as a print shop wants it, one card per page (one per
// person on the list) with bleed, trim and bleed boxes and, when asked, crop marks. Takes
// the arguments after "export"; returns the exit status. Design files that cannot be read
// raise EStreamError.
int ExportCommand(const QStringList& args);

// pentavo-tool render IN OUT.png --dpi [N] [--settings PTV.INI]: the card as printed, N dots
// per inch (300 when not given). Takes the arguments after the output file.
int RenderAtDpiCommand(const QString& in, const QString& out, const QStringList& options);
