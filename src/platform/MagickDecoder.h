#pragma once

#include <QByteArray>
#include <QImage>
#include <optional>

// Decodes what Qt's readers cannot (PCX, TGA of every kind) through GraphicsMagick. The
// caller has checked the header and the size. Nothing when the library fails on the data.
std::optional<QImage> MagickDecode(const QByteArray& bytes, const char* format);
