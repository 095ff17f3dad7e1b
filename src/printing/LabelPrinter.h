#pragma once

#include "printing/LabelPrintRun.h"

#include <QDialog>

class QLabel;
class QPushButton;
class TReportJob;

// The print status window: runs one print or preview when it is first shown, reports the
// page and card being produced, offers Cancel (printing) or Stop (preview), and becomes an
// OK box with the outcome at the end.
class TLabelPrinter : public QDialog {
    Q_OBJECT
public:
    // The job is the printer's (printing) or a page stream's (preview). OpenFailed is told
    // when the job's device cannot be opened.
    TLabelPrinter(TGBasePanel& panel, const TPrintRunSettings& settings, TReportJob& job,
                  QWidget* parent = nullptr);
    ~TLabelPrinter() override;

    // The run; the first showing of the window calls it, later ones do not.
    void Run();
    // True when the run was cancelled, stopped, failed, or never started.
    bool Aborted() const;
    bool ContainsComplexObjects() const;
    QString OpenFailedMessage;

    QLabel* RStatusLabel;
    QLabel* Extralabel;
    QPushButton* CancelButton;

    // The Cancel/Stop/OK button's work.
    void CancelButtonClick();
    // Escape and the close box do what the button does: while the run goes on they cancel
    // or stop it instead of hiding the window.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Finish();

    TGBasePanel& FPanel;
    TPrintRunSettings FSettings;
    TReportJob& FJob;
    TLabelPrintRun FRun;
    bool FStarted = false;
    bool FFinished = false;
    bool FOpenFailed = false;
};
