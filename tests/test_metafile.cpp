#include "support/MetafileSamples.h"
#include "support/ObjectTestSupport.h"

#include "platform/Metafile.h"

#include <QPainter>
#include <QtTest>

namespace {

QImage Played(const QByteArray& bytes, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    const std::shared_ptr<const TMetafile> m = TMetafile::FromBytes(bytes);
    if (m) {
        QPainter p(&image);
        m->Draw(p, QRectF(QPointF(0, 0), size));
    }
    return image;
}

QByteArray Utf16(const QString& s) {
    QByteArray b;
    for (QChar c : s)
        b += TLeBytes().u16(c.unicode()).B;
    return b;
}

// A 40-pixel Arial on a transparent background, then the ExtTextOutW record given.
QByteArray ArialText(const TLeBytes& extTextOut) {
    TLeBytes font;
    font.i32(1).longs({-40, 0, 0, 0, 400}).u32(0).u32(0);
    font.B += Utf16(QStringLiteral("Arial")).leftJustified(64, '\0');
    QByteArray r = EmfRecord(82, font.B);
    r += EmfRecord(37, EmfParams({1}));
    r += EmfRecord(18, EmfParams({1})); // transparent background
    return r + EmfRecord(84, extTextOut.B);
}

// A 2 x 1 bitmap, red then blue, in a StretchDIBits record drawn into (0, 0, 100, 50).
QByteArray StretchDibits() {
    TLeBytes p;
    p.longs({0, 0, 0, 0, 0, 0, 0, 0, 2, 1, 80, 40, 120, 8, 0, 0x00CC0020, 100, 50});
    p.u32(40).i32(2).i32(1).u16(1).u16(24).longs({0, 8, 0, 0, 0, 0});
    p.B += QByteArray("\x00\x00\xFF\xFF\x00\x00\x00\x00", 8);
    return EmfRecord(81, p.B);
}

} // namespace

class TestMetafile : public QObject {
    Q_OBJECT
private slots:
    void windowsMetafileDrawsThroughItsWindow();
    void enhancedMetafileClipsAndRestores();
    void bitmapRecordIsStretched();
    void textIsDrawnAtItsFontSize();
    void spacedTextIsDrawnWhereItsCharactersFall();
    void opaqueBoxFarPastThePictureFillsWhatShows();
    void unknownRecordsAreSkipped();
    void damagedRecordsNeverReadPastTheBytes();
    void notMetafiles();
};

void TestMetafile::windowsMetafileDrawsThroughItsWindow() {
    const std::shared_ptr<const TMetafile> m = TMetafile::FromBytes(SampleWmf());
    QVERIFY(m);
    QCOMPARE(m->Kind(), TMetafileKind::Windows);
    QCOMPARE(m->Size(), QSize(96, 48)); // 1440 x 720 units at 1440 per inch
    QCOMPARE(m->Bytes(), SampleWmf());
    const QImage img = Played(SampleWmf(), QSize(200, 100));
    QCOMPARE(img.pixelColor(50, 50), QColor(Qt::red));
    QCOMPARE(img.pixelColor(150, 50), QColor(Qt::blue));
    QCOMPARE(img.pixelColor(197, 3), QColor(Qt::white)); // outside the ellipse
    // Stretched into a smaller box the picture keeps its proportions to the box.
    const QImage small = Played(SampleWmf(), QSize(40, 20));
    QCOMPARE(small.pixelColor(10, 10), QColor(Qt::red));
    QCOMPARE(small.pixelColor(30, 10), QColor(Qt::blue));
}

void TestMetafile::enhancedMetafileClipsAndRestores() {
    const std::shared_ptr<const TMetafile> m = TMetafile::FromBytes(SampleEmf());
    QVERIFY(m);
    QCOMPARE(m->Kind(), TMetafileKind::Enhanced);
    QCOMPARE(m->Size(), QSize(38, 19)); // a 10 x 5 mm frame at 96 pixels per inch
    const QImage img = Played(SampleEmf(), QSize(200, 100));
    QCOMPARE(img.pixelColor(50, 50), QColor(Qt::green));
    QCOMPARE(img.pixelColor(125, 50), QColor(Qt::blue));
    QCOMPARE(img.pixelColor(175, 50), QColor(Qt::white)); // clipped away
    // RestoreDC brings back the green brush and no clip: a later rectangle draws green
    // where the blue one was clipped away.
    QByteArray more = SampleEmf();
    more.chop(20); // the end record
    more += EmfRecord(43, EmfParams({150, 0, 200, 100}));
    const QImage after = Played(Emf(1000, 500, 3, more.mid(88)), QSize(200, 100));
    QCOMPARE(after.pixelColor(175, 50), QColor(Qt::green));
}

void TestMetafile::bitmapRecordIsStretched() {
    const QImage img = Played(Emf(1000, 500, 1, StretchDibits()), QSize(100, 50));
    QCOMPARE(img.pixelColor(10, 25), QColor(Qt::red));
    QCOMPARE(img.pixelColor(90, 25), QColor(Qt::blue));
}

void TestMetafile::textIsDrawnAtItsFontSize() {
    TLeBytes text;
    text.longs({0, 0, 0, 0, 1, 0, 0}).longs({10, 5, 2, 76, 0, 0, 0, 0, 0, 0});
    text.B += Utf16(QStringLiteral("HI"));
    const QRect ink = Ink(Played(Emf(1000, 500, 2, ArialText(text)), QSize(100, 50)));
    QVERIFY2(ink.left() >= 10 && ink.left() <= 16, qPrintable(QString::number(ink.left())));
    // Capitals of a 40-pixel em stand about 29 pixels tall below the internal leading.
    QVERIFY2(ink.top() >= 5 && ink.top() <= 16, qPrintable(QString::number(ink.top())));
    QVERIFY2(ink.height() >= 24 && ink.height() <= 34, qPrintable(QString::number(ink.height())));
}

void TestMetafile::spacedTextIsDrawnWhereItsCharactersFall() {
    // "HI" with character spacing from a reference point far off the right edge: the H stays
    // off the picture and the spacing sets the I back inside it, at x = 30.
    TLeBytes text;
    text.longs({0, 0, 0, 0, 1, 0, 0}).longs({250, 5, 2, 76, 0, 0, 0, 0, 0, 80});
    text.B += Utf16(QStringLiteral("HI"));
    text.longs({-220, 300});
    const QRect ink = Ink(Played(Emf(1000, 500, 2, ArialText(text)), QSize(100, 50)));
    QVERIFY(!ink.isEmpty());
    QVERIFY2(ink.left() >= 28 && ink.right() <= 45,
             qPrintable(QStringLiteral("%1..%2").arg(ink.left()).arg(ink.right())));
}

void TestMetafile::opaqueBoxFarPastThePictureFillsWhatShows() {
    // Text with an opaque box in the red background colour, from a hundred million units
    // above and left of the picture to x = 40 and far below it; the text stands right of it.
    TLeBytes text;
    text.longs({0, 0, 0, 0, 1, 0, 0});
    text.longs({60, 5, 2, 76, 2, -100000000, -100000000, 40, 100000000, 0});
    text.B += Utf16(QStringLiteral("HI"));
    const QByteArray records = EmfRecord(25, EmfParams({0x0000FF})) + ArialText(text);
    const QImage img = Played(Emf(1000, 500, 2, records), QSize(100, 50));
    QCOMPARE(img.pixelColor(0, 0), QColor(Qt::red));
    QCOMPARE(img.pixelColor(39, 49), QColor(Qt::red));
    QCOMPARE(img.pixelColor(41, 25), QColor(Qt::white));
}

void TestMetafile::unknownRecordsAreSkipped() {
    QByteArray r = EmfRecord(0x7777, EmfParams({1, 2, 3}));
    r += EmfRecord(37, TLeBytes().u32(0x80000004).B); // stock black brush
    r += EmfRecord(43, EmfParams({0, 0, 100, 50}));
    QCOMPARE(Played(Emf(1000, 500, 1, r), QSize(100, 50)).pixelColor(50, 25), QColor(Qt::black));
    QByteArray w = WmfRecord(0x0999, WmfParams({1, 2, 3}));
    w += WmfRecord(0x012D, TLeBytes().u16(4).B); // not a stock object in a Windows metafile
    w += WmfRecord(0x041B, WmfParams({720, 1440, 0, 0}));
    QCOMPARE(Played(Wmf(1440, 720, 1440, 1, w), QSize(100, 50)).pixelColor(50, 25),
             QColor(Qt::white)); // the default white brush, and the file drew to its end
}

void TestMetafile::damagedRecordsNeverReadPastTheBytes() {
    // Counts far beyond the record: nothing is drawn from them and nothing is allocated.
    QByteArray r = EmfRecord(86, EmfParams({0, 0, 0, 0, 0x7FFFFFFF, 0x00050005}));
    r += EmfRecord(91, EmfParams({0, 0, 0, 0, 0x40000000, 3, 3, 0}));
    r += EmfRecord(
        84, EmfParams({0, 0, 0, 0, 1, 0, 0, 10, 5, 0x7FFFFFFF, 76, 0, 0, 0, 0, 0, 0x7FFFFFFF}));
    r += EmfRecord(81, EmfParams({0, 0, 0, 0, 0, 0, 0, 0, 2, 1, 80, 40, 120, 0x7FFFFFFF}));
    const QImage img = Played(Emf(1000, 500, 1, r), QSize(100, 50));
    QCOMPARE(Ink(img), QRect());
    // A record whose size runs past the end stops the drawing there.
    QByteArray w = WmfRecord(0x041B, WmfParams({720, 1440, 0, 0}));
    w += TLeBytes().u32(0x7FFFFFFF).u16(0x041B).words({1, 2, 3, 4}).B;
    QVERIFY(!Played(Wmf(1440, 720, 1440, 0, w), QSize(10, 10)).isNull());
    // Every prefix of the samples plays without reading outside it.
    for (const QByteArray& sample : {SampleWmf(), SampleEmf()})
        for (qsizetype n = 0; n < sample.size(); ++n)
            Played(sample.left(n), QSize(20, 10));
}

void TestMetafile::notMetafiles() {
    QVERIFY(!TMetafile::FromBytes(QByteArray()));
    QVERIFY(!TMetafile::FromBytes(QByteArray("BM\x36\x00\x00\x00", 6)));
    QVERIFY(!TMetafile::FromBytes(Wmf(1440, 720, 0, 0, {}))); // no units per inch
    QVERIFY(!TMetafile::FromBytes(Wmf(0, 720, 1440, 0, {}))); // no width
    QVERIFY(!TMetafile::FromBytes(Emf(0, 0, 0, {}).replace(8, 16, QByteArray(16, '\0'))));
}

QTEST_MAIN(TestMetafile)
#include "test_metafile.moc"
