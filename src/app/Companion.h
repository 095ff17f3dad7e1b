#pragma once

#include <QString>

#include <optional>

// The companion file of a design names its background art: one line, next to the design
// file, with the extension ".PTX". A two-sided card's back names its own art on a second
// line, which readers of one side never look at.

// The design path with the extension of its file name (from the last '.') replaced by
// `extension`, or `extension` appended when the file name has none.
QString SiblingFileName(const QString& designPath, const QString& extension);
// The sibling file with the extension ".PTX".
QString CompanionFileName(const QString& designPath);
// Writes the line (ended by CR LF), and the back's line when it has art, through a temporary
// file; false on failure.
bool WriteCompanionFile(const QString& designPath, const QString& backgroundFileName,
                        const QString& backBackgroundFileName = QString());
void DeleteCompanionFile(const QString& designPath);
// The first line of the companion file; nothing when there is no companion file. Only the
// start of the file is read, whatever its size.
std::optional<QString> ReadCompanionFile(const QString& designPath);
// The second line: the back's art; empty when there is none.
QString ReadBackCompanionLine(const QString& designPath);
