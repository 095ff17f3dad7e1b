#include "support/AllTypesObject.h"
#include "support/ObjectTestSupport.h"
#include "support/TestObjects.h"
#include "support/TestSupport.h"

#include "app/ObjectKinds.h"
#include "surface/Handle.h"
#include "surface/PanelMenu.h"
#include "surface/UndoHistory.h"

#include <QApplication>
#include <QColorDialog>
#include <QtTest>

namespace {

// A shown card with three rectangles drawn at 100 % and then shown at the given zoom; the
// history starts from there. Positions at 100 % are even, so they are whole pixels at 150 %.
struct TCard {
    TTestProgramFolder Folder;
    TScriptedInteraction Script;
    TScriptedClock Clock;
    TTestCardPanel Panel;
    TGHandle* Frame = Panel.Handle();
    TUndoHistory& History = *Panel.History();
    TGGraphicControl* A = nullptr;
    TGGraphicControl* B = nullptr;
    TGGraphicControl* C = nullptr;

    explicit TCard(float zoom = 1.0f) {
        QuietGrabWarnings();
        Panel.show();
        Panel.activateWindow();
        A = Panel.Draw(psRectangle, QRect(20, 20, 60, 30));
        B = Panel.Draw(psRoundRectangle, QRect(100, 40, 50, 40));
        C = Panel.Draw(psEllipse, QRect(160, 100, 80, 50));
        Panel.SetPanelState(psPointing);
        Panel.SetZoom(zoom);
        History.Clear();
    }
    bool Ready() { return QTest::qWaitForWindowActive(&Panel); }

    // The design file the panel writes now.
    QByteArray Design() {
        const QString path = Folder.Path() + QStringLiteral("design.ptv");
        Panel.SaveToFile(path);
        return ReadTestFile(path);
    }
    std::vector<QRect> Bounds() const {
        std::vector<QRect> list;
        for (const TGGraphicControl* o : Panel.Objects())
            list.push_back(o->BoundsRect());
        return list;
    }
    QStringList Names() const {
        QStringList list;
        for (const TGGraphicControl* o : Panel.Objects())
            list << o->Name();
        return list;
    }
    QStringList SelectedNames() const {
        QStringList list;
        for (const TGGraphicControl* o : Frame->Selection())
            list << o->Name();
        return list;
    }
    void Select(std::initializer_list<TGGraphicControl*> objects) {
        Frame->Clear();
        for (TGGraphicControl* o : objects)
            Frame->Add(o);
    }

    QWindow* Window() { return Panel.windowHandle(); }
    void Press(QPoint p) { QTest::mousePress(Window(), Qt::LeftButton, {}, p); }
    void Move(QPoint p) { QTest::mouseMove(Window(), p); }
    void Release(QPoint p) { QTest::mouseRelease(Window(), Qt::LeftButton, {}, p); }
    // A press on the selection, held past the click time, moved through the points, released.
    void Drag(QPoint from, const std::vector<QPoint>& path) {
        Press(from);
        Clock.Advance(20);
        for (QPoint p : path)
            Move(p);
        Clock.Advance(200);
        Release(path.back());
    }
    void Nudge(Qt::Key key) {
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent e(type, key, Qt::NoModifier);
            QApplication::sendEvent(Frame, &e);
        }
    }
    // Chooses an item of the panel's menu as it would be enabled when opened.
    void PanelItem(const char* caption) {
        auto* menu = static_cast<TPanelMenu*>(Panel.ContextMenu());
        menu->UpdateItems();
        menu->Item(QString::fromLatin1(caption))->trigger();
    }
    void ObjectItem(TGGraphicControl* o, const char* caption) {
        MenuItem(o->ContextMenu(), QString::fromLatin1(caption))->trigger();
    }
};

// One kind of step: what the user does, and the step's name.
struct TStepCase {
    const char* Name;
    const char* Caption;
    void (*Run)(TCard&);
};

const TStepCase StepCases[] = {
    {"drag", "Move",
     [](TCard& c) {
         c.Select({c.A});
         const QPoint from = c.A->BoundsRect().center();
         c.Drag(from, {from + QPoint(15, 6), from + QPoint(30, 15)});
     }},
    {"resize", "Resize",
     [](TCard& c) {
         c.Select({c.A});
         const QPoint corner = c.Frame->geometry().bottomRight();
         c.Move(corner);
         c.Drag(corner, {corner + QPoint(21, 12)});
     }},
    {"nudges", "Move",
     [](TCard& c) {
         c.Select({c.B});
         for (int i = 0; i < 3; ++i)
             c.Nudge(Qt::Key_Right);
     }},
    {"align", "Align Left",
     [](TCard& c) {
         c.Select({c.A, c.B});
         c.PanelItem("Align Left");
     }},
    {"centre", "Center Vertically",
     [](TCard& c) {
         c.Select({c.A, c.C});
         c.PanelItem("Center Vertically");
     }},
    {"lock", "Lock All", [](TCard& c) { c.PanelItem("Lock All"); }},
    {"unselectable", "Mark All Unselectable",
     [](TCard& c) { c.PanelItem("Mark All Unselectable"); }},
    {"front", "Bring To Front", [](TCard& c) { c.ObjectItem(c.A, "Bring To Front"); }},
    {"back", "Send To Back",
     [](TCard& c) {
         c.Select({c.C});
         c.PanelItem("Send To Back");
     }},
    {"locked item", "Locked", [](TCard& c) { c.ObjectItem(c.B, "Locked"); }},
    {"transparent", "Transparent", [](TCard& c) { c.ObjectItem(c.A, "Transparent"); }},
    {"colour dialog", "Background Color",
     [](TCard& c) {
         c.Script.OnExec = [](QDialog& d) {
             static_cast<QColorDialog&>(d).setCurrentColor(Qt::red);
             return int(QDialog::Accepted);
         };
         c.ObjectItem(c.C, "Background Color");
     }},
    {"submenu", "Line Thickness", [](TCard& c) { c.ObjectItem(c.A, "3 Point"); }},
    {"clone", "Clone", [](TCard& c) { c.ObjectItem(c.B, "Clone"); }},
    {"delete key", "Delete",
     [](TCard& c) {
         c.Select({c.B, c.C});
         c.Panel.PanelKeyDown(Qt::Key_Delete, {});
     }},
    {"cut", "Cut",
     [](TCard& c) {
         c.Select({c.A});
         c.Panel.PanelKeyDown(Qt::Key_X, Qt::ControlModifier);
     }},
    {"paste", "Paste",
     [](TCard& c) {
         c.Select({c.C});
         c.Panel.PanelKeyDown(Qt::Key_C, Qt::ControlModifier);
         c.Panel.PanelKeyDown(Qt::Key_V, Qt::ControlModifier);
     }},
    {"draw", "Draw", [](TCard& c) { c.Panel.Draw(psEllipse, QRect(30, 120, 40, 40)); }},
};

// Moves an object by one pixel as a step of its own.
void MoveStep(TUndoHistory& history, TGGraphicControl* o, int left) {
    TUndoStep step(history, QStringLiteral("Move"));
    o->SetLeft(left);
}

} // namespace

class TestUndo : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        RegisterObjectKinds();
        TAllTypes::Register();
    }
    void everyStepUndoesAndRedoes_data();
    void everyStepUndoesAndRedoes();
    void dragOfFiftyMovesIsOneStep();
    void nudgesOfOneSelectionMerge();
    void undoRestoresOrderAndSelection();
    void panelMenuNamesSteps();
    void savedStateFollowsUndo();
    void historyKeepsHundredSteps();
    void picturesSharedBetweenSteps();
    void unreadableStepKeepsDesign();
    void unwritableObjectBlocksUndo();
};

void TestUndo::everyStepUndoesAndRedoes_data() {
    QTest::addColumn<int>("step");
    QTest::addColumn<float>("zoom");
    for (int i = 0; i < int(std::size(StepCases)); ++i)
        for (float zoom : {1.0f, 1.5f})
            QTest::addRow("%s at %d %%", StepCases[i].Name, int(zoom * 100)) << i << zoom;
}

void TestUndo::everyStepUndoesAndRedoes() {
    QFETCH(int, step);
    QFETCH(float, zoom);
    const TStepCase& kind = StepCases[step];
    TCard c(zoom);
    QVERIFY(c.Ready());
    const QByteArray before = c.Design();
    const std::vector<QRect> shown = c.Bounds();
    QVERIFY(!c.History.CanUndo());

    kind.Run(c);
    QCoreApplication::processEvents();
    const QByteArray after = c.Design();
    QVERIFY(after != before);
    QCOMPARE(c.History.UndoCount(), 1);
    QCOMPARE(c.History.UndoCaption(), QStringLiteral("Undo ") + kind.Caption);

    c.History.Undo();
    QCOMPARE(c.Design(), before);
    // Objects read back are shown at the panel's zoom, where they were.
    QCOMPARE(c.Bounds(), shown);
    QVERIFY(c.History.CanRedo());
    QCOMPARE(c.History.RedoCaption(), QStringLiteral("Redo ") + kind.Caption);

    c.History.Redo();
    QCOMPARE(c.Design(), after);
    QVERIFY(!c.History.CanRedo());
}

void TestUndo::dragOfFiftyMovesIsOneStep() {
    TCard c;
    QVERIFY(c.Ready());
    c.Select({c.A});
    const QPoint from = c.A->BoundsRect().center();
    std::vector<QPoint> path;
    for (int i = 1; i <= 50; ++i)
        path.push_back(from + QPoint(i, i / 2));
    c.Drag(from, path);
    QCoreApplication::processEvents();
    QCOMPARE(c.A->BoundsRect(), QRect(70, 45, 60, 30));
    QCOMPARE(c.History.UndoCount(), 1);
    c.History.Undo();
    QCOMPARE(c.Panel.Objects().front()->BoundsRect(), QRect(20, 20, 60, 30));
    QVERIFY(!c.History.CanUndo());
}

void TestUndo::nudgesOfOneSelectionMerge() {
    TCard c;
    QVERIFY(c.Ready());
    c.Select({c.A});
    for (int i = 0; i < 4; ++i)
        c.Nudge(Qt::Key_Right);
    c.Nudge(Qt::Key_Down);
    QCOMPARE(c.A->BoundsRect().topLeft(), QPoint(24, 21));
    QCOMPARE(c.History.UndoCount(), 1);
    // Another selection starts another step.
    c.Select({c.B});
    c.Nudge(Qt::Key_Left);
    QCOMPARE(c.History.UndoCount(), 2);
    // So does a nudge after the design was saved: the saved state stays reachable.
    c.History.MarkSaved();
    c.Nudge(Qt::Key_Left);
    QCOMPARE(c.History.UndoCount(), 3);

    c.History.Undo();
    c.History.Undo();
    QCOMPARE(c.Panel.FindObject(c.Names()[1])->Left(), 100);
    QCOMPARE(c.SelectedNames(), QStringList({c.Names()[1]}));
    c.History.Undo();
    QCOMPARE(c.Panel.Objects().front()->BoundsRect().topLeft(), QPoint(20, 20));
}

void TestUndo::undoRestoresOrderAndSelection() {
    TCard c;
    const QStringList names = c.Names();
    c.Select({c.C, c.A});
    c.Panel.PanelKeyDown(Qt::Key_Delete, {});
    QCOMPARE(c.Names(), QStringList({names[1]}));
    c.History.Undo();
    QCOMPARE(c.Names(), names);
    QCOMPARE(c.SelectedNames(), QStringList({names[2], names[0]}));
    // The unchanged object is the very same one; only the deleted ones were read back.
    QCOMPARE(c.Panel.Objects()[1], c.B);
    c.History.Redo();
    QCOMPARE(c.Names(), QStringList({names[1]}));
    QVERIFY(c.SelectedNames().isEmpty());
}

void TestUndo::panelMenuNamesSteps() {
    TCard c;
    TPanelMenu* menu = static_cast<TPanelMenu*>(c.Panel.ContextMenu());
    menu->UpdateItems();
    QCOMPARE(menu->actions()[0]->text(), QStringLiteral("Undo"));
    QVERIFY(!menu->actions()[0]->isEnabled());
    QVERIFY(!menu->actions()[1]->isEnabled());

    c.Select({c.A, c.B});
    c.PanelItem("Align Tops");
    // Select All changes nothing, so it is no step and does not rename the next one.
    c.PanelItem("Select All");
    c.A->SetLeft(2);
    QCoreApplication::processEvents();
    menu->UpdateItems();
    QCOMPARE(menu->actions()[0]->text(), QStringLiteral("Undo Change"));
    menu->actions()[0]->trigger();
    menu->UpdateItems();
    QCOMPARE(menu->actions()[0]->text(), QStringLiteral("Undo Align Tops"));
    QCOMPARE(menu->actions()[1]->text(), QStringLiteral("Redo Change"));
    menu->actions()[0]->trigger();
    QCOMPARE(c.Bounds()[1].top(), 40);
    menu->actions()[1]->trigger();
    QCOMPARE(c.Bounds()[1].top(), 20);
}

void TestUndo::savedStateFollowsUndo() {
    TCard c;
    QVERIFY(!c.History.Modified());
    MoveStep(c.History, c.A, 30);
    QVERIFY(c.History.Modified());
    c.History.MarkSaved();
    QVERIFY(!c.History.Modified());
    MoveStep(c.History, c.A, 40);
    QVERIFY(c.History.Modified());
    c.History.Undo();
    QVERIFY(!c.History.Modified());
    c.History.Undo();
    QVERIFY(c.History.Modified());
    c.History.Redo();
    QVERIFY(!c.History.Modified());
    // A new change after undoing drops the steps ahead, the saved state with them.
    c.History.Undo();
    MoveStep(c.History, c.A, 50);
    QVERIFY(!c.History.CanRedo());
    c.History.Undo();
    QVERIFY(c.History.Modified());
    // Clearing makes the design as it is the starting point.
    c.History.Clear();
    QVERIFY(!c.History.Modified());
    QVERIFY(!c.History.CanUndo());
}

void TestUndo::historyKeepsHundredSteps() {
    TCard c;
    for (int i = 1; i <= 120; ++i)
        MoveStep(c.History, c.A, 20 + i);
    QCOMPARE(c.History.UndoCount(), TUndoHistory::MaxSteps);
    while (c.History.CanUndo())
        c.History.Undo();
    QCOMPARE(c.Panel.Objects().front()->Left(), 40);
}

void TestUndo::picturesSharedBetweenSteps() {
    TCard c;
    constexpr qsizetype Picture = 10 * 1024 * 1024;
    auto* o = static_cast<TAllTypes*>(c.Panel.AddObject(std::make_unique<TAllTypes>()));
    o->Loaded();
    o->SetBounds(10, 10, 40, 40);
    o->Data = QByteArray(Picture, 'p');
    c.History.Clear();
    for (int i = 1; i <= 50; ++i)
        MoveStep(c.History, o, 10 + i);
    // A kind that makes its bytes anew on every write holds them once too.
    for (int i = 1; i <= 50; ++i) {
        o->Data = QByteArray(o->Data.constData(), Picture);
        MoveStep(c.History, o, 100 + i);
    }
    QCOMPARE(c.History.UndoCount(), 100);
    QVERIFY2(c.History.HeldBytes() < Picture + 2 * 1024 * 1024,
             QByteArray::number(c.History.HeldBytes()));
    // A new picture is a step that holds both.
    o->Data[0] = 'q';
    MoveStep(c.History, o, 3);
    QVERIFY(c.History.HeldBytes() > 2 * Picture);
    c.History.Undo();
    const auto* back = static_cast<const TAllTypes*>(c.Panel.Objects().back());
    QCOMPARE(back->Left(), 150);
    QCOMPARE(back->Data, QByteArray(Picture, 'p'));
}

void TestUndo::unreadableStepKeepsDesign() {
    // An object of a kind the stream does not know can't be read back: undoing its deletion
    // says so and leaves the design as it was.
    struct TUnknown : TGGraphicControl {
        QString ClassName() const override { return QStringLiteral("TUnknown"); }
    };
    TCard c;
    TGGraphicControl* o = c.Panel.AddObject(std::make_unique<TUnknown>());
    o->SetBounds(200, 20, 20, 20);
    c.History.Clear();
    c.Select({o, c.A});
    c.Panel.PanelKeyDown(Qt::Key_Delete, {});
    const QStringList names = c.Names();
    c.History.Undo();
    QCOMPARE(c.Script.Messages, QStringList({"Class TUnknown not found"}));
    QCOMPARE(c.Names(), names);
    QVERIFY(c.History.CanUndo());
}

void TestUndo::unwritableObjectBlocksUndo() {
    // An object that can't be written stops the design from being taken: undo says so and
    // touches nothing, rather than matching the objects to a stale state.
    TCard c;
    MoveStep(c.History, c.A, 30);
    c.Panel.AddObject(std::make_unique<TFailingObject>());
    c.History.Undo();
    QCOMPARE(c.Script.Messages, QStringList({"Stream write error"}));
    QCOMPARE(c.Panel.Objects().size(), size_t(4));
    QCOMPARE(c.A->Left(), 30);
}

QTEST_MAIN(TestUndo)
#include "test_undo.moc"
