#include "support/TestObjects.h"
#include "support/TestSupport.h"

#include "app/CommandAction.h"
#include "app/MainScreen.h"
#include "app/MergeBar.h"
#include "app/MergeListDialog.h"
#include "app/ObjectKinds.h"
#include "support/ObjectTestSupport.h"
#include "surface/BusinessCardPanel.h"
#include "surface/ClassRegistry.h"
#include "surface/DesignSnapshot.h"
#include "surface/UndoHistory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
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

// The captions leading to every command of a menu, submenus followed ("Alignment/Left").
QStringList commandPaths(QMenu* menu, const QString& prefix = QString()) {
    QStringList paths;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator())
            continue;
        if (a->menu())
            paths << commandPaths(a->menu(), prefix + a->text() + '/');
        else
            paths << prefix + a->text();
    }
    return paths;
}

QAction* commandAt(QMenu* menu, const QString& path) {
    const QString first = path.section('/', 0, 0), rest = path.section('/', 1);
    for (QAction* a : menu->actions())
        if (a->text() == first)
            return rest.isEmpty() ? a : commandAt(a->menu(), rest);
    return nullptr;
}

// Plays a user who takes the largest of every number and the last of every choice a dialog
// offers (or else changes its first line of text) and presses Ok.
int changeSomething(QDialog& d) {
    const QList<QSpinBox*> spins = d.findChildren<QSpinBox*>();
    const QList<QComboBox*> boxes = d.findChildren<QComboBox*>();
    for (QSpinBox* spin : spins)
        spin->setValue(spin->maximum());
    for (QComboBox* box : boxes)
        box->setCurrentIndex(box->count() - 1);
    if (spins.isEmpty() && boxes.isEmpty()) {
        if (auto* edit = d.findChild<QLineEdit*>(); edit && !edit->isReadOnly())
            edit->setText(edit->text() + QStringLiteral(" ${Name}"));
        else if (auto* list = d.findChild<QListWidget*>(); list && list->count() > 1)
            list->setCurrentRow((list->currentRow() + 1) % list->count());
    }
    return QDialog::Accepted;
}

QByteArray designBytes(const TGBasePanel& panel) {
    return TakeSnapshot(panel, nullptr).Bytes();
}

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
    void everyCommandUndoesWithAListShown();
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
    f.Panel().SetColorPicture(TPicture::FromBitmap(picture));
    w.SetChangesMade(true);
    QCoreApplication::processEvents();
    QCOMPARE(w.UndoItem->text(), QStringLiteral("Undo Background Art"));

    w.UndoItem->trigger();
    QVERIFY(w.BackgroundFileName.isEmpty());
    QVERIFY(f.Panel().ColorPicture().IsEmpty());
    QVERIFY(!w.ChangesMade);
    w.RedoItem->trigger();
    QCOMPARE(w.BackgroundFileName, art);
    QCOMPARE(f.Panel().ColorPicture().Image(), picture);
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

void TestUndoWindow::everyCommandUndoesWithAListShown() {
    TWindow f;
    TMainScreen& w = f.Window;
    const QString list = f.Folder.Path() + QStringLiteral("team.csv");
    WriteTestFile(list, "Name,Phone\nAnn,1\nBob,2\n");
    f.Script.OnExec = [&](QDialog& d) {
        f.Script.FileNames = {list};
        static_cast<TMergeListDialog&>(d).ChooseList();
        return int(QDialog::Accepted);
    };
    w.MergeListItem->trigger();
    w.MergeBar->ShowRecordBox->setChecked(true);
    QVERIFY(w.BusinessCardPanel->MergeRecord().List);
    f.Script.OnExec = changeSomething;
    // The card is drawn only when the test says: a paint may come after the step was taken
    // (it did with a list attached), and what drawing fits must still be part of the step.
    w.hide();

    // Runs a command from a fresh history; whatever it changed, Undo takes back to the byte and
    // Redo brings again, and the changed mark follows.
    int changing = 0;
    auto check = [&](const std::function<QMenu*()>& menu, const QString& path,
                     const QString& owner) {
        f.Panel().CardImage();
        f.History().Clear();
        w.SetChangesMade(false);
        const QByteArray before = designBytes(f.Panel());
        QAction* command = commandAt(menu(), path);
        if (!command)
            return true; // a caption that follows the state, such as "Lock All"
        command->trigger();
        QCoreApplication::processEvents();
        f.Panel().CardImage(); // the user's next look at the card, after the step was taken
        QCoreApplication::processEvents();
        const QByteArray after = designBytes(f.Panel());
        if (after == before)
            return true;
        ++changing;
        const QByteArray what = (owner + ' ' + path).toUtf8();
        [&] {
            QVERIFY2(w.ChangesMade, what);
            QVERIFY2(w.UndoItem->text() != QStringLiteral("Undo Change"), what);
            w.UndoItem->trigger();
            QVERIFY2(designBytes(f.Panel()) == before, what);
            QVERIFY2(!w.ChangesMade, what);
            QVERIFY2(w.RedoItem->isEnabled(), what);
            w.RedoItem->trigger();
            QVERIFY2(designBytes(f.Panel()) == after, what);
            QVERIFY2(w.ChangesMade, what);
            // Back to where the next command starts.
            w.UndoItem->trigger();
            QVERIFY2(designBytes(f.Panel()) == before, what);
        }();
        return !QTest::currentTestFailed();
    };

    int n = 0;
    for (const QString& kind : TClassRegistry::ClassNames()) {
        TGGraphicControl* o = f.Panel().AddObject(TClassRegistry::Create(kind));
        o->Loaded();
        const QString name = QStringLiteral("Kind%1").arg(++n);
        o->SetName(name);
        o->SetBounds(20 + 9 * n, 30 + 5 * n, 120, 30);
        for (const QString& path : commandPaths(o->ContextMenu())) {
            // Undo and Redo read objects back: the object is found by its name each time.
            if (!check([&] { return f.Panel().FindObject(name)->ContextMenu(); }, path, kind))
                return;
        }
    }
    QVERIFY(n >= 8);
    // The card's own menu on everything there is.
    for (const QString& path : commandPaths(f.Panel().ContextMenu())) {
        f.Panel().SelectAll();
        if (!check([&] { return f.Panel().ContextMenu(); }, path, QStringLiteral("card")))
            return;
    }
    QVERIFY2(changing >= 20, QByteArray::number(changing));
}

QTEST_MAIN(TestUndoWindow)
#include "test_undo_window.moc"
