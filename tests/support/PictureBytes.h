#pragma once

#include <QByteArray>
#include <QtEndian>

#include <algorithm>

// Small picture files laid out byte by byte from their formats, for the loader's tests and
// the picture fuzz target's seeds.
namespace PictureBytes {

inline void put16(QByteArray& b, int v) {
    char c[2];
    qToLittleEndian<quint16>(quint16(v), c);
    b.append(c, 2);
}

inline void put32(QByteArray& b, qint64 v) {
    char c[4];
    qToLittleEndian<quint32>(quint32(v), c);
    b.append(c, 4);
}

// TGA header: no id, no colour map, the image type, 0,0 origin, size, depth and the image
// descriptor (by default the top-left origin bit).
inline QByteArray TgaHeader(int type, int w, int h, int depth, int descriptor = 0x20) {
    QByteArray b(3, 0);
    b[2] = char(type);
    b.append(5, 0); // colour-map spec
    put16(b, 0);
    put16(b, 0);
    put16(b, w);
    put16(b, h);
    b.append(char(depth));
    b.append(char(descriptor));
    return b;
}

// 2 x 2, 24-bit, showing red, green / blue, white, stored from the corner the descriptor's
// bits 4 (right to left) and 5 (top to bottom) name; runLength packs each pixel as a
// one-pixel raw packet.
inline QByteArray Tga24FromOrigin(bool rightToLeft, bool topDown, bool runLength = false) {
    const char* shown[2][2] = {{"\x00\x00\xFF", "\x00\xFF\x00"}, {"\xFF\x00\x00", "\xFF\xFF\xFF"}};
    QByteArray b =
        TgaHeader(runLength ? 10 : 2, 2, 2, 24, (rightToLeft ? 0x10 : 0) | (topDown ? 0x20 : 0));
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 2; ++col) {
            if (runLength)
                b.append(char(0));
            b.append(shown[topDown ? row : 1 - row][rightToLeft ? 1 - col : col], 3);
        }
    return b;
}

// 2 x 2, 24-bit, uncompressed, no TGA 2.0 footer: red, green / blue, white (BGR order).
inline QByteArray Tga24() {
    QByteArray b = TgaHeader(2, 2, 2, 24);
    b.append("\x00\x00\xFF"
             "\x00\xFF\x00"
             "\xFF\x00\x00"
             "\xFF\xFF\xFF",
             12);
    return b;
}

// 3 x 1, 24-bit run-length: one run packet of three red pixels.
inline QByteArray TgaRle() {
    QByteArray b = TgaHeader(10, 3, 1, 24);
    b.append(char(0x80 | 2));
    b.append("\x00\x00\xFF", 3);
    return b;
}

// 4 x 2 PCX, version 5, run-length encoded, 8 bits per pixel in one plane, 256-colour
// palette at the end: row 0 is colour 1 (red) four times, row 1 colour 2 (blue).
inline QByteArray Pcx() {
    QByteArray b;
    b.append(char(0x0A));
    b.append(char(5));
    b.append(char(1));
    b.append(char(8));
    put16(b, 0);
    put16(b, 0);
    put16(b, 3);
    put16(b, 1);
    put16(b, 96);
    put16(b, 96);
    b.append(48, 0);   // 16-colour palette, unused
    b.append(char(0)); // reserved
    b.append(char(1)); // planes
    put16(b, 4);       // bytes per line
    put16(b, 1);       // palette info
    b.append(58, 0);   // to 128 bytes
    b.append("\xC4\x01\xC4\x02", 4);
    b.append(char(0x0C));
    QByteArray palette(768, 0);
    palette[3] = char(0xFF);     // 1 = red
    palette[6 + 2] = char(0xFF); // 2 = blue
    b.append(palette);
    return b;
}

// The 1 x 1 GIF89a most often quoted: one black pixel.
inline QByteArray Gif() {
    return QByteArray("GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xFF\xFF\xFF"
                      "\x21\xF9\x04\x01\x00\x00\x00\x00"
                      "\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3B",
                      43);
}

// A bitmap file header plus BITMAPINFOHEADER announcing w x h at 24 bits, without pixels.
inline QByteArray BmpHeaderOnly(int w, int h) {
    QByteArray b("BM", 2);
    put32(b, 54);
    put32(b, 0);
    put32(b, 54);
    put32(b, 40);
    put32(b, w);
    put32(b, h);
    put16(b, 1);
    put16(b, 24);
    put32(b, 0);
    put32(b, 0);
    put32(b, 2835);
    put32(b, 2835);
    put32(b, 0);
    put32(b, 0);
    return b;
}

// 2 x 1, 8 bits, RLE8 compressed: a run of two pixels of colour 1 (green).
inline QByteArray Rle8() {
    QByteArray body;
    put32(body, 40);
    put32(body, 2);
    put32(body, 1);
    put16(body, 1);
    put16(body, 8);
    put32(body, 1); // BI_RLE8
    put32(body, 4);
    put32(body, 2835);
    put32(body, 2835);
    put32(body, 2);
    put32(body, 0);
    body.append("\x00\x00\x00\x00"
                "\x00\xFF\x00\x00",
                8); // palette: black, green
    QByteArray b("BM", 2);
    put32(b, 14 + body.size() + 4);
    put32(b, 0);
    put32(b, 14 + 40 + 8);
    b.append(body);
    b.append("\x02\x01\x00\x01", 4); // two of colour 1, end of bitmap
    return b;
}

inline void put32be(QByteArray& b, quint32 v) {
    char c[4];
    qToBigEndian<quint32>(v, c);
    b.append(c, 4);
}

inline quint32 Crc32(const QByteArray& bytes) {
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A zlib stream of stored (uncompressed) deflate blocks.
inline QByteArray ZlibStored(const QByteArray& data) {
    QByteArray z("\x78\x01", 2);
    qsizetype at = 0;
    do {
        const int n = int(std::min<qsizetype>(data.size() - at, 65535));
        z.append(char(at + n == data.size() ? 1 : 0));
        put16(z, n);
        put16(z, ~n & 0xFFFF);
        z.append(data.mid(at, n));
        at += n;
    } while (at < data.size());
    quint32 a = 1, b = 0;
    for (const char c : data) {
        a = (a + quint8(c)) % 65521;
        b = (b + a) % 65521;
    }
    put32be(z, b << 16 | a);
    return z;
}

inline QByteArray PngChunk(const char* type, const QByteArray& data) {
    QByteArray c;
    put32be(c, quint32(data.size()));
    const QByteArray body = QByteArray(type, 4) + data;
    c.append(body);
    put32be(c, Crc32(body));
    return c;
}

// 2 x 2 PNG, 8-bit RGBA: opaque red, fully transparent / half-transparent blue
// (alpha 128), opaque green.
inline QByteArray PngRgba() {
    QByteArray ihdr;
    put32be(ihdr, 2);
    put32be(ihdr, 2);
    ihdr.append("\x08\x06\x00\x00\x00", 5); // depth 8, RGBA, deflate, no filter, no interlace
    const QByteArray rows("\x00"
                          "\xFF\x00\x00\xFF"
                          "\x00\x00\x00\x00"
                          "\x00"
                          "\x00\x00\xFF\x80"
                          "\x00\xFF\x00\xFF",
                          18);
    return QByteArray("\x89PNG\r\n\x1A\n", 8) + PngChunk("IHDR", ihdr) +
           PngChunk("IDAT", ZlibStored(rows)) + PngChunk("IEND", {});
}

// An SVG 40 x 20 whose left half is a blue square; the right half is empty.
inline QByteArray SvgHalfBlue() {
    return "<?xml version=\"1.0\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"40\" height=\"20\" "
           "viewBox=\"0 0 40 20\"><rect x=\"0\" y=\"0\" width=\"20\" height=\"20\" "
           "fill=\"#0000FF\"/></svg>\n";
}

// A w x h RLE8 bitmap in one colour (blue): each row is runs of 255 pixels, then an end of
// line; a few hundred kilobytes hold 8192 x 8192.
inline QByteArray Rle8Solid(int w, int h) {
    QByteArray rows;
    for (int y = 0; y < h; ++y) {
        for (int left = w; left > 0; left -= 255) {
            rows.append(char(std::min(left, 255)));
            rows.append(char(1));
        }
        rows.append("\x00\x00", 2);
    }
    rows.append("\x00\x01", 2);
    QByteArray b("BM", 2);
    put32(b, 14 + 40 + 8 + rows.size());
    put32(b, 0);
    put32(b, 14 + 40 + 8);
    put32(b, 40);
    put32(b, w);
    put32(b, h);
    put16(b, 1);
    put16(b, 8);
    put32(b, 1); // BI_RLE8
    put32(b, rows.size());
    put32(b, 2835);
    put32(b, 2835);
    put32(b, 2);
    put32(b, 0);
    b.append("\x00\x00\x00\x00"
             "\xFF\x00\x00\x00",
             8); // palette: black, blue
    return b + rows;
}

} // namespace PictureBytes
