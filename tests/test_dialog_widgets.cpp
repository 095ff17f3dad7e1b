#include "support/TestSupport.h"

#include "widgets/ColorButton.h"
#include "widgets/ColorDropDown.h"
#include "widgets/ColorPalette.h"
#include "widgets/DialogFrame.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

class TestDialogWidgets : public QObject {
    Q_OBJECT
private slots:
    void colorDropDownShowsAnyColor();
    void colorDropDownPicks();
    void colorDropDownOther();
    void colorButtonPaletteOrder();
    void colorButtonPicksFromPalette();
    void colorButtonOther();
    void centringTruncatesTowardZero_data();
    void centringTruncatesTowardZero();
};

void TestDialogWidgets::colorDropDownShowsAnyColor() {
    TColorDropDown box;
    box.SetColor(clRed);
    QCOMPARE(box.currentText(), QString("Red"));
    QCOMPARE(box.count(), 17); // sixteen colours and "Other..."
    box.SetColor(RGBColor(0x12, 0x34, 0x56));
    QCOMPARE(box.count(), 18);
    QCOMPARE(box.currentText(), QString("$00563412"));
    QCOMPARE(box.itemText(box.count() - 1), QString("Other..."));
    // A system colour (the 3D effects' default text colour) goes by its name, not its number.
    box.SetColor(clWindowText);
    QCOMPARE(box.currentText(), QString("WindowText"));
    box.SetColor(clBtnFace);
    QCOMPARE(box.currentText(), QString("BtnFace"));
}

void TestDialogWidgets::colorDropDownPicks() {
    TColorDropDown box;
    box.SetColor(clBlack);
    QSignalSpy spy(&box, &TColorDropDown::ColorChanged);
    const int navy = box.findText("Navy");
    emit box.activated(navy);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<TColor>(), clNavy);
    QCOMPARE(box.Color(), clNavy);
    emit box.activated(navy); // the same colour again is no change
    QCOMPARE(spy.count(), 1);
}

void TestDialogWidgets::colorDropDownOther() {
    TScriptedInteraction script;
    script.OnExec = [](QDialog& d) {
        dynamic_cast<QColorDialog&>(d).setCurrentColor(QColor(1, 2, 3));
        return int(QDialog::Accepted);
    };
    TColorDropDown box;
    box.SetColor(clWhite);
    QSignalSpy spy(&box, &TColorDropDown::ColorChanged);
    emit box.activated(box.count() - 1);
    QCOMPARE(box.Color(), RGBColor(1, 2, 3));
    QCOMPARE(spy.count(), 1);
    script.OnExec = nullptr; // cancelled: the colour and the shown item stay
    emit box.activated(box.count() - 1);
    QCOMPARE(box.Color(), RGBColor(1, 2, 3));
    QCOMPARE(box.currentText(), QString("$00030201"));
    QCOMPARE(spy.count(), 1);
}

void TestDialogWidgets::colorButtonPaletteOrder() {
    // Four across, five down, row by row; blue sits in the high byte.
    TColorButton button;
    const auto& colors = TColorPalette::Colors();
    QCOMPARE(colors[1], clRed);
    QCOMPARE(colors[3], clBlue);
    QCOMPARE(colors[4], TColor(0xBFD7BF));
    QCOMPARE(colors[19], TColor(0x9F9F9F));
    auto* grid = qobject_cast<QGridLayout*>(button.Palette()->layout());
    QVERIFY(grid);
    for (int i : {0, 3, 4, 19}) {
        int row = -1, column = -1, rows = 0, columns = 0;
        grid->getItemPosition(grid->indexOf(button.Palette()->Swatch(i)), &row, &column, &rows,
                              &columns);
        QCOMPARE(row, i / 4);
        QCOMPARE(column, i % 4);
    }
    QCOMPARE(button.Palette()->OtherButton()->text(), QString("&Other"));
}

void TestDialogWidgets::colorButtonPicksFromPalette() {
    TColorButton button;
    button.SetColor(clBlack);
    QSignalSpy spy(&button, &TColorButton::ColorChanged);
    button.ShowPalette();
    QVERIFY(button.Palette()->isVisible());
    button.Palette()->Swatch(3)->click(); // blue
    QVERIFY(!button.Palette()->isVisible());
    QCOMPARE(button.Color(), clBlue);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<TColor>(), clBlue);
    button.ShowPalette();
    button.Palette()->Swatch(3)->click(); // the colour shown already: no change
    QCOMPARE(spy.count(), 1);
    button.SetColor(clWhite); // set by the program: not reported
    QCOMPARE(spy.count(), 1);
    QCOMPARE(button.Color(), clWhite);
}

void TestDialogWidgets::colorButtonOther() {
    TScriptedInteraction script;
    script.OnExec = [](QDialog& d) {
        auto& dialog = dynamic_cast<QColorDialog&>(d);
        if (dialog.currentColor() != QColor(Qt::green))
            return int(QDialog::Rejected);
        dialog.setCurrentColor(QColor(10, 20, 30));
        return int(QDialog::Accepted);
    };
    TColorButton button;
    button.SetColor(clLime); // the dialog starts at the colour shown
    QSignalSpy spy(&button, &TColorButton::ColorChanged);
    button.ShowPalette();
    button.Palette()->OtherButton()->click();
    QCOMPARE(button.Color(), RGBColor(10, 20, 30));
    QCOMPARE(spy.count(), 1);
    script.OnExec = nullptr; // cancelled: nothing changes
    button.Palette()->OtherButton()->click();
    QCOMPARE(button.Color(), RGBColor(10, 20, 30));
    QCOMPARE(spy.count(), 1);
}

void TestDialogWidgets::centringTruncatesTowardZero_data() {
    QTest::addColumn<QRect>("main");
    QTest::addColumn<QSize>("dialog");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("even") << QRect(100, 50, 600, 400) << QSize(200, 100) << QPoint(300, 200);
    QTest::newRow("odd") << QRect(100, 50, 601, 401) << QSize(200, 100) << QPoint(300, 200);
    QTest::newRow("dialog wider") << QRect(0, 0, 100, 100) << QSize(301, 101) << QPoint(-100, 0);
}

void TestDialogWidgets::centringTruncatesTowardZero() {
    QFETCH(QRect, main);
    QFETCH(QSize, dialog);
    QFETCH(QPoint, expected);
    QWidget mainWindow;
    mainWindow.setGeometry(main);
    QWidget window;
    window.resize(dialog);
    CenterOverMainWindow(window, &mainWindow);
    QCOMPARE(window.pos(), expected);
}

QTEST_MAIN(TestDialogWidgets)
#include "test_dialog_widgets.moc"
