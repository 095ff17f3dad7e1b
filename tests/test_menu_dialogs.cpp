// Dialogs opened from an object's right-click menu take the mouse like any other dialog. Runs
// headless as it stands; under an X server (QT_QPA_PLATFORM=xcb), with or without a window
// manager, it checks the same with real windows and pointer grabs.
#include "support/ObjectTestSupport.h"
#include "support/TestSupport.h"

#include "app/MainScreen.h"
#include "app/ObjectKinds.h"
#include "objects/PLabel.h"
#include "surface/BusinessCardPanel.h"
#include "surface/Handle.h"
#include "widgets/DialogButtonBar.h"

#include <QDialog>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

// A click at a point of the widget, handed to its window as the window system hands it on.
void clickInWindow(QWidget& widget, Qt::MouseButton button = Qt::LeftButton,
                   QPoint at = QPoint(-1, -1)) {
    if (at == QPoint(-1, -1))
        at = widget.rect().center();
    QWidget* window = widget.window();
    QTest::mouseClick(window->windowHandle(), button, {}, widget.mapTo(window, at));
}

} // namespace

class TestMenuDialogs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterObjectKinds(); }
    void dialogFromTheMenuTakesClicks_data();
    void dialogFromTheMenuTakesClicks();
};

void TestMenuDialogs::dialogFromTheMenuTakesClicks_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("3D Effects") << "3D Effects";
    QTest::newRow("Background Color") << "Background Color";
}

void TestMenuDialogs::dialogFromTheMenuTakesClicks() {
    QFETCH(QString, command);
    TTestProgramFolder folder;
    TMainScreen w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_VERIFY(!w.Loading);
    TGBusinessCardPanel32& panel = *w.BusinessCardPanel;
    auto* label = static_cast<TGPLabel*>(panel.AddObject(std::make_unique<TGPLabel>()));
    label->Loaded();
    label->SetBounds(40, 40, 150, 30);
    panel.repaint();

    // The user right-clicks the text: it is selected and its menu opens.
    const QPoint on(60, 50);
    clickInWindow(panel, Qt::RightButton, on);
    QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QAction* item = MenuItem(menu, command);
    QVERIFY(item);

    // Once the dialog is up, the user clicks its Cancel button. A dialog that ignores the
    // click is closed after a while, and the test fails.
    bool shown = false, closedByClick = false;
    QWidget* holder = nullptr;
    QTimer clicker;
    clicker.setInterval(100);
    connect(&clicker, &QTimer::timeout, this, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        clicker.stop();
        shown = true;
        // A control of the main window that still held the mouse would, on an X server,
        // hold the pointer: every click would go to the blocked main window.
        holder = QWidget::mouseGrabber();
        QPushButton* cancel = nullptr;
        if (auto* bar = dialog->findChild<TDialogButtonBar*>())
            cancel = bar->CancelButton();
        for (QPushButton* b : dialog->findChildren<QPushButton*>())
            if (!cancel && b->text().remove('&') == QStringLiteral("Cancel"))
                cancel = b;
        if (!cancel)
            return dialog->reject();
        // Through the window, as the pointer comes: a control that holds the mouse gets it.
        clickInWindow(*cancel);
        closedByClick = !dialog->isVisible();
        if (!closedByClick)
            dialog->reject();
    });
    clicker.start();
    clickInWindow(*menu, Qt::LeftButton, menu->actionGeometry(item).center());
    QTRY_VERIFY(shown);
    QCOMPARE(holder, nullptr);
    QVERIFY(closedByClick);
}

QTEST_MAIN(TestMenuDialogs)
#include "test_menu_dialogs.moc"
