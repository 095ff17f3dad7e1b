// Designs keep their 100 % geometry through every flow that reads or writes objects, at
// whatever zoom the card is shown.
#include "support/ObjectTestSupport.h"
#include "support/TestSupport.h"

#include "app/CommandAction.h"
#include "app/MainScreen.h"
#include "app/MainSettings.h"
#include "app/ObjectKinds.h"
#include "app/RecentFiles.h"
#include "objects/BusinessCardLabel.h"
#include "objects/MultiLineLabel.h"
#include "richtext/WPRichText.h"
#include "surface/ClassRegistry.h"
#include "surface/Handle.h"
#include "surface/ObjectStreamReader.h"
#include "surface/UndoHistory.h"

#include <QDir>
#include <QPushButton>
#include <QtTest>

namespace {

const QRect kRectangle(20, 16, 60, 40);

// The zoom after n presses of zoom in, single-precision steps as the main window takes them.
float zoomAfter(int steps) {
    float zoom = 1.0f;
    for (int i = 0; i < steps; ++i)
        zoom += 0.1f;
    return zoom;
}

TGGraphicControl* addKind(TGBasePanel& panel, const QString& kind, const QRect& r) {
    TGGraphicControl* o = panel.AddObject(TClassRegistry::Create(kind));
    o->SetName("Component" + QString::number(panel.Objects().size() - 1));
    o->Loaded();
    o->SetBounds(r.left(), r.top(), r.width(), r.height());
    return o;
}

// A design as the program saves one at 100 % after opening it: one object of each drawn
// kind named as reading names them, the text boxes fitted to their text as drawing does.
void writeDesign(const QString& path) {
    TGBusinessCardPanel32 panel;
    panel.resize(336, 192);
    addKind(panel, "TBCShapes", kRectangle);
    static_cast<TGBaseLabel*>(addKind(panel, "TGBusinessCardLabel", {100, 20, 142, 33}))
        ->SetCaption("Pentavo");
    static_cast<TGMultiLineLabel*>(addKind(panel, "TGMultiLineLabel", {20, 80, 120, 40}))
        ->SetItems({"one", "two"});
    addKind(panel, "TGSymbolLabel", {200, 100, 40, 40});
    addKind(panel, "TGLineShape", {150, 150, 100, 10});
    panel.CardImage();
    panel.SaveToFile(path);
}

// Each object of a design file as "class name: property=value ...", for comparing files
// object by object.
QStringList describe(const QString& path) {
    const QByteArray bytes = ReadTestFile(path);
    QStringList objects;
    for (const TStreamObject& o : ReadStreamObjects(bytes.constData(), bytes.size())) {
        QString line = o.ClassName + ' ' + o.Name + ':';
        for (const TStreamProperty& p : o.Properties) {
            QString value =
                p.Value.Text + QString::number(p.Value.Integer) + p.Value.Names.join('|');
            for (const TStreamValue& item : p.Value.Items)
                value += '|' + item.Text;
            line += ' ' + p.Name + '=' + value;
        }
        objects << line;
    }
    return objects;
}

// The main window shown in its program folder, zoomed in by the given number of steps.
struct TZoomedWindow {
    TScriptedInteraction Ui;
    TMainScreen Window;
    explicit TZoomedWindow(int steps) {
        Window.show();
        QTRY_VERIFY(!Window.Loading);
        for (int i = 0; i < steps; ++i)
            Window.ZoomIn();
    }
    TGBusinessCardPanel32& Panel() { return *Window.BusinessCardPanel; }
    TGGraphicControl* Object(int i) { return Panel().Objects().at(size_t(i)); }
    void Open(const QString& path) {
        Ui.FileNames.push_back(path);
        Window.OpenItem->trigger();
    }
    // The card on the screen, as it is after the user's next look at it.
    void Shown() {
        Panel().repaint();
        QCoreApplication::processEvents();
    }
};

// One object of every kind the program knows, as drawn and first shown at 100 %.
void drawEveryKind(TGBasePanel& panel) {
    int n = 0;
    for (const QString& kind : TClassRegistry::ClassNames()) {
        TGGraphicControl* o = panel.AddObject(TClassRegistry::Create(kind));
        o->Loaded();
        o->SetName(panel.UniqueName("Special"));
        o->SetBounds(11 + 17 * n, 7 + 13 * n, 97, 31);
        ++n;
    }
    panel.CardImage();
}

// Moves the whole selection as a drag of the frame does, by `by` pixels at 100 %.
void dragSelection(TGBasePanel& panel, int by) {
    TGHandle& frame = *panel.Handle();
    frame.Refit();
    const QRect f = frame.geometry();
    TUndoStep step(*panel.History(), QStringLiteral("Move"));
    frame.SetBounds(f.x() + RoundHalfEven(by * double(panel.Zoom())), f.y(), f.width(), f.height());
}

} // namespace

class TestZoomFlows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void openEditSaveMatchesHundredPercent_data();
    void openEditSaveMatchesHundredPercent();
    void openingIsNoChange_data();
    void openingIsNoChange();
    void reopeningTakesThePanelsZoom_data();
    void reopeningTakesThePanelsZoom();
    void pasteKeepsTheCopiedSize_data();
    void pasteKeepsTheCopiedSize();
    void cloneKeepsItsSourcesSize();
    void zoomStepsUndoAndRedoChangeNoByte();

private:
    TTestProgramFolder FFolder;
    QString FDesign;
};

void TestZoomFlows::initTestCase() {
    RegisterObjectKinds();
    QDir(FFolder.Path()).mkpath("Saved");
    FDesign = FFolder.Path() + "Saved/design.PTV";
    writeDesign(FDesign);
}

void TestZoomFlows::openEditSaveMatchesHundredPercent_data() {
    QTest::addColumn<int>("steps");
    QTest::newRow("110 %") << 1;
    QTest::newRow("150 %") << 5;
}

void TestZoomFlows::openEditSaveMatchesHundredPercent() {
    QFETCH(int, steps);
    // The same steps at 100 % and at the zoom: open, edit, save under a new name.
    auto run = [&](int zoomSteps, const QString& name) {
        TZoomedWindow w(zoomSteps);
        w.Open(FDesign);
        w.Shown();
        QVERIFY(!w.Window.ChangesMade);
        QVERIFY(w.Window.Savebutton->isHidden());
        QCOMPARE(w.Object(0)->Zoom(), zoomAfter(zoomSteps));
        QCOMPARE(w.Object(0)->DesignBounds(), kRectangle);
        QCOMPARE(w.Object(0)->BoundsRect(), ScaledRect(kRectangle, zoomAfter(zoomSteps)));
        MenuItem(w.Object(0)->ContextMenu(), "Transparent")->trigger();
        MenuItem(w.Object(2)->ContextMenu(), "Right")->trigger();
        w.Panel().Handle()->Add(w.Object(1));
        w.Panel().SelectionCommand(TObjectCommand::Copy);
        w.Panel().SelectionCommand(TObjectCommand::Paste);
        QVERIFY(w.Window.ChangesMade);
        w.Ui.FileNames.push_back(FFolder.Path() + "Saved/" + name);
        w.Window.SaveAsItem->trigger();
        QVERIFY(!w.Window.ChangesMade);
    };
    run(0, "at100.PTV");
    run(steps, "zoomed.PTV");
    const QStringList expected = describe(FFolder.Path() + "Saved/at100.PTV");
    QCOMPARE(expected.size(), 6);
    QVERIFY(expected[0].contains("Left=20 Top=16 Width=60 Height=40"));
    QCOMPARE(describe(FFolder.Path() + "Saved/zoomed.PTV"), expected);
}

void TestZoomFlows::openingIsNoChange_data() {
    QTest::addColumn<int>("steps");
    QTest::newRow("100 %") << 0;
    QTest::newRow("150 %") << 5;
}

void TestZoomFlows::openingIsNoChange() {
    QFETCH(int, steps);
    // A text box taller than its text (as other programs may save it) shrinks to the text
    // when first drawn; that is no change the user made.
    const QString design = FFolder.Path() + "Saved/tall-text.PTV";
    {
        TGBusinessCardPanel32 panel;
        addKind(panel, "TGBusinessCardLabel", {20, 20, 142, 60});
        panel.SaveToFile(design);
    }
    TZoomedWindow w(steps);
    w.Open(design);
    w.Shown();
    QVERIFY(w.Object(0)->DesignBounds().height() < 60);
    QVERIFY(!w.Window.ChangesMade);
    QVERIFY(w.Window.Savebutton->isHidden());
}

void TestZoomFlows::reopeningTakesThePanelsZoom_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Open") << "Open";
    QTest::newRow("Open recent") << "Open recent";
    QTest::newRow("Handed over by a second start") << "Handed over";
    QTest::newRow("Cancel changes") << "Cancel changes";
}

void TestZoomFlows::reopeningTakesThePanelsZoom() {
    QFETCH(QString, how);
    TZoomedWindow w(5);
    if (how == "Open") {
        w.Open(FDesign);
    } else if (how == "Open recent") {
        w.Window.Settings->RecentFiles->OnClick(FDesign);
    } else if (how == "Handed over") {
        w.Window.OpenDesignFile(FDesign);
    } else {
        w.Open(FDesign);
        w.Object(0)->SetLeft(200);
        QVERIFY(w.Window.ChangesMade);
        w.Ui.Answers.push_back(true);
        w.Window.Cancelbutton->click();
    }
    w.Shown();
    QCOMPARE(w.Panel().Objects().size(), size_t(5));
    QCOMPARE(w.Object(0)->BoundsRect(), QRect(30, 24, 90, 60));
    QCOMPARE(w.Object(0)->DesignBounds(), kRectangle);
    for (const TGGraphicControl* o : w.Panel().Objects())
        QCOMPARE(o->Zoom(), w.Panel().Zoom());
    QVERIFY(!w.Window.ChangesMade);
    QVERIFY(w.Window.Cancelbutton->isHidden());
    // Saving writes what was read.
    const QString again = FFolder.Path() + "Saved/again.PTV";
    w.Ui.FileNames.push_back(again);
    w.Window.SaveAsItem->trigger();
    QCOMPARE(describe(again), describe(FDesign));
}

void TestZoomFlows::pasteKeepsTheCopiedSize_data() {
    QTest::addColumn<int>("copySteps");
    QTest::addColumn<int>("pasteSteps");
    QTest::newRow("copy at 100 %, paste at 150 %") << 0 << 5;
    QTest::newRow("copy at 150 %, paste at 150 %") << 5 << 5;
    QTest::newRow("copy at 150 %, paste at 100 %") << 5 << 0;
    QTest::newRow("copy at 120 %, paste at 110 %") << 2 << 1;
}

void TestZoomFlows::pasteKeepsTheCopiedSize() {
    QFETCH(int, copySteps);
    QFETCH(int, pasteSteps);
    TTestCardPanel panel;
    TGGraphicControl* source = addKind(panel, "TBCShapes", kRectangle);
    panel.SetZoom(zoomAfter(copySteps));
    panel.Handle()->Add(source);
    panel.SelectionCommand(TObjectCommand::Copy);
    panel.SetZoom(zoomAfter(pasteSteps));
    panel.SelectionCommand(TObjectCommand::Paste);
    QCOMPARE(panel.Objects().size(), size_t(2));
    // The copy's 100 % geometry, 15 pixels right and down, shown at the paste's zoom.
    const TGGraphicControl* pasted = panel.Objects().back();
    const QRect expected = kRectangle.translated(15, 15);
    QCOMPARE(pasted->Zoom(), panel.Zoom());
    QCOMPARE(pasted->DesignBounds(), expected);
    QCOMPARE(pasted->BoundsRect(), ScaledRect(expected, panel.Zoom()));
    QCOMPARE(pasted->Width(), source->Width());
    QCOMPARE(pasted->Height(), source->Height());
}

void TestZoomFlows::cloneKeepsItsSourcesSize() {
    TTestCardPanel panel;
    panel.SetZoom(zoomAfter(5));
    TGGraphicControl* source = addKind(panel, "TBCShapes", {30, 24, 90, 60});
    source->SetZoomField(panel.Zoom());
    MenuItem(source->ContextMenu(), "Clone")->trigger();
    QCOMPARE(panel.Objects().size(), size_t(2));
    const TGGraphicControl* copy = panel.Objects().back();
    QCOMPARE(copy->Zoom(), panel.Zoom());
    QCOMPARE(copy->BoundsRect(), QRect(30, 49, 90, 60));
}

void TestZoomFlows::zoomStepsUndoAndRedoChangeNoByte() {
    // 100 -> 150 -> 100 -> 150 % by the main window's steps, and at every zoom a move of every
    // object that is undone and redone. Run at 100 % throughout, the same moves must give the
    // same file to the byte.
    auto run = [&](bool zoomed, const QString& name) {
        TTestCardPanel panel;
        CreateMasterRichText(&panel);
        drawEveryKind(panel);
        panel.History()->Clear();
        const QString path = FFolder.Path() + name;
        float zoom = 1.0f;
        auto step = [&](float by, int move) {
            zoom += by;
            if (zoomed)
                panel.SetZoom(zoom);
            panel.CardImage();
            panel.SelectAll();
            dragSelection(panel, move);
            panel.CardImage();
            panel.History()->Undo();
            panel.CardImage();
            panel.History()->Redo();
            panel.CardImage();
        };
        for (int i = 0; i < 5; ++i)
            step(0.1f, 10);
        for (int i = 0; i < 5; ++i)
            step(-0.1f, -10);
        for (int i = 0; i < 5; ++i)
            step(0.1f, i % 2 ? -10 : 10);
        // Saved while shown at 150 %.
        if (zoomed && panel.Zoom() < 1.45f)
            return QByteArray();
        panel.SaveToFile(path);
        return ReadTestFile(path);
    };
    const QByteArray atHundred = run(false, "moves-at-100.PTV");
    const QByteArray zoomed = run(true, "moves-zoomed.PTV");
    QVERIFY(!atHundred.isEmpty());
    QVERIFY(!zoomed.isEmpty());
    QCOMPARE(describe(FFolder.Path() + "moves-zoomed.PTV"),
             describe(FFolder.Path() + "moves-at-100.PTV"));
    QCOMPARE(zoomed, atHundred);
}

QTEST_MAIN(TestZoomFlows)
#include "test_zoom_flows.moc"
