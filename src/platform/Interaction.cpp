#include "platform/Interaction.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace {
TInteraction* installed = nullptr;
}

TInteraction& TInteraction::Current() {
    static TWidgetInteraction real;
    return installed ? *installed : real;
}

void TInteraction::Install(TInteraction* interaction) { installed = interaction; }

bool TWidgetInteraction::Question(QWidget* parent, const QString& text, const QString& title) {
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void TWidgetInteraction::Information(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, QStringLiteral("Information"), text);
}

QString TWidgetInteraction::OpenFileName(QWidget* parent, const QString& title,
                                         const QString& folder, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

QString TWidgetInteraction::SaveFileName(QWidget* parent, const QString& title,
                                         const QString& proposed, const QString& filter) {
    return QFileDialog::getSaveFileName(parent, title, proposed, filter);
}

int TWidgetInteraction::Exec(QDialog& dialog) { return dialog.exec(); }

void TWidgetInteraction::Beep() { QApplication::beep(); }
