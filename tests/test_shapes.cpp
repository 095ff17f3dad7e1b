#include "support/ObjectTestSupport.h"
#include "support/PrintProbe.h"
#include "support/TestSupport.h"

#include "objects/DrawingObjects.h"
#include "objects/LabelShapes.h"
#include "objects/LineShape.h"
#include "objects/MultiLineLabel.h"
#include "objects/ShapePen.h"
#include "surface/ClassRegistry.h"
#include "surface/ObjectFiler.h"

#include <QBuffer>
#include <QColorDialog>
#include <QtTest>

class TestShapes : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterDrawingObjects(); }
    void ellipseToolDefaultsAndTransparency();
    void thickOutlineStaysInside();
    void zoomedPenWidth_data();
    void zoomedPenWidth();
    void roundedCorners();
    void roundingMenuOnlyForRoundedKinds();
    void streamOrder();
    void newLineIsVerticalAndStretches_data();
    void newLineIsVerticalAndStretches();
    void stretchNeedsCardPanel();
    void diagonalsRunCornerToCorner_data();
    void diagonalsRunCornerToCorner();
    void printedPenWidths_data();
    void printedPenWidths();
    void printedShapeGeometry();
    void printedLineGeometry_data();
    void printedLineGeometry();
    void roundTripThroughObjectStream_data();
    void roundTripThroughObjectStream();
};

void TestShapes::ellipseToolDefaultsAndTransparency() {
    TScriptedInteraction interaction;
    TTestCardPanel panel;
    TGGraphicControl* created = panel.Draw(psEllipse, QRect(20, 20, 100, 60));
    auto* shape = dynamic_cast<TBCShapes*>(created);
    QVERIFY(shape);
    QCOMPARE(shape->Shape(), stEllipse);
    QCOMPARE(shape->Pen(), TPen{});
    QCOMPARE(shape->Brush().Color, clWhite);
    QCOMPARE(shape->Brush().Style, int(bsSolid));
    QVERIFY(!shape->Transparent());

    // A red card under the ellipse: the interior hides it until "Transparent" is chosen.
    QImage red(panel.size(), QImage::Format_RGB32);
    red.fill(Qt::red);
    panel.SetPicture(TPicture::FromBitmap(red));
    const QPoint centre(70, 50);
    QCOMPARE(panel.CardImage().pixelColor(centre), QColor(Qt::white));
    QVERIFY(IsDark(panel.CardImage().pixel(20, 50)));
    MenuItem(shape->ContextMenu(), "Transparent")->trigger();
    QVERIFY(shape->Transparent());
    QCOMPARE(panel.CardImage().pixelColor(centre), QColor(Qt::red));

    interaction.OnExec = [](QDialog& d) {
        static_cast<QColorDialog&>(d).setCurrentColor(QColor(0, 0, 255));
        return int(QDialog::Accepted);
    };
    MenuItem(shape->ContextMenu(), "Background Color")->trigger();
    QVERIFY(!shape->Transparent());
    QCOMPARE(shape->Brush().Color, clBlue);
    QCOMPARE(panel.CardImage().pixelColor(centre), QColor(Qt::blue));

    // Cancel leaves the colour as it was.
    interaction.OnExec = nullptr;
    MenuItem(shape->ContextMenu(), "Line Color")->trigger();
    QCOMPARE(shape->Pen().Color, clBlack);
}

void TestShapes::thickOutlineStaysInside() {
    TGLabelShapes shape;
    shape.SetBounds(0, 0, 100, 60);
    TPen pen;
    pen.Width = 10;
    shape.SetPen(pen);
    QCOMPARE(shape.OutlineBox(), QRect(QPoint(5, 5), QPoint(96, 56)));
    const QImage image = PaintAlone(shape);
    // A ten-pixel stroke along every edge, white inside it.
    for (int x : {0, 9, 90, 99})
        QVERIFY2(IsDark(image.pixel(x, 30)), qPrintable(QString::number(x)));
    for (int x : {10, 89})
        QCOMPARE(image.pixelColor(x, 30), QColor(Qt::white));
    for (int y : {0, 9, 50, 59})
        QVERIFY2(IsDark(image.pixel(50, y)), qPrintable(QString::number(y)));
    for (int y : {10, 49})
        QCOMPARE(image.pixelColor(50, y), QColor(Qt::white));
}

void TestShapes::zoomedPenWidth_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<float>("zoom");
    QTest::addColumn<int>("shape");
    QTest::addColumn<int>("line");
    QTest::newRow("1 at 0.4") << 1 << 0.4f << 1 << 0;
    QTest::newRow("1 at 1.0") << 1 << 1.0f << 1 << 1;
    QTest::newRow("5 at 1.5, half to even") << 5 << 1.5f << 8 << 8;
    QTest::newRow("3 at 0.5, half to even") << 3 << 0.5f << 2 << 2;
    QTest::newRow("10 at 0.25, half to even") << 10 << 0.25f << 2 << 2;
}

void TestShapes::zoomedPenWidth() {
    QFETCH(int, width);
    QFETCH(float, zoom);
    QFETCH(int, shape);
    QFETCH(int, line);
    QCOMPARE(ZoomedPenWidth(width, zoom, true), shape);
    QCOMPARE(ZoomedPenWidth(width, zoom, false), line);

    // Both still draw something: a width of 0 is the one-pixel hairline.
    TGLineShape l;
    l.SetBounds(0, 0, 40, 40);
    l.SetLineStyle(stVertical);
    TPen pen;
    pen.Width = width;
    l.SetPen(pen);
    l.SetZoomField(zoom);
    QVERIFY(IsDark(PaintAlone(l).pixel(0, 20)));
}

void TestShapes::roundedCorners() {
    TGLabelShapes shape;
    shape.SetShape(stRoundRect);
    shape.SetBounds(0, 0, 200, 100);
    QCOMPARE(shape.CornerSize(), 50);
    const QImage image = PaintAlone(shape);
    // The corner is cut: the box corner stays white, the straight edges are drawn.
    QCOMPARE(image.pixelColor(2, 2), QColor(Qt::white));
    QVERIFY(IsDark(image.pixel(100, 0)));
    QVERIFY(IsDark(image.pixel(0, 50)));
    QVERIFY(IsDark(image.pixel(199, 50)));
}

void TestShapes::roundingMenuOnlyForRoundedKinds() {
    for (TShapeType kind : {stRectangle, stRoundRect, stRoundSquare, stEllipse}) {
        TGLabelShapes shape;
        shape.SetShape(kind);
        shape.Loaded();
        const bool rounded = kind == stRoundRect || kind == stRoundSquare;
        QCOMPARE(bool(MenuItem(shape.ContextMenu(), "Degree of Rounding")), rounded);
        if (rounded) {
            MenuItem(shape.ContextMenu(), "70 %")->trigger();
            QCOMPARE(shape.RoundPerc(), 70);
        }
        // A later change of kind does not rebuild the menu.
        shape.SetShape(rounded ? stRectangle : stRoundRect);
        QCOMPARE(bool(MenuItem(shape.ContextMenu(), "Degree of Rounding")), rounded);
    }
    TGLabelShapes shape;
    shape.Loaded();
    MenuItem(shape.ContextMenu(), "7 Point")->trigger();
    QCOMPARE(shape.Pen().Width, 7);
    shape.PopupOpening();
    QVERIFY(MenuItem(shape.ContextMenu(), "7 Point")->isChecked());
    QVERIFY(!MenuItem(shape.ContextMenu(), "1 Point")->isChecked());
}

void TestShapes::streamOrder() {
    QStringList shape, line;
    for (const TPropertyInfo& p : TBCShapes().Properties())
        shape << p.Name;
    for (const TPropertyInfo& p : TGLineShape().Properties())
        line << p.Name;
    QCOMPARE(shape.mid(shape.indexOf("Unselectable") + 1),
             QStringList({"Transparent", "Brush.Color", "Brush.Style", "Pen.Color", "Pen.Mode",
                          "Pen.Style", "Pen.Width", "RoundPerc", "Shape"}));
    QCOMPARE(line.mid(line.indexOf("Unselectable") + 1),
             QStringList({"LineStyle", "Pen.Color", "Pen.Mode", "Pen.Style", "Pen.Width"}));
}

void TestShapes::newLineIsVerticalAndStretches_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<QRect>("stretched");
    QTest::newRow("vertical") << int(stVertical) << QRect(40, 0, 50, 191);
    QTest::newRow("horizontal") << int(stHorizontal) << QRect(0, 30, 343, 15);
    QTest::newRow("angled stays") << int(stAngleSlopingUp) << QRect(40, 30, 50, 15);
}

void TestShapes::newLineIsVerticalAndStretches() {
    QFETCH(int, style);
    QFETCH(QRect, stretched);
    TTestCardPanel panel;
    auto* line = dynamic_cast<TGLineShape*>(panel.Draw(psLine, QRect(40, 30, 10, 5)));
    QVERIFY(line);
    QCOMPARE(line->LineStyle(), stVertical);
    QCOMPARE(line->BoundsRect(), QRect(40, 30, 50, 15)); // the panel's minimum size
    line->SetLineStyle(TLineStyle(style));
    MenuItem(line->ContextMenu(), "Stretch To Edges")->trigger();
    QCOMPARE(line->BoundsRect(), stretched);
}

void TestShapes::stretchNeedsCardPanel() {
    TGBasePanel panel;
    panel.resize(343, 191);
    auto* line = static_cast<TGLineShape*>(panel.AddObject(std::make_unique<TGLineShape>()));
    line->SetBounds(40, 30, 50, 20);
    line->StretchToEdges();
    QCOMPARE(line->BoundsRect(), QRect(40, 30, 50, 20));
}

void TestShapes::diagonalsRunCornerToCorner_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<QLine>("expected");
    QTest::addColumn<QPoint>("inkA");
    QTest::addColumn<QPoint>("inkB");
    QTest::newRow("sloping up") << int(stAngleSlopingUp) << QLine(60, 0, 0, 30) << QPoint(2, 28)
                                << QPoint(57, 1);
    QTest::newRow("sloping down") << int(stAngleSlopingDown) << QLine(0, 0, 60, 30) << QPoint(1, 1)
                                  << QPoint(57, 28);
}

void TestShapes::diagonalsRunCornerToCorner() {
    QFETCH(int, style);
    QFETCH(QLine, expected);
    QFETCH(QPoint, inkA);
    QFETCH(QPoint, inkB);
    TGLineShape line;
    line.SetBounds(0, 0, 60, 30);
    TPen pen;
    pen.Width = 6; // no half-pen inset for the diagonals, however wide the pen
    line.SetPen(pen);
    line.SetLineStyle(TLineStyle(style));
    QCOMPARE(line.ScreenLine(), expected);
    const QImage image = PaintAlone(line);
    QVERIFY(IsDark(image.pixel(inkA)));
    QVERIFY(IsDark(image.pixel(inkB)));
    QVERIFY(IsDark(image.pixel(30, 15)));
}

void TestShapes::printedPenWidths_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("shape");
    QTest::addColumn<int>("line");
    QTest::newRow("1 px") << 1 << -1 << -1;
    QTest::newRow("10 px") << 10 << -10 << -10;
    QTest::newRow("50 px: shapes by the screen resolution") << 50 << -52 << -50;
}

void TestShapes::printedPenWidths() {
    QFETCH(int, width);
    QFETCH(int, shape);
    QFETCH(int, line);
    TPen pen;
    pen.Width = width;
    pen.Mode = pmXor;
    TGLabelShapes s;
    s.SetPen(pen);
    TGLineShape l;
    l.SetPen(pen);
    TPrintProbe probe;
    s.PrintTo(probe.Canvas, 0, 0);
    l.PrintTo(probe.Canvas, 0, 0);
    const auto pens = probe.OfKind(TReportOpKind::SetPen);
    QCOMPARE(pens.size(), size_t(2));
    QCOMPARE(pens[0].Width, shape);
    QCOMPARE(pens[0].Mode, int(pmXor));
    QCOMPARE(pens[1].Width, line);
    QCOMPARE(pens[1].Mode, int(pmCopy)); // lines always print in copy mode
}

void TestShapes::printedShapeGeometry() {
    TGLabelShapes shape;
    shape.SetBounds(96, 48, 192, 96);
    shape.SetTransparent(true);
    shape.SetShape(stRoundSquare);
    TPrintProbe probe;
    shape.PrintTo(probe.Canvas, 1, 2);
    const TReportPage& ops = probe.Ops();
    QCOMPARE(ops.size(), size_t(3));
    QCOMPARE(ops[1].Kind, TReportOpKind::SetBrush);
    QCOMPARE(ops[1].Color, clWhite);
    QCOMPARE(ops[1].Style, int(bsClear));
    // Corners: 25 % of the longer side (2 inches); no pen inset on paper.
    QCOMPARE(ops[2].Kind, TReportOpKind::RoundRect);
    QCOMPARE(ops[2].Rect, (TInchRect{2, 2.5, 4, 3.5}));
    QCOMPARE(ops[2].A, 0.5);
    QCOMPARE(ops[2].B, 0.5);

    shape.SetBounds(96, 48, 96, 192); // taller than wide: the height counts
    shape.SetShape(stRoundRect);
    shape.PrintTo(probe.Canvas, 0, 0);
    QCOMPARE(probe.Ops().back().A, 0.5);
    shape.SetShape(stCircle);
    shape.PrintTo(probe.Canvas, 0, 0);
    QCOMPARE(probe.Ops().back().Kind, TReportOpKind::Ellipse);
    QCOMPARE(probe.Ops().back().Rect, (TInchRect{1, 0.5, 2, 2.5}));
    shape.SetShape(stSquare);
    shape.PrintTo(probe.Canvas, 0, 0);
    QCOMPARE(probe.Ops().back().Kind, TReportOpKind::Rectangle);
    QCOMPARE(probe.Ops().back().Rect, (TInchRect{1, 0.5, 2, 2.5}));
}

void TestShapes::printedLineGeometry_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<QPointF>("from");
    QTest::addColumn<QPointF>("to");
    // Box 96,48 192x96 with a 4-pixel pen: rows are moved down by half the pen (2 px).
    const double top = 0.5 + 2 / 96.0, bottom = 1.5 + 2 / 96.0;
    QTest::newRow("horizontal") << int(stHorizontal) << QPointF(1, top) << QPointF(3, top);
    QTest::newRow("vertical") << int(stVertical) << QPointF(1, top) << QPointF(1, bottom);
    QTest::newRow("sloping up") << int(stAngleSlopingUp) << QPointF(1, bottom) << QPointF(3, top);
    QTest::newRow("sloping down") << int(stAngleSlopingDown) << QPointF(1, top)
                                  << QPointF(3, bottom);
}

void TestShapes::printedLineGeometry() {
    QFETCH(int, style);
    QFETCH(QPointF, from);
    QFETCH(QPointF, to);
    TGLineShape line;
    line.SetBounds(96, 48, 192, 96);
    TPen pen;
    pen.Width = 4;
    line.SetPen(pen);
    line.SetLineStyle(TLineStyle(style));
    TPrintProbe probe;
    line.PrintTo(probe.Canvas, 0, 0);
    const TReportPage& ops = probe.Ops();
    QCOMPARE(ops.size(), size_t(3));
    QCOMPARE(ops[1].Kind, TReportOpKind::MoveTo);
    QCOMPARE(QPointF(ops[1].A, ops[1].B), from);
    QCOMPARE(ops[2].Kind, TReportOpKind::LineTo);
    QCOMPARE(QPointF(ops[2].A, ops[2].B), to);
}

namespace {

QByteArray streamOf(TGGraphicControl& object) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TGLabelObjectFiler::WriteObjects(buffer, {&object});
    return buffer.data();
}

} // namespace

void TestShapes::roundTripThroughObjectStream_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("shape") << "TBCShapes";
    QTest::newRow("old shape class") << "TGLabelShapes";
    QTest::newRow("line") << "TGLineShape";
    QTest::newRow("multi-line text, AutoSize and word wrap") << "TGMultiLineLabel";
}

void TestShapes::roundTripThroughObjectStream() {
    QFETCH(QString, kind);
    TGBasePanel panel;
    std::unique_ptr<TGGraphicControl> object = TClassRegistry::Create(kind);
    QVERIFY(object);
    object->SetBounds(12, 14, 150, 60);
    if (auto* shape = dynamic_cast<TGLabelShapes*>(object.get())) {
        shape->SetShape(stRoundSquare);
        shape->SetRoundPerc(60);
        shape->SetTransparent(true);
        TPen pen;
        pen.Width = 7;
        pen.Color = clRed;
        shape->SetPen(pen);
    } else if (auto* line = dynamic_cast<TGLineShape*>(object.get())) {
        line->SetLineStyle(stAngleSlopingDown);
        TPen pen;
        pen.Style = psDot;
        line->SetPen(pen);
    } else if (auto* text = dynamic_cast<TGMultiLineLabel*>(object.get())) {
        text->SetItems({"Pentavo Cards Ltd, 12 Long Street", "", "Phone 555 0100"});
        text->SetAutoSize(true);
        text->SetAlignment(taCenter);
        text->SetWordWrap(true);
    }
    const QByteArray bytes = streamOf(*object);
    int changes = 0;
    panel.LabelChangedEvent = [&](TGBasePanel*) { ++changes; };
    TGLabelObjectFiler filer(panel);
    const auto read = filer.ReadObjects(bytes.constData(), bytes.size());
    QCOMPARE(changes, 0); // reading a design does not change it
    QCOMPARE(read.size(), size_t(1));
    QCOMPARE(read[0]->ClassName(), kind);
    for (const TPropertyInfo& p : object->Properties())
        QCOMPARE(p.Get(*read[0]), p.Get(*object));
    read[0]->SetName(object->Name()); // read objects are renamed
    QCOMPARE(streamOf(*read[0]), bytes);
    // A word-wrapped text is wrapped as soon as it is read.
    if (auto* text = dynamic_cast<TGMultiLineLabel*>(read[0]))
        QVERIFY(text->WrappedLines().size() > 3);
}

QTEST_MAIN(TestShapes)
#include "test_shapes.moc"
