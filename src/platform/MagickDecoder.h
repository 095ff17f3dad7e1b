#pragma once

#include <QByteArray>
#include <QImage>
#include <optional>

// Decodes what Qt's readers cannot (PCX, TGA of every kind) through GraphicsMagick. The
// caller has checked the header and the size. A valid size smaller than the picture brings
// it down to that size before it becomes a QImage. Nothing when the library fails on the data.
std::optional<QImage> MagickDecode(const QByteArray& bytes, const char* format,
                                   QSize size = QSize());
