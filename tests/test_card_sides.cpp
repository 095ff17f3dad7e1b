// The card's two sides in the main window: each side with its own objects, undo steps and
// background art; saved beside the design so that a one-sided design stays as it was; a back
// that can't be read left alone; and the settings that remember the print window's sides.
#include "support/TestObjects.h"
#include "support/TestSupport.h"

#include "app/BackSide.h"
#include "app/CommandAction.h"
#include "app/Companion.h"
#include "app/MainScreen.h"
#include "app/ObjectKinds.h"
#include "app/Preferences.h"
#include "printing/LabelPrintRun.h"
#include "printing/SelectSpecificLabels.h"
#include "report/ReportPrinter.h"
#include "surface/BusinessCardPanel.h"
#include "surface/UndoHistory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

namespace {

// A shown main window in a fresh program folder with one block on the front of an opened
// design.
struct TWindow {
    TTestProgramFolder Folder;
    TScriptedInteraction Script;
    TMainScreen Window;
    QString Design;

    TWindow() {
        Window.show();
        QTRY_VERIFY(!Window.Loading);
        AddBlock(Panel(), 10, 10, 60, 20);
        Design = Folder.Path() + QStringLiteral("CARD.PTV");
        Window.CurrentFileName = Design;
        Window.FileCommands->Save();
        Window.FileCommands->OpenBCFile(Design);
    }
    TGBusinessCardPanel32& Panel() { return *Window.BusinessCardPanel; }
    TUndoHistory& History() { return *Panel().History(); }
    // A block drawn on the side shown, as one step.
    void Draw(int left) {
        TUndoStep step(History(), QStringLiteral("Draw"));
        AddBlock(Panel(), left, 40, 30, 30);
        Panel().FireLabelChanged();
    }
    QList<int> Lefts() {
        QList<int> lefts;
        for (const TGGraphicControl* o : Panel().Objects())
            lefts << o->Left();
        return lefts;
    }
};

} // namespace

class TestCardSides : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        TBlock::Register();
        RegisterObjectKinds();
        QuietGrabWarnings();
    }
    void eachSideKeepsItsObjectsAndSteps();
    void savingWritesBothSidesFromEitherSide();
    void oneSidedDesignStaysAsItWas();
    void backArtIsTheCompanionsSecondLine();
    void damagedBackIsReportedAndLeftAlone();
    void printRunGetsBothSides();
    void printSidesAndBackNudgesAreRemembered();
    void printWindowOffersTheSides();
};

void TestCardSides::eachSideKeepsItsObjectsAndSteps() {
    TWindow f;
    TMainScreen& w = f.Window;
    QCOMPARE(f.Lefts(), QList<int>{10});
    w.BackButton->click();
    QVERIFY(w.BackButton->isChecked());
    QVERIFY(f.Lefts().isEmpty());
    f.Draw(50);
    QCOMPARE(w.UndoItem->text(), QStringLiteral("Undo Draw"));

    // The front has no steps of its own, but the design as a whole has changed.
    w.FrontButton->click();
    QCOMPARE(f.Lefts(), QList<int>{10});
    QVERIFY(!w.UndoItem->isEnabled());
    QVERIFY(w.ChangesMade);
    f.Draw(80);

    // Back on the back, its step is still there; undoing it touches only the back.
    w.BackButton->click();
    QCOMPARE(f.Lefts(), QList<int>{50});
    w.UndoItem->trigger();
    QVERIFY(f.Lefts().isEmpty());
    QVERIFY(w.ChangesMade); // the front's block is still unsaved
    w.FrontButton->click();
    QCOMPARE(f.Lefts(), (QList<int>{10, 80}));
    w.UndoItem->trigger();
    QCOMPARE(f.Lefts(), QList<int>{10});
    QVERIFY(!w.ChangesMade);

    // The same at 150 %: switching keeps each side's geometry, at any zoom.
    w.BackButton->click();
    f.Draw(60);
    for (int i = 0; i < 5; ++i)
        w.ZoomIn();
    QCOMPARE(f.Lefts(), QList<int>{90});
    w.FrontButton->click();
    QCOMPARE(f.Lefts(), QList<int>{15});
    w.BackButton->click();
    QCOMPARE(f.Lefts(), QList<int>{90});
    for (int i = 0; i < 5; ++i)
        w.ZoomOut();
    QCOMPARE(f.Lefts(), QList<int>{60});
    w.FrontButton->click();
    QCOMPARE(f.Lefts(), QList<int>{10});

    // New drops the back too and shows the front.
    f.Script.Answers = {false};
    w.NewItem->trigger();
    QVERIFY(w.FrontButton->isChecked());
    w.BackButton->click();
    QVERIFY(f.Lefts().isEmpty());
    QVERIFY(!w.ChangesMade);
}

void TestCardSides::savingWritesBothSidesFromEitherSide() {
    TWindow f;
    TMainScreen& w = f.Window;
    w.SaveItem->trigger(); // the front as the program writes it after opening
    const QByteArray front = ReadTestFile(f.Design);
    w.BackButton->click();
    f.Draw(50);
    w.SaveItem->trigger();
    // The design file still holds the front; the back went beside it; the user stays on
    // the back with nothing left unsaved.
    QCOMPARE(ReadTestFile(f.Design), front);
    QVERIFY(QFileInfo::exists(BackSideFileName(f.Design)));
    QVERIFY(w.BackButton->isChecked());
    QCOMPARE(f.Lefts(), QList<int>{50});
    QVERIFY(!w.ChangesMade);

    w.FileCommands->OpenBCFile(f.Design);
    QVERIFY(w.FrontButton->isChecked());
    QCOMPARE(f.Lefts(), QList<int>{10});
    w.BackButton->click();
    QCOMPARE(f.Lefts(), QList<int>{50});

    // Emptying the back and saving takes the back's file away again.
    w.UndoItem->trigger(); // nothing to undo after opening
    f.Panel().SelectAll();
    f.Panel().SelectionCommand(TObjectCommand::Delete);
    QCoreApplication::processEvents();
    QVERIFY(w.ChangesMade);
    w.SaveItem->trigger();
    QVERIFY(!QFileInfo::exists(BackSideFileName(f.Design)));
    QCOMPARE(ReadTestFile(f.Design), front);
}

void TestCardSides::oneSidedDesignStaysAsItWas() {
    TWindow f;
    TMainScreen& w = f.Window;
    const QByteArray before = ReadTestFile(f.Design);
    const QString expected = f.Folder.Path() + QStringLiteral("PLAIN.PTV");
    QVERIFY(WriteTestFile(expected, before));
    // Looking at the empty back changes nothing on disk.
    w.BackButton->click();
    w.FrontButton->click();
    f.Draw(90);
    w.SaveItem->trigger();
    const QStringList files = QDir(f.Folder.Path()).entryList({"CARD.*"}, QDir::Files);
    QCOMPARE(files, QStringList{"CARD.PTV"});
    // The same design edited without ever looking at a back.
    TGBasePanel plain;
    plain.LoadFromFile(expected);
    AddBlock(plain, 90, 40, 30, 30);
    plain.SaveToFile(expected);
    QCOMPARE(ReadTestFile(f.Design), ReadTestFile(expected));
    QVERIFY(ReadTestFile(f.Design) != before);
}

void TestCardSides::backArtIsTheCompanionsSecondLine() {
    TWindow f;
    TMainScreen& w = f.Window;
    w.BackButton->click();
    w.BackgroundFileName = QStringLiteral("/art/back.bmp");
    w.SetChangesMade(true);
    QCoreApplication::processEvents();
    w.SaveItem->trigger();
    // The front has no art: a reader of one side finds an empty first line.
    QCOMPARE(ReadTestFile(CompanionFileName(f.Design)), QByteArray("\r\n/art/back.bmp\r\n"));
    QCOMPARE(ReadCompanionFile(f.Design), std::optional<QString>(QString()));

    w.FileCommands->OpenBCFile(f.Design);
    QVERIFY(w.BackgroundFileName.isEmpty());
    w.BackButton->click();
    QCOMPARE(w.BackgroundFileName, QStringLiteral("/art/back.bmp"));
    w.FrontButton->click();
    w.BackgroundFileName = QStringLiteral("/art/front.bmp");
    w.SetChangesMade(true);
    w.SaveItem->trigger();
    QCOMPARE(ReadTestFile(CompanionFileName(f.Design)),
             QByteArray("/art/front.bmp\r\n/art/back.bmp\r\n"));
}

void TestCardSides::damagedBackIsReportedAndLeftAlone() {
    TWindow f;
    TMainScreen& w = f.Window;
    const QString back = BackSideFileName(f.Design);
    const QByteArray damaged("\x01TPF0\x05TTestBlock\x01X\x04Left\x09", 26);
    QVERIFY(WriteTestFile(back, damaged));
    w.FileCommands->OpenBCFile(f.Design);
    QCOMPARE(f.Script.Messages.size(), 1);
    QVERIFY(f.Script.Messages[0].startsWith(
        QStringLiteral("The back of this card (%1) cannot be read").arg(back)));
    QCOMPARE(f.Lefts(), QList<int>{10}); // the front opened
    QCOMPARE(w.CurrentFileName, f.Design);
    f.Draw(70);
    w.SaveItem->trigger();
    QCOMPARE(ReadTestFile(back), damaged);
}

void TestCardSides::printRunGetsBothSides() {
    TWindow f;
    TMainScreen& w = f.Window;
    w.BackButton->click();
    f.Draw(50);
    // With the back shown, the fronts come from the waiting side and the backs from the panel.
    TPrintRunSettings s;
    TGBasePanel* front = w.Sides->AddToRun(s);
    QVERIFY(front && front != &f.Panel());
    QCOMPARE(front->Objects().size(), size_t(1));
    QCOMPARE(front->Objects().front()->Left(), 10);
    QCOMPARE(s.BackPanel, &f.Panel());
    w.FrontButton->click();
    TPrintRunSettings t;
    QCOMPARE(w.Sides->AddToRun(t), nullptr);
    QCOMPARE(t.BackPanel->Objects().size(), size_t(1));
    QCOMPARE(t.BackPanel->Objects().front()->Left(), 50);
}

void TestCardSides::printSidesAndBackNudgesAreRemembered() {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("PTV.INI"));
    // One-sided settings are written without any two-sided key, as before.
    QVERIFY(WritePreferences(ini, TPreferences()));
    QVERIFY(!ReadTestFile(ini).contains("Sides"));
    QVERIFY(!ReadTestFile(ini).contains("Back"));
    TPreferences p;
    p.Sides = {TPrintSides::Both, TFlipEdge::Short, true};
    p.Nudges.BackLeftNudge = -3;
    p.Nudges.BackTopNudge = 5;
    QVERIFY(WritePreferences(ini, p));
    const QByteArray text = ReadTestFile(ini);
    for (const char* line : {"\nSides=2", "\nFlipShortEdge=1", "\nManualDuplex=1",
                             "\nBackLeftNudge=-3", "\nBackTopNudge=5"})
        QVERIFY2(text.contains(line), line);
    QCOMPARE(ReadPreferences(ini), p);
    // Going back to the front keeps the keys, so the choice is not lost silently.
    p.Sides = TSidesChoice();
    QVERIFY(WritePreferences(ini, p));
    QCOMPARE(ReadPreferences(ini).Sides, TSidesChoice());
    // Values from elsewhere: unknown sides print the front, nudges are bounded.
    QVERIFY(WriteTestFile(ini, "[Printer]\r\nSides=7\r\nBackLeftNudge=99\r\n"));
    QCOMPARE(ReadPreferences(ini).Sides.Sides, TPrintSides::Front);
    QCOMPARE(ReadPreferences(ini).Nudges.BackLeftNudge, MaxNudge);
}

void TestCardSides::printWindowOffersTheSides() {
    TReportPrinter printer;
    TSelectSpecificLabels d(TCardLayout(), TCardSelection(), printer);
    // Only backs are mirrored, and only both sides can be turned by hand.
    QVERIFY(d.FrontButton->isChecked());
    QVERIFY(!d.FlipBox->isEnabled());
    QVERIFY(!d.ManualDuplexCheck->isEnabled());
    d.BackButton->click();
    QVERIFY(d.FlipBox->isEnabled());
    QVERIFY(!d.ManualDuplexCheck->isEnabled());
    const TSidesChoice both{TPrintSides::Both, TFlipEdge::Short, true};
    d.SetSides(both);
    QVERIFY(d.ManualDuplexCheck->isEnabled());
    QCOMPARE(d.Sides(), both);
    d.FrontButton->click();
    QCOMPARE(d.Sides().Sides, TPrintSides::Front);
}

QTEST_MAIN(TestCardSides)
#include "test_card_sides.moc"
