#pragma once

#include <QByteArray>
#include <QString>

// The back of a two-sided card lives beside its design, so that a design without a back is
// saved byte for byte as a one-sided one and a reader that knows only one side opens the
// front: the back's objects in a file with the extension ".PTB", in the design file's own
// encoding, and its background art on the second line of the companion file (".PTX").

QString BackSideFileName(const QString& designPath);
// Writes the back's object stream through a temporary file renamed over the old one, so a
// failed save leaves the previous back whole; an empty design deletes the file instead.
// False when it could not be written.
bool WriteBackSide(const QString& designPath, const QByteArray& objects);
void DeleteBackSide(const QString& designPath);
