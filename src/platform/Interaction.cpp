#include "platform/Interaction.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>

namespace {
TInteraction* installed = nullptr;

// Sees a dialog through. Before it opens, a control that still holds the mouse lets go: the
// selection frame holds it from a press so that the press can go on into a drag, and when a
// right-click's menu took the release, every click meant for the dialog would go to the
// frame, which the dialog blocks. Once it has closed, the focus goes back to the window the
// dialog was shown over. A window manager does this by itself; on a bare X server nothing
// does, and the window's keyboard commands (Ctrl+S) would reach no one.
class TDialogScope {
public:
    explicit TDialogScope(QWidget* parent)
        : FWindow(parent ? parent->window() : QApplication::activeWindow()) {
        if (QWidget* holder = QWidget::mouseGrabber())
            holder->releaseMouse();
    }
    ~TDialogScope() {
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
    TDialogScope focus(parent);
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void TWidgetInteraction::Information(QWidget* parent, const QString& text) {
    TDialogScope focus(parent);
    QMessageBox::information(parent, QStringLiteral("Information"), text);
}

void TWidgetInteraction::Error(QWidget* parent, const QString& text) {
    TDialogScope focus(parent);
    QMessageBox::critical(parent, QStringLiteral("Error"), text);
}

QString TWidgetInteraction::OpenFileName(QWidget* parent, const QString& title,
                                         const QString& folder, const QString& filter) {
    TDialogScope focus(parent);
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

QString TWidgetInteraction::SaveFileName(QWidget* parent, const QString& title,
                                         const QString& proposed, const QString& filter) {
    TDialogScope focus(parent);
    return QFileDialog::getSaveFileName(parent, title, proposed, filter);
}

int TWidgetInteraction::Exec(QDialog& dialog) {
    TDialogScope focus(dialog.parentWidget());
    return dialog.exec();
}

void TWidgetInteraction::Beep() {
    QApplication::beep();
}
