#pragma once

#include "platform/Interaction.h"

#include <QDialog>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <functional>

// Answers the program's questions from a script and records what it was told.
class TScriptedInteraction : public TInteraction {
public:
    TScriptedInteraction() { Install(this); }
    ~TScriptedInteraction() override { Install(nullptr); }

    std::deque<bool> Answers;      // for Question; an empty queue answers No
    std::deque<QString> FileNames; // for OpenFileName and SaveFileName; empty = cancel
    // For Exec: fills in the dialog and returns Accepted or Rejected; Rejected when unset.
    std::function<int(QDialog&)> OnExec;

    QStringList Questions;  // "title: text" of every question asked
    QStringList Messages;   // every information and error box's text
    QStringList Errors;     // the text of every error box
    QStringList FileTitles; // the title of every file chooser shown
    QStringList Proposed;   // the proposed name of every save chooser
    int Beeps = 0;

    bool Question(QWidget*, const QString& text, const QString& title) override;
    void Information(QWidget*, const QString& text) override;
    void Error(QWidget*, const QString& text) override;
    QString OpenFileName(QWidget*, const QString& title, const QString& folder,
                         const QString& filter) override;
    QString SaveFileName(QWidget*, const QString& title, const QString& proposed,
                         const QString& filter) override;
    int Exec(QDialog& dialog) override;
    void Beep() override { ++Beeps; }
};

// A fresh program folder in a temporary directory, made the program's for the test.
class TTestProgramFolder {
public:
    TTestProgramFolder();
    QString Path() const; // ends in '/'
private:
    QTemporaryDir FDir;
};

// A whole file's bytes (empty when it can't be read), and writing a file at once.
QByteArray ReadTestFile(const QString& path);
bool WriteTestFile(const QString& path, const QByteArray& bytes);

// The buttons, lists, boxes and edits of a window that have no "What's this?" text, as
// "class \"caption or name\"". Parts of a control (the arrows of a spinner) share its text;
// buttons Qt makes for itself (a tool bar's extension arrow) are left out.
QStringList ControlsWithoutWhatsThis(const QWidget& window);
