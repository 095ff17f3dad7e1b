#include "support/TestSupport.h"

#include "surface/BusinessCardPanel.h"
#include "surface/ClassRegistry.h"
#include "surface/GraphicControl.h"
#include "surface/Handle.h"

#include <QPainter>
#include <QtTest>

namespace {

// A plain object that counts how often it reported its bounds.
class TProbe : public TGGraphicControl {
public:
    QString ClassName() const override { return QStringLiteral("TProbe"); }
    void BoundsChanged() override {
        ++BoundsCalls;
        TGGraphicControl::BoundsChanged();
    }
    int BoundsCalls = 0;
};

TProbe* addProbe(TGBasePanel& panel, int l, int t, int w, int h) {
    auto* p = static_cast<TProbe*>(panel.AddObject(std::make_unique<TProbe>()));
    p->SetBounds(l, t, w, h);
    return p;
}

} // namespace

class TestGraphicControl : public QObject {
    Q_OBJECT
private slots:
    void zoomRoundsAndReturns();
    void firstBoundsAreSilentLaterOnesNotify();
    void printingAndZoomingSuppressChanges();
    void selectionMarksSquares_data();
    void selectionMarksSquares();
    void centerVertically();
    void panelZoomHalfEven();
    void gridDots_data();
    void gridDots();
    void outlineFollowsCardShape();
    void uniqueNames();
    void strayObjects();
    void rubberBandSelection();
    void drawnObjectMinimumSize_data();
    void drawnObjectMinimumSize();
};

void TestGraphicControl::zoomRoundsAndReturns() {
    TGBasePanel panel;
    TProbe* o = addProbe(panel, 10, 10, 100, 20);
    const int calls = o->BoundsCalls;
    o->SetZoom(1.0f);
    QCOMPARE(o->BoundsCalls, calls);
    o->SetZoom(1.5f);
    QCOMPARE(o->BoundsRect(), QRect(15, 15, 150, 30));
    o->SetZoom(1.0f);
    QCOMPARE(o->BoundsRect(), QRect(10, 10, 100, 20));
    // Halves round to even: 5 * 1.5 = 7.5 -> 8, 3 * 1.5 = 4.5 -> 4.
    o->SetBounds(5, 3, 100, 20);
    o->SetZoom(1.5f);
    QCOMPARE(o->Left(), 8);
    QCOMPARE(o->Top(), 4);
}

void TestGraphicControl::firstBoundsAreSilentLaterOnesNotify() {
    TGBasePanel panel;
    int changes = 0;
    panel.LabelChangedEvent = [&](TGBasePanel*) { ++changes; };
    TProbe* o = addProbe(panel, 10, 10, 100, 20);
    QCOMPARE(changes, 0);
    o->SetLeft(11);
    QCOMPARE(changes, 1);
    // Reading from a stream stores bounds without reporting them.
    o->SetReading(true);
    o->SetLeft(30);
    o->SetReading(false);
    QCOMPARE(changes, 1);
    // An object squeezed to no size and drawn out again changed twice: only never-seen,
    // all-zero bounds are taken silently.
    o->SetBounds(40, 12, 0, 0);
    QCOMPARE(changes, 2);
    o->SetBounds(40, 12, 60, 20);
    QCOMPARE(changes, 3);
}

void TestGraphicControl::printingAndZoomingSuppressChanges() {
    TGBasePanel panel;
    panel.resize(343, 191);
    int changes = 0;
    panel.LabelChangedEvent = [&](TGBasePanel*) { ++changes; };
    TProbe* o = addProbe(panel, 10, 10, 100, 20);
    panel.SetPrinting(true);
    o->SetLeft(40);
    o->SetLocked(true);
    QCOMPARE(changes, 0);
    panel.SetPrinting(false);
    panel.SetZoom(1.5f);
    QCOMPARE(changes, 0);
    QCOMPARE(o->BoundsRect(), QRect(60, 15, 150, 30));
}

void TestGraphicControl::selectionMarksSquares_data() {
    QTest::addColumn<bool>("single");
    QTest::newRow("one selected: eight marks") << true;
    QTest::newRow("two selected: four corner marks") << false;
}

void TestGraphicControl::selectionMarksSquares() {
    QFETCH(bool, single);
    TGBasePanel panel;
    TProbe* o = addProbe(panel, 10, 10, 100, 20);
    panel.Handle()->Add(o);
    if (!single)
        panel.Handle()->Add(addProbe(panel, 200, 100, 10, 10));
    QImage img(200, 60, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        o->DrawSelectionMarks(p);
    }
    const QRgb mark = single ? qRgb(0, 0, 0) : qRgb(128, 128, 128);
    auto isMark = [&](int x, int y) { return img.pixel(x, y) == mark; };
    // R = (8, 8, 112, 32): corners cover x 8..12 and 107..111.
    QVERIFY(isMark(8, 8) && isMark(12, 12) && !isMark(13, 8) && !isMark(8, 13));
    QVERIFY(isMark(107, 8) && isMark(111, 12) && !isMark(106, 8) && !isMark(112, 8));
    QVERIFY(isMark(8, 27) && isMark(111, 31) && !isMark(8, 32));
    // Mid-edge squares: x 58..62 (hx = 52), y 18..22 (hy = 12).
    QCOMPARE(isMark(58, 8), single);
    QCOMPARE(isMark(62, 31), single);
    QCOMPARE(isMark(8, 18), single);
    QCOMPARE(isMark(111, 22), single);
    QVERIFY(!isMark(57, 8) && !isMark(63, 8));
}

void TestGraphicControl::centerVertically() {
    TGBasePanel panel;
    panel.resize(343, 191);
    TProbe* o = addProbe(panel, 10, 10, 100, 21);
    o->CenterVertically();
    QCOMPARE(o->Top(), 85);
    o->CenterHorizontally();
    QCOMPARE(o->Left(), 171 - 50);
}

void TestGraphicControl::panelZoomHalfEven() {
    TGBasePanel panel;
    panel.resize(343, 191);
    panel.SetZoom(1.1f);
    QCOMPARE(panel.size(), QSize(377, 210));
    QCOMPARE(panel.Zoom(), 1.1f);
}

void TestGraphicControl::gridDots_data() {
    QTest::addColumn<int>("grid");
    QTest::addColumn<int>("step");
    QTest::newRow("4x4") << int(gs4x4) << 4;
    QTest::newRow("8x8") << int(gs8x8) << 8;
}

void TestGraphicControl::gridDots() {
    QFETCH(int, grid);
    QFETCH(int, step);
    TGBasePanel panel;
    panel.resize(343, 191);
    panel.SetShape(lsRectangle);
    panel.SetGridSize(TGridSize(grid));
    panel.SetShowGrid(true);
    const QImage img = panel.CardImage();
    const QRgb dot = qRgb(0, 128, 0);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool expected = x % step == 2 && y % step == 2;
            QVERIFY2((img.pixel(x, y) == dot) == expected,
                     qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
        }
}

void TestGraphicControl::outlineFollowsCardShape() {
    TGBasePanel panel;
    panel.resize(343, 191);
    panel.SetDrawOutline(true);
    auto dark = [](QRgb c) { return qGray(c) < 128; };
    panel.SetShape(lsRectangle);
    QImage img = panel.CardImage();
    QVERIFY(dark(img.pixel(0, 0)) && dark(img.pixel(342, 190)));
    QVERIFY(!dark(img.pixel(1, 1)));
    panel.SetShape(lsRoundRect);
    img = panel.CardImage();
    QVERIFY(!dark(img.pixel(0, 0)));
    QVERIFY(dark(img.pixel(0, 96)) || dark(img.pixel(0, 95)));
    panel.SetShape(lsEllipse);
    img = panel.CardImage();
    QVERIFY(!dark(img.pixel(0, 0)) && !dark(img.pixel(20, 20)));
    QVERIFY(dark(img.pixel(171, 0)) || dark(img.pixel(170, 0)));
}

void TestGraphicControl::uniqueNames() {
    TGBasePanel panel;
    addProbe(panel, 0, 0, 10, 10)->SetName("Special1");
    addProbe(panel, 0, 0, 10, 10)->SetName("SPECIAL2");
    QCOMPARE(panel.UniqueName("Special"), QStringLiteral("Special3"));
    panel.DeleteObject(panel.FindObject("special1"));
    QCOMPARE(panel.UniqueName("Special"), QStringLiteral("Special1"));
}

void TestGraphicControl::strayObjects() {
    TGBasePanel panel;
    panel.resize(343, 191);
    TProbe* beyond = addProbe(panel, 334, 10, 5, 5);
    TProbe* inside = addProbe(panel, 333, 10, 5, 5);
    TProbe* flat = addProbe(panel, 10, 10, 0, 5);
    Q_UNUSED(beyond);
    Q_UNUSED(flat);
    panel.RemoveStrayObjects();
    QCOMPARE(panel.Objects().size(), size_t(1));
    QCOMPARE(panel.Objects().front(), inside);
}

void TestGraphicControl::rubberBandSelection() {
    TGBasePanel panel;
    panel.resize(343, 191);
    TProbe* a = addProbe(panel, 60, 30, 20, 20);
    TProbe* b = addProbe(panel, 250, 150, 20, 20);
    // Dragged from bottom-right to top-left: the band is normalised.
    QTest::mousePress(&panel, Qt::LeftButton, {}, QPoint(200, 100));
    QTest::mouseMove(&panel, QPoint(50, 20));
    QTest::mouseRelease(&panel, Qt::LeftButton, {}, QPoint(50, 20));
    QCOMPARE(panel.Handle()->Selection(), std::vector<TGGraphicControl*>{a});
    // Shift over a selected object deselects it, over an unselected one adds it.
    panel.SelectInRect(QRect(QPoint(55, 25), QPoint(300, 180)), true);
    QCOMPARE(panel.Handle()->Selection(), std::vector<TGGraphicControl*>{b});
    // A click without drag deselects everything.
    panel.SelectInRect(QRect(QPoint(60, 30), QPoint(59, 29)), false);
    QCOMPARE(panel.Handle()->Count(), 0);
}

void TestGraphicControl::drawnObjectMinimumSize_data() {
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QRect>("bounds");
    QTest::newRow("click") << QPoint(40, 30) << QPoint(40, 30) << QRect(40, 30, 50, 15);
    QTest::newRow("20 x 10 drag") << QPoint(40, 30) << QPoint(60, 40) << QRect(40, 30, 50, 15);
    QTest::newRow("30 x 12 drag") << QPoint(40, 30) << QPoint(70, 42) << QRect(40, 30, 30, 15);
}

void TestGraphicControl::drawnObjectMinimumSize() {
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QRect, bounds);
    TGBusinessCardPanel32::RegisterTool(
        psRectangle, {[](TGBusinessCardPanel32&) { return std::make_unique<TProbe>(); }, {}});
    TGBusinessCardPanel32 panel;
    panel.resize(343, 191);
    panel.SetPanelState(psRectangle);
    QRect dropped;
    panel.DroppedObjectEvent = [&](QRect& r) { dropped = r; };
    QTest::mousePress(&panel, Qt::LeftButton, {}, from);
    QTest::mouseMove(&panel, to);
    QTest::mouseRelease(&panel, Qt::LeftButton, {}, to);
    QCOMPARE(panel.Objects().size(), size_t(1));
    QCOMPARE(panel.Objects().front()->BoundsRect(), bounds);
    QCOMPARE(panel.Objects().front()->Name(), QStringLiteral("Special1"));
    QCOMPARE(dropped, bounds);
}

QTEST_MAIN(TestGraphicControl)
#include "test_graphic_control.moc"
