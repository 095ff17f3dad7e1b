// The merge list in the main window: chosen through "Merge List...", kept beside the design,
// shown record by record on the card, and handed to print runs.
#include "support/TestSupport.h"

#include "app/CommandAction.h"
#include "app/MainScreen.h"
#include "app/MergeBar.h"
#include "app/MergeListDialog.h"
#include "app/ObjectKinds.h"
#include "objects/PLabel.h"
#include "printing/LabelPrintRun.h"
#include "surface/BusinessCardPanel.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

namespace {

struct TWindow {
    TTestProgramFolder Folder;
    TScriptedInteraction Script;
    TMainScreen Window;
    QString List;

    TWindow() {
        Window.show();
        QTRY_VERIFY(!Window.Loading);
        auto* label = static_cast<TGPLabel*>(Panel().AddObject(std::make_unique<TGPLabel>()));
        label->SetBounds(10, 10, 200, 20);
        label->SetCaption(QStringLiteral("${Name}"));
        List = Folder.Path() + QStringLiteral("team.csv");
        WriteTestFile(List, "Name,Phone\nAnn,1\nBob,2\nCy,3\n");
    }
    TGBusinessCardPanel32& Panel() { return *Window.BusinessCardPanel; }
    TMergeBar& Bar() { return *Window.MergeBar; }
    // "Merge List...", choosing the list and leaving out the records given.
    void ChooseList(QList<int> unchecked) {
        Script.OnExec = [this, unchecked](QDialog& d) {
            auto& dialog = static_cast<TMergeListDialog&>(d);
            Script.FileNames = {List};
            dialog.ChooseList();
            for (int r : unchecked)
                dialog.Records->item(r, 0)->setCheckState(Qt::Unchecked);
            return int(QDialog::Accepted);
        };
        Window.MergeListItem->trigger();
        Script.OnExec = nullptr;
    }
};

QString shown(TGBasePanel& panel) {
    return static_cast<TGPLabel*>(panel.Objects().front())->ShownCaption().Text;
}

} // namespace

class TestMergeWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterObjectKinds(); }
    void chosenListShowsRecordsAndPrintsCheckedOnes();
    void choiceTravelsWithTheDesign();
    void unreadableListOpensTheDesignWithoutIt();
};

void TestMergeWindow::chosenListShowsRecordsAndPrintsCheckedOnes() {
    TWindow w;
    QVERIFY(w.Bar().isHidden());
    w.Window.SetChangesMade(false);
    w.ChooseList({1});
    QVERIFY(w.Window.ChangesMade);
    QVERIFY(w.Bar().isVisible());
    // Fields show as typed until a record is asked for.
    QCOMPARE(shown(w.Panel()), QString("${Name}"));
    w.Bar().ShowRecordBox->setChecked(true);
    QCOMPARE(shown(w.Panel()), QString("Ann"));
    QCOMPARE(w.Bar().RecordLabel->text(), QString("1 of 3"));
    QVERIFY(!w.Bar().PreviousButton->isEnabled());
    w.Bar().NextButton->click();
    w.Bar().NextButton->click();
    QCOMPARE(shown(w.Panel()), QString("Cy"));
    QVERIFY(!w.Bar().NextButton->isEnabled());
    // The skipped record is left out of the run; the outline page is never merged.
    TPrintRunSettings run;
    w.Bar().AddToRun(run);
    QCOMPARE(run.MergeRecords, (QList<int>{0, 2}));
    QCOMPARE(run.MergeList, &w.Bar().List());
    w.Bar().ShowRecordBox->setChecked(false);
    QCOMPARE(shown(w.Panel()), QString("${Name}"));
}

void TestMergeWindow::choiceTravelsWithTheDesign() {
    TWindow w;
    w.ChooseList({0});
    const QString design = w.Folder.Path() + QStringLiteral("CARD.PTV");
    w.Window.CurrentFileName = design;
    w.Window.FileCommands->Save();
    QCOMPARE(ReadTestFile(w.Folder.Path() + "CARD.PTM"),
             QByteArray("List=" + w.List.toUtf8() + "\r\nSkip=1\r\n"));
    w.Window.FileCommands->New();
    QVERIFY(w.Bar().Choice().IsEmpty());
    QVERIFY(w.Bar().isHidden());
    w.Window.FileCommands->OpenBCFile(design);
    QCOMPARE(w.Bar().Choice().ListFile, w.List);
    QCOMPARE(w.Bar().Choice().Skipped, QList<int>{0});
    QVERIFY(!w.Window.ChangesMade);
    // Without a list the design's merge file goes on the next save.
    w.Script.OnExec = [](QDialog& d) {
        static_cast<TMergeListDialog&>(d).NoneButton->click();
        return int(QDialog::Accepted);
    };
    w.Window.MergeListItem->trigger();
    w.Window.FileCommands->Save();
    QVERIFY(!QFile::exists(w.Folder.Path() + "CARD.PTM"));
}

void TestMergeWindow::unreadableListOpensTheDesignWithoutIt() {
    TWindow w;
    w.ChooseList({});
    const QString design = w.Folder.Path() + QStringLiteral("CARD.PTV");
    w.Window.CurrentFileName = design;
    w.Window.FileCommands->Save();
    QVERIFY(QFile::remove(w.List));
    w.Window.FileCommands->OpenBCFile(design);
    QCOMPARE(w.Panel().Objects().size(), size_t(1));
    QVERIFY(w.Bar().Choice().IsEmpty());
    QCOMPARE(w.Script.Messages.size(), 1);
    QVERIFY(w.Script.Messages[0].contains("cannot be used, so the design opens without it"));
}

QTEST_MAIN(TestMergeWindow)
#include "test_merge_window.moc"
