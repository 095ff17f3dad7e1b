#pragma once

#include "platform/LittleEndianBytes.h"

#include <QImage>

// Device-independent bitmaps as metafiles carry them: a bitmap information header with its
// colour table, then the pixel rows. They are decoded by the picture loader, but only when
// the record holds as many row bytes as the header's size needs, so a small record never
// makes a large picture. Damaged or unsupported bitmaps decode to a null image.
QImage DecodePackedDib(const TLittleEndianBytes& dib);
// Header and colour table in one place, rows in another.
QImage DecodeDib(const TLittleEndianBytes& info, const TLittleEndianBytes& bits);
