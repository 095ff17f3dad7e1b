#pragma once

#include <QString>

#include <optional>

// The companion file of a design names its background art: one line, next to the design
// file, with the extension ".PTX".

// The design path with the extension of its file name (from the last '.') replaced by
// `extension`, or `extension` appended when the file name has none.
QString SiblingFileName(const QString& designPath, const QString& extension);
// The sibling file with the extension ".PTX".
QString CompanionFileName(const QString& designPath);
// Writes the single line (ended by CR LF) through a temporary file; false on failure.
bool WriteCompanionFile(const QString& designPath, const QString& backgroundFileName);
void DeleteCompanionFile(const QString& designPath);
// The first line of the companion file; nothing when there is no companion file. Only the
// start of the file is read, whatever its size.
std::optional<QString> ReadCompanionFile(const QString& designPath);
