#pragma once

#include "platform/LittleEndianBytes.h"

#include <QImage>
#include <QSize>

#include <map>
#include <mutex>
#include <tuple>

// A device-independent bitmap as a metafile record carries it: a bitmap information header
// with its colour table in one place, the pixel rows in another (or right after it).
struct TDib {
    TLittleEndianBytes Info{nullptr, 0};
    TLittleEndianBytes Bits{nullptr, 0};

    // A header followed by its colour table and rows, as the older records pack them.
    static TDib Packed(const TLittleEndianBytes& bytes);
    bool IsEmpty() const { return Info.Size() == 0; }
    // The size the header gives; empty when the header is not one that can be decoded or the
    // rows could not hold that many pixels, so a small record never makes a large picture.
    QSize Size() const;
    // The pixels, sampled down to at most maxSize (when given) as they are read, so a huge
    // bitmap shown small never exists at its full size. With premultipliedAlpha, 32-bit
    // pixels keep their fourth byte as premultiplied alpha; otherwise every pixel is opaque.
    // Damaged or unsupported bitmaps decode to a null image.
    QImage Decode(QSize maxSize = QSize(), bool premultipliedAlpha = false) const;
    // A pattern brush's tile: patterns are small, a larger one is sampled down.
    QImage DecodePattern() const { return Decode(QSize(256, 256)); }
};

// The bitmaps of one metafile as they were last decoded, kept while it lives: drawing it
// again at the same size (every card of a sheet, every repaint) decodes nothing and hands
// the painter the very same image, which a PDF then holds once.
class TDibCache {
public:
    QImage Decode(const TDib& dib, QSize maxSize, bool premultipliedAlpha);

private:
    std::mutex FLock;
    std::map<std::tuple<const char*, int, int, bool>, QImage> FImages;
    qint64 FPixels = 0;
};
