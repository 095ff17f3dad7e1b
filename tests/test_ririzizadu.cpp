#include "support/ObjectTestSupport.h"
#include "support/PrintProbe.h"
#include "support/TestSupport.h"

#include "effects/EffectObjects.h"
#include "effects/RirizIzadu.h"
#include "effects/RirizIzaduProperties.h"
#include "printing/CardPrinting.h"
#include "surface/ObjectFiler.h"
#include "surface/ObjectStream.h"

#include <QBuffer>
#include <QComboBox>
#include <QSpinBox>
#include <QtTest>

namespace {

// A RirizIzadu placed on a test card at the given bounds.
TRirizIzadu* place(TTestCardPanel& panel, QRect bounds) {
    auto* o = static_cast<TRirizIzadu*>(panel.AddObject(std::make_unique<TRirizIzadu>()));
    o->SetBounds(bounds.x(), bounds.y(), bounds.width(), bounds.height());
    return o;
}

QImage checker(int w, int h) {
    QImage tile(w, h, QImage::Format_RGB32);
    tile.fill(Qt::green);
    tile.setPixel(0, 0, qRgb(255, 0, 0));
    tile.setPixel(4, 4, qRgb(0, 0, 255));
    return tile;
}

QByteArray shortString(const QByteArray& s) {
    return char(s.size()) + s;
}

QByteArray bmpFile(const QImage& image) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return buffer.data();
}

} // namespace

class TestRirizIzadu : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterEffectObjects(); }

    void creationValuesAndTheStarRule() {
        TRirizIzadu o;
        QCOMPARE(o.Width(), 25);
        QCOMPARE(o.Vectors(), 10);
        QCOMPARE(o.InVectorPercent(), 50);
        QCOMPARE(o.StartingAngle(), 90);
        QCOMPARE(o.RoundPerc(), 25);
        QCOMPARE(o.ShadowDepth(), 5);
        QCOMPARE(o.OutlineWidth(), 1);
        QCOMPARE(o.BackColor(), clWhite);
        QCOMPARE(o.GradientToColor(), clBlack);
        QCOMPARE(o.ShadowOrient(), soNone);
        QCOMPARE(o.SurfaceType(), stBrushTransparent);
        QCOMPARE(o.Pattern(), int(bsClear));
        o.SetShape(gstStar);
        QCOMPARE(o.Vectors(), 10);
        QCOMPARE(o.StartingAngle(), 90);
        QCOMPARE(o.InVectorPercent(), 50);

        TRirizIzadu s;
        s.SetVectors(4);
        s.SetStartingAngle(45);
        s.SetInVectorPercent(30);
        s.SetShape(gstStar);
        QCOMPARE(s.Vectors(), 10);
        QCOMPARE(s.StartingAngle(), 90);
        QCOMPARE(s.InVectorPercent(), 30);
        TRirizIzadu z;
        z.SetInVectorPercent(0);
        z.SetShape(gstStar);
        QCOMPARE(z.InVectorPercent(), 50);
    }

    void outOfRangeValuesAreIgnored() {
        TRirizIzadu o;
        o.SetVectors(61);
        o.SetVectors(2);
        o.SetStartingAngle(360);
        o.SetStartingAngle(-1);
        o.SetInVectorPercent(101);
        o.SetShadowOrient(5);
        QCOMPARE(o.Vectors(), 10);
        QCOMPARE(o.StartingAngle(), 90);
        QCOMPARE(o.InVectorPercent(), 50);
        QCOMPARE(o.ShadowOrient(), soNone);
        o.SetBounds(0, 0, 20, 20);
        o.SetShadowDepth(11);
        QCOMPARE(o.ShadowDepth(), 5);
        o.SetShadowDepth(10);
        QCOMPARE(o.ShadowDepth(), 10);
        o.SetBounds(0, 0, 40, 15);
        o.SetShadowDepth(8); // more than half the height
        QCOMPARE(o.ShadowDepth(), 10);
    }

    void starAndPolygonVertices() {
        TRirizIzadu o;
        o.SetBounds(0, 0, 108, 108);
        o.SetShape(gstStar);
        // Centre (54, 54), radius 50: vertex 0 straight up, the outer ones every 72 degrees.
        const QPolygon star = o.Figure({0, 0, 108, 108});
        QCOMPARE(star.size(), 10);
        QCOMPARE(star[0], QPoint(54, 4));
        QCOMPARE(star[2], QPoint(54 + 48, 54 - 15)); // 47.55 and -15.45 rounded
        QCOMPARE(star[1], QPoint(54 + 15, 54 - 20)); // inner: radius 25
        o.SetShape(gstPolyGon);
        o.SetVectors(6);
        o.SetInVectorPercent(0);
        const QPolygon hexagon = o.Figure({0, 0, 108, 108});
        QCOMPARE(hexagon.size(), 6);
        for (const QPoint& p : hexagon)
            QVERIFY(qAbs(std::hypot(p.x() - 54, p.y() - 54) - 50) < 0.6);
        o.SetInVectorPercent(50);
        const QPolygon threePoints = o.Figure({0, 0, 108, 108});
        QVERIFY(qAbs(std::hypot(threePoints[1].x() - 54, threePoints[1].y() - 54) - 25) < 0.6);
        // Halves round to even: a 2 x 2 inset of 4 gives a negative radius, mirrored.
        QCOMPARE(o.Figure({0, 0, 4, 4})[0], QPoint(2, 2 + 2));
    }

    void shadowRectangles() {
        TShapeRects r = ComputeShapeRects(gstRectangle, soLowerRight, 3, 5, 40, 30);
        QCOMPARE(r.Shadow, (TEdges{6, 6, 38, 28}));
        QCOMPARE(r.Body, (TEdges{1, 1, 33, 23}));
        r = ComputeShapeRects(gstDiamond, soLowerRight, 1, 5, 40, 30);
        QCOMPARE(r.Shadow, (TEdges{5, 0, 40, 30}));
        QCOMPARE(r.Body, (TEdges{0, 0, 35, 30}));
        r = ComputeShapeRects(gstDiamond, soUpperLeft, 1, 5, 40, 30);
        QCOMPARE(r.Shadow, (TEdges{0, 0, 35, 30}));
        QCOMPARE(r.Body, (TEdges{5, 0, 40, 30}));
        r = ComputeShapeRects(gstEllipse, soNone, 1, 5, 40, 30);
        QCOMPARE(r.Body, (TEdges{0, 0, 40, 30}));
        QCOMPARE(r.Shadow, TEdges{});
    }

    void surfaceChangesKeepTheObjectVisible() {
        TRirizIzadu o;
        o.SetBounds(0, 0, 60, 60);
        o.SetSurfaceType(stBrushPattern);
        o.SetOutlineStyle(psClear);
        o.SetShadowOrient(soLowerRight);
        o.SetSurfaceType(stBrushTransparent);
        QCOMPARE(o.OutlineStyle(), int(psSolid));
        QCOMPARE(o.ShadowOrient(), soNone);
        o.SetSurfaceType(stBrushImage);
        o.SetImage(TBitmap(checker(10, 10)));
        o.SetSurfaceType(stBrushPattern);
        o.SetSurfaceType(stBrushImage);
        QVERIFY(o.Image().Empty());
    }

    void eachFigurePaintsItsSurfaceInsideOnly() {
        TTestCardPanel panel;
        const QRect bounds(40, 30, 100, 80);
        for (int shape = gstRectangle; shape <= gstPolyGon; ++shape) {
            for (TGGraphicControl* o : std::vector(panel.Objects()))
                panel.DeleteObject(o);
            TRirizIzadu* o = place(panel, bounds);
            o->SetShape(TGPShapeType(shape));
            o->SetSurfaceType(stBrushPattern);
            o->SetBackColor(clRed);
            o->SetOutlineColor(clBlue);
            const QImage card = panel.CardImage();
            QCOMPARE(card.pixel(90, 70), qRgb(255, 0, 0));
            QCOMPARE(card.pixel(39, 29), qRgb(255, 255, 255)); // outside the object
            if (shape == gstRectangle) {
                QCOMPARE(card.pixel(40, 30), qRgb(0, 0, 255)); // outline on the edge
                QCOMPARE(card.pixel(41, 31), qRgb(255, 0, 0));
                QCOMPARE(card.pixel(139, 109), qRgb(0, 0, 255));
            } else if (shape != gstTriangleRight && shape != gstTriangleDown) {
                // Every other figure leaves the top-left corner of its box alone.
                QCOMPARE(card.pixel(41, 31), qRgb(255, 255, 255));
            }
        }
    }

    void gradientOnTheCard() {
        TTestCardPanel panel;
        panel.resize(600, 200);
        TRirizIzadu* o = place(panel, QRect(10, 10, 512, 40));
        o->SetOutlineStyle(psClear);
        o->SetSurfaceType(stGradientFill);
        o->SetBackColor(clBlack);
        o->SetGradientToColor(clWhite);
        o->SetFillDirection(gdRight);
        const QImage card = panel.CardImage();
        QCOMPARE(card.pixel(10, 20), qRgb(0, 0, 0));
        QCOMPARE(card.pixel(11, 20), qRgb(0, 0, 0));
        QCOMPARE(card.pixel(12, 20), qRgb(1, 1, 1));
        QCOMPARE(card.pixel(521, 20), qRgb(255, 255, 255));
        // A resize rebuilds the cached gradient at the new size.
        o->SetBounds(10, 10, 256, 40);
        QCOMPARE(o->GradientBitmap().width(), 256);
        QCOMPARE(panel.CardImage().pixel(11, 20), qRgb(1, 1, 1));
        // Upwards the end colour is on top; with 40 rows the first bands are empty and
        // row 0 shows band 3.
        o->SetFillDirection(gdUp);
        QCOMPARE(panel.CardImage().pixel(100, 10), qRgb(252, 252, 252));
        QVERIFY(qRed(panel.CardImage().pixel(100, 49)) < 8);
    }

    void textureTilesFromTheObjectCornerCutToTheFigure() {
        TTestCardPanel panel;
        TRirizIzadu* o = place(panel, QRect(30, 20, 25, 25));
        o->SetOutlineStyle(psClear);
        o->SetSurfaceType(stBrushImage);
        o->SetImage(TBitmap(checker(10, 10)));
        o->Invalidate();
        QImage card = panel.CardImage();
        for (int ty = 0; ty < 3; ++ty)
            for (int tx = 0; tx < 3; ++tx)
                QCOMPARE(card.pixel(30 + tx * 10, 20 + ty * 10), qRgb(255, 0, 0));
        QCOMPARE(card.pixel(30 + 24, 20 + 24), qRgb(0, 0, 255));
        o->SetShape(gstEllipse);
        card = panel.CardImage();
        QCOMPARE(card.pixel(30, 20), qRgb(255, 255, 255));
        QCOMPARE(card.pixel(30 + 14, 20 + 14), qRgb(0, 0, 255));
    }

    void diamondShadowFallsSideways() {
        TTestCardPanel panel;
        TRirizIzadu* o = place(panel, QRect(20, 20, 61, 61));
        o->SetShape(gstDiamond);
        o->SetSurfaceType(stBrushPattern);
        o->SetBackColor(clYellow);
        o->SetShadowOrient(soLowerRight);
        o->SetShadowColor(clGray);
        const QImage card = panel.CardImage();
        // Body (0, 0, 57, 61): its right corner at x = 56, y = 30; the shadow's 5 further.
        QCOMPARE(card.pixel(20 + 58, 20 + 30), qRgb(128, 128, 128));
        QCOMPARE(card.pixel(20 + 28, 20 + 63), qRgb(255, 255, 255)); // nothing below
        QCOMPARE(card.pixel(20 + 28, 20 + 30), qRgb(255, 255, 0));
    }

    void zoomKeepsOutlineAndRebuildsTheGradient() {
        TTestCardPanel panel;
        TRirizIzadu* o = place(panel, QRect(10, 10, 100, 60));
        o->SetSurfaceType(stGradientFill);
        o->SetOutlineWidth(3);
        panel.SetZoom(1.5f);
        QCOMPARE(o->Width(), 150);
        QCOMPARE(o->OutlineWidth(), 3);
        QCOMPARE(o->GradientBitmap().size(), QSize(150, 90));
    }

    void printedLayers() {
        TTestCardPanel panel;
        TRirizIzadu* o = place(panel, QRect(96, 48, 96, 96));
        o->SetShape(gstStar);
        o->SetSurfaceType(stGradientFill);
        o->SetFillDirection(gdDown);
        o->SetShadowOrient(soLowerRight);
        o->SetOutlineWidth(2);
        TPrintProbe probe(600);
        o->PrintTo(probe.Canvas, 1.0, 2.0);
        QList<TReportOpKind> kinds;
        for (const TReportOp& op : probe.Ops())
            if (op.Kind != TReportOpKind::SetBrush)
                kinds << op.Kind;
        using K = TReportOpKind;
        QCOMPARE(kinds, (QList<K>{K::SetPen, K::Polygon, K::PushClipPolygon, K::SelectClip,
                                  K::StretchDeviceBitmap, K::ClearClip, K::PopClip, K::SetPen,
                                  K::Polygon}));
        const auto polygons = probe.OfKind(K::Polygon);
        QCOMPARE(polygons[1].Points.size(), 10);
        // Body (1, 1, 90, 90): vertex 0 at (1 + 89 div 2, 1 + 4) in object pixels.
        QCOMPARE(polygons[1].Points[0],
                 QPoint(int((96 + 45) * 6.25) + 600, int((48 + 5) * 6.25) + 1200));
        QCOMPARE(probe.OfKind(K::SetPen).back().Width, -2);
        // The gradient runs a quarter inch past the object's bottom edge.
        const auto strip = probe.OfKind(K::StretchDeviceBitmap);
        const int top = int(48 * 6.25) + 1200;
        QCOMPARE(strip[0].Device.top(), top);
        QCOMPARE(strip[0].Device.bottom() + 1, top + 600 + 1 + 150);
        QCOMPARE(strip[0].Image.size(), QSize(1, 600 + 1 + 150));
    }

    void printedTexturesAndRectangles() {
        TTestCardPanel panel;
        TRirizIzadu* o = place(panel, QRect(0, 0, 25, 25));
        o->SetSurfaceType(stBrushImage);
        o->SetImage(TBitmap(checker(10, 10)));
        o->SetOutlineStyle(psClear);
        TPrintProbe probe(96);
        o->PrintTo(probe.Canvas, 1.0, 1.0);
        const auto clip = probe.OfKind(TReportOpKind::PushClipRect);
        QCOMPARE(int(clip.size()), 1);
        QCOMPARE(clip[0].Rect, (TInchRect{1.0, 1.0, 1.0 + 25 / 96.0, 1.0 + 25 / 96.0}));
        // Three whole tiles each way from the object's corner.
        const auto tiles = probe.OfKind(TReportOpKind::TileDeviceBitmap);
        QCOMPARE(int(tiles.size()), 1);
        QCOMPARE(tiles[0].Device, QRect(96, 96, 30, 30));
        QCOMPARE(QSizeF(tiles[0].A, tiles[0].B), QSizeF(10, 10));
        QVERIFY(probe.OfKind(TReportOpKind::Rectangle).empty()); // clear outline
    }

    void pdfKeepsVectorsAndEmbedsATextureOnce() {
        TTestCardPanel panel;
        TRirizIzadu* star = place(panel, QRect(10, 10, 120, 120));
        star->SetShape(gstStar);
        star->SetSurfaceType(stGradientFill);
        TRirizIzadu* tiled = place(panel, QRect(150, 10, 150, 120));
        tiled->SetSurfaceType(stBrushImage);
        tiled->SetImage(TBitmap(checker(10, 10)));
        QTemporaryDir dir;
        const QString file = dir.filePath("cards.pdf");
        TPrintRunSettings settings;
        settings.Copies = 2;
        QVERIFY(PrintToPdf(panel, settings, file, nullptr));
        const QByteArray pdf = ReadTestFile(file);
        // Ten cards a sheet, two sheets, 180 tiles a card: one texture image, 10 x 10, and
        // one strip for the star's gradient.
        QCOMPARE(pdf.count("/Subtype /Image"), 2);
        QVERIFY(pdf.contains("/Width 10"));
    }

    void streamRecordFromItsBytes() {
        // A record laid out as design files hold it: a star with a texture.
        const QByteArray bmp = bmpFile(checker(10, 10));
        QByteArray data(4, 0);
        qToLittleEndian<quint32>(quint32(bmp.size()), data.data());
        data += bmp;
        QByteArray file("\x01TPF0", 5);
        file += shortString("TRirizIzadu") + shortString("Shape1");
        auto integer = [&](const char* name, qint8 v) {
            file += shortString(name) + '\x02' + char(v);
        };
        integer("Left", 10);
        integer("Top", 12);
        integer("Width", 40);
        integer("Height", 30);
        file += shortString("Image.Data") + '\x0A';
        char count[4];
        qToLittleEndian<quint32>(quint32(data.size()), count);
        file += QByteArray(count, 4) + data;
        file += shortString("ShadowDepth") + '\x02' + char(12); // refused: Height div 2 = 15
        file += shortString("Shape") + '\x07' + shortString("gstStar");
        file += shortString("SurfaceType") + '\x07' + shortString("stBrushImage");
        file += QByteArray("\x00\x00\x00", 3);
        TTestCardPanel panel;
        const auto objects = TGLabelObjectFiler(panel).ReadObjects(file.constData(), file.size());
        QCOMPARE(int(objects.size()), 1);
        auto* o = dynamic_cast<TRirizIzadu*>(objects[0]);
        QVERIFY(o);
        QCOMPARE(o->Shape(), gstStar);
        QCOMPARE(o->ShadowDepth(), 12);
        QCOMPARE(o->Image().Image().size(), QSize(10, 10));
        QCOMPARE(o->Image().Image().pixel(4, 4), qRgb(0, 0, 255));
        // Written back, the bitmap payload is the same bytes.
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        TGLabelObjectFiler::WriteObjects(out, objects);
        QVERIFY(
            out.data().contains(shortString("Image.Data") + '\x0A' + QByteArray(count, 4) + data));
        QVERIFY(out.data().contains(shortString("Vectors") + "\x02\x0A"));
        QVERIFY(!out.data().contains(shortString("LastBitmapFileNameandPath")));
    }

    // Saved at 150 %, the file holds the 100 % geometry and the texture as saved at 100 %;
    // reopened at 150 % it shows at that zoom.
    void saveAndReopenAt150Percent() {
        QTemporaryDir dir;
        const QString file = dir.filePath("card.ptv");
        QByteArray at100;
        for (float zoom : {1.0f, 1.5f}) {
            TTestCardPanel panel;
            TRirizIzadu* o = place(panel, QRect(20, 10, 60, 40));
            o->SetName("Shape1");
            o->SetShape(gstTriangleUp);
            o->SetSurfaceType(stBrushImage);
            o->SetImage(TBitmap(checker(10, 10)));
            o->SetShadowOrient(soUpperLeft);
            panel.SetZoom(zoom);
            panel.SaveToFile(file);
            const QByteArray saved = ReadTestFile(file);
            if (zoom == 1.0f)
                at100 = saved;
            QCOMPARE(saved, at100);
            TTestCardPanel again;
            again.SetZoom(zoom);
            again.LoadFromFile(file);
            auto* back = dynamic_cast<TRirizIzadu*>(again.Objects().at(0));
            QVERIFY(back);
            QCOMPARE(back->BoundsRect(), QRect(QPoint(20, 10) * zoom, QSize(60, 40) * zoom));
            QCOMPARE(back->Image().Image().pixel(4, 4), qRgb(0, 0, 255));
            QCOMPARE(back->ShadowOrient(), soUpperLeft);
            QCOMPARE(back->ShadowDepth(), 5);
        }
    }

    void damagedBitmapStopsReading() {
        QByteArray file("\x01TPF0", 5);
        file += shortString("TRirizIzadu") + shortString("A");
        file += shortString("Image.Data") + '\x0A' + QByteArray("\x08\x00\x00\x00", 4) +
                QByteArray("\x04\x00\x00\x00"
                           "BMxx",
                           8);
        file += QByteArray("\x00\x00\x00", 3);
        TTestCardPanel panel;
        try {
            TGLabelObjectFiler(panel).ReadObjects(file.constData(), file.size());
            QFAIL("a damaged bitmap was read");
        } catch (const EStreamError& e) {
            QCOMPARE(e.Message(), QString(StreamMessage::InvalidValue));
        }
    }

    void toolOpensTheDialogAndCancelKeepsTheCreationValues() {
        TScriptedInteraction interaction;
        QString caption;
        interaction.OnExec = [&](QDialog& d) {
            caption = d.windowTitle();
            auto& dialog = static_cast<TRirizIzaduProperties&>(d);
            dialog.FormActivate();
            dialog.ShapeCombo->setCurrentIndex(gstEllipse);
            return int(QDialog::Rejected);
        };
        TTestCardPanel panel;
        auto* o = dynamic_cast<TRirizIzadu*>(panel.Draw(psRirizIzadu, QRect(20, 20, 80, 50)));
        QVERIFY(o);
        QCOMPARE(caption, QStringLiteral("RirizIzadu Properties"));
        QCOMPARE(o->Shape(), gstRectangle);
        QCOMPARE(o->Width(), 80);
        QVERIFY(MenuItem(o->ContextMenu(), "Properties"));
        interaction.OnExec = [&](QDialog& d) {
            auto& dialog = static_cast<TRirizIzaduProperties&>(d);
            dialog.FormActivate();
            dialog.ShapeCombo->setCurrentIndex(gstStar);
            dialog.PointsOnStar->setValue(7);
            return int(QDialog::Accepted);
        };
        bool changed = false;
        panel.LabelChangedEvent = [&](TGBasePanel*) { changed = true; };
        o->EditProperties();
        QCOMPARE(o->Shape(), gstStar);
        QCOMPARE(o->Vectors(), 14);
        QVERIFY(changed);
    }
};

QTEST_MAIN(TestRirizIzadu)
#include "test_ririzizadu.moc"
