#pragma once

// Metafiles built byte by byte from the documented record layouts, for the player's tests,
// the clip-art and background-art tests and the fuzz corpus.

#include <QByteArray>
#include <QtGlobal>

#include <cstring>
#include <initializer_list>

// Little-endian values appended one after another.
struct TLeBytes {
    QByteArray B;
    TLeBytes& u8(int v) {
        B.append(char(v & 0xFF));
        return *this;
    }
    TLeBytes& u16(int v) { return u8(v).u8(v >> 8); }
    TLeBytes& u32(quint32 v) { return u16(int(v & 0xFFFF)).u16(int(v >> 16)); }
    TLeBytes& i32(qint32 v) { return u32(quint32(v)); }
    TLeBytes& f32(float v) {
        quint32 bits;
        std::memcpy(&bits, &v, sizeof bits);
        return u32(bits);
    }
    TLeBytes& words(std::initializer_list<int> values) {
        for (int v : values)
            u16(v);
        return *this;
    }
    TLeBytes& longs(std::initializer_list<qint32> values) {
        for (qint32 v : values)
            i32(v);
        return *this;
    }
};

// One Windows metafile record: size in 16-bit words, function, parameters.
inline QByteArray WmfRecord(int function, const QByteArray& params) {
    return TLeBytes().u32(quint32(3 + params.size() / 2)).u16(function).B + params;
}
inline QByteArray WmfParams(std::initializer_list<int> words) {
    return TLeBytes().words(words).B;
}

// A placeable Windows metafile: box (0, 0)-(right, bottom) at `inch` units per inch, the
// standard header, the records and the end record.
inline QByteArray Wmf(int right, int bottom, int inch, int objects, const QByteArray& records) {
    TLeBytes b;
    b.u32(0x9AC6CDD7).u16(0).words({0, 0, right, bottom}).u16(inch).u32(0);
    quint16 checksum = 0;
    for (int i = 0; i < 20; i += 2)
        checksum ^= quint16(quint8(b.B[i]) | (quint8(b.B[i + 1]) << 8));
    b.u16(checksum);
    const QByteArray end = WmfRecord(0x0000, {});
    const quint32 words = quint32(9 + (records.size() + end.size()) / 2);
    b.u16(1).u16(9).u16(0x0300).u32(words).u16(objects).u32(64).u16(0);
    return b.B + records + end;
}

// Red left half, blue ellipse in the right half, through a window of 200 x 100 units set
// by the records; the box is one inch by half an inch at 1440 units per inch.
inline QByteArray SampleWmf() {
    QByteArray r;
    r += WmfRecord(0x020B, WmfParams({0, 0}));                        // SetWindowOrg y, x
    r += WmfRecord(0x020C, WmfParams({100, 200}));                    // SetWindowExt y, x
    r += WmfRecord(0x02FC, TLeBytes().u16(0).u32(0x0000FF).u16(0).B); // solid red brush
    r += WmfRecord(0x012D, WmfParams({0}));                           // select object 0
    r += WmfRecord(0x02FA, WmfParams({5, 0, 0, 0, 0}));               // null pen, object 1
    r += WmfRecord(0x012D, WmfParams({1}));
    r += WmfRecord(0x041B, WmfParams({100, 100, 0, 0})); // Rectangle bottom, right, top, left
    r += WmfRecord(0x01F0, WmfParams({0}));              // delete object 0
    r += WmfRecord(0x02FC, TLeBytes().u16(0).u32(0xFF0000).u16(0).B); // blue, object 0 again
    r += WmfRecord(0x012D, WmfParams({0}));
    r += WmfRecord(0x0418, WmfParams({100, 200, 0, 100})); // Ellipse
    return Wmf(1440, 720, 1440, 2, r);
}

inline QByteArray EmfRecord(quint32 type, const QByteArray& params) {
    return TLeBytes().u32(type).u32(quint32(8 + params.size())).B + params;
}
inline QByteArray EmfParams(std::initializer_list<qint32> longs) {
    return TLeBytes().longs(longs).B;
}

// An enhanced metafile: header with the frame (0, 0)-(frameRight, frameBottom) in hundredths
// of a millimetre on a device of 10 pixels per millimetre, the records, the end record.
inline QByteArray Emf(int frameRight, int frameBottom, int handles, const QByteArray& records) {
    const QByteArray end = EmfRecord(14, EmfParams({0, 16, 20}));
    TLeBytes h;
    h.u32(1).u32(88);
    h.longs({0, 0, frameRight / 10, frameBottom / 10}); // bounds, device pixels
    h.longs({0, 0, frameRight, frameBottom});           // frame
    h.u32(0x464D4520).u32(0x10000);
    h.u32(quint32(88 + records.size() + end.size())).u32(0); // bytes, records (unused)
    h.u16(handles).u16(0).u32(0).u32(0).u32(0);
    h.longs({1000, 1000, 100, 100}); // device pixels, millimetres
    return h.B + records + end;
}

// Through a 200 x 100 window onto a 100 x 50 viewport: green left half; a blue rectangle
// over the right half clipped to its first quarter inside SaveDC/RestoreDC; the rest white.
inline QByteArray SampleEmf() {
    QByteArray r;
    r += EmfRecord(17, EmfParams({8}));                 // SetMapMode anisotropic
    r += EmfRecord(9, EmfParams({200, 100}));           // SetWindowExtEx
    r += EmfRecord(11, EmfParams({100, 50}));           // SetViewportExtEx
    r += EmfRecord(39, EmfParams({1, 0, 0x00FF00, 0})); // CreateBrushIndirect 1: green
    r += EmfRecord(37, EmfParams({1}));                 // SelectObject
    r += EmfRecord(37, TLeBytes().u32(0x80000008).B);   // stock null pen
    r += EmfRecord(43, EmfParams({0, 0, 100, 100}));    // Rectangle
    r += EmfRecord(33, {});                             // SaveDC
    r += EmfRecord(30, EmfParams({100, 0, 150, 100}));  // IntersectClipRect
    r += EmfRecord(39, EmfParams({2, 0, 0xFF0000, 0})); // brush 2: blue
    r += EmfRecord(37, EmfParams({2}));
    r += EmfRecord(43, EmfParams({100, 0, 200, 100}));
    r += EmfRecord(34, EmfParams({-1})); // RestoreDC
    return Emf(1000, 500, 3, r);
}
