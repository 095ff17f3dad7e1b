#include "support/TestObjects.h"
#include "support/TestSupport.h"

#include "surface/BusinessCardPanel.h"
#include "surface/Handle.h"

#include <QApplication>
#include <QMenu>
#include <QtTest>

namespace {

// A card panel shown as its own window, driven by mouse and keys through that window, so
// that events reach whichever of panel and frame lies under the mouse or holds it.
struct TCard {
    TTestProgramFolder Folder;
    TGBusinessCardPanel32 Panel;
    TGHandle* Frame = Panel.Handle();
    TScriptedClock Clock;

    TCard() {
        QuietGrabWarnings();
        Panel.resize(343, 191);
        Panel.show();
        Panel.activateWindow();
    }
    bool Ready() { return QTest::qWaitForWindowActive(&Panel); }

    QWindow* Window() { return Panel.windowHandle(); }
    void Press(QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {}) {
        QTest::mousePress(Window(), b, m, p);
    }
    void Move(QPoint p) { QTest::mouseMove(Window(), p); }
    void Release(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mouseRelease(Window(), b, {}, p);
    }
    // Press, hold long enough to count as a drag, move, release. A press on a selected object
    // starts the drag at once; a press that selects the object starts it at the first move
    // after 10 ms, so that press lies a pixel before the drag's start.
    void Drag(QPoint from, QPoint to, bool pressSelects = false) {
        Press(pressSelects ? from - QPoint(1, 0) : from);
        Clock.Advance(20);
        if (pressSelects)
            Move(from);
        Move(to);
        Clock.Advance(200);
        Release(to);
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers m = {}, bool press = true, bool repeat = false) {
        QKeyEvent e(press ? QEvent::KeyPress : QEvent::KeyRelease, key, m, QString(), repeat);
        QApplication::sendEvent(QApplication::focusWidget(), &e);
    }
    Qt::CursorShape FrameCursor() const { return Frame->cursor().shape(); }
    void CloseMenus() {
        while (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    }
    // The 100 x 20 object at (10, 10), selected.
    TBlock* AddSelectedBlock() {
        TBlock* o = AddBlock(Panel, 10, 10, 100, 20);
        Frame->Add(o);
        return o;
    }
};

} // namespace

class TestSelectionFrame : public QObject {
    Q_OBJECT
private slots:
    void frameFitsSelection();
    void pressSelectsAndDrags_data();
    void pressSelectsAndDrags();
    void zoneUnderMouse_data();
    void zoneUnderMouse();
    void resizeByZone_data();
    void resizeByZone();
    void quickClickMovesNothing();
    void severalMoveTogether_data();
    void severalMoveTogether();
    void dragOutlineWithoutRepaintingObjects();
    void keyboardNudge();
    void rightClickMenus_data();
    void rightClickMenus();
    void doubleClickRunsAction();
    void shiftClickDeselectsWithoutMoving();
    void drawingToolDrawsThroughFrame();
    void restacking();
};

void TestSelectionFrame::frameFitsSelection() {
    TCard c;
    TBlock* a = AddBlock(c.Panel, 10, 10, 100, 20);
    TBlock* b = AddBlock(c.Panel, 200, 100, 20, 30);
    c.Frame->Add(a);
    QVERIFY(c.Frame->isVisible());
    QCOMPARE(c.Frame->geometry(), QRect(8, 8, 105, 25));
    c.Frame->Refit();
    QCOMPARE(c.Frame->geometry(), QRect(8, 8, 106, 26));
    // Adding grows the frame to the union, 3 pixels right and below; removing refits to 5.
    c.Frame->Add(b);
    QCOMPARE(c.Frame->geometry(), QRect(8, 8, 220 - 8 + 3, 130 - 8 + 3));
    c.Frame->Remove(a);
    QCOMPARE(c.Frame->geometry(), QRect(198, 98, 25, 35));
    QCOMPARE(c.Frame->Items(0), b);
    QCOMPARE(c.Frame->Items(1), nullptr);
    QCOMPARE(c.Frame->Items(-1), nullptr);
    c.Frame->Remove(b);
    QVERIFY(!c.Frame->isVisible());
    // Unselectable objects are never taken.
    a->SetUnselectable(true);
    c.Frame->Add(a);
    QCOMPARE(c.Frame->Count(), 0);
}

void TestSelectionFrame::pressSelectsAndDrags_data() {
    QTest::addColumn<bool>("preselected");
    QTest::addColumn<bool>("snap");
    QTest::addColumn<int>("grid");
    QTest::addColumn<QPoint>("objectAfter");
    QTest::addColumn<int>("frameLeftAfter");
    // Frame Left 8 dragged by +17 snaps to 24; the object lies 2 inside at 26.
    QTest::newRow("free") << false << false << int(gs4x4) << QPoint(27, 19) << 25;
    QTest::newRow("free, already selected") << true << false << int(gs4x4) << QPoint(27, 19) << 25;
    QTest::newRow("snapped to 4") << false << true << int(gs4x4) << QPoint(26, 18) << 24;
    QTest::newRow("snapped to 8") << true << true << int(gs8x8) << QPoint(26, 18) << 24;
    QTest::newRow("8 grid, not snapping") << true << false << int(gs8x8) << QPoint(27, 19) << 25;
}

void TestSelectionFrame::pressSelectsAndDrags() {
    QFETCH(bool, preselected);
    QFETCH(bool, snap);
    QFETCH(int, grid);
    QFETCH(QPoint, objectAfter);
    QFETCH(int, frameLeftAfter);
    TCard c;
    QVERIFY(c.Ready());
    // Through the other size first, so that the frame sees the step change.
    c.Panel.SetGridSize(grid == gs4x4 ? gs8x8 : gs4x4);
    c.Panel.SetGridSize(TGridSize(grid));
    c.Panel.SetSnapToGrid(snap);
    TBlock* o = AddBlock(c.Panel, 10, 10, 100, 20);
    int changes = 0;
    c.Panel.LabelChangedEvent = [&](TGBasePanel*) { ++changes; };
    if (preselected)
        c.Frame->Add(o);
    c.Drag(QPoint(50, 20), QPoint(67, 29), !preselected);
    QCOMPARE(c.Frame->Selection(), std::vector<TGGraphicControl*>{o});
    QCOMPARE(o->BoundsRect().topLeft(), objectAfter);
    QCOMPARE(o->BoundsRect().size(), QSize(100, 20));
    QCOMPARE(c.Frame->x(), frameLeftAfter);
    QVERIFY(changes > 0);
    QVERIFY(!c.Frame->Dragging());
    // The moved object asks for a refit once events have run.
    QCoreApplication::processEvents();
    QCOMPARE(c.Frame->geometry(), o->BoundsRect().adjusted(-2, -2, 4, 4));
}

void TestSelectionFrame::zoneUnderMouse_data() {
    QTest::addColumn<QPoint>("at"); // in the frame, which lies at (8, 8) 106 x 26
    QTest::addColumn<bool>("two");
    QTest::addColumn<int>("zone");
    QTest::addColumn<int>("cursor");
    QTest::newRow("middle") << QPoint(30, 12) << false << 0 << int(Qt::OpenHandCursor);
    QTest::newRow("top-left") << QPoint(2, 2) << false << 1 << int(Qt::SizeFDiagCursor);
    QTest::newRow("top-right") << QPoint(103, 1) << false << 2 << int(Qt::SizeBDiagCursor);
    QTest::newRow("bottom-left") << QPoint(1, 24) << false << 3 << int(Qt::SizeBDiagCursor);
    QTest::newRow("bottom-right") << QPoint(104, 24) << false << 4 << int(Qt::SizeFDiagCursor);
    QTest::newRow("top edge") << QPoint(55, 3) << false << 5 << int(Qt::SizeVerCursor);
    QTest::newRow("left edge") << QPoint(3, 14) << false << 6 << int(Qt::SizeHorCursor);
    QTest::newRow("bottom edge") << QPoint(50, 22) << false << 7 << int(Qt::SizeVerCursor);
    QTest::newRow("right edge") << QPoint(100, 10) << false << 8 << int(Qt::SizeHorCursor);
    QTest::newRow("just off the top edge")
        << QPoint(46, 3) << false << 0 << int(Qt::OpenHandCursor);
    QTest::newRow("corner of two selected") << QPoint(2, 2) << true << 0 << int(Qt::OpenHandCursor);
}

void TestSelectionFrame::zoneUnderMouse() {
    QFETCH(QPoint, at);
    QFETCH(bool, two);
    QFETCH(int, zone);
    QFETCH(int, cursor);
    TCard c;
    QVERIFY(c.Ready());
    c.AddSelectedBlock();
    if (two) {
        // The second object lies inside the frame, so the frame keeps its bounds.
        c.Frame->Add(AddBlock(c.Panel, 40, 12, 10, 10));
    }
    c.Frame->Refit();
    QCOMPARE(c.Frame->geometry(), QRect(8, 8, 106, 26));
    c.Move(at + QPoint(8, 8));
    QCOMPARE(c.Frame->Zone(), zone);
    QCOMPARE(int(c.FrameCursor()), cursor);
    // A locked frame forbids dragging wherever the mouse is.
    c.Frame->SetLocked(true);
    c.Move(QPoint(40, 21));
    QCOMPARE(c.FrameCursor(), Qt::ForbiddenCursor);
}

void TestSelectionFrame::resizeByZone_data() {
    QTest::addColumn<QPoint>("grab"); // in the frame at (8, 8) 105 x 25
    QTest::addColumn<QPoint>("by");
    QTest::addColumn<QRect>("object"); // from (10, 10) 100 x 20
    // Right and bottom come out one pixel short of the mouse (width = snapped - 1).
    QTest::newRow("bottom-right") << QPoint(103, 23) << QPoint(20, 10) << QRect(10, 10, 119, 29);
    QTest::newRow("top-left") << QPoint(1, 1) << QPoint(-5, -4) << QRect(5, 6, 105, 24);
    QTest::newRow("right edge") << QPoint(103, 12) << QPoint(-30, 40) << QRect(10, 10, 69, 20);
    QTest::newRow("top edge") << QPoint(52, 1) << QPoint(30, 6) << QRect(10, 16, 100, 14);
    // The frame never gets smaller than 5 x 5; the object inside then has no area.
    QTest::newRow("past the opposite corner")
        << QPoint(1, 1) << QPoint(150, 60) << QRect(160, 70, 0, 0);
}

void TestSelectionFrame::resizeByZone() {
    QFETCH(QPoint, grab);
    QFETCH(QPoint, by);
    QFETCH(QRect, object);
    TCard c;
    QVERIFY(c.Ready());
    TBlock* o = c.AddSelectedBlock();
    const QPoint from = grab + QPoint(8, 8);
    c.Move(from);
    QVERIFY(c.Frame->Zone() != 0);
    c.Press(from);
    c.Move(from + by);
    c.Clock.Advance(200);
    c.Release(from + by);
    QCOMPARE(o->BoundsRect(), object);
    QVERIFY(c.Frame->width() >= 5 && c.Frame->height() >= 5);
}

void TestSelectionFrame::quickClickMovesNothing() {
    TCard c;
    QVERIFY(c.Ready());
    TBlock* o = c.AddSelectedBlock();
    c.Press(QPoint(50, 20));
    c.Move(QPoint(150, 120));
    QVERIFY(c.Frame->Dragging());
    c.Clock.Advance(149);
    c.Release(QPoint(150, 120));
    QCOMPARE(o->BoundsRect(), QRect(10, 10, 100, 20));
    QVERIFY(c.Frame->Outline().isNull());
}

void TestSelectionFrame::severalMoveTogether_data() {
    QTest::addColumn<bool>("lockSecond");
    QTest::newRow("both free") << false;
    QTest::newRow("second locked") << true;
}

void TestSelectionFrame::severalMoveTogether() {
    QFETCH(bool, lockSecond);
    TCard c;
    QVERIFY(c.Ready());
    TBlock* a = AddBlock(c.Panel, 10, 10, 100, 20);
    TBlock* b = AddBlock(c.Panel, 150, 60, 30, 30);
    b->SetLocked(lockSecond);
    c.Frame->Add(a);
    c.Frame->Add(b);
    // Over the frame's corner the zone stays 0: several objects can only be moved.
    c.Move(QPoint(9, 9));
    QCOMPARE(c.Frame->Zone(), 0);
    QCOMPARE(c.FrameCursor(), Qt::OpenHandCursor);
    c.Drag(QPoint(9, 9), QPoint(29, 14));
    QCOMPARE(a->BoundsRect(), QRect(30, 15, 100, 20));
    QCOMPARE(b->BoundsRect(), lockSecond ? QRect(150, 60, 30, 30) : QRect(170, 65, 30, 30));
}

void TestSelectionFrame::dragOutlineWithoutRepaintingObjects() {
    TCard c;
    QVERIFY(c.Ready());
    TBlock* o = AddBlock(c.Panel, 10, 10, 100, 20);
    TBlock* other = AddBlock(c.Panel, 100, 100, 50, 50);
    c.Frame->Add(o);
    c.Panel.repaint();
    const int paints = o->Paints + other->Paints;
    c.Press(QPoint(50, 20));
    for (int step = 1; step <= 10; ++step) {
        c.Move(QPoint(50 + step * 3, 20 + step * 2));
        c.Panel.repaint();
    }
    // The outline covers the objects' area at the new place: frame (38, 28) 105 x 25.
    QCOMPARE(c.Frame->Outline(), QRect(QPoint(40, 30), QPoint(139, 49)));
    QCOMPARE(o->Paints + other->Paints, paints);
    // The screen shows the outline inverted over the card, the card itself unchanged.
    // On screen the dotted outline inverts the white card along those edges only.
    const QImage shown = c.Panel.grab().toImage();
    auto dark = [&](int x, int y) { return qGray(shown.pixel(x, y)) < 128; };
    QVERIFY(dark(41, 30) && !dark(42, 30) && dark(40, 31) && dark(138, 49) && dark(139, 48));
    QVERIFY(!dark(60, 40) && !dark(141, 49) && !dark(139, 51) && !dark(38, 31));
    c.Clock.Advance(200);
    c.Release(QPoint(80, 40));
    QVERIFY(c.Frame->Outline().isNull());
    QCOMPARE(o->BoundsRect().topLeft(), QPoint(40, 30));
}

void TestSelectionFrame::keyboardNudge() {
    TCard c;
    QVERIFY(c.Ready());
    TBlock* o = c.AddSelectedBlock();
    c.Frame->Refit();
    QCOMPARE(QApplication::focusWidget(), c.Frame);
    // Shift+Left held: a press and two repeats, each repeat with its auto-repeat release.
    c.Key(Qt::Key_Left, Qt::ShiftModifier);
    c.Key(Qt::Key_Left, Qt::ShiftModifier, false, true);
    c.Key(Qt::Key_Left, Qt::ShiftModifier, true, true);
    c.Key(Qt::Key_Left, Qt::ShiftModifier, false, true);
    c.Key(Qt::Key_Left, Qt::ShiftModifier, true, true);
    QCOMPARE(o->Width(), 100); // nothing moves until the key comes up
    QCOMPARE(c.Frame->Outline(), QRect(QPoint(10, 10), QPoint(107, 30)));
    c.Key(Qt::Key_Left, Qt::ShiftModifier, false);
    QCOMPARE(o->BoundsRect(), QRect(10, 10, 97, 20));
    QVERIFY(c.Frame->Outline().isNull());
    // Plain arrows move; at the left edge of the card Left does nothing.
    c.Key(Qt::Key_Down);
    c.Key(Qt::Key_Down, {}, false);
    QCOMPARE(o->BoundsRect(), QRect(10, 11, 97, 20));
    o->SetLeft(0);
    c.Frame->Refit();
    c.Key(Qt::Key_Left);
    c.Key(Qt::Key_Left, {}, false);
    QCOMPARE(o->Left(), 0);
}

void TestSelectionFrame::rightClickMenus_data() {
    QTest::addColumn<bool>("two");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<bool>("objectMenu");
    QTest::newRow("on the one selected object") << false << QPoint(50, 20) << true;
    // The refit frame reaches 4 pixels right of the object; marks reach 2.
    QTest::newRow("frame beside the object") << false << QPoint(113, 20) << false;
    QTest::newRow("two selected") << true << QPoint(50, 20) << false;
    QTest::newRow("empty card") << false << QPoint(300, 150) << false;
}

void TestSelectionFrame::rightClickMenus() {
    QFETCH(bool, two);
    QFETCH(QPoint, at);
    QFETCH(bool, objectMenu);
    TCard c;
    QVERIFY(c.Ready());
    TBlock* o = c.AddSelectedBlock();
    if (two)
        c.Frame->Add(AddBlock(c.Panel, 150, 60, 30, 30));
    c.Frame->Refit();
    c.Move(at);
    c.Press(at, Qt::RightButton);
    QCOMPARE(o->ContextMenu()->isVisible(), objectMenu);
    QCOMPARE(c.Panel.ContextMenu()->isVisible(), !objectMenu);
    c.CloseMenus();
    c.Release(at, Qt::RightButton);
}

void TestSelectionFrame::doubleClickRunsAction() {
    TCard c;
    QVERIFY(c.Ready());
    TBlock* o = AddBlock(c.Panel, 10, 10, 100, 20);
    int runs = 0;
    o->DoubleClickAction = [&](TGBasePanel*) { ++runs; };
    QTest::mouseDClick(c.Window(), Qt::LeftButton, {}, QPoint(50, 20));
    QCOMPARE(runs, 1);
    // The next move ends the drag the second press began; nothing moves afterwards.
    c.Clock.Advance(500);
    c.Move(QPoint(90, 60));
    QVERIFY(!c.Frame->Dragging());
    QCOMPARE(o->BoundsRect(), QRect(10, 10, 100, 20));
    // Without an action, the object's menu opens.
    o->DoubleClickAction = nullptr;
    QTest::mouseDClick(c.Window(), Qt::LeftButton, {}, QPoint(50, 20));
    QVERIFY(o->ContextMenu()->isVisible());
    c.CloseMenus();
}

void TestSelectionFrame::shiftClickDeselectsWithoutMoving() {
    TCard c;
    QVERIFY(c.Ready());
    TBlock* a = AddBlock(c.Panel, 10, 10, 100, 20);
    TBlock* b = AddBlock(c.Panel, 150, 60, 30, 30);
    c.Frame->Add(a);
    c.Frame->Add(b);
    c.Press(QPoint(50, 20), Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(c.Frame->Selection(), std::vector<TGGraphicControl*>{b});
    // Held past the click time: the frame moved under the mouse, yet nothing follows it.
    c.Clock.Advance(300);
    c.Move(QPoint(52, 21));
    c.Release(QPoint(52, 21));
    QCOMPARE(b->BoundsRect(), QRect(150, 60, 30, 30));
    QCOMPARE(a->BoundsRect(), QRect(10, 10, 100, 20));
}

void TestSelectionFrame::drawingToolDrawsThroughFrame() {
    TGBusinessCardPanel32::RegisterTool(
        psRectangle, {[](TGBusinessCardPanel32&) { return std::make_unique<TBlock>(); }, {}});
    TCard c;
    QVERIFY(c.Ready());
    TBlock* o = c.AddSelectedBlock();
    c.Panel.SetPanelState(psRectangle);
    c.Press(QPoint(20, 15));
    c.Move(QPoint(80, 40));
    QCOMPARE(c.Panel.RubberBand(), QRect(QPoint(20, 15), QPoint(80, 40)));
    c.Release(QPoint(80, 40));
    QCOMPARE(c.Panel.Objects().size(), size_t(2));
    QCOMPARE(c.Panel.Objects().back()->BoundsRect(), QRect(20, 15, 60, 25));
    QCOMPARE(o->BoundsRect(), QRect(10, 10, 100, 20));
}

void TestSelectionFrame::restacking() {
    TCard c;
    TBlock* a = AddBlock(c.Panel, 0, 0, 10, 10);
    TBlock* b = AddBlock(c.Panel, 0, 0, 10, 10);
    TBlock* d = AddBlock(c.Panel, 0, 0, 10, 10);
    using List = std::vector<TGGraphicControl*>;
    c.Frame->Add(b);
    c.Frame->Add(a);
    c.Frame->BringSelectionToFront();
    QCOMPARE(c.Panel.Objects(), (List{d, b, a}));
    c.Frame->SendSelectionToBack();
    QCOMPARE(c.Panel.Objects(), (List{a, b, d}));
    // A locked frame leaves the order alone.
    c.Frame->SetLocked(true);
    c.Frame->BringSelectionToFront();
    QCOMPARE(c.Panel.Objects(), (List{a, b, d}));
}

QTEST_MAIN(TestSelectionFrame)
#include "test_selection_frame.moc"
