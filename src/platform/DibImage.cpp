#include "platform/DibImage.h"

#include "platform/PictureFile.h"

#include <cstring>
#include <vector>

namespace {

enum : quint32 { BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3 };
// Run-length rows can pack at most 255 pixels into two bytes.
constexpr qint64 kMaxRlePixelsPerByte = 128;

// The fields of a bitmap information header that decoding needs.
struct THeader {
    qint64 Width = 0, Height = 0; // height positive
    bool TopDown = false;
    int BitCount = 0;
    quint32 Compression = BI_RGB;
    qsizetype TableAt = 0; // where the colour table starts in the header's bytes
    int TableEntrySize = 4;
    qint64 TableEntries = 0;
    quint32 Masks[3] = {0, 0, 0};
};

std::optional<THeader> readHeader(const TLittleEndianBytes& info) {
    THeader h;
    const quint32 size = info.U32(0);
    if (size == 12) {
        h.Width = info.U16(4);
        h.Height = info.U16(6);
        h.BitCount = info.U16(10);
        h.TableEntrySize = 3;
    } else if (size >= 40 && info.Has(0, 40)) {
        h.Width = info.I32(4);
        const qint32 height = info.I32(8);
        h.TopDown = height < 0;
        h.Height = qAbs(qint64(height));
        h.BitCount = info.U16(14);
        h.Compression = info.U32(16);
        h.TableEntries = info.U32(32);
    } else {
        return std::nullopt;
    }
    h.TableAt = size;
    if (h.Compression == BI_BITFIELDS) {
        // The masks follow a plain header; longer headers hold them in their own fields,
        // at the same place.
        for (int k = 0; k < 3; ++k)
            h.Masks[k] = info.U32(40 + 4 * k);
        if (size == 40)
            h.TableAt += 12;
        if (h.BitCount != 16 && h.BitCount != 32)
            return std::nullopt;
    } else if (h.BitCount == 16) {
        h.Masks[0] = 0x7C00, h.Masks[1] = 0x03E0, h.Masks[2] = 0x001F;
    }
    if (h.BitCount <= 8 && (h.TableEntries == 0 || h.TableEntries > (1 << h.BitCount)))
        h.TableEntries = qint64(1) << h.BitCount;
    if (h.BitCount > 8)
        h.TableEntries = 0;
    const bool rle = h.Compression == BI_RLE8 || h.Compression == BI_RLE4;
    const bool depthOk = rle ? h.BitCount == (h.Compression == BI_RLE8 ? 8 : 4)
                             : (h.BitCount == 1 || h.BitCount == 4 || h.BitCount == 8 ||
                                h.BitCount == 16 || h.BitCount == 24 || h.BitCount == 32);
    if (!depthOk || (h.Compression > BI_BITFIELDS) || h.Width <= 0 || h.Height <= 0 ||
        h.Width > MaxPictureSide || h.Height > MaxPictureSide)
        return std::nullopt;
    return h;
}

qint64 stride(const THeader& h) {
    return ((h.Width * h.BitCount + 31) / 32) * 4;
}

// Whether bytes this many could hold the rows the header promises.
bool rowsCouldFit(const THeader& h, qsizetype bits) {
    if (h.Compression == BI_RLE8 || h.Compression == BI_RLE4)
        return h.Width * h.Height <= bits * kMaxRlePixelsPerByte;
    return stride(h) * h.Height <= bits;
}

// A colour from a bit-field mask: the masked bits scaled to 0..255.
int channel(quint32 value, quint32 mask) {
    if (mask == 0)
        return 0;
    int shift = 0;
    while (!((mask >> shift) & 1))
        ++shift;
    const quint32 top = mask >> shift;
    return int((quint64((value & mask) >> shift) * 255 + top / 2) / top);
}

// Walks the rows that the sampling keeps, from the top of the picture down, and hands each
// one's source row index to the caller.
struct TSampling {
    int OutWidth, OutHeight;
    std::vector<qint64> Columns; // source column of each output column
    qint64 SourceRow(int y, qint64 height) const {
        return qMin(height - 1, qint64((y + 0.5) * double(height) / OutHeight));
    }
};

TSampling sampling(const THeader& h, QSize maxSize) {
    TSampling s;
    s.OutWidth =
        int(maxSize.isValid() ? qBound<qint64>(1, qint64(maxSize.width()), h.Width) : h.Width);
    s.OutHeight =
        int(maxSize.isValid() ? qBound<qint64>(1, qint64(maxSize.height()), h.Height) : h.Height);
    s.Columns.resize(std::size_t(s.OutWidth));
    for (int x = 0; x < s.OutWidth; ++x)
        s.Columns[std::size_t(x)] =
            qMin(h.Width - 1, qint64((x + 0.5) * double(h.Width) / s.OutWidth));
    return s;
}

// Expands run-length rows into one index per pixel. Only the stored rows that rowSlots maps
// to an output row are kept, in that row's place. Pixels the runs skip keep index 0.
std::vector<quint8> expandRle(const THeader& h, const TLittleEndianBytes& bits,
                              const std::vector<int>& rowSlots, int rows) {
    std::vector<quint8> pixels(std::size_t(h.Width * rows), 0);
    const bool four = h.Compression == BI_RLE4;
    qint64 x = 0, y = 0;
    qsizetype at = 0;
    auto kept = [&](qint64 row) { return row < h.Height ? rowSlots[std::size_t(row)] : -1; };
    auto put = [&](int index) {
        if (x < h.Width && kept(y) >= 0)
            pixels[std::size_t(kept(y) * h.Width + x)] = quint8(index);
        ++x;
    };
    while (bits.Has(at, 2) && y < h.Height) {
        const int count = bits.U8(at), value = bits.U8(at + 1);
        at += 2;
        if (count > 0) {
            if (!four) {
                if (x < h.Width && kept(y) >= 0)
                    std::memset(&pixels[std::size_t(kept(y) * h.Width + x)], value,
                                std::size_t(qMin<qint64>(count, h.Width - x)));
                x += count;
            } else {
                for (int k = 0; k < count; ++k)
                    put(four ? (k & 1 ? value & 0x0F : value >> 4) : value);
            }
        } else if (value == 0) { // end of line
            x = 0;
            ++y;
        } else if (value == 1) { // end of bitmap
            break;
        } else if (value == 2) { // delta
            x += bits.U8(at);
            y += bits.U8(at + 1);
            at += 2;
        } else { // a literal run, padded to a 16-bit boundary
            const qsizetype bytes = four ? (value + 1) / 2 : value;
            if (!bits.Has(at, bytes))
                break;
            for (int k = 0; k < value; ++k) {
                const int b = bits.U8(at + (four ? k / 2 : k));
                put(four ? (k & 1 ? b & 0x0F : b >> 4) : b);
            }
            at += bytes + (bytes & 1);
        }
    }
    return pixels;
}

} // namespace

TDib TDib::Packed(const TLittleEndianBytes& bytes) {
    const std::optional<THeader> h = readHeader(bytes);
    if (!h)
        return TDib{bytes, TLittleEndianBytes(nullptr, 0)};
    const qsizetype rowsAt = h->TableAt + h->TableEntries * h->TableEntrySize;
    return TDib{bytes.Slice(0, qMin(rowsAt, bytes.Size())),
                bytes.Slice(rowsAt, qMax<qsizetype>(0, bytes.Size() - rowsAt))};
}

QSize TDib::Size() const {
    const std::optional<THeader> h = readHeader(Info);
    if (!h || !rowsCouldFit(*h, Bits.Size()))
        return QSize();
    return QSize(int(h->Width), int(h->Height));
}

QImage TDib::Decode(QSize maxSize, bool premultipliedAlpha) const {
    const std::optional<THeader> found = readHeader(Info);
    if (!found || !rowsCouldFit(*found, Bits.Size()))
        return {};
    const THeader& h = *found;
    std::vector<QRgb> table(std::size_t(h.TableEntries), qRgb(0, 0, 0));
    for (qint64 k = 0; k < h.TableEntries; ++k) {
        const qsizetype at = h.TableAt + k * h.TableEntrySize;
        table[std::size_t(k)] = qRgb(Info.U8(at + 2), Info.U8(at + 1), Info.U8(at));
    }
    const TSampling s = sampling(h, maxSize);
    const bool alpha = premultipliedAlpha && h.BitCount == 32;
    QImage image(s.OutWidth, s.OutHeight,
                 alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (image.isNull())
        return {};
    // The stored row each output row samples, and the other way round.
    std::vector<qint64> rowOf(std::size_t(s.OutHeight));
    std::vector<int> rowSlots;
    for (int y = 0; y < s.OutHeight; ++y) {
        const qint64 top = s.SourceRow(y, h.Height);
        rowOf[std::size_t(y)] = h.TopDown ? top : h.Height - 1 - top;
    }
    const bool rle = h.Compression == BI_RLE8 || h.Compression == BI_RLE4;
    std::vector<quint8> expanded;
    if (rle) {
        rowSlots.assign(std::size_t(h.Height), -1);
        for (int y = 0; y < s.OutHeight; ++y)
            rowSlots[std::size_t(rowOf[std::size_t(y)])] = y;
        expanded = expandRle(h, Bits, rowSlots, s.OutHeight);
    }
    const qint64 rowBytes = stride(h);
    for (int y = 0; y < s.OutHeight; ++y) {
        const qint64 stored = rowOf[std::size_t(y)];
        QRgb* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        if (rle) {
            const quint8* row = expanded.data() + qint64(y) * h.Width;
            for (int x = 0; x < s.OutWidth; ++x) {
                const quint8 index = row[s.Columns[std::size_t(x)]];
                out[x] = index < table.size() ? table[index] : qRgb(0, 0, 0);
            }
            continue;
        }
        const qsizetype rowAt = stored * rowBytes;
        for (int x = 0; x < s.OutWidth; ++x) {
            const qint64 c = s.Columns[std::size_t(x)];
            switch (h.BitCount) {
            case 1:
            case 4:
            case 8: {
                const qint64 bit = c * h.BitCount;
                const int b = Bits.U8(rowAt + bit / 8);
                const int index = (b >> (8 - h.BitCount - bit % 8)) & ((1 << h.BitCount) - 1);
                out[x] =
                    std::size_t(index) < table.size() ? table[std::size_t(index)] : qRgb(0, 0, 0);
                break;
            }
            case 16: {
                const quint32 v = Bits.U16(rowAt + c * 2);
                out[x] =
                    qRgb(channel(v, h.Masks[0]), channel(v, h.Masks[1]), channel(v, h.Masks[2]));
                break;
            }
            case 24:
                out[x] = qRgb(Bits.U8(rowAt + c * 3 + 2), Bits.U8(rowAt + c * 3 + 1),
                              Bits.U8(rowAt + c * 3));
                break;
            default: {
                const quint32 v = Bits.U32(rowAt + c * 4);
                if (h.Compression == BI_BITFIELDS)
                    out[x] = qRgb(channel(v, h.Masks[0]), channel(v, h.Masks[1]),
                                  channel(v, h.Masks[2]));
                else
                    out[x] = alpha ? v : (v | 0xFF000000u);
                break;
            }
            }
        }
    }
    return image;
}

QImage TDibCache::Decode(const TDib& dib, QSize maxSize, bool premultipliedAlpha) {
    // Bounded: past this many pixels the cache starts again.
    constexpr qint64 kMaxPixels = qint64(8) << 20;
    const auto key =
        std::make_tuple(dib.Info.Data(), maxSize.width(), maxSize.height(), premultipliedAlpha);
    {
        const std::lock_guard<std::mutex> lock(FLock);
        const auto found = FImages.find(key);
        if (found != FImages.end())
            return found->second;
    }
    const QImage image = dib.Decode(maxSize, premultipliedAlpha);
    const qint64 pixels = qint64(image.width()) * image.height();
    const std::lock_guard<std::mutex> lock(FLock);
    if (FPixels + pixels > kMaxPixels) {
        FImages.clear();
        FPixels = 0;
    }
    if (pixels <= kMaxPixels) {
        FImages.emplace(key, image);
        FPixels += pixels;
    }
    return image;
}
