#pragma once

#include "platform/LittleEndianBytes.h"

#include <QImage>

// Device-independent bitmaps as metafiles carry them: a bitmap information header with its
// colour table, and the pixel rows. Decoding is bounded: the header's size must fit 16,384
// pixels each way and the rows must be present before anything is allocated. Damaged or
// unsupported bitmaps decode to a null image.
QImage DecodeDib(const TLittleEndianBytes& info, const TLittleEndianBytes& bits);
// A packed bitmap: header, colour table and rows in one run.
QImage DecodePackedDib(const TLittleEndianBytes& dib);
