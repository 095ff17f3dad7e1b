#include "support/MetafileSamples.h"
#include "support/ObjectTestSupport.h"

#include "platform/DibImage.h"
#include "platform/Metafile.h"

#include <QPainter>
#include <QtTest>

#include <cmath>

// Metafiles built from the records' documented layouts, each drawn on a 100 x 50 image where
// one logical unit is one pixel: the enhanced ones through a 10 x 5 mm frame of 100 x 50
// device units, the Windows ones through a placeable box of 100 x 50 units.

namespace {

const QColor kRed(Qt::red), kBlue(Qt::blue), kWhite(Qt::white);

QImage Played(const QByteArray& bytes) {
    QImage image(100, 50, QImage::Format_RGB32);
    image.fill(Qt::white);
    const std::shared_ptr<const TMetafile> m = TMetafile::FromBytes(bytes);
    if (m) {
        QPainter p(&image);
        m->Draw(p, QRectF(0, 0, 100, 50));
    }
    return image;
}

QByteArray PlayedEmf(const QByteArray& records) {
    return Emf(1000, 500, 4, records);
}

bool Near(const QColor& a, const QColor& b, int tolerance = 3) {
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance &&
           qAbs(a.blue() - b.blue()) <= tolerance;
}

// --- enhanced records ---
QByteArray EmfBrush(int index, quint32 colorRef) {
    return EmfRecord(39, EmfParams({index, 0, qint32(colorRef), 0})) +
           EmfRecord(37, EmfParams({index}));
}
QByteArray EmfNullPen() {
    return EmfRecord(37, TLeBytes().u32(0x80000008).B);
}
QByteArray EmfRect(int l, int t, int r, int b) {
    return EmfRecord(43, EmfParams({l, t, r, b}));
}
QByteArray EmfFillMode(int mode) {
    return EmfRecord(19, EmfParams({mode}));
}
// Records with 16-bit points after a bounds rectangle and a count.
QByteArray EmfPoints16(quint32 type, std::initializer_list<int> xy) {
    TLeBytes b;
    b.longs({0, 0, 0, 0}).u32(quint32(xy.size() / 2));
    for (int v : xy)
        b.u16(v);
    return EmfRecord(type, b.B);
}
QByteArray EmfMoveTo(int x, int y) {
    return EmfRecord(27, EmfParams({x, y}));
}
// A device region of rectangles, as clip records and region fills carry it.
QByteArray RegionData(const std::vector<QRect>& rects) {
    TLeBytes b;
    b.u32(32).u32(1).u32(quint32(rects.size())).u32(quint32(16 * rects.size()));
    b.longs({0, 0, 100, 50});
    for (const QRect& r : rects)
        b.longs({r.left(), r.top(), r.right() + 1, r.bottom() + 1});
    return b.B;
}
QByteArray EmfClipRegion(const std::vector<QRect>& rects, int mode) {
    const QByteArray data = RegionData(rects);
    return EmfRecord(75, TLeBytes().u32(quint32(data.size())).u32(mode).B + data);
}
QByteArray EmfRectPath(int l, int t, int r, int b) {
    return EmfRecord(59, {}) + EmfRect(l, t, r, b) + EmfRecord(60, {});
}
QByteArray EmfWorld(quint32 type, std::initializer_list<float> m, int mode = -1) {
    TLeBytes b;
    for (float v : m)
        b.f32(v);
    if (mode >= 0)
        b.u32(mode);
    return EmfRecord(type, b.B);
}
// A bottom-up 24-bit bitmap information header.
TLeBytes Dib24Header(int w, int h) {
    TLeBytes b;
    b.u32(40).i32(w).i32(h).u16(1).u16(24).longs({0, 0, 0, 0, 0, 0});
    return b;
}
// StretchDIBits of a one-row 24-bit bitmap (colours as 0xRRGGBB) into (0, 0, 100, 50).
QByteArray EmfStretchRow(std::initializer_list<quint32> rgb, quint32 rop) {
    QByteArray bits;
    for (quint32 c : rgb)
        bits += TLeBytes().u8(int(c & 0xFF)).u8(int(c >> 8)).u8(int(c >> 16)).B;
    while (bits.size() % 4)
        bits += '\0';
    const int w = int(rgb.size());
    TLeBytes p;
    p.longs(
        {0, 0, 0, 0, 0, 0, 0, 0, w, 1, 80, 40, 120, qint32(bits.size()), 0, qint32(rop), 100, 50});
    return EmfRecord(81, p.B + Dib24Header(w, 1).B + bits);
}
QByteArray EmfPlus(const QByteArray& records) {
    return EmfRecord(70, TLeBytes().u32(quint32(4 + records.size())).u32(0x2B464D45).B + records);
}
QByteArray EmfPlusRecord(int type, int flags, const QByteArray& data) {
    return TLeBytes()
               .u16(type)
               .u16(flags)
               .u32(quint32(12 + data.size()))
               .u32(quint32(data.size()))
               .B +
           data;
}

// --- Windows records ---
QByteArray WmfBrush(quint32 colorRef) {
    return WmfRecord(0x02FC, TLeBytes().u16(0).u32(colorRef).u16(0).B);
}
QByteArray WmfSelect(int index) {
    return WmfRecord(0x012D, WmfParams({index}));
}
QByteArray WmfPoints(int function, const std::vector<QPolygon>& polygons) {
    TLeBytes b;
    if (function == 0x0538) {
        b.u16(int(polygons.size()));
        for (const QPolygon& p : polygons)
            b.u16(int(p.size()));
    } else {
        b.u16(int(polygons.front().size()));
    }
    for (const QPolygon& p : polygons)
        for (const QPoint& pt : p)
            b.u16(pt.x()).u16(pt.y());
    return WmfRecord(function, b.B);
}
// A red brush (object 0) and a null pen (object 1) selected.
QByteArray WmfRedNoPen() {
    return WmfBrush(0x0000FF) + WmfSelect(0) + WmfRecord(0x02FA, WmfParams({5, 0, 0, 0, 0})) +
           WmfSelect(1);
}
QByteArray WmfPlaced(const QByteArray& records, int objects = 4) {
    return Wmf(100, 50, 1440, objects, records);
}

// A five-pointed star drawn in one stroke: its middle is inside twice over, so it is
// filled only by the winding rule.
QPolygon Pentagram() {
    QPolygon star;
    for (int k = 0; k < 5; ++k) {
        const double a = M_PI / 2 + k * 4 * M_PI / 5;
        star << QPoint(int(std::lround(50 + 24 * std::cos(a))),
                       int(std::lround(25 - 24 * std::sin(a))));
    }
    return star;
}

QPolygon Square(int l, int t, int r, int b) {
    return QPolygon({QPoint(l, t), QPoint(r, t), QPoint(r, b), QPoint(l, b)});
}

} // namespace

class TestMetafileRecords : public QObject {
    Q_OBJECT
private slots:
    void fillModeDecidesWhatIsInside();
    void figuresBuiltInPiecesFillAsOneOutline();
    void clipAreasCombineByTheirMode_data();
    void clipAreasCombineByTheirMode();
    void windowsRegionsClip();
    void worldTransformsPlaceWhatFollows();
    void maskedBitmapsLetWhatIsUnderThemShow();
    void alphaBlendMixesWithWhatIsUnder();
    void bitmapsAreDecodedAtTheSizeTheyShow();
    void emfPlusFillsReplaceTheirPlainStandIns();
    void windowsMetafileDrawsTheEnhancedOneItCarries();
    void textKeepsItsAlignmentAndEscapement();
};

void TestMetafileRecords::fillModeDecidesWhatIsInside() {
    const QPolygon outer = Square(10, 5, 90, 45), inner = Square(30, 15, 70, 35);
    for (const int mode : {1, 2}) { // alternate, winding
        const QColor middle = mode == 1 ? kWhite : kRed;
        // A Windows polygon crossing itself, and a polypolygon with a hole running the same
        // way round as its outline.
        const QImage star = Played(WmfPlaced(WmfRedNoPen() + WmfRecord(0x0106, WmfParams({mode})) +
                                             WmfPoints(0x0324, {Pentagram()})));
        QCOMPARE(star.pixelColor(50, 26), middle);
        QCOMPARE(star.pixelColor(50, 10), kRed); // in the top point
        const QImage holed = Played(WmfPlaced(WmfRedNoPen() + WmfRecord(0x0106, WmfParams({mode})) +
                                              WmfPoints(0x0538, {outer, inner})));
        QCOMPARE(holed.pixelColor(50, 25), middle);
        QCOMPARE(holed.pixelColor(20, 25), kRed);
        // The same in an enhanced metafile's 16-bit polypolygon.
        TLeBytes pp;
        pp.longs({0, 0, 0, 0}).u32(2).u32(8).u32(4).u32(4);
        for (const QPolygon& p : {outer, inner})
            for (const QPoint& pt : p)
                pp.u16(pt.x()).u16(pt.y());
        const QImage emf = Played(PlayedEmf(EmfBrush(1, 0x0000FF) + EmfNullPen() +
                                            EmfFillMode(mode) + EmfRecord(91, pp.B)));
        QCOMPARE(emf.pixelColor(50, 25), middle);
        QCOMPARE(emf.pixelColor(20, 25), kRed);
    }
}

void TestMetafileRecords::figuresBuiltInPiecesFillAsOneOutline() {
    // An outline made of a move, a line from the current position, a line, a curve lying
    // on a straight line, a close; then a hole the same way round.
    const QByteArray path = EmfRecord(59, {}) + EmfMoveTo(10, 5) + EmfPoints16(89, {90, 5}) +
                            EmfRecord(54, EmfParams({90, 45})) +
                            EmfPoints16(88, {60, 45, 40, 45, 10, 45}) + EmfRecord(61, {}) +
                            EmfMoveTo(30, 15) + EmfPoints16(89, {70, 15, 70, 35, 30, 35}) +
                            EmfRecord(61, {}) + EmfRecord(60, {});
    const QByteArray setup = EmfBrush(1, 0x0000FF) + EmfNullPen();
    const QImage filled = Played(PlayedEmf(setup + path + EmfRecord(62, EmfParams({0, 0, 0, 0}))));
    QCOMPARE(filled.pixelColor(20, 10), kRed);
    QCOMPARE(filled.pixelColor(85, 40), kRed);
    QCOMPARE(filled.pixelColor(50, 25), kWhite); // the hole
    // The fill mode in force at the fill decides, not the one when the path began.
    const QImage winding =
        Played(PlayedEmf(setup + path + EmfFillMode(2) + EmfRecord(62, EmfParams({0, 0, 0, 0}))));
    QCOMPARE(winding.pixelColor(50, 25), kRed);
    // Stroked only, with a blue pen three units wide: the outline, nothing inside.
    const QByteArray pen =
        EmfRecord(38, EmfParams({2, 0, 3, 0, 0xFF0000})) + EmfRecord(37, EmfParams({2}));
    const QImage stroked =
        Played(PlayedEmf(setup + pen + path + EmfRecord(64, EmfParams({0, 0, 0, 0}))));
    QCOMPARE(stroked.pixelColor(50, 5), kBlue);
    QCOMPARE(stroked.pixelColor(20, 10), kWhite);
    // An aborted path fills nothing.
    const QImage aborted =
        Played(PlayedEmf(setup + EmfRecord(59, {}) + EmfRect(0, 0, 100, 50) + EmfRecord(68, {}) +
                         EmfRecord(62, EmfParams({0, 0, 0, 0}))));
    QCOMPARE(Ink(aborted), QRect());
}

void TestMetafileRecords::clipAreasCombineByTheirMode_data() {
    QTest::addColumn<bool>("asPath");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("shown"); // at x = 20, 50, 80: R red, W white
    for (const bool asPath : {false, true}) {
        const char* kind = asPath ? "path" : "region";
        QTest::addRow("%s and", kind) << asPath << 1 << "WRW";
        QTest::addRow("%s or", kind) << asPath << 2 << "RRR";
        QTest::addRow("%s xor", kind) << asPath << 3 << "RWR";
        QTest::addRow("%s diff", kind) << asPath << 4 << "RWW";
        QTest::addRow("%s copy", kind) << asPath << 5 << "WRR";
    }
}

void TestMetafileRecords::clipAreasCombineByTheirMode() {
    QFETCH(bool, asPath);
    QFETCH(int, mode);
    QFETCH(QString, shown);
    // First the left 60 units, then the right 60 combined with it.
    QByteArray r = EmfClipRegion({QRect(0, 0, 60, 50)}, 5);
    r += asPath ? EmfRectPath(40, 0, 100, 50) + EmfRecord(67, EmfParams({mode}))
                : EmfClipRegion({QRect(40, 0, 60, 50)}, mode);
    r += EmfBrush(1, 0x0000FF) + EmfNullPen() + EmfRect(0, 0, 100, 50);
    const QImage img = Played(PlayedEmf(r));
    for (int k = 0; k < 3; ++k)
        QCOMPARE(img.pixelColor(20 + 30 * k, 25), shown[k] == 'R' ? kRed : kWhite);
}

void TestMetafileRecords::windowsRegionsClip() {
    // One scan from y 0 to 50 holding x 0 to 50.
    TLeBytes region;
    region.u16(0).u16(6).u32(0).u16(34).u16(1).u16(4).words({0, 0, 50, 50});
    region.words({2, 0, 50, 0, 50, 2});
    QByteArray r = WmfRedNoPen();
    r += WmfRecord(0x06FF, region.B);       // object 2
    r += WmfRecord(0x012C, WmfParams({2})); // select it as the clip
    r += WmfRecord(0x041B, WmfParams({50, 100, 0, 0}));
    const QImage clipped = Played(WmfPlaced(r));
    QCOMPARE(clipped.pixelColor(25, 25), kRed);
    QCOMPARE(clipped.pixelColor(75, 25), kWhite);
    // Selecting what is not a region ends the clip.
    r += WmfRecord(0x012C, WmfParams({0})) + WmfRecord(0x041B, WmfParams({50, 100, 0, 0}));
    QCOMPARE(Played(WmfPlaced(r)).pixelColor(75, 25), kRed);
}

void TestMetafileRecords::worldTransformsPlaceWhatFollows() {
    // Half size, moved right by 50: a 100 x 100 square covers the right half.
    QByteArray r = EmfBrush(1, 0x0000FF) + EmfNullPen();
    r += EmfWorld(35, {0.5f, 0, 0, 0.5f, 50, 0}) + EmfRect(0, 0, 100, 100);
    const QImage placed = Played(PlayedEmf(r));
    QCOMPARE(placed.pixelColor(75, 25), kRed);
    QCOMPARE(placed.pixelColor(25, 25), kWhite);
    // A move of -100 applied first (left multiply) takes the next square to the left half.
    r += EmfBrush(2, 0xFF0000) + EmfWorld(36, {1, 0, 0, 1, -100, 0}, 2) + EmfRect(0, 0, 100, 100);
    QCOMPARE(Played(PlayedEmf(r)).pixelColor(25, 25), kBlue);
    // Identity undoes both.
    r += EmfWorld(36, {1, 0, 0, 1, 0, 0}, 1) + EmfBrush(3, 0x00FF00) + EmfRect(0, 40, 10, 50);
    QCOMPARE(Played(PlayedEmf(r)).pixelColor(5, 45), QColor(Qt::green));
}

void TestMetafileRecords::maskedBitmapsLetWhatIsUnderThemShow() {
    // A red field, then a mask (white: picture, black: keep) painted with OR and the
    // picture painted with AND: the picture's left half, the red field on the right.
    const QByteArray r = EmfBrush(1, 0x0000FF) + EmfNullPen() + EmfRect(0, 0, 100, 50) +
                         EmfStretchRow({0xFFFFFF, 0x000000}, 0x00EE0086) +
                         EmfStretchRow({0x0000FF, 0xFFFFFF}, 0x008800C6);
    const QImage img = Played(PlayedEmf(r));
    QCOMPARE(img.pixelColor(20, 25), kBlue);
    QCOMPARE(img.pixelColor(80, 25), kRed);
    // A plain copy covers what is under it.
    const QImage copied =
        Played(PlayedEmf(EmfBrush(1, 0x0000FF) + EmfNullPen() + EmfRect(0, 0, 100, 50) +
                         EmfStretchRow({0x0000FF, 0xFFFFFF}, 0x00CC0020)));
    QCOMPARE(copied.pixelColor(80, 25), kWhite);
}

void TestMetafileRecords::alphaBlendMixesWithWhatIsUnder() {
    // Two premultiplied 32-bit pixels, opaque blue and fully transparent, over red.
    auto blend = [](int constantAlpha, int format) {
        TLeBytes p;
        p.longs({0, 0, 0, 0, 0, 0, 100, 50});
        p.u8(0).u8(0).u8(constantAlpha).u8(format);
        p.longs({0, 0}).f32(1).f32(0).f32(0).f32(1).f32(0).f32(0);
        p.longs({0, 0, 108, 40, 148, 8, 2, 1});
        p.u32(40).i32(2).i32(1).u16(1).u16(32).longs({0, 0, 0, 0, 0, 0});
        p.u32(0xFF0000FF).u32(0x00000000);
        return EmfBrush(1, 0x0000FF) + EmfNullPen() + EmfRect(0, 0, 100, 50) + EmfRecord(114, p.B);
    };
    const QImage own = Played(PlayedEmf(blend(255, 1)));
    QCOMPARE(own.pixelColor(20, 25), kBlue);
    QCOMPARE(own.pixelColor(80, 25), kRed);
    // Half the constant alpha: half blue over red on the left.
    QVERIFY(Near(Played(PlayedEmf(blend(128, 1))).pixelColor(20, 25), QColor(127, 0, 128)));
}

void TestMetafileRecords::bitmapsAreDecodedAtTheSizeTheyShow() {
    // 8 x 2, 8 bits run-length: the bottom row four of colour 1 then four of colour 2, the
    // top row a literal run of eight alternating 1, 2.
    TLeBytes info;
    info.u32(40).i32(8).i32(2).u16(1).u16(8).u32(1).longs({0, 0, 0, 3, 0});
    info.u32(0).u32(0x0000FF).u32(0xFF0000); // black, blue, red (0x00RRGGBB)
    TLeBytes bits;
    bits.u8(4).u8(1).u8(4).u8(2).u8(0).u8(0);
    bits.u8(0).u8(8).B += QByteArray("\x01\x02\x01\x02\x01\x02\x01\x02", 8);
    bits.u8(0).u8(1);
    const TDib dib{TLittleEndianBytes(info.B.constData(), info.B.size()),
                   TLittleEndianBytes(bits.B.constData(), bits.B.size())};
    QCOMPARE(dib.Size(), QSize(8, 2));
    const QImage full = dib.Decode();
    QCOMPARE(full.size(), QSize(8, 2));
    QCOMPARE(full.pixelColor(0, 1), kBlue);
    QCOMPARE(full.pixelColor(7, 1), kRed);
    QCOMPARE(full.pixelColor(0, 0), kBlue);
    QCOMPARE(full.pixelColor(1, 0), kRed);
    // Sampled to 2 x 1 as it is read: the bottom row's third and seventh pixels.
    const QImage sampled = dib.Decode(QSize(2, 1));
    QCOMPARE(sampled.size(), QSize(2, 1));
    QCOMPARE(sampled.pixelColor(0, 0), kBlue);
    QCOMPARE(sampled.pixelColor(1, 0), kRed);
    // A header promising more rows than the bytes could hold decodes to nothing.
    QByteArray bigger = info.B;
    bigger.replace(4, 4, TLeBytes().i32(16384).B);
    bigger.replace(8, 4, TLeBytes().i32(16384).B);
    const TDib promised{TLittleEndianBytes(bigger.constData(), bigger.size()),
                        TLittleEndianBytes(bits.B.constData(), bits.B.size())};
    QVERIFY(promised.Decode().isNull());
}

void TestMetafileRecords::emfPlusFillsReplaceTheirPlainStandIns() {
    // A half-transparent blue EMF+ polygon over the left half, its opaque plain stand-in,
    // then GetDC and a plain red rectangle on the right that is drawn as usual.
    TLeBytes polygon;
    polygon.u32(0x800000FF).u32(4).words({0, 0, 50, 0, 50, 50, 0, 50});
    const QByteArray header =
        EmfPlusRecord(0x4001, 1, TLeBytes().u32(0xDBC01002).u32(1).u32(96).u32(96).B);
    const QByteArray standIn = EmfBrush(1, 0xFF0000) + EmfNullPen() + EmfRect(0, 0, 50, 50);
    const QByteArray after =
        EmfPlus(EmfPlusRecord(0x4004, 0, {})) + EmfBrush(2, 0x0000FF) + EmfRect(50, 0, 100, 50);
    const QImage img = Played(PlayedEmf(
        EmfPlus(header) + EmfPlus(EmfPlusRecord(0x400C, 0xC000, polygon.B)) + standIn + after));
    QVERIFY2(Near(img.pixelColor(25, 25), QColor(127, 127, 255)),
             qPrintable(img.pixelColor(25, 25).name()));
    QCOMPARE(img.pixelColor(75, 25), kRed);
    // A fill it does not understand (from a brush object) leaves the stand-in to draw.
    const QImage unknown = Played(PlayedEmf(
        EmfPlus(header) + EmfPlus(EmfPlusRecord(0x400C, 0x4000, polygon.B)) + standIn + after));
    QCOMPARE(unknown.pixelColor(25, 25), kBlue);
    // Once the EMF+ records set their own transform, the plain records draw everything.
    const QByteArray transform = EmfPlusRecord(0x402A, 0, QByteArray(24, '\0'));
    const QImage moved =
        Played(PlayedEmf(EmfPlus(header + transform) +
                         EmfPlus(EmfPlusRecord(0x400C, 0xC000, polygon.B)) + standIn + after));
    QCOMPARE(moved.pixelColor(25, 25), kBlue);
}

void TestMetafileRecords::windowsMetafileDrawsTheEnhancedOneItCarries() {
    const QByteArray emf = PlayedEmf(EmfBrush(1, 0x00FF00) + EmfNullPen() + EmfRect(0, 0, 100, 50));
    // The enhanced metafile in two comment pieces, each with its header.
    auto piece = [&](qsizetype from, qsizetype count, int pieces) {
        TLeBytes d;
        d.u32(0x43464D57).u32(1).u32(0x00010000).u16(0).u32(0).u32(quint32(pieces));
        d.u32(quint32(count)).u32(quint32(emf.size() - from - count)).u32(quint32(emf.size()));
        d.B += emf.mid(from, count);
        if (d.B.size() % 2)
            d.B += '\0';
        return WmfRecord(0x0626, TLeBytes().u16(15).u16(int(34 + count)).B + d.B);
    };
    const qsizetype half = emf.size() / 2;
    const QByteArray red = WmfRedNoPen() + WmfRecord(0x041B, WmfParams({50, 100, 0, 0}));
    const QImage whole =
        Played(WmfPlaced(piece(0, half, 2) + piece(half, emf.size() - half, 2) + red));
    QCOMPARE(whole.pixelColor(50, 25), QColor(Qt::green));
    // A piece missing: the records draw.
    QCOMPARE(Played(WmfPlaced(piece(0, half, 2) + red)).pixelColor(50, 25), kRed);
}

void TestMetafileRecords::textKeepsItsAlignmentAndEscapement() {
    // "HI" at (50, 40) in a 20-unit Arial; the record's text starts after its fixed part.
    auto text = [](int align, int escapement) {
        TLeBytes font;
        font.i32(1).longs({-20, 0, escapement, escapement, 400}).u32(0).u32(0);
        for (QChar c : QStringLiteral("Arial").leftJustified(32, QChar(0)))
            font.u16(c.unicode());
        TLeBytes t;
        t.longs({0, 0, 0, 0, 1, 0, 0}).longs({50, 40, 2, 76, 0, 0, 0, 0, 0, 0});
        t.u16('H').u16('I');
        return Played(PlayedEmf(EmfRecord(82, font.B) + EmfRecord(37, EmfParams({1})) +
                                EmfRecord(18, EmfParams({1})) + EmfRecord(22, EmfParams({align})) +
                                EmfRecord(84, t.B)));
    };
    constexpr int TA_RIGHT = 2, TA_CENTER = 6, TA_BASELINE = 24;
    const QRect left = Ink(text(TA_BASELINE, 0));
    QVERIFY(left.left() >= 50 && left.left() <= 53 && qAbs(left.bottom() - 40) <= 1);
    const QRect centred = Ink(text(TA_BASELINE | TA_CENTER, 0));
    QVERIFY2(qAbs(centred.center().x() - 50) <= 2, qPrintable(QString::number(centred.x())));
    const QRect right = Ink(text(TA_BASELINE | TA_RIGHT, 0));
    QVERIFY(right.right() <= 50 && right.right() >= 46);
    // Turned a quarter counter-clockwise: the letters run upwards from the point.
    const QRect up = Ink(text(TA_BASELINE, 900));
    QVERIFY2(up.height() > up.width() && up.bottom() <= 41 && up.right() <= 51,
             qPrintable(QStringLiteral("%1,%2 %3x%4")
                            .arg(up.x())
                            .arg(up.y())
                            .arg(up.width())
                            .arg(up.height())));
}

QTEST_MAIN(TestMetafileRecords)
#include "test_metafile_records.moc"
