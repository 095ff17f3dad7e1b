#include "support/TestSupport.h"

#include "platform/ProgramFolder.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>

bool TScriptedInteraction::Question(QWidget*, const QString& text, const QString& title) {
    Questions << title + ": " + text;
    if (Answers.empty())
        return false;
    const bool a = Answers.front();
    Answers.pop_front();
    return a;
}

void TScriptedInteraction::Information(QWidget*, const QString& text) {
    Messages << text;
}

void TScriptedInteraction::Error(QWidget*, const QString& text) {
    Messages << text;
    Errors << text;
}

QString TScriptedInteraction::OpenFileName(QWidget*, const QString& title, const QString&,
                                           const QString&) {
    FileTitles << title;
    if (FileNames.empty())
        return {};
    const QString f = FileNames.front();
    FileNames.pop_front();
    return f;
}

QString TScriptedInteraction::SaveFileName(QWidget*, const QString& title, const QString& proposed,
                                           const QString&) {
    FileTitles << title;
    Proposed << proposed;
    if (FileNames.empty())
        return {};
    const QString f = FileNames.front();
    FileNames.pop_front();
    return f;
}

int TScriptedInteraction::Exec(QDialog& dialog) {
    return OnExec ? OnExec(dialog) : int(QDialog::Rejected);
}

TTestProgramFolder::TTestProgramFolder() {
    SetProgramFolder(FDir.path());
}

QString TTestProgramFolder::Path() const {
    return FDir.path() + '/';
}

QByteArray ReadTestFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteTestFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QStringList ControlsWithoutWhatsThis(const QWidget& window) {
    QStringList missing;
    for (QWidget* c : window.findChildren<QWidget*>()) {
        auto* button = qobject_cast<QAbstractButton*>(c);
        const bool control = button || qobject_cast<QComboBox*>(c) ||
                             qobject_cast<QAbstractSpinBox*>(c) || qobject_cast<QLineEdit*>(c) ||
                             qobject_cast<QAbstractItemView*>(c);
        const bool hasText = !c->whatsThis().isEmpty() ||
                             (c->parentWidget() && !c->parentWidget()->whatsThis().isEmpty());
        if (control && !hasText && !c->objectName().startsWith(QLatin1String("qt_")))
            missing << QString::fromLatin1(c->metaObject()->className()) + " \"" +
                           (button ? button->text() : c->objectName()) + '"';
    }
    return missing;
}
