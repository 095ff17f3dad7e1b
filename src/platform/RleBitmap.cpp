#include "platform/RleBitmap.h"

#include <QtEndian>

#include <vector>

namespace {

enum : quint32 { BI_RLE8 = 1, BI_RLE4 = 2 };

quint32 u32(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}

quint16 u16(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}

} // namespace

std::optional<QImage> DecodeRunLengthReduced(const QByteArray& bmp, const QSize& size) {
    if (bmp.size() < 54 || !bmp.startsWith("BM") || size.isEmpty())
        return std::nullopt;
    const quint32 infoSize = u32(bmp, 14);
    const qint32 width = qint32(u32(bmp, 18)), height = qint32(u32(bmp, 22));
    const int bits = u16(bmp, 28);
    const quint32 compression = u32(bmp, 30);
    // Run-length rows always run bottom-up: the height is positive.
    if (infoSize < 40 || width <= 0 || height <= 0 || width > 65535 || height > 65535 ||
        !((bits == 8 && compression == BI_RLE8) || (bits == 4 && compression == BI_RLE4)))
        return std::nullopt;
    const quint32 used = u32(bmp, 46);
    const qint64 colors = used ? used : (1 << bits);
    const qint64 paletteAt = 14 + qint64(infoSize), pixelsAt = u32(bmp, 10);
    if (colors > 256 || paletteAt + colors * 4 > bmp.size() || pixelsAt >= bmp.size())
        return std::nullopt;
    QList<QRgb> palette;
    for (qint64 i = 0; i < colors; ++i)
        palette << (0xFF000000u | (u32(bmp, paletteAt + i * 4) & 0xFFFFFFu));
    while (palette.size() < 256)
        palette << qRgb(0, 0, 0);

    const int outW = std::min(size.width(), int(width)),
              outH = std::min(size.height(), int(height));
    QImage out(outW, outH, QImage::Format_Indexed8);
    if (out.isNull())
        return std::nullopt;
    out.setColorTable(palette);
    out.fill(0);
    // The source row (from the top) and column each pixel of the smaller picture takes.
    std::vector<int> outRowOf(size_t(height), -1);
    for (int oy = 0; oy < outH; ++oy)
        outRowOf[size_t(qint64(oy) * height / outH)] = oy;
    std::vector<int> columns(static_cast<size_t>(outW));
    for (int ox = 0; ox < outW; ++ox)
        columns[size_t(ox)] = int(qint64(ox) * width / outW);
    std::vector<uchar> row(size_t(width), 0);

    const uchar* p = reinterpret_cast<const uchar*>(bmp.constData()) + pixelsAt;
    const uchar* end = reinterpret_cast<const uchar*>(bmp.constData()) + bmp.size();
    qint64 x = 0, y = 0; // y counts rows from the bottom
    auto finishRow = [&] {
        if (y < height) {
            const int oy = outRowOf[size_t(height - 1 - y)];
            if (oy >= 0) {
                uchar* line = out.scanLine(oy);
                for (int ox = 0; ox < outW; ++ox)
                    line[ox] = row[size_t(columns[size_t(ox)])];
            }
        }
        std::fill(row.begin(), row.end(), uchar(0));
        x = 0;
        ++y;
    };
    auto wanted = [&] { return y < height && outRowOf[size_t(height - 1 - y)] >= 0; };
    auto put = [&](int index) {
        if (x < width)
            row[size_t(x)] = uchar(index);
        ++x;
    };
    while (y < height) {
        if (end - p < 2)
            return std::nullopt;
        const int count = p[0], value = p[1];
        p += 2;
        if (count > 0) {
            // A run: count pixels of one index (RLE4: two indices taking turns).
            if (wanted())
                for (int i = 0; i < count; ++i)
                    put(bits == 8 ? value : (i % 2 ? value & 0x0F : value >> 4));
            else
                x += count;
        } else if (value == 0) {
            finishRow();
        } else if (value == 1) {
            while (y < height)
                finishRow();
        } else if (value == 2) {
            if (end - p < 2)
                return std::nullopt;
            const int dx = p[0], dy = p[1];
            p += 2;
            for (int i = 0; i < dy && y < height; ++i) {
                const qint64 keep = x;
                finishRow();
                x = keep;
            }
            x += dx;
        } else {
            // Absolute run of `value` indices, padded to a 16-bit boundary.
            const qint64 bytes = bits == 8 ? value : (value + 1) / 2;
            const qint64 padded = (bytes + 1) / 2 * 2;
            if (end - p < padded)
                return std::nullopt;
            if (wanted())
                for (int i = 0; i < value; ++i)
                    put(bits == 8 ? p[i] : (i % 2 ? p[i / 2] & 0x0F : p[i / 2] >> 4));
            else
                x += value;
            p += padded;
        }
    }
    return out;
}
