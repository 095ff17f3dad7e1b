#include "platform/PictureHeader.h"

#include <QtEndian>

#include <algorithm>
#include <climits>

namespace {

quint16 u16(const QByteArray& b, int at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}

quint32 u32(const QByteArray& b, int at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}

quint32 u32be(const QByteArray& b, int at) {
    return qFromBigEndian<quint32>(b.constData() + at);
}

quint32 u24(const QByteArray& b, int at) {
    return quint8(b[at]) | quint8(b[at + 1]) << 8 | quint32(quint8(b[at + 2])) << 16;
}

bool startsWith(const QByteArray& bytes, const char* magic, int n) {
    return bytes.size() >= n && std::equal(magic, magic + n, bytes.constData());
}

struct TDibInfo {
    QSize Size;
    quint32 HeaderSize = 0;
    qint64 ColorTableBytes = 0;
};

// The info header of a device-independent bitmap at the given offset: BITMAPCOREHEADER
// or one of the BITMAPINFOHEADER sizes.
std::optional<TDibInfo> dibInfo(const QByteArray& bytes, int at) {
    if (bytes.size() < at + 12)
        return std::nullopt;
    TDibInfo info;
    info.HeaderSize = u32(bytes, at);
    qint64 colors = 0;
    int entry = 4;
    if (info.HeaderSize == 12) {
        info.Size = QSize(u16(bytes, at + 4), u16(bytes, at + 6));
        const int bits = u16(bytes, at + 10);
        colors = bits <= 8 ? (1 << bits) : 0;
        entry = 3;
    } else if (info.HeaderSize == 40 || info.HeaderSize == 52 || info.HeaderSize == 56 ||
               info.HeaderSize == 108 || info.HeaderSize == 124) {
        if (bytes.size() < at + 40)
            return std::nullopt;
        const qint64 height = qint32(u32(bytes, at + 8));
        const qint64 width = qint32(u32(bytes, at + 4));
        if (width > INT_MAX || height < -INT_MAX)
            return std::nullopt;
        info.Size = QSize(int(width), int(height < 0 ? -height : height));
        const int bits = u16(bytes, at + 14);
        const quint32 compression = u32(bytes, at + 16);
        const quint32 used = u32(bytes, at + 32);
        if (bits <= 8 && used > 256)
            return std::nullopt;
        if (bits <= 8)
            colors = used ? qint64(used) : (1 << bits);
        else if (info.HeaderSize == 40 && compression == 3) // BI_BITFIELDS masks follow
            colors = 3;
    } else {
        return std::nullopt;
    }
    if (info.Size.width() <= 0 || info.Size.height() <= 0)
        return std::nullopt;
    info.ColorTableBytes = colors * entry;
    return info;
}

// A bitmap file ("BM" and its file header), or for a .DIB also a bare bitmap that starts
// at its info header; the decoder gets a made-up file header for it, with the pixel data's
// offset after the colour table.
std::optional<TPictureHeader> bitmap(const QByteArray& bytes, bool bareAllowed) {
    if (startsWith(bytes, "BM", 2)) {
        const std::optional<TDibInfo> info = dibInfo(bytes, 14);
        if (!info)
            return std::nullopt;
        return TPictureHeader{"bmp", info->Size, {}};
    }
    const std::optional<TDibInfo> info = bareAllowed ? dibInfo(bytes, 0) : std::nullopt;
    if (!info)
        return std::nullopt;
    TPictureHeader h{"bmp", info->Size, QByteArray("BM", 2)};
    char rest[12];
    qToLittleEndian<quint32>(quint32(14 + bytes.size()), rest);
    qToLittleEndian<quint32>(0, rest + 4);
    qToLittleEndian<quint32>(quint32(14 + info->HeaderSize + info->ColorTableBytes), rest + 8);
    h.Prefix.append(rest, 12);
    return h;
}

// PCX: manufacturer 10, a known version and encoding, and the window's corners.
std::optional<TPictureHeader> pcx(const QByteArray& bytes) {
    if (bytes.size() < 128 || quint8(bytes[0]) != 0x0A)
        return std::nullopt;
    const int version = quint8(bytes[1]), encoding = quint8(bytes[2]), bits = quint8(bytes[3]);
    if (version > 5 || version == 1 || encoding > 1 ||
        (bits != 1 && bits != 2 && bits != 4 && bits != 8))
        return std::nullopt;
    const int xmin = u16(bytes, 4), ymin = u16(bytes, 6), xmax = u16(bytes, 8),
              ymax = u16(bytes, 10);
    if (xmax < xmin || ymax < ymin)
        return std::nullopt;
    const QSize size(xmax - xmin + 1, ymax - ymin + 1);
    // A run packs at most 63 bytes of pixels into two bytes.
    const qint64 planes = std::max(1, int(quint8(bytes[65])));
    const qint64 pixelBytes = (qint64(size.width()) * bits * planes + 7) / 8 * size.height();
    return TPictureHeader{"PCX", size, {}, 128 + (pixelBytes + 62) / 63 * 2};
}

// TGA has no signature: the header's colour-map flag, image type and pixel depth must be
// ones the format defines.
std::optional<TPictureHeader> tga(const QByteArray& bytes) {
    if (bytes.size() < 18)
        return std::nullopt;
    const int mapType = quint8(bytes[1]), type = quint8(bytes[2]), depth = quint8(bytes[16]);
    const bool knownType =
        type == 1 || type == 2 || type == 3 || type == 9 || type == 10 || type == 11;
    const bool knownDepth = depth == 8 || depth == 15 || depth == 16 || depth == 24 || depth == 32;
    if (mapType > 1 || !knownType || !knownDepth)
        return std::nullopt;
    const QSize size(u16(bytes, 12), u16(bytes, 14));
    if (size.isEmpty())
        return std::nullopt;
    // A run packs at most 128 pixels into a count byte and one pixel.
    const qint64 pixels = qint64(size.width()) * size.height();
    TPictureHeader h{"TGA", size, {}, 18 + (pixels + 127) / 128 * (1 + (depth + 7) / 8)};
    // Bit 4 of the image descriptor: the first pixel of a row is its right-most.
    h.RightToLeft = (quint8(bytes[17]) & 0x10) != 0;
    return h;
}

// PNG: the signature, then the IHDR chunk with width, height, bit depth and colour type.
std::optional<TPictureHeader> png(const QByteArray& bytes) {
    if (bytes.size() < 33 || !startsWith(bytes, "\x89PNG\r\n\x1A\n", 8) ||
        bytes.mid(12, 4) != "IHDR")
        return std::nullopt;
    const quint32 width = u32be(bytes, 16), height = u32be(bytes, 20);
    if (width == 0 || height == 0 || width > INT_MAX || height > INT_MAX)
        return std::nullopt;
    static const int channelsOf[] = {1, 0, 3, 1, 2, 0, 4};
    const int depth = quint8(bytes[24]), colorType = quint8(bytes[25]);
    if (colorType > 6 || channelsOf[colorType] == 0)
        return std::nullopt;
    // Deflate packs at most 1032 bytes into one; each row has a filter byte.
    const qint64 rowBytes = (qint64(width) * depth * channelsOf[colorType] + 7) / 8 + 1;
    return TPictureHeader{"png", QSize(int(width), int(height)), {}, 33 + rowBytes * height / 1032};
}

// WebP: a RIFF container whose first chunk is a lossy (VP8), lossless (VP8L) or extended
// (VP8X) image, each with the picture's size in its own layout.
std::optional<TPictureHeader> webp(const QByteArray& bytes) {
    if (bytes.size() < 30 || !startsWith(bytes, "RIFF", 4) || bytes.mid(8, 4) != "WEBP")
        return std::nullopt;
    const QByteArray chunk = bytes.mid(12, 4);
    QSize size;
    if (chunk == "VP8X") {
        size = QSize(int(u24(bytes, 24)) + 1, int(u24(bytes, 27)) + 1);
    } else if (chunk == "VP8L") {
        if (quint8(bytes[20]) != 0x2F)
            return std::nullopt;
        const quint32 bits = u32(bytes, 21);
        size = QSize(int(bits & 0x3FFF) + 1, int((bits >> 14) & 0x3FFF) + 1);
    } else if (chunk == "VP8 ") {
        if (!startsWith(bytes.mid(23, 3), "\x9D\x01\x2A", 3))
            return std::nullopt;
        size = QSize(u16(bytes, 26) & 0x3FFF, u16(bytes, 28) & 0x3FFF);
    } else {
        return std::nullopt;
    }
    if (size.isEmpty())
        return std::nullopt;
    return TPictureHeader{"webp", size, {}};
}

// Whether an image element of the document names a file (or any address) rather than
// carrying its pixels inline: the renderer would open that file, which may be a device or
// a pipe, so such a document is not accepted.
bool namesOutsideImage(const QByteArray& bytes) {
    qsizetype end = 0;
    for (qsizetype at = bytes.indexOf("<image"); at >= 0; at = bytes.indexOf("<image", end)) {
        end = bytes.indexOf('>', at);
        if (end < 0)
            return true;
        const QByteArray tag = bytes.mid(at, end - at);
        const qsizetype href = tag.indexOf("href");
        if (href < 0)
            continue;
        qsizetype quote = href;
        while (quote < tag.size() && tag[quote] != '"' && tag[quote] != '\'')
            ++quote;
        if (quote >= tag.size() || !tag.mid(quote + 1).trimmed().startsWith("data:"))
            return true;
    }
    return false;
}

// SVG has no binary header: an XML document with an svg element. Its size is the
// document's own, known once parsed; drawn, it costs what the target needs.
std::optional<TPictureHeader> svg(const QByteArray& bytes) {
    const QByteArray start = bytes.left(4096).trimmed();
    if (!start.startsWith('<') || !bytes.contains("<svg") || namesOutsideImage(bytes))
        return std::nullopt;
    return TPictureHeader{"svg", QSize(), {}};
}

} // namespace

std::optional<TPictureHeader> ReadPictureHeader(const QByteArray& bytes, TPictureKind kind) {
    switch (kind) {
    case TPictureKind::Bmp:
    case TPictureKind::Rle:
        return bitmap(bytes, false);
    case TPictureKind::Dib:
        return bitmap(bytes, true);
    case TPictureKind::Jpg:
    case TPictureKind::Jif:
        if (startsWith(bytes, "\xFF\xD8\xFF", 3))
            return TPictureHeader{"jpeg", QSize(), {}};
        return std::nullopt;
    case TPictureKind::Gif:
        // The logical screen is what the decoder allocates, whatever the frames say.
        if ((startsWith(bytes, "GIF87a", 6) || startsWith(bytes, "GIF89a", 6)) &&
            bytes.size() >= 10)
            return TPictureHeader{"gif", QSize(u16(bytes, 6), u16(bytes, 8)), {}};
        return std::nullopt;
    case TPictureKind::Icon:
        if (startsWith(bytes, "\0\0\1\0", 4))
            return TPictureHeader{"ico", QSize(), {}};
        return std::nullopt;
    case TPictureKind::Pcx:
        return pcx(bytes);
    case TPictureKind::Tga:
        return tga(bytes);
    case TPictureKind::Png:
        return png(bytes);
    case TPictureKind::Webp:
        return webp(bytes);
    case TPictureKind::Svg:
        return svg(bytes);
    case TPictureKind::Wmf:
    case TPictureKind::Emf:
    case TPictureKind::Unknown:
        break;
    }
    return std::nullopt;
}

bool PictureSizeAllowed(const QSize& size) {
    return size.width() > 0 && size.height() > 0 && size.width() <= MaxPictureSide &&
           size.height() <= MaxPictureSide &&
           qint64(size.width()) * size.height() * 4 <= MaxPictureBytes;
}
