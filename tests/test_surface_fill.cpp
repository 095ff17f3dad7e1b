#include "support/PrintProbe.h"

#include "effects/GradientFill.h"
#include "effects/SurfaceTiles.h"

#include <QPainter>
#include <QtTest>

class TestSurfaceFill : public QObject {
    Q_OBJECT
private slots:
    void mulDivRoundsHalvesAwayFromZero() {
        QCOMPARE(MulDiv(1, 1, 2), 1);
        QCOMPARE(MulDiv(3, 1, 2), 2);
        QCOMPARE(MulDiv(-1, 1, 2), -1);
        QCOMPARE(MulDiv(1, -3, 2), -2);
        QCOMPARE(MulDiv(128, -255, 255), -128);
        QCOMPARE(MulDiv(100000, 100000, 1000), 10000000); // no overflow on the way
    }

    void gradientRightHasTwoPixelBandsOnAWideBitmap() {
        const TColor from = RGBColor(0, 0, 255), to = RGBColor(255, 255, 0);
        const QImage g = BuildGradientBitmap(QSize(512, 4), from, to, gdRight);
        QCOMPARE(g.pixel(0, 0), qRgb(0, 0, 255));
        QCOMPARE(g.pixel(1, 3), qRgb(0, 0, 255));
        QVERIFY(g.pixel(2, 0) != g.pixel(1, 0));
        QCOMPARE(g.pixel(2, 0), g.pixel(3, 0));
        // Band 1: 0 + MulDiv(1, 255, 255) = 1, 255 + MulDiv(1, -255, 255) = 254.
        QCOMPARE(g.pixel(3, 0), qRgb(1, 1, 254));
        QCOMPARE(g.pixel(510, 0), qRgb(255, 255, 0));
        QCOMPARE(g.pixel(511, 0), qRgb(255, 255, 0));
        // Band 128 rounds 127.5 away from zero.
        QCOMPARE(g.pixel(256, 0), qRgb(128, 128, 127));
    }

    void gradientUpAndLeftStartWithTheEndColour() {
        const TColor from = clWhite, to = clRed;
        const QImage up = BuildGradientBitmap(QSize(3, 256), from, to, gdUp);
        QCOMPARE(up.pixel(1, 0), qRgb(255, 0, 0));
        QCOMPARE(up.pixel(1, 255), qRgb(255, 255, 255));
        const QImage left = BuildGradientBitmap(QSize(256, 2), from, to, gdLeft);
        QCOMPARE(left.pixel(0, 0), qRgb(255, 0, 0));
        QCOMPARE(left.pixel(255, 1), qRgb(255, 255, 255));
        const QImage down = BuildGradientBitmap(QSize(3, 256), from, to, gdDown);
        QCOMPARE(down.pixel(0, 0), qRgb(255, 255, 255));
    }

    void equalColoursAreUniformAndSmallAreasKeepTheirSize() {
        const QImage g = BuildGradientBitmap(QSize(37, 19), clTeal, clTeal, gdDown);
        QCOMPARE(g.size(), QSize(37, 19));
        for (int y = 0; y < g.height(); ++y)
            for (int x = 0; x < g.width(); ++x)
                QCOMPARE(g.pixel(x, y), qRgb(0, 128, 128));
        QVERIFY(BuildGradientBitmap(QSize(0, 5), clRed, clBlue, gdDown).isNull());
    }

    void aPartOfTheGradientIsThatPartOfTheWhole() {
        const TColor from = RGBColor(0, 0, 255), to = RGBColor(255, 255, 0);
        for (TFillDirection d : {gdUp, gdDown, gdLeft, gdRight}) {
            const QImage whole = BuildGradientBitmap(QSize(700, 300), from, to, d);
            const QRect part(123, 45, 400, 200);
            QCOMPARE(BuildGradientBitmap(QSize(700, 300), from, to, d, part), whole.copy(part));
        }
        // The part of a huge area costs the part: bands far apart meet in few pixels.
        const QImage part =
            BuildGradientBitmap(QSize(30000, 30000), from, to, gdDown, QRect(5, 29990, 3, 10));
        QCOMPARE(part.size(), QSize(3, 10));
        QCOMPARE(part.pixel(0, 9), qRgb(255, 255, 0));
        // The cache follows the part and the colours.
        TGradientCache cache;
        QCOMPARE(cache.Bitmap(QSize(700, 300), QRect(0, 0, 10, 10), from, to, gdRight).size(),
                 QSize(10, 10));
        QCOMPARE(
            cache.Bitmap(QSize(700, 300), QRect(600, 5, 100, 20), from, to, gdRight).pixel(99, 0),
            qRgb(255, 255, 0));
        QCOMPARE(cache.Origin(), QPoint(600, 5));
        QCOMPARE(cache.Bitmap(QSize(700, 300), QRect(600, 5, 100, 20), to, to, gdRight).pixel(0, 0),
                 qRgb(255, 255, 0));
        QVERIFY(cache.Bitmap(QSize(700, 300), QRect(), from, to, gdRight).isNull());
    }

    void tilesStartAtTheCornerAndAreCutAtTheEdge() {
        QImage tile(10, 10, QImage::Format_RGB32);
        tile.fill(Qt::green);
        tile.setPixel(0, 0, qRgb(255, 0, 0));
        tile.setPixel(4, 4, qRgb(0, 0, 255));
        QImage area(25, 25, QImage::Format_RGB32);
        area.fill(Qt::white);
        {
            QPainter p(&area);
            PaintTiles(p, tile, area.size(), area.rect());
        }
        for (int ty = 0; ty < 3; ++ty)
            for (int tx = 0; tx < 3; ++tx)
                QCOMPARE(area.pixel(tx * 10, ty * 10), qRgb(255, 0, 0));
        QCOMPARE(area.pixel(24, 24), qRgb(0, 0, 255));
        QImage blank(4, 4, QImage::Format_RGB32);
        blank.fill(Qt::white);
        QPainter p(&blank);
        PaintTiles(p, QImage(), blank.size(), blank.rect());
        QCOMPARE(blank.pixel(2, 2), qRgb(255, 255, 255));
    }

    void onlyTilesReachingTheShownPartAreDrawn() {
        QImage tile(10, 10, QImage::Format_RGB32);
        tile.fill(Qt::green);
        QImage area(40, 40, QImage::Format_RGB32);
        area.fill(Qt::white);
        {
            QPainter p(&area);
            // A part from inside the second tile to inside the third, of an area far larger
            // than the image: the tiles it touches are drawn whole, none other.
            PaintTiles(p, tile, QSize(1000000, 1000000), QRect(15, 15, 10, 1));
        }
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x) {
                const bool inTiles = x >= 10 && x < 30 && y >= 10 && y < 20;
                QCOMPARE(area.pixel(x, y), inTiles ? qRgb(0, 255, 0) : qRgb(255, 255, 255));
            }
        QPainter p(&area);
        PaintTiles(p, tile, QSize(30, 30), QRect()); // nothing shows: nothing drawn
        QCOMPARE(area.pixel(2, 2), qRgb(255, 255, 255));
    }

    void printedTilesAreOnePatternOfWholeTiles() {
        TPrintProbe probe(600);
        QImage tile(10, 10, QImage::Format_RGB32);
        tile.fill(Qt::red);
        const double s = 600.0 / 96;
        // A 25 x 25 object at device (600, 1200): 156 device pixels, tiles of 62 (62.5
        // rounds to even), three of them each way.
        PrintTiles(probe.Canvas, tile, QRect(600, 1200, 156, 156), s, s);
        const auto tiles = probe.OfKind(TReportOpKind::TileDeviceBitmap);
        QCOMPARE(int(tiles.size()), 1);
        QCOMPARE(tiles[0].Device, QRect(600, 1200, 186, 186));
        QCOMPARE(QSizeF(tiles[0].A, tiles[0].B), QSizeF(62, 62));
        QCOMPARE(tiles[0].Image.cacheKey(), tile.cacheKey());
        TPrintProbe none(600);
        PrintTiles(none.Canvas, QImage(), QRect(0, 0, 100, 100), s, s);
        QImage dot(1, 1, QImage::Format_RGB32);
        PrintTiles(none.Canvas, dot, QRect(0, 0, 100, 100), 0.1, 0.1);
        QVERIFY(none.Ops().empty());
    }

    void printedGradientIsOneStripOfBands() {
        TPrintProbe probe(600);
        PrintGradient(probe.Canvas, QPoint(50, 70), QSize(512, 100), clBlack, clWhite, gdRight);
        const auto strips = probe.OfKind(TReportOpKind::StretchDeviceBitmap);
        QCOMPARE(int(probe.Ops().size()), 1);
        QCOMPARE(strips[0].Device, QRect(50, 70, 512, 100));
        // One pixel per device pixel: bands two pixels wide, black first, white last.
        const QImage strip = strips[0].Image;
        QCOMPARE(strip.size(), QSize(512, 1));
        QCOMPARE(strip.pixel(0, 0), qRgb(0, 0, 0));
        QCOMPARE(strip.pixel(1, 0), qRgb(0, 0, 0));
        QCOMPARE(strip.pixel(2, 0), qRgb(1, 1, 1));
        QCOMPARE(strip.pixel(511, 0), qRgb(255, 255, 255));
        // The same gradient again is the same picture, stored once in a file.
        TPrintProbe again(600);
        PrintGradient(again.Canvas, QPoint(0, 0), QSize(512, 30), clBlack, clWhite, gdRight);
        QCOMPARE(again.Ops()[0].Image.cacheKey(), strip.cacheKey());
        // Down the page, and longer than any exact strip: one pixel per band.
        TPrintProbe tall(600);
        PrintGradient(tall.Canvas, QPoint(0, 0), QSize(10, MaxExactStrip + 1), clBlack, clWhite,
                      gdUp);
        const QImage bands = tall.Ops()[0].Image;
        QCOMPARE(bands.size(), QSize(1, 256));
        QCOMPARE(bands.pixel(0, 0), qRgb(255, 255, 255));
        QCOMPARE(bands.pixel(0, 255), qRgb(0, 0, 0));
    }
};

QTEST_MAIN(TestSurfaceFill)
#include "test_surface_fill.moc"
