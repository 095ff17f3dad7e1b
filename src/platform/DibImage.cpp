#include "platform/DibImage.h"

#include <QBuffer>
#include <QImageReader>

#include <optional>

namespace {

constexpr qint64 kMaxSide = 16384;
constexpr int kAllocationLimitMB = 256;
// Run-length rows can pack at most 255 pixels into two bytes.
constexpr qint64 kMaxRlePixelsPerByte = 128;

enum : quint32 { BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3 };

struct TDibHeader {
    qint64 Width = 0, Height = 0;
    int BitCount = 0;
    quint32 Compression = BI_RGB;
    qsizetype InfoSize = 0; // header and colour table
};

std::optional<TDibHeader> readHeader(const TLittleEndianBytes& info) {
    TDibHeader h;
    const quint32 headerSize = info.U32(0);
    qsizetype entrySize = 4;
    quint32 colorsUsed = 0;
    if (headerSize == 12 && info.Has(0, 12)) {
        h.Width = info.U16(4);
        h.Height = info.U16(6);
        h.BitCount = info.U16(10);
        entrySize = 3;
    } else if (headerSize >= 40 && headerSize <= 1024 && info.Has(0, headerSize)) {
        h.Width = info.I32(4);
        h.Height = info.I32(8);
        h.BitCount = info.U16(14);
        h.Compression = info.U32(16);
        colorsUsed = info.U32(32);
    } else {
        return std::nullopt;
    }
    h.Height = qAbs(h.Height); // negative: rows top-down
    if (h.Width <= 0 || h.Height <= 0 || h.Width > kMaxSide || h.Height > kMaxSide)
        return std::nullopt;
    switch (h.BitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        return std::nullopt;
    }
    qint64 colors = 0;
    if (h.BitCount <= 8)
        colors = colorsUsed ? colorsUsed : (1 << h.BitCount);
    if (colors > 256)
        return std::nullopt;
    h.InfoSize = qsizetype(headerSize) + qsizetype(colors) * entrySize;
    if (h.Compression == BI_BITFIELDS && headerSize == 40)
        h.InfoSize += 12; // the three colour masks follow the header
    if (!info.Has(0, h.InfoSize))
        return std::nullopt;
    return h;
}

// Whether the rows present can fill the bitmap the header promises.
bool rowsFit(const TDibHeader& h, qsizetype bitsSize) {
    switch (h.Compression) {
    case BI_RGB:
    case BI_BITFIELDS:
        return ((h.Width * h.BitCount + 31) / 32) * 4 * h.Height <= bitsSize;
    case BI_RLE8:
    case BI_RLE4:
        return bitsSize > 0 && h.Width * h.Height <= bitsSize * kMaxRlePixelsPerByte;
    default:
        return false;
    }
}

void putU32(QByteArray& out, quint32 v) {
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

} // namespace

QImage DecodeDib(const TLittleEndianBytes& info, const TLittleEndianBytes& bits) {
    const std::optional<TDibHeader> h = readHeader(info);
    if (!h || !rowsFit(*h, bits.Size()))
        return {};
    // A bitmap file image: the 14-byte file header, then the information and the rows.
    QByteArray file("BM");
    putU32(file, quint32(14 + h->InfoSize + bits.Size()));
    putU32(file, 0);
    putU32(file, quint32(14 + h->InfoSize));
    file.append(info.Data(), h->InfoSize);
    file.append(bits.Data(), bits.Size());
    QBuffer buffer(&file);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    reader.setAllocationLimit(kAllocationLimitMB);
    return reader.read();
}

QImage DecodePackedDib(const TLittleEndianBytes& dib) {
    const std::optional<TDibHeader> h = readHeader(dib);
    if (!h)
        return {};
    return DecodeDib(dib.Slice(0, h->InfoSize), dib.Slice(h->InfoSize, dib.Size() - h->InfoSize));
}
