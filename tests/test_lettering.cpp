#include "support/ObjectTestSupport.h"
#include "support/PrintProbe.h"
#include "support/TestSupport.h"

#include "effects/DiduzOvoz.h"
#include "effects/EffectObjects.h"
#include "effects/GradientFill.h"
#include "printing/CardPrinting.h"
#include "surface/ObjectFiler.h"

#include <QBuffer>
#include <QColorDialog>
#include <QFontMetrics>
#include <QProcess>
#include <QtEndian>
#include <QtTest>

namespace {

// A lettering object on a panel, completed as a drawn object is.
TGDiduzOvoz* addLettering(TGBasePanel& panel, int w = 300, int h = 100) {
    auto* o = static_cast<TGDiduzOvoz*>(panel.AddObject(std::make_unique<TGDiduzOvoz>()));
    o->Loaded();
    o->SetBounds(10, 10, w, h);
    return o;
}

// The glyph outline the object fills: the caption with its cell's top-left at origin.
QPainterPath glyphs(const TGDiduzOvoz& o, const QString& text, QPoint origin) {
    const QFont font = o.CanvasFont();
    QPainterPath path;
    path.addText(QPointF(origin.x(), origin.y() + QFontMetrics(font).ascent()), font, text);
    return path;
}

// Whether the pixel and its neighbours up to r pixels away all lie inside the path.
bool deepInside(const QPainterPath& path, int x, int y, int r) {
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx)
            if (!path.contains(QPointF(x + dx + 0.5, y + dy + 0.5)))
                return false;
    return true;
}

bool deepOutside(const QPainterPath& path, int x, int y, int r) {
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx)
            if (path.contains(QPointF(x + dx + 0.5, y + dy + 0.5)))
                return false;
    return true;
}

// The run of dark pixels met first when walking right along row y.
int firstDarkRun(const QImage& img, int y) {
    int x = 0;
    while (x < img.width() && !IsDark(img.pixel(x, y)))
        ++x;
    int n = 0;
    while (x + n < img.width() && IsDark(img.pixel(x + n, y)))
        ++n;
    return n;
}

} // namespace

class TestLettering : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterEffectObjects(); }
    void newObjectDefaults();
    void shadowFallingLeftMovesTheText();
    void hollowLettersKeepAnOutline();
    void transparentObjectShrinksToItsText();
    void captionCutToWholeCharacters();
    void emptySizesBecomeOnePixel();
    void changesThatMarkTheDesign();
    void menuItems();
    void solidFillAndShadowThroughGlyphs();
    void hollowOutlinedCaption();
    void gradientRunsAcrossTheGlyphs();
    void textureTiledThroughTheGlyphs();
    void printedGradientAndTiles();
    void zoomScalesOnlyTheFont();
    void fitToTextSizesTheObject();
    void streamRecordFromTheFormat();
    void printsGlyphPathLayers();
    void absurdStoredValuesStayHarmless();
    void pdfKeepsLetteringAsPaths();
};

void TestLettering::newObjectDefaults() {
    TGDiduzOvoz o;
    QCOMPARE(o.Caption(), QString("Text"));
    QCOMPARE(o.Font().Name, QString("Times New Roman"));
    QCOMPARE(o.Font().Size(), 48);
    QCOMPARE(o.Font().Color, clBlack);
    QCOMPARE(o.SurfaceType(), int(stGradientFill));
    QCOMPARE(o.FillDirection(), int(gdRight));
    QCOMPARE(o.GradientFromColor(), clBlue);
    QCOMPARE(o.GradientToColor(), clYellow);
    QCOMPARE(o.OutlineStyle(), int(psSolid));
    QCOMPARE(o.OutlineWidth(), 1);
    QCOMPARE(o.OutlineColor(), clBlack);
    QCOMPARE(o.ShadowDepth(), 0);
    QCOMPARE(o.ShadowOrientation(), int(sdDownRight));
    QCOMPARE(o.Shadowcolor(), TColor(0x808080));
    QVERIFY(o.ControlTransparent());
    QCOMPARE(o.BorderStyle(), int(bsNone));
    QCOMPARE(o.BGColor(), clWhite);
    QCOMPARE(o.BoundsRect(), QRect(0, 0, 142, 33));
    QVERIFY(o.NeedsMeasure());
}

void TestLettering::shadowFallingLeftMovesTheText() {
    TGDiduzOvoz o;
    o.SetBounds(0, 0, 300, 100);
    o.SetShadowOrientation(sdDownLeft);
    o.SetShadowDepth(4);
    QVERIFY(o.NeedsMeasure());
    o.MeasureText();
    QVERIFY(!o.NeedsMeasure());
    QCOMPARE(o.Margin(), QPoint(4, 0));
    QCOMPARE(o.TextOrigin(), QPoint(9, 0));
    QCOMPARE(o.ShadowOrigin(), QPoint(5, 4));
    QCOMPARE(o.ShadowRect(), o.TextRect().Moved(-4, 4));
    // Every direction's offset for depth 3.
    const QPoint offsets[] = {{0, 0}, {3, 0}, {-3, 0}, {3, 3}, {-3, 3}, {0, 3}};
    o.SetShadowDepth(3);
    for (int d = sdNone; d <= sdDown; ++d) {
        o.SetShadowOrientation(d);
        QCOMPARE(o.ShadowOffset(), offsets[d]);
    }
}

void TestLettering::hollowLettersKeepAnOutline() {
    TGDiduzOvoz o;
    o.SetOutlineStyle(psClear);
    o.SetSurfaceType(stBrushPattern);
    QCOMPARE(o.OutlineStyle(), int(psSolid));
    // Other surfaces leave a clear outline alone.
    o.SetOutlineStyle(psClear);
    o.SetSurfaceType(stBrushTransparent);
    QCOMPARE(o.OutlineStyle(), int(psClear));
    // Leaving the texture surface drops the texture.
    o.SetSurfaceType(stBrushImage);
    QImage tile(4, 4, QImage::Format_RGB32);
    tile.fill(Qt::red);
    o.SetImage(TBitmap(tile));
    o.SetSurfaceType(stBrushTransparent);
    QVERIFY(o.Image().Empty());
}

void TestLettering::transparentObjectShrinksToItsText() {
    TGDiduzOvoz o;
    const QFontMetrics m(o.CanvasFont());
    const int th = m.ascent() + m.descent();
    o.SetBounds(0, 0, 300, 100);
    QVERIFY(100 > 1.2 * th);
    o.MeasureText();
    QCOMPARE(o.Height(), int(1.2 * th));
    TGDiduzOvoz opaque;
    opaque.SetControlTransparent(false);
    opaque.SetBounds(0, 0, 300, 100);
    opaque.MeasureText();
    QCOMPARE(opaque.Height(), 100);
    // Too low for the text and its shadow: raised to them.
    TGDiduzOvoz low;
    low.SetShadowDepth(6);
    low.SetBounds(0, 0, 300, 10);
    low.MeasureText();
    QCOMPARE(low.Height(), th + 6);
    // Measured only when stale: a later change of size stays until something moves the text.
    o.MeasureText();
    QCOMPARE(o.Height(), int(1.2 * th));
}

void TestLettering::captionCutToWholeCharacters() {
    TGDiduzOvoz o;
    o.SetCaption(QStringLiteral("Lettering"));
    const QFontMetrics m(o.CanvasFont());
    const int room = m.horizontalAdvance("Lett") + 2;
    o.SetBounds(0, 0, 5 + room, 100);
    o.MeasureText();
    QCOMPARE(o.VisibleCaption(), QString("Lett"));
    o.SetWidth(400);
    QCOMPARE(o.VisibleCaption(), QString("Lettering"));
    // Too narrow for one character: nothing but the background shows.
    o.SetControlTransparent(false);
    o.SetBGColor(clRed);
    o.SetWidth(7);
    QCOMPARE(o.VisibleCaption(), QString());
    const QImage img = PaintAlone(o);
    QCOMPARE(img.pixel(3, 3), qRgb(255, 0, 0));
    // A pair of UTF-16 units is one character: never cut in half.
    o.SetCaption(QStringLiteral("A") + QString::fromUcs4(U"\U0001D400") + QStringLiteral("B"));
    o.SetWidth(5 + QFontMetrics(o.CanvasFont()).horizontalAdvance(o.Caption().left(2)) + 1);
    const QString s = o.VisibleCaption();
    QVERIFY(s == QString("A") || s == o.Caption().left(3));
    // A long caption is cut quickly and to the same result.
    o.SetCaption(QString(100000, QLatin1Char('W')));
    o.SetWidth(5 + m.horizontalAdvance("WWW") + 1);
    QCOMPARE(o.VisibleCaption(), QString("WWW"));
}

void TestLettering::emptySizesBecomeOnePixel() {
    TGBasePanel panel;
    TGDiduzOvoz* o = addLettering(panel);
    o->SetBounds(10, 10, 0, -3);
    QCOMPARE(o->Width(), 1);
    QCOMPARE(o->Height(), 1);
    QVERIFY(o->NeedsMeasure());
}

void TestLettering::changesThatMarkTheDesign() {
    TGBasePanel panel;
    TGDiduzOvoz* o = addLettering(panel);
    int changes = 0;
    panel.LabelChangedEvent = [&](TGBasePanel*) { ++changes; };
    o->SetCaption("Pentavo");
    QCOMPARE(changes, 1);
    o->SetBGColor(clRed);
    o->SetBorderStyle(bsSingle);
    o->SetGradientFromColor(clRed);
    QCOMPARE(changes, 4);
    // Values the dialog sets are reported once, when it closes.
    o->SetOutlineWidth(3);
    o->SetShadowDepth(2);
    o->SetGradientToColor(clLime);
    QCOMPARE(changes, 4);
}

void TestLettering::menuItems() {
    TScriptedInteraction script;
    script.OnExec = [](QDialog& d) {
        if (auto* c = dynamic_cast<QColorDialog*>(&d)) {
            c->setCurrentColor(QColor(0, 255, 0));
            return int(QDialog::Accepted);
        }
        return int(QDialog::Rejected);
    };
    TGBasePanel panel;
    TGDiduzOvoz* o = addLettering(panel);
    QStringList tail = MenuCaptions(o->ContextMenu()).mid(12);
    QCOMPARE(tail,
             QStringList({"-", "Font", "Transparent", "Background Color", "Border", "Properties"}));
    int changes = 0;
    panel.LabelChangedEvent = [&](TGBasePanel*) { ++changes; };
    emit o->ContextMenu()->aboutToShow();
    QVERIFY(MenuItem(o->ContextMenu(), "Transparent")->isChecked());
    QVERIFY(!MenuItem(o->ContextMenu(), "Border")->isChecked());
    MenuItem(o->ContextMenu(), "Background Color")->trigger();
    QCOMPARE(o->BGColor(), clLime);
    QVERIFY(!o->ControlTransparent());
    QVERIFY(changes > 0);
    changes = 0;
    MenuItem(o->ContextMenu(), "Transparent")->trigger();
    QVERIFY(o->ControlTransparent());
    QCOMPARE(changes, 1);
    MenuItem(o->ContextMenu(), "Border")->trigger();
    QCOMPARE(o->BorderStyle(), int(bsSingle));
    emit o->ContextMenu()->aboutToShow();
    QVERIFY(MenuItem(o->ContextMenu(), "Border")->isChecked());
}

void TestLettering::solidFillAndShadowThroughGlyphs() {
    TGDiduzOvoz o;
    o.SetCaption("HI");
    o.SetBounds(0, 0, 200, 90);
    o.SetSurfaceType(stBrushTransparent);
    o.SetFontColor(clRed);
    o.SetOutlineStyle(psClear);
    o.SetShadowDepth(5);
    o.SetShadowOrientation(sdDownRight);
    o.SetShadowcolor(clBlue);
    o.MeasureText();
    const QImage img = PaintAlone(o);
    const QPainterPath text = glyphs(o, "HI", o.TextOrigin());
    const QPainterPath shadow = glyphs(o, "HI", o.ShadowOrigin());
    int red = 0, blue = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            if (deepInside(text, x, y, 1)) {
                QCOMPARE(img.pixel(x, y), qRgb(255, 0, 0));
                ++red;
            } else if (deepInside(shadow, x, y, 1) && deepOutside(text, x, y, 1)) {
                QCOMPARE(img.pixel(x, y), qRgb(0, 0, 255));
                ++blue;
            } else if (deepOutside(text, x, y, 1) && deepOutside(shadow, x, y, 1)) {
                QCOMPARE(img.pixel(x, y), qRgb(255, 255, 255));
            }
        }
    QVERIFY(red > 200);
    QVERIFY(blue > 20);
}

void TestLettering::hollowOutlinedCaption() {
    TGDiduzOvoz o;
    o.SetCaption("HO");
    o.SetBounds(0, 0, 200, 90);
    o.SetSurfaceType(stBrushPattern);
    o.SetOutlineColor(clRed);
    o.SetOutlineWidth(2);
    o.MeasureText();
    const QImage img = PaintAlone(o);
    const QPainterPath text = glyphs(o, "HO", o.TextOrigin());
    int onOutline = 0, hollow = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            if (deepInside(text, x, y, 2) || deepOutside(text, x, y, 2)) {
                QCOMPARE(c, qRgb(255, 255, 255)); // hollow inside, nothing outside
                hollow += deepInside(text, x, y, 2);
            } else if (c == qRgb(255, 0, 0)) {
                ++onOutline;
            }
            QVERIFY(qGreen(c) == qBlue(c)); // only red, white and their blends
        }
    QVERIFY(hollow > 100);
    QVERIFY(onOutline > 100);
}

void TestLettering::gradientRunsAcrossTheGlyphs() {
    // 256 pixels wide: band i is column i, so blue to yellow runs exactly with x.
    TGBasePanel panel;
    TGDiduzOvoz* o = addLettering(panel, 256, 80);
    o->SetCaption("WM");
    o->SetOutlineStyle(psClear);
    o->MeasureText();
    QCOMPARE(o->GradientBitmap().size(), QSize(256, o->Height()));
    QImage img = PaintAlone(*o);
    QPainterPath text = glyphs(*o, "WM", o->TextOrigin());
    int inside = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (deepInside(text, x, y, 1)) {
                QCOMPARE(img.pixel(x, y), qRgb(x, x, 255 - x));
                ++inside;
            } else if (deepOutside(text, x, y, 1)) {
                QCOMPARE(img.pixel(x, y), qRgb(255, 255, 255));
            }
    QVERIFY(inside > 300);
    // Upwards: the end colour is at the top, the start colour at the bottom.
    o->SetFillDirection(gdUp);
    img = PaintAlone(*o);
    const int h = o->Height();
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (deepInside(text, x, y, 1)) {
                int band = 0;
                while (band < 255 && MulDiv(band + 1, h, 256) <= y)
                    ++band;
                const int r = 255 - MulDiv(band, 255, 255);
                QCOMPARE(img.pixel(x, y), qRgb(r, r, 255 - r));
            }
    // Resizing rebuilds the gradient at the new size.
    o->SetBounds(10, 10, 300, 90);
    QCOMPARE(o->GradientBitmap().width(), 300);
}

void TestLettering::textureTiledThroughTheGlyphs() {
    QImage tile(3, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            tile.setPixel(x, y, qRgb(40 * x, 100 * y, 200));
    TGDiduzOvoz o;
    o.SetCaption("HM");
    o.SetBounds(0, 0, 220, 80);
    o.SetSurfaceType(stBrushImage);
    o.SetImage(TBitmap(tile));
    o.SetOutlineStyle(psClear);
    o.MeasureText();
    const QImage img = PaintAlone(o);
    const QPainterPath text = glyphs(o, "HM", o.TextOrigin());
    int inside = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (deepInside(text, x, y, 1)) {
                QCOMPARE(img.pixel(x, y), tile.pixel(x % 3, y % 2)); // tiles from the corner
                ++inside;
            }
    QVERIFY(inside > 300);
    // Without a texture the letters stay empty.
    o.SetImage(TBitmap());
    const QImage empty = PaintAlone(o);
    for (int y = 0; y < empty.height(); ++y)
        for (int x = 0; x < empty.width(); ++x)
            QCOMPARE(empty.pixel(x, y), qRgb(255, 255, 255));
}

void TestLettering::printedGradientAndTiles() {
    TGDiduzOvoz o;
    o.SetCaption("HI");
    o.SetBounds(96, 48, 200, 100);
    o.SetOutlineStyle(psClear);
    o.MeasureText();
    TPrintProbe probe(600);
    o.PrintTo(probe.Canvas, 0, 0);
    const auto strips = probe.OfKind(TReportOpKind::StretchDeviceBitmap);
    QCOMPARE(strips.size(), size_t(1));
    const TEdgeRect r = o.TextRect();
    const QRect fill =
        probe.Canvas.DeviceRect({(96 + r.Left) / 96.0 - 0.03, (48 + r.Top) / 96.0 - 0.03,
                                 (96 + r.Right) / 96.0, (48 + r.Bottom) / 96.0});
    // Bands start at the fill's corner and run a quarter inch past its right edge.
    const QRect area = strips[0].Device;
    QCOMPARE(area.topLeft(), fill.topLeft());
    QCOMPARE(area.right() + 1, fill.left() + fill.width() + 1 + 150);
    QCOMPARE(area.height(), fill.height() + 1 + 150);
    // Left to right from the default blue, one pixel per device pixel.
    QCOMPARE(strips[0].Image.size(), QSize(area.width(), 1));
    QCOMPARE(strips[0].Image.pixel(0, 0), qRgb(0, 0, 255));
    QVERIFY(probe.OfKind(TReportOpKind::StretchBitmap).empty());

    QImage tile(16, 16, QImage::Format_RGB32);
    tile.fill(Qt::green);
    o.SetSurfaceType(stBrushImage);
    o.SetImage(TBitmap(tile));
    TPrintProbe textured(600);
    o.PrintTo(textured.Canvas, 0, 0);
    const auto tiles = textured.OfKind(TReportOpKind::TileDeviceBitmap);
    QCOMPARE(tiles.size(), size_t(1));
    // 16 screen pixels are 100 device pixels, repeated from the fill's corner.
    QCOMPARE(tiles[0].Device.topLeft(), fill.topLeft());
    QCOMPARE(QSizeF(tiles[0].A, tiles[0].B), QSizeF(100, 100));
}

void TestLettering::zoomScalesOnlyTheFont() {
    TGDiduzOvoz o;
    o.SetCaption("I");
    o.SetBounds(0, 0, 200, 100);
    o.SetShadowOrientation(sdDownLeft);
    o.SetShadowDepth(4);
    o.SetSurfaceType(stBrushPattern);
    o.SetOutlineWidth(3);
    o.MeasureText();
    const int run100 = firstDarkRun(PaintAlone(o), 40);
    o.SetZoom(1.5f);
    QCOMPARE(o.Width(), 300);
    QCOMPARE(o.CanvasFont().pixelSize(), 96); // 72 points, Trunc(48 x 1.5)
    o.MeasureText();
    QCOMPARE(o.TextOrigin(), QPoint(9, 0)); // 5-pixel margin and 4-pixel shadow unchanged
    QCOMPARE(o.ShadowOrigin(), QPoint(5, 4));
    const QImage img = PaintAlone(o);
    // The outline across the letter's stem is as wide as at 100 %.
    const int run150 = firstDarkRun(img, 60);
    QVERIFY2(std::abs(run150 - run100) <= 1, qPrintable(QString("%1 %2").arg(run100).arg(run150)));
    QVERIFY(run150 >= 2 && run150 <= 5);
}

void TestLettering::fitToTextSizesTheObject() {
    TGDiduzOvoz o;
    o.SetCaption("Pentavo");
    o.SetBounds(20, 30, 100, 100);
    const QFontMetrics m(o.FontAt(1.0f));
    const int cx = m.horizontalAdvance("Pentavo"), cy = m.ascent() + m.descent();
    QVERIFY(o.FitToText());
    QCOMPARE(o.Left(), 20);
    QCOMPARE(o.Top(), 30);
    QCOMPARE(o.Width(), int(5 + 1.2 * cx));
    QCOMPARE(o.Height(), int(1.2 * cy));
    QCOMPARE(o.VisibleCaption(), QString("Pentavo"));
}

void TestLettering::streamRecordFromTheFormat() {
    // ShadowDepth 4 (Int8), ShadowOrientation sdDownLeft, a named shadow colour, a caption,
    // a hollow surface: read through the setters.
    QByteArray b("\x01TPF0\x0BTGDiduzOvoz\x00", 18);
    auto prop = [&](const QByteArray& name, const QByteArray& value) {
        b += char(name.size()) + name + value;
    };
    prop("Left", QByteArray("\x02\x0A", 2));
    prop("Width", QByteArray("\x03\x2C\x01", 3)); // 300
    prop("Height", QByteArray("\x02\x64", 2));
    prop("ShadowDepth", QByteArray("\x02\x04", 2));
    prop("ShadowOrientation", QByteArray("\x07\x0AsdDownLeft", 12));
    prop("Shadowcolor", QByteArray("\x07\x05"
                                   "clRed",
                                   7));
    prop("BorderStyle", QByteArray("\x07\x08"
                                   "bsSingle",
                                   10));
    prop("ControlTransparent", QByteArray("\x08", 1));
    prop("Caption", QByteArray("\x06\x07Pentavo", 9));
    prop("OutlineStyle", QByteArray("\x07\x07psClear", 9));
    prop("SurfaceType", QByteArray("\x07\x0EstBrushPattern", 16));
    b += QByteArray("\x00\x00\x00", 3);
    TGBasePanel panel;
    int changes = 0;
    panel.LabelChangedEvent = [&](TGBasePanel*) { ++changes; };
    const auto read = TGLabelObjectFiler(panel).ReadObjects(b.constData(), b.size());
    QCOMPARE(read.size(), size_t(1));
    auto* o = dynamic_cast<TGDiduzOvoz*>(read[0]);
    QVERIFY(o);
    QCOMPARE(changes, 0);
    QCOMPARE(o->ShadowDepth(), 4);
    QCOMPARE(o->ShadowOrientation(), int(sdDownLeft));
    QCOMPARE(o->Shadowcolor(), clRed);
    QCOMPARE(o->BorderStyle(), int(bsSingle));
    QVERIFY(!o->ControlTransparent());
    QCOMPARE(o->Caption(), QString("Pentavo"));
    QCOMPARE(o->SurfaceType(), int(stBrushPattern));
    QCOMPARE(o->OutlineStyle(), int(psSolid)); // hollow letters keep an outline
    QCOMPARE(o->Width(), 300);
    o->MeasureText();
    QCOMPARE(o->TextOrigin(), QPoint(9, 0));

    // Written back: the three shadow values only when they differ from their defaults.
    TGDiduzOvoz fresh;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TGLabelObjectFiler::WriteObjects(buffer, {&fresh});
    const QByteArray out = buffer.data();
    QVERIFY(!out.contains("ShadowDepth"));
    QVERIFY(!out.contains("ShadowOrientation"));
    QVERIFY(!out.contains("Shadowcolor"));
    QVERIFY(out.contains(QByteArray("\x12"
                                    "ControlTransparent\x09",
                                    20)));
    QVERIFY(out.contains(QByteArray("\x0B"
                                    "SurfaceType\x07\x0EstGradientFill",
                                    28)));
    QVERIFY(out.contains(QByteArray("\x0C"
                                    "OutlineWidth\x02\x01",
                                    15)));
    QVERIFY(!out.contains("Image.Data")); // an empty texture is not written
    QVERIFY(!out.contains("LastBitmapFileNameandPath"));

    // A texture is "Image.Data": binary, a 32-bit count and a whole bitmap file.
    QImage tile(2, 2, QImage::Format_RGB32);
    tile.fill(qRgb(10, 20, 30));
    QByteArray bmp;
    QBuffer bmpBuffer(&bmp);
    bmpBuffer.open(QIODevice::WriteOnly);
    QVERIFY(tile.save(&bmpBuffer, "BMP"));
    QByteArray data(4, 0);
    qToLittleEndian<quint32>(quint32(bmp.size()), data.data());
    data += bmp;
    QByteArray entry = QByteArray("\x0AImage.Data\x0A", 12);
    QByteArray size(4, 0);
    qToLittleEndian<quint32>(quint32(data.size()), size.data());
    entry += size + data;
    QByteArray textured("\x01TPF0\x0BTGDiduzOvoz\x00", 18);
    textured += QByteArray("\x0BSurfaceType\x07\x0CstBrushImage", 26) + entry;
    textured += QByteArray("\x00\x00\x00", 3);
    const auto withTexture =
        TGLabelObjectFiler(panel).ReadObjects(textured.constData(), textured.size());
    auto* t = static_cast<TGDiduzOvoz*>(withTexture.at(0));
    QCOMPARE(t->Image().Image().pixel(1, 1), qRgb(10, 20, 30));
    QBuffer again;
    again.open(QIODevice::WriteOnly);
    TGLabelObjectFiler::WriteObjects(again, {t});
    QVERIFY(again.data().contains(entry)); // written back as it was read

    const QByteArray order[] = {"BorderStyle",     "ControlTransparent", "BGColor",
                                "Caption",         "Font.Color",         "FillDirection",
                                "GradientToColor", "GradientFromColor",  "OutlineColor",
                                "OutlineStyle",    "OutlineWidth",       "SurfaceType"};
    qsizetype at = 0;
    for (const QByteArray& name : order) {
        const qsizetype next = out.indexOf(name, at);
        QVERIFY2(next > at, name.constData());
        at = next;
    }
}

void TestLettering::printsGlyphPathLayers() {
    TGDiduzOvoz o;
    o.SetCaption("HI");
    o.SetBounds(96, 48, 200, 100);
    o.SetSurfaceType(stBrushTransparent);
    o.SetFontColor(clRed);
    o.SetShadowDepth(4);
    o.SetShadowcolor(clBlue);
    o.SetOutlineWidth(2);
    o.MeasureText();
    TPrintProbe probe(600);
    o.PrintTo(probe.Canvas, 0.5, 0.25);
    using K = TReportOpKind;
    std::vector<K> kinds;
    for (const TReportOp& op : probe.Ops())
        if (op.Kind == K::BeginPath || op.Kind == K::TextOut || op.Kind == K::EndPath ||
            op.Kind == K::ClipToPath || op.Kind == K::FillDeviceRect || op.Kind == K::ClearClip ||
            op.Kind == K::StrokePath)
            kinds.push_back(op.Kind);
    const std::vector<K> expected{
        K::BeginPath, K::TextOut, K::EndPath, K::ClipToPath, K::FillDeviceRect, K::ClearClip,
        K::BeginPath, K::TextOut, K::EndPath, K::ClipToPath, K::FillDeviceRect, K::ClearClip,
        K::BeginPath, K::TextOut, K::EndPath, K::StrokePath};
    QVERIFY(kinds == expected);
    QVERIFY(probe.OfKind(K::StretchBitmap).empty() && probe.OfKind(K::TextRect).empty());
    // The shadow layer sits at the shadow origin; its fill reaches 0.03 inch left and up.
    const auto texts = probe.OfKind(K::TextOut);
    QCOMPARE(texts[0].A, 0.5 + (96 + o.ShadowOrigin().x()) / 96.0);
    QCOMPARE(texts[0].B, 0.25 + (48 + o.ShadowOrigin().y()) / 96.0);
    QCOMPARE(texts[1].A, 0.5 + (96 + 5) / 96.0);
    QCOMPARE(texts[1].Text, QString("HI"));
    const auto fills = probe.OfKind(K::FillDeviceRect);
    const TEdgeRect r = o.ShadowRect();
    QCOMPARE(fills[0].Device,
             probe.Canvas.DeviceRect({0.5 + (96 + r.Left) / 96.0 - 0.03,
                                      0.25 + (48 + r.Top) / 96.0 - 0.03,
                                      0.5 + (96 + r.Right) / 96.0, 0.25 + (48 + r.Bottom) / 96.0}));
    // Pens: the outline is OutlineWidth hundredths of an inch.
    const auto pens = probe.OfKind(K::SetPen);
    QCOMPARE(pens.back().Width, -2);
    QCOMPARE(pens.back().Color, clBlack);
    const auto fonts = probe.OfKind(K::SetFont);
    QCOMPARE(fonts[0].A, 48.0);
}

void TestLettering::absurdStoredValuesStayHarmless() {
    // Sizes, depths and font heights at the ends of their range, as a damaged or hostile
    // file may hold them: painting, fitting and printing finish without huge allocations.
    QByteArray b("\x01TPF0\x0BTGDiduzOvoz\x00", 18);
    auto prop = [&](const QByteArray& name, const QByteArray& value) {
        b += char(name.size()) + name + value;
    };
    const QByteArray big("\x04\xFF\xFF\xFF\x7F", 5), small("\x04\x00\x00\x00\x80", 5);
    prop("Width", big);
    prop("Height", big);
    prop("ShadowDepth", big);
    prop("Font.Height", small);
    prop("OutlineWidth", big);
    b += QByteArray("\x00\x00\x00", 3);
    TGBasePanel panel;
    const auto read = TGLabelObjectFiler(panel).ReadObjects(b.constData(), b.size());
    QCOMPARE(read.size(), size_t(1));
    auto* o = static_cast<TGDiduzOvoz*>(read[0]);
    // Far too large to hold whole: only the part on the card is built.
    QVERIFY(o->GradientBitmap().width() <= panel.width());
    QVERIFY(o->GradientBitmap().height() <= panel.height());
    QImage card(200, 100, QImage::Format_ARGB32_Premultiplied);
    card.fill(Qt::white);
    QPainter p(&card);
    o->Paint(p);
    p.end();
    TPrintProbe probe(600);
    o->PrintTo(probe.Canvas, 0, 0);
    o->FitToText();
    o->SetShadowDepth(-2147483647 - 1);
    o->MeasureText();
    QVERIFY(o->Height() > 0);
}

void TestLettering::pdfKeepsLetteringAsPaths() {
    QTemporaryDir dir;
    TGBasePanel panel;
    TGDiduzOvoz* o = addLettering(panel, 250, 90);
    o->SetSurfaceType(stBrushTransparent);
    o->SetShadowDepth(3);
    const QString pdf = dir.filePath("card.pdf");
    TPrintRunSettings s;
    QString error;
    QVERIFY2(PrintToPdf(panel, s, pdf, &error), qPrintable(error));
    const QByteArray bytes = ReadTestFile(pdf);
    QVERIFY(!bytes.isEmpty());
    QCOMPARE(bytes.count("/Subtype /Image"), 0); // no bitmap of the text
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, "-"});
    QVERIFY(text.waitForFinished(30000));
    QVERIFY(!QString::fromUtf8(text.readAllStandardOutput()).contains("Text")); // paths, not text
    QProcess render;
    render.start(QStringLiteral("pdftoppm"), {"-r", "96", "-gray", "-f", "1", "-l", "1", "-png",
                                              "-singlefile", pdf, dir.filePath("page")});
    QVERIFY(render.waitForFinished(30000));
    const QImage page(dir.filePath("page.png"));
    QVERIFY(!page.isNull());
    int dark = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            dark += IsDark(page.pixel(x, y));
    QVERIFY(dark > 500);
}

QTEST_MAIN(TestLettering)
#include "test_lettering.moc"
