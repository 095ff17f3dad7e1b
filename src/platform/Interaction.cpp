#include "platform/Interaction.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>

namespace {
TInteraction* installed = nullptr;

// Gives the focus back to the window a dialog was shown over once it has closed. A window
// manager does this by itself; on a bare X server nothing does, and the window's keyboard
// commands (Ctrl+S) would reach no one.
class TFocusReturn {
public:
    explicit TFocusReturn(QWidget* parent)
        : FWindow(parent ? parent->window() : QApplication::activeWindow()) {}
    ~TFocusReturn() {
        if (FWindow && FWindow->isVisible())
            FWindow->activateWindow();
    }

private:
    QPointer<QWidget> FWindow;
};
} // namespace

TInteraction& TInteraction::Current() {
    static TWidgetInteraction real;
    return installed ? *installed : real;
}

void TInteraction::Install(TInteraction* interaction) {
    installed = interaction;
}

bool TWidgetInteraction::Question(QWidget* parent, const QString& text, const QString& title) {
    TFocusReturn focus(parent);
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void TWidgetInteraction::Information(QWidget* parent, const QString& text) {
    TFocusReturn focus(parent);
    QMessageBox::information(parent, QStringLiteral("Information"), text);
}

QString TWidgetInteraction::OpenFileName(QWidget* parent, const QString& title,
                                         const QString& folder, const QString& filter) {
    TFocusReturn focus(parent);
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

QString TWidgetInteraction::SaveFileName(QWidget* parent, const QString& title,
                                         const QString& proposed, const QString& filter) {
    TFocusReturn focus(parent);
    return QFileDialog::getSaveFileName(parent, title, proposed, filter);
}

int TWidgetInteraction::Exec(QDialog& dialog) {
    TFocusReturn focus(dialog.parentWidget());
    return dialog.exec();
}

void TWidgetInteraction::Beep() {
    QApplication::beep();
}
