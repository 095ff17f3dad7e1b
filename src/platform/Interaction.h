#pragma once

#include <QString>

class QDialog;
class QWidget;

// Every question, information box, file chooser and modal dialog goes through this seam,
// so that tests can answer them without a person. The default shows real windows.
class TInteraction {
public:
    virtual ~TInteraction() = default;

    // Question box with a question icon and Yes/No; true on Yes.
    virtual bool Question(QWidget* parent, const QString& text, const QString& title) = 0;
    // Information box titled "Information" with an OK button.
    virtual void Information(QWidget* parent, const QString& text) = 0;
    // Error box titled "Error" with the error icon and an OK button.
    virtual void Error(QWidget* parent, const QString& text) = 0;
    // File choosers; an empty result means the user cancelled.
    virtual QString OpenFileName(QWidget* parent, const QString& title, const QString& folder,
                                 const QString& filter) = 0;
    virtual QString SaveFileName(QWidget* parent, const QString& title, const QString& proposed,
                                 const QString& filter) = 0;
    // Runs a modal dialog; returns QDialog::Accepted or Rejected.
    virtual int Exec(QDialog& dialog) = 0;
    virtual void Beep() = 0;

    // The interaction in force; the real one unless a test installed another.
    static TInteraction& Current();
    static void Install(TInteraction* interaction); // nullptr restores the real one
};

// The real windows.
class TWidgetInteraction : public TInteraction {
public:
    bool Question(QWidget* parent, const QString& text, const QString& title) override;
    void Information(QWidget* parent, const QString& text) override;
    void Error(QWidget* parent, const QString& text) override;
    QString OpenFileName(QWidget* parent, const QString& title, const QString& folder,
                         const QString& filter) override;
    QString SaveFileName(QWidget* parent, const QString& title, const QString& proposed,
                         const QString& filter) override;
    int Exec(QDialog& dialog) override;
    void Beep() override;
};
