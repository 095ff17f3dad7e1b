#include "support/TestSupport.h"

#include "app/CommandAction.h"
#include "app/MainScreen.h"
#include "platform/SingleInstance.h"
#include "surface/BusinessCardPanel.h"
#include "surface/GraphicControl.h"
#include "surface/Handle.h"
#include "widgets/SpinButton.h"

#include <QButtonGroup>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {

class TProbe : public TGGraphicControl {
public:
    QString ClassName() const override { return QStringLiteral("TProbe"); }
};

// A main window in a fresh program folder, shown and through its first activation.
struct TShownWindow {
    TTestProgramFolder Folder;
    TMainScreen Window;
    TShownWindow() {
        Window.show();
        QTRY_VERIFY(!Window.Loading);
    }
    TGBusinessCardPanel32& Panel() { return *Window.BusinessCardPanel; }
};

QStringList captions(const QMenu* menu) {
    QStringList list;
    for (const QAction* a : menu->actions())
        list << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return list;
}

// Sends a key the way a keyboard does: to the control with the focus.
void pressKey(TMainScreen& w, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &w;
    QTest::keyPress(target, key, modifiers);
    QTest::keyRelease(target, key, modifiers);
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void layoutAndMenus();
    void toolButtonHints_data();
    void toolButtonHints();
    void captionAndEnabledState();
    void saveButtonFollowsChanges();
    void changesIgnoredWhileStarting();
    void zoomStepsAndStops();
    void zoomByKeypadAndSpinner();
    void toolButtonsSetPanelState_data();
    void toolButtonsSetPanelState();
    void droppedObjectReturnsToSelectionTool();
    void gridButtons();
    void panelCursors();
    void pageKeysScrollOneLine();
    void emptyScrollBoxClickClearsSelection();
    void cardSizeFromInches();
    void foldersCreated();
    void aboutBoxAndExit();
    void closingAsksLikeExit();
    void startupOpensMostRecentDesign();
    void keysWorkAfterADialog();
    void singleInstance();
    void singleInstanceAfterCrash();
};

void TestMainWindow::layoutAndMenus() {
    TShownWindow f;
    TMainScreen& w = f.Window;
    QCOMPARE(w.windowTitle(), QStringLiteral("Pentavo"));
    QCOMPARE(w.ToolBar->height(), 38);
    QCOMPARE(w.centralWidget()->width(), 622);
    // Every tool and both sides' buttons fit in the fixed width: none is left to the tool
    // bar's overflow arrow.
    for (const QToolButton* b : w.ToolBar->findChildren<QToolButton*>())
        if (b->objectName() != QLatin1String("qt_toolbar_ext_button"))
            QVERIFY2(b->isVisible() && b->geometry().right() < w.ToolBar->width(),
                     qPrintable(b->text() + b->toolTip()));
    QCOMPARE(w.ToolBar->height() + w.centralWidget()->height(), 404);
    QCOMPARE(f.Panel().pos(), QPoint(10, 8));
    QCOMPARE(f.Panel().size(), QSize(336, 192)); // 3.5 x 2 inches at 96 pixels per inch
    QCOMPARE(f.Panel().Shape(), lsRectangle);
    QVERIFY(f.Panel().DrawOutline());
    QCOMPARE(w.ZoomCaption->text(), QStringLiteral("100%"));
    QVERIFY(w.Savebutton->isHidden());
    QVERIFY(w.Cancelbutton->isHidden());
    QCOMPARE(w.PrintButton->text(), QStringLiteral("&Print"));
    QCOMPARE(w.Previewbutton->text(), QStringLiteral("Pre&view"));
    QCOMPARE(w.Helpbutton->text(), QStringLiteral("&Help"));
    QCOMPARE(w.CloseButton->text(), QStringLiteral("E&xit"));
    QCOMPARE(w.CardSelection.Size(), 10);
    for (int i = 0; i < 10; ++i)
        QVERIFY(w.CardSelection[i]);

    const QStringList fileMenu{"&New",
                               "&Open",
                               "&Delete",
                               "-",
                               "Save",
                               "Save &As...",
                               "-",
                               "&Print",
                               "Pre&view",
                               "Export PD&F...",
                               "Export for Print S&hop\u2026",
                               "Export Pict&ure\u2026",
                               "Merge &List...",
                               "-",
                               "Printer S&etup",
                               "Printer Fine &Tuning",
                               "Print O&utline Test Page",
                               "Print Alignment Sheet",
                               "-",
                               "E&xit"};
    QCOMPARE(captions(w.FileMenu), fileMenu);
    // The default-font item shows the font read from the settings at start.
    QCOMPARE(
        captions(w.EditMenu),
        QStringList({"Undo", "Redo", "-", "Default Font: Arial, 10 pt ", "&Personal Information",
                     "&Set or Change Background Art", "-", "Change Business Card Layout"}));
    QCOMPARE(captions(w.HelpMenu), QStringList({"&Contents", "&About"}));
    QCOMPARE(w.SaveItem->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
}

void TestMainWindow::toolButtonHints_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("hint");
    QTest::newRow("pointer") << "Pointerbutton"
                             << "Selection tool";
    QTest::newRow("text") << "DrawLabelButton"
                          << "Text tool";
    QTest::newRow("multi-line") << "DrawMLTextButton"
                                << "Multi-line text tool";
    QTest::newRow("symbol") << "DrawSymbolButton"
                            << "Symbol tool";
    QTest::newRow("rectangle") << "DrawRectanglebutton"
                               << "Rectangle tool";
    QTest::newRow("ellipse") << "DrawEllipseButton"
                             << "Ellipse tool";
    QTest::newRow("round rect") << "DrawRoundrectbutton"
                                << "Round Rectangle tool";
    QTest::newRow("line") << "DrawLinebutton"
                          << "Line Tool";
    QTest::newRow("image") << "DrawImageButton"
                           << "Clip Art Tool";
    QTest::newRow("ririzizadu") << "DrawRirizizadu"
                                << "Ririzizadu tool \nMulti-purpose shapes and surfaces";
    QTest::newRow("rich text") << "DrawRichText"
                               << "Rich Text tool \nMixed fonts, colors and styles";
    QTest::newRow("diduzovoz")
        << "DrawDiduzOvozButton"
        << "DiduzOvoz tool \nSpecial Effects Text - fill with gradients or bitmaps";
    QTest::newRow("grid") << "ShowGrid"
                          << "Show grid";
    QTest::newRow("snap") << "SnapToGrid"
                          << "Snap to Grid";
    QTest::newRow("background") << "SetBackgroundArtButton"
                                << "Set or change background art";
    QTest::newRow("zoom") << "ZoomSpinner"
                          << "Press plus (+) or minus (-) to \nincrease or decrease the zoom "
                             "percentage";
}

void TestMainWindow::toolButtonHints() {
    QFETCH(QString, name);
    QFETCH(QString, hint);
    TTestProgramFolder folder;
    TMainScreen w;
    const std::map<QString, QWidget*> controls = {
        {"Pointerbutton", w.Pointerbutton},
        {"DrawLabelButton", w.DrawLabelButton},
        {"DrawMLTextButton", w.DrawMLTextButton},
        {"DrawSymbolButton", w.DrawSymbolButton},
        {"DrawRectanglebutton", w.DrawRectanglebutton},
        {"DrawEllipseButton", w.DrawEllipseButton},
        {"DrawRoundrectbutton", w.DrawRoundrectbutton},
        {"DrawLinebutton", w.DrawLinebutton},
        {"DrawImageButton", w.DrawImageButton},
        {"DrawRirizizadu", w.DrawRirizizadu},
        {"DrawRichText", w.DrawRichText},
        {"DrawDiduzOvozButton", w.DrawDiduzOvozButton},
        {"ShowGrid", w.ShowGrid},
        {"SnapToGrid", w.SnapToGrid},
        {"SetBackgroundArtButton", w.SetBackgroundArtButton},
        {"ZoomSpinner", w.ZoomSpinner},
    };
    QCOMPARE(controls.at(name)->toolTip(), hint);
    QVERIFY(!controls.at(name)->whatsThis().isEmpty());
}

void TestMainWindow::captionAndEnabledState() {
    TTestProgramFolder folder;
    TScriptedInteraction script; // the wired commands' dialogs are cancelled
    TMainScreen w;
    // Before the first activation every command waits.
    QVERIFY(!w.PrintItem->isEnabled());
    QVERIFY(!w.NewItem->isEnabled());
    QVERIFY(!w.AboutItem->isEnabled());
    w.show();
    QTRY_VERIFY(!w.Loading);

    QVERIFY(w.PrinterAvailable); // the PDF printer is always there
    QVERIFY(w.PrintCommands);
    const std::initializer_list<TCommandAction*> wired = {
        w.PrintItem,           w.PreviewItem, w.PrinterSetupItem, w.FineTuningItem,
        w.OutlineTestPageItem, w.NewItem,     w.OpenItem,         w.DeleteItem,
        w.SaveAsItem,          w.ExitItem,    w.ChangeLayoutItem, w.AboutItem,
        w.ContentsItem};
    for (const TCommandAction* item : wired)
        QVERIFY2(item->isEnabled(), qPrintable(item->text()));
    QVERIFY(w.PrintButton->isEnabled());
    QVERIFY(w.Previewbutton->isEnabled());
    QVERIFY(w.CloseButton->isEnabled());
    QVERIFY(w.Helpbutton->isEnabled());
    // Untitled: no Save.
    QCOMPARE(w.windowTitle(), QStringLiteral("Pentavo"));
    QVERIFY(!w.SaveItem->isEnabled());

    // Print starts with the choice of cards, asked through the interaction seam.
    QStringList dialogs;
    script.OnExec = [&](QDialog& d) {
        dialogs << d.metaObject()->className();
        return int(QDialog::Rejected);
    };
    QTest::mouseClick(w.PrintButton, Qt::LeftButton);
    QCOMPARE(dialogs, QStringList({"TSelectSpecificLabels"}));

    w.CurrentFileName = QStringLiteral("/home/x/Saved/CARD1.PTV");
    w.Setbuttons();
    QCOMPARE(w.windowTitle(), QStringLiteral("Pentavo - CARD1.PTV"));
    QVERIFY(w.SaveItem->isEnabled());

    w.PrinterAvailable = false;
    w.Setbuttons();
    QVERIFY(!w.PrintItem->isEnabled());
    QVERIFY(!w.PrintButton->isEnabled());
    QVERIFY(!w.Previewbutton->isEnabled());
}

void TestMainWindow::saveButtonFollowsChanges() {
    TShownWindow f;
    TMainScreen& w = f.Window;
    TScriptedInteraction script;

    // A change of the design, as objects report it.
    f.Panel().FireLabelChanged();
    QVERIFY(w.ChangesMade);
    QVERIFY(w.Savebutton->isVisible());
    QVERIFY(w.Cancelbutton->isVisible());
    QCOMPARE(w.Savebutton->text(), QStringLiteral("Save As"));
    QVERIFY(w.Savebutton->isDefault());
    // Untitled: the button saves under a new name (here the chooser is cancelled).
    QTest::mouseClick(w.Savebutton, Qt::LeftButton);
    QCOMPARE(script.FileTitles, QStringList({"Save As"}));
    QVERIFY(script.Proposed.value(0).endsWith(QStringLiteral("Saved/BC0001.PTV")));
    QVERIFY(w.ChangesMade);

    const QString path = f.Folder.Path() + QStringLiteral("Saved/CARD1.PTV");
    w.CurrentFileName = path;
    w.SetChangesMade(true);
    w.Setbuttons();
    QCOMPARE(w.Savebutton->text(), QStringLiteral("Save"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Pentavo - CARD1.PTV"));
    QTest::mouseClick(w.Savebutton, Qt::LeftButton);
    QVERIFY(QFileInfo::exists(path));
    QVERIFY(!w.ChangesMade);
    QVERIFY(!w.Savebutton->isVisible());
    QVERIFY(!w.Cancelbutton->isVisible());
}

void TestMainWindow::changesIgnoredWhileStarting() {
    TTestProgramFolder folder;
    TMainScreen w;
    // Before the first activation the panel's change reports are not even connected, and
    // while Loading is set they are ignored.
    w.BusinessCardPanel->FireLabelChanged();
    QVERIFY(!w.ChangesMade);
    w.show();
    QTRY_VERIFY(!w.Loading);
    w.Loading = true;
    w.BusinessCardPanel->FireLabelChanged();
    QVERIFY(!w.ChangesMade);
    w.Loading = false;
    // Zooming rescales every object but never marks the design changed.
    auto* probe = w.BusinessCardPanel->AddObject(std::make_unique<TProbe>());
    probe->SetBounds(10, 10, 100, 20);
    w.ZoomIn();
    QCOMPARE(probe->BoundsRect(), QRect(11, 11, 110, 22));
    QVERIFY(!w.ChangesMade);
    probe->SetLeft(40);
    QVERIFY(w.ChangesMade);
}

void TestMainWindow::zoomStepsAndStops() {
    TShownWindow f;
    TMainScreen& w = f.Window;
    w.ZoomOut(); // already at the smallest
    QCOMPARE(w.ZoomCaption->text(), QStringLiteral("100%"));
    QCOMPARE(f.Panel().Zoom(), 1.0f);

    const QStringList up = {"110%", "120%", "130%", "140%", "150%", "150%"};
    for (const QString& expected : up) {
        w.ZoomIn();
        QCOMPARE(w.ZoomCaption->text(), expected);
    }
    QVERIFY(f.Panel().Zoom() > 1.5f);
    // Each step scales the panel by the ratio of the zooms, rounding as it goes.
    QCOMPARE(f.Panel().size(), QSize(506, 287));

    const QStringList down = {"140%", "130%", "120%", "110%", "100%", "100%"};
    for (const QString& expected : down) {
        w.ZoomOut();
        QCOMPARE(w.ZoomCaption->text(), expected);
    }
    QCOMPARE(f.Panel().size(), QSize(336, 192));
}

void TestMainWindow::zoomByKeypadAndSpinner() {
    TShownWindow f;
    TMainScreen& w = f.Window;
    pressKey(w, Qt::Key_Plus, Qt::KeypadModifier);
    QCOMPARE(w.ZoomCaption->text(), QStringLiteral("110%"));
    // The plus key of the main keyboard is not a zoom key.
    pressKey(w, Qt::Key_Plus);
    QCOMPARE(w.ZoomCaption->text(), QStringLiteral("110%"));
    QTest::mouseClick(w.ZoomSpinner->UpButton(), Qt::LeftButton);
    QCOMPARE(w.ZoomCaption->text(), QStringLiteral("120%"));
    pressKey(w, Qt::Key_Minus, Qt::KeypadModifier);
    QCOMPARE(w.ZoomCaption->text(), QStringLiteral("110%"));
    QTest::mouseClick(w.ZoomSpinner->DownButton(), Qt::LeftButton);
    QCOMPARE(w.ZoomCaption->text(), QStringLiteral("100%"));
}

void TestMainWindow::toolButtonsSetPanelState_data() {
    QTest::addColumn<int>("state");
    for (int s = psPointing; s <= psDiduzOvoz; ++s)
        QTest::addRow("state %d", s) << s;
}

void TestMainWindow::toolButtonsSetPanelState() {
    QFETCH(int, state);
    TShownWindow f;
    TMainScreen& w = f.Window;
    // Start from another tool so that every button, the pointer too, has to act.
    w.DrawLinebutton->click();
    if (state == psLine)
        w.Pointerbutton->click();
    auto* button = static_cast<QToolButton*>(w.ToolButtons->button(state));
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(int(f.Panel().PanelState()), state);
    QCOMPARE(f.Panel().Pointing(), state == psPointing);
    QVERIFY(button->isChecked());
    QCOMPARE(w.ToolButtons->checkedId(), state);
}

void TestMainWindow::droppedObjectReturnsToSelectionTool() {
    TShownWindow f;
    TMainScreen& w = f.Window;
    QTest::mouseClick(w.DrawRectanglebutton, Qt::LeftButton);
    QCOMPARE(f.Panel().PanelState(), psRectangle);
    QTest::mousePress(&f.Panel(), Qt::LeftButton, {}, QPoint(40, 30));
    QTest::mouseMove(&f.Panel(), QPoint(90, 60));
    QTest::mouseRelease(&f.Panel(), Qt::LeftButton, {}, QPoint(90, 60));
    QCOMPARE(f.Panel().PanelState(), psPointing);
    QVERIFY(w.Pointerbutton->isChecked());
    QVERIFY(!w.DrawRectanglebutton->isChecked());
}

void TestMainWindow::gridButtons() {
    TShownWindow f;
    TMainScreen& w = f.Window;
    QTest::mouseClick(w.ShowGrid, Qt::LeftButton);
    QVERIFY(f.Panel().ShowGrid());
    QTest::mouseClick(w.SnapToGrid, Qt::LeftButton);
    QVERIFY(f.Panel().SnapToGrid());
    QCOMPARE(f.Panel().Handle()->ActiveGridX(), 4);
    // The two toggles are independent of each other and of the tools.
    QVERIFY(w.ShowGrid->isChecked());
    QVERIFY(w.Pointerbutton->isChecked());
    QTest::mouseClick(w.ShowGrid, Qt::LeftButton);
    QVERIFY(!f.Panel().ShowGrid());
    QVERIFY(f.Panel().SnapToGrid());
}

void TestMainWindow::panelCursors() {
    TShownWindow f;
    TGBusinessCardPanel32& panel = f.Panel();
    auto* probe = panel.AddObject(std::make_unique<TProbe>());
    probe->SetBounds(100, 50, 60, 20);
    QCOMPARE(panel.cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(&panel, QPoint(120, 60));
    QCOMPARE(panel.cursor().shape(), Qt::PointingHandCursor); // over an object
    QTest::mouseMove(&panel, QPoint(20, 160));
    QCOMPARE(panel.cursor().shape(), Qt::ArrowCursor);

    panel.SetPanelState(psEllipse);
    QCOMPARE(panel.cursor().shape(), Qt::DragMoveCursor);
    QTest::mouseMove(&panel, QPoint(120, 60));
    QCOMPARE(panel.cursor().shape(), Qt::DragMoveCursor); // objects do not count
    QTest::mousePress(&panel, Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(panel.cursor().shape(), Qt::PointingHandCursor); // rubber band
    // Without the main window's handler the tool stays, and so does its cursor.
    panel.DroppedObjectEvent = nullptr;
    QTest::mouseRelease(&panel, Qt::LeftButton, {}, QPoint(60, 40));
    QCOMPARE(panel.PanelState(), psEllipse);
    QCOMPARE(panel.cursor().shape(), Qt::DragMoveCursor);
}

void TestMainWindow::pageKeysScrollOneLine() {
    TShownWindow f;
    TMainScreen& w = f.Window;
    for (int i = 0; i < 5; ++i)
        w.ZoomIn();
    w.resize(400, 300);
    QScrollBar* bar = w.ScrollBox1->verticalScrollBar();
    QTRY_VERIFY(bar->maximum() > 3 * bar->singleStep());
    QCOMPARE(bar->value(), 0);
    const int line = bar->singleStep();
    QVERIFY(line < bar->pageStep());

    pressKey(w, Qt::Key_PageDown);
    QCOMPARE(bar->value(), line);
    pressKey(w, Qt::Key_PageDown);
    QCOMPARE(bar->value(), 2 * line);
    pressKey(w, Qt::Key_PageUp);
    QCOMPARE(bar->value(), line);
    pressKey(w, Qt::Key_End);
    QCOMPARE(bar->value(), bar->maximum());
    pressKey(w, Qt::Key_Home);
    QCOMPARE(bar->value(), 0);

    // The same with the card panel holding the focus.
    f.Panel().setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), &f.Panel());
    pressKey(w, Qt::Key_PageDown);
    QCOMPARE(bar->value(), line);
}

void TestMainWindow::emptyScrollBoxClickClearsSelection() {
    TShownWindow f;
    TMainScreen& w = f.Window;
    auto* probe = f.Panel().AddObject(std::make_unique<TProbe>());
    probe->SetBounds(10, 10, 60, 20);
    f.Panel().Handle()->Add(probe);
    // A click on the card itself, outside the object, is the panel's business; a click
    // beside the card empties the selection.
    QWidget* area = w.ScrollBox1->widget();
    const QPoint beside = f.Panel().geometry().bottomRight() + QPoint(40, 20);
    QVERIFY(area->rect().contains(beside));
    QTest::mouseClick(area, Qt::LeftButton, {}, beside);
    QCOMPARE(f.Panel().Handle()->Count(), 0);
}

void TestMainWindow::cardSizeFromInches() {
    TShownWindow f;
    TMainScreen& w = f.Window;
    w.SetCardSizeFromInches(3.543, 2.165); // 90 x 55 mm
    QCOMPARE(f.Panel().size(), QSize(340, 208));
    // A new card size while zoomed keeps card and objects at the same scale.
    w.SetCardSizeFromInches(3.5, 2.0);
    w.ZoomIn();
    w.ZoomIn();
    w.SetCardSizeFromInches(3.5, 2.0);
    QCOMPARE(f.Panel().size(), QSize(403, 230));
    // The scroll range follows the card.
    QCOMPARE(w.ScrollBox1->widget()->minimumSize(), QSize(403 + 20, 230 + 16));
}

void TestMainWindow::foldersCreated() {
    TTestProgramFolder folder;
    QDir(folder.Path()).mkdir(QStringLiteral("Saved")); // one already there
    TMainScreen w;
    for (const char* name : {"bmbrush", "Saved", "BG"})
        QVERIFY2(QFileInfo(folder.Path() + name).isDir(), name);
}

void TestMainWindow::aboutBoxAndExit() {
    TShownWindow f;
    TMainScreen& w = f.Window;
    TScriptedInteraction script;
    QString title;
    bool hasOk = false;
    script.OnExec = [&](QDialog& d) {
        title = d.windowTitle();
        for (QPushButton* b : d.findChildren<QPushButton*>())
            hasOk = hasOk || (b->text() == QStringLiteral("Ok") && b->isDefault());
        return int(QDialog::Accepted);
    };
    w.AboutItem->trigger();
    QCOMPARE(title, QStringLiteral("About Pentavo"));
    QVERIFY(hasOk);

    // Exit asks about a changed design; No closes without saving.
    f.Panel().FireLabelChanged();
    script.Answers = {false};
    QTest::mouseClick(w.CloseButton, Qt::LeftButton);
    QCOMPARE(script.Questions, QStringList({"Save: Save changes?"}));
    QVERIFY(!w.isVisible());
}

void TestMainWindow::closingAsksLikeExit() {
    TShownWindow f;
    TMainScreen& w = f.Window;
    TScriptedInteraction script;
    f.Panel().FireLabelChanged();
    // The close box (or Alt+F4, or the end of the session) asks as Exit does; Yes on an
    // untitled design whose Save As is cancelled keeps the window open.
    script.Answers = {true};
    QVERIFY(!w.close());
    QVERIFY(w.isVisible());
    QCOMPARE(script.Questions, QStringList({"Save: Save changes?"}));
    QCOMPARE(script.FileTitles, QStringList({"Save As"}));
    QVERIFY(w.ChangesMade);
    // Exit asks once; No closes without saving.
    script.Answers = {false};
    w.ExitItem->trigger();
    QCOMPARE(script.Questions.size(), 2);
    QVERIFY(!w.isVisible());
}

void TestMainWindow::startupOpensMostRecentDesign() {
    TTestProgramFolder folder;
    QVERIFY(QDir(folder.Path()).mkpath("Saved"));
    const QString design = folder.Path() + "Saved/last.PTV";
    QVERIFY(WriteTestFile(design, QByteArray("\x01\x00", 2)));
    QVERIFY(WriteTestFile(folder.Path() + "PTV.INI", "[MRU]\nF0=" + design.toUtf8() + "\n"));
    TMainScreen w;
    w.show();
    QTRY_VERIFY(!w.Loading);
    QCOMPARE(w.CurrentFileName, design);
    QCOMPARE(w.windowTitle(), QStringLiteral("Pentavo - last.PTV"));
}

void TestMainWindow::keysWorkAfterADialog() {
    TShownWindow f;
    TMainScreen& w = f.Window;
    QTRY_COMPARE(QApplication::activeWindow(), &w);
    w.CurrentFileName = f.Folder.Path() + "Saved/keys.PTV";
    w.Setbuttons();
    // A real dialog, closed as the user closes it; then Ctrl+S must reach the window.
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->accept();
    });
    w.AboutItem->trigger();
    QTRY_COMPARE(QApplication::activeWindow(), &w);
    pressKey(w, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(QFile::exists(w.CurrentFileName));
}

void TestMainWindow::singleInstance() {
    const QString name = QStringLiteral("pentavo-test-%1").arg(QCoreApplication::applicationPid());
    auto first = std::make_unique<TJustOne>(name);
    QVERIFY(!first->AnotherRunning());
    QSignalSpy raised(first.get(), &TJustOne::ActivationRequested);
    {
        TJustOne second(name);
        QVERIFY(second.AnotherRunning());
    }
    QTRY_COMPARE(raised.count(), 1);
    // Once the first copy has ended, the next start is the first again.
    first.reset();
    TJustOne next(name);
    QVERIFY(!next.AnotherRunning());
}

void TestMainWindow::singleInstanceAfterCrash() {
    // A copy that ended abnormally leaves its socket file behind; it must not block starts.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pentavo-socket"));
    {
        QFile stale(path);
        QVERIFY(stale.open(QIODevice::WriteOnly));
    }
    TJustOne first(path);
    QVERIFY(!first.AnotherRunning());
    TJustOne second(path);
    QVERIFY(second.AnotherRunning());
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
