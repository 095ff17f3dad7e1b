#include "support/TestObjects.h"
#include "support/TestSupport.h"

#include "app/CommandAction.h"
#include "app/MainScreen.h"
#include "app/ObjectKinds.h"
#include "support/ObjectTestSupport.h"
#include "surface/BusinessCardPanel.h"
#include "surface/ClassRegistry.h"
#include "surface/UndoHistory.h"

#include <QPushButton>
#include <QtTest>

namespace {

// A shown main window in a fresh program folder with one block on an opened design.
struct TWindow {
    TTestProgramFolder Folder;
    TScriptedInteraction Script;
    TMainScreen Window;
    TBlock* Block = nullptr;

    TWindow() {
        Window.show();
        QTRY_VERIFY(!Window.Loading);
        Block = AddBlock(Panel(), 10, 10, 60, 20);
        Window.CurrentFileName = Folder.Path() + QStringLiteral("CARD.PTV");
        Window.FileCommands->Save();
        Window.FileCommands->OpenBCFile(Window.CurrentFileName);
        Block = static_cast<TBlock*>(Panel().Objects().front());
    }
    TGBusinessCardPanel32& Panel() { return *Window.BusinessCardPanel; }
    TUndoHistory& History() { return *Panel().History(); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(Window.windowHandle(), key, modifiers);
    }
    void MoveBlock(int left) {
        TUndoStep step(History(), QStringLiteral("Move"));
        Block->SetLeft(left);
    }
};

} // namespace

class TestUndoWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        TBlock::Register();
        RegisterObjectKinds();
        QuietGrabWarnings();
    }
    void editMenuAndChangedMarkFollowHistory();
    void newAndRevertForgetHistory();
    void backgroundArtIsAStep();
    void unreportedMenuChangeMarksDesign();
};

void TestUndoWindow::editMenuAndChangedMarkFollowHistory() {
    TWindow f;
    TMainScreen& w = f.Window;
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(w.UndoItem->text(), QStringLiteral("Undo"));
    QVERIFY(!w.UndoItem->isEnabled());
    QVERIFY(!w.RedoItem->isEnabled());

    f.MoveBlock(30);
    QCOMPARE(w.UndoItem->text(), QStringLiteral("Undo Move"));
    QVERIFY(w.UndoItem->isEnabled());
    QVERIFY(w.ChangesMade);
    QVERIFY(w.Savebutton->isVisible());

    // Back at the opened design the design counts as unchanged again.
    f.Key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f.Panel().Objects().front()->Left(), 10);
    QVERIFY(!w.ChangesMade);
    QVERIFY(!w.Savebutton->isVisible());
    QVERIFY(!w.UndoItem->isEnabled());
    QCOMPARE(w.RedoItem->text(), QStringLiteral("Redo Move"));
    f.Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(f.Panel().Objects().front()->Left(), 30);
    QVERIFY(w.ChangesMade);

    // Saved after the move: undoing it is a change, redoing it is the saved design.
    w.SaveItem->trigger();
    QVERIFY(!w.ChangesMade);
    w.UndoItem->trigger();
    QVERIFY(w.ChangesMade);
    f.Key(Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(f.Panel().Objects().front()->Left(), 30);
    QVERIFY(!w.ChangesMade);
    QVERIFY(!w.RedoItem->isEnabled());
}

void TestUndoWindow::newAndRevertForgetHistory() {
    TWindow f;
    TMainScreen& w = f.Window;
    f.MoveBlock(30);
    // Cancel all changes: the saved design comes back and there is nothing to undo.
    f.Script.Answers = {true};
    w.Cancelbutton->click();
    QCOMPARE(f.Panel().Objects().front()->Left(), 10);
    QVERIFY(!w.UndoItem->isEnabled());

    f.Block = static_cast<TBlock*>(f.Panel().Objects().front());
    f.MoveBlock(40);
    f.Script.Answers = {false}; // no saving
    w.NewItem->trigger();
    QVERIFY(f.Panel().Objects().empty());
    QVERIFY(!w.UndoItem->isEnabled());
    QVERIFY(!w.ChangesMade);
}

void TestUndoWindow::backgroundArtIsAStep() {
    TWindow f;
    TMainScreen& w = f.Window;
    // What the background art command does once the user picked a picture.
    const QString art = f.Folder.Path() + QStringLiteral("BG/ART.BMP");
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    f.History().BeginStep(QStringLiteral("Background Art"));
    w.BackgroundFileName = art;
    f.Panel().SetColorPicture(picture);
    w.SetChangesMade(true);
    QCoreApplication::processEvents();
    QCOMPARE(w.UndoItem->text(), QStringLiteral("Undo Background Art"));

    w.UndoItem->trigger();
    QVERIFY(w.BackgroundFileName.isEmpty());
    QVERIFY(f.Panel().ColorPicture().isNull());
    QVERIFY(!w.ChangesMade);
    w.RedoItem->trigger();
    QCOMPARE(w.BackgroundFileName, art);
    QCOMPARE(f.Panel().ColorPicture(), picture);
}

void TestUndoWindow::unreportedMenuChangeMarksDesign() {
    // A rectangle's "Transparent" item changes the design without reporting it; the change
    // still becomes a step and marks the design changed, so it is not lost on leaving.
    TWindow f;
    TMainScreen& w = f.Window;
    TGGraphicControl* shape =
        f.Panel().AddObject(TClassRegistry::Create(QStringLiteral("TBCShapes")));
    shape->Loaded();
    shape->SetBounds(100, 20, 40, 40);
    f.History().Clear();
    w.ChangesMade = false;
    MenuItem(shape->ContextMenu(), QStringLiteral("Transparent"))->trigger();
    QCoreApplication::processEvents();
    QVERIFY(w.ChangesMade);
    QCOMPARE(w.UndoItem->text(), QStringLiteral("Undo Transparent"));
}

QTEST_MAIN(TestUndoWindow)
#include "test_undo_window.moc"
