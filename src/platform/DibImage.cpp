#include "platform/DibImage.h"

#include "platform/PictureFile.h"

namespace {

enum : quint32 { BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3 };
// Run-length rows can pack at most 255 pixels into two bytes.
constexpr qint64 kMaxRlePixelsPerByte = 128;

// Whether bytes this many could hold the rows the header promises.
bool rowsCouldFit(const TLittleEndianBytes& dib) {
    const bool core = dib.U32(0) == 12;
    const qint64 width = core ? dib.U16(4) : dib.I32(4);
    const qint64 height = qAbs(qint64(core ? dib.U16(6) : dib.I32(8)));
    const qint64 bitCount = dib.U16(core ? 10 : 14);
    const quint32 compression = core ? BI_RGB : dib.U32(16);
    if (width <= 0 || height <= 0 || width > MaxPictureSide || height > MaxPictureSide)
        return false;
    switch (compression) {
    case BI_RGB:
    case BI_BITFIELDS:
        return ((width * bitCount + 31) / 32) * 4 * height <= dib.Size();
    case BI_RLE8:
    case BI_RLE4:
        return width * height <= dib.Size() * kMaxRlePixelsPerByte;
    default:
        return false;
    }
}

} // namespace

QImage DecodePackedDib(const TLittleEndianBytes& dib) {
    if (!rowsCouldFit(dib))
        return {};
    try {
        return DecodePicture(QByteArray(dib.Data(), dib.Size()), TPictureKind::Dib, QString());
    } catch (const EPictureError&) {
        return {};
    }
}

QImage DecodeDib(const TLittleEndianBytes& info, const TLittleEndianBytes& bits) {
    const QByteArray packed =
        QByteArray(info.Data(), info.Size()) + QByteArray(bits.Data(), bits.Size());
    return DecodePackedDib(TLittleEndianBytes(packed.constData(), packed.size()));
}
