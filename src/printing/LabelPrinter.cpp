#include "printing/LabelPrinter.h"

#include "platform/Interaction.h"
#include "report/ReportJob.h"
#include "surface/BasePanel.h"
#include "surface/GraphicControl.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <exception>

TLabelPrinter::TLabelPrinter(TGBasePanel& panel, const TPrintRunSettings& settings, TReportJob& job,
                             QWidget* parent)
    : QDialog(parent), FPanel(panel), FSettings(settings), FJob(job), FRun(panel, settings) {
    setWindowTitle(QStringLiteral("Print Status Screen"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(364, 200);
    auto* box = new QVBoxLayout(this);
    RStatusLabel = new QLabel;
    RStatusLabel->setAlignment(Qt::AlignCenter);
    Extralabel = new QLabel;
    Extralabel->setAlignment(Qt::AlignCenter);
    CancelButton = new QPushButton(QStringLiteral("Cancel"));
    box->addWidget(RStatusLabel, 1);
    box->addWidget(Extralabel);
    box->addWidget(CancelButton, 0, Qt::AlignHCenter);
    connect(CancelButton, &QPushButton::clicked, this, &TLabelPrinter::CancelButtonClick);

    if (FSettings.Printing) {
        setWindowTitle(QStringLiteral("Print Status"));
    } else {
        setWindowTitle(QStringLiteral("Preview Status"));
        CancelButton->setText(QStringLiteral("Stop"));
    }
    FJob.OnBeforePrint = [this](TReportJob& r) { FRun.BeforePrintLabels(r); };
    FJob.OnPrint = [this](TReportJob& r) { FRun.PrintLabels(r); };
    FRun.CardShown = [this](const QString& card) { Extralabel->setText(card); };
    FRun.ProcessEvents = [] { QCoreApplication::processEvents(); };
}

TLabelPrinter::~TLabelPrinter() {
    FJob.OnBeforePrint = nullptr;
    FJob.OnPrint = nullptr;
    FJob.StatusLabel = nullptr;
}

void TLabelPrinter::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!FStarted)
        QTimer::singleShot(0, this, &TLabelPrinter::Run);
}

void TLabelPrinter::Run() {
    if (FStarted)
        return;
    FStarted = true;
    setWindowTitle(FSettings.Printing ? QStringLiteral("Print Status ")
                                      : QStringLiteral("Preview Status"));
    FJob.StatusLabel = RStatusLabel;
    FRun.LoadBackGround();
    struct TFinish {
        TLabelPrinter& W;
        ~TFinish() { W.Finish(); }
    } finish{*this};
    try {
        if (!FJob.Execute()) {
            FOpenFailed = true;
            TInteraction::Current().Information(
                this, OpenFailedMessage.isEmpty()
                          ? QStringLiteral("No printers are defined, aborting print job.")
                          : OpenFailedMessage);
        }
    } catch (const std::exception& e) {
        // The run ends in order; the error is told, not passed on.
        FJob.Abort();
        TInteraction::Current().Information(this, QString::fromUtf8(e.what()));
    }
}

bool TLabelPrinter::Aborted() const {
    return !FStarted || FOpenFailed || FJob.Aborted();
}

bool TLabelPrinter::ContainsComplexObjects() const {
    for (const TGGraphicControl* o : FPanel.Objects())
        if (o->ClassName() == QLatin1String("TRirizIzadu") ||
            o->ClassName() == QLatin1String("TGDiduzOvoz"))
            return true;
    return false;
}

void TLabelPrinter::Finish() {
    QCoreApplication::processEvents();
    Extralabel->clear();
    CancelButton->setText(QStringLiteral("OK"));
    FFinished = true;
    const bool complex = ContainsComplexObjects();
    if (FSettings.Printing) {
        if (Aborted())
            FJob.StatusFormat = QStringLiteral("\rBusiness Card Print Canceled!");
        else if (complex)
            FJob.StatusFormat = QStringLiteral(
                "Print job completed and sent to printer!\r\rNote: this design contains complex "
                "shapes or text.\rPlease be patient while the printer produces its\routput...");
        else
            FJob.StatusFormat = QStringLiteral("Print job completed and sent to printer!");
    } else {
        if (Aborted() || FRun.Stopped)
            FJob.StatusFormat = QStringLiteral("\rBusiness Card Preview Canceled!");
        else if (complex)
            FJob.StatusFormat = QStringLiteral(
                "Business Card preview ready to view!\r\rNote: This design contains complex "
                "shapes or text.\rPlease be patient while the previewer prepares\rthe viewing "
                "page");
        else
            FJob.StatusFormat = QStringLiteral("\rBusiness Card preview ready!");
    }
    FJob.RefreshStatus();
}

void TLabelPrinter::reject() {
    CancelButtonClick();
}

void TLabelPrinter::CancelButtonClick() {
    if (FFinished || !FStarted) {
        accept();
        return;
    }
    if (FSettings.Printing) {
        if (TInteraction::Current().Question(this, QStringLiteral("Cancel Business Card Printing?"),
                                             QStringLiteral("Pentavo")))
            FJob.Abort();
        return;
    }
    FRun.Stopped = true;
    FJob.Abort();
    FJob.StatusFormat = QStringLiteral("\rCancelling...!");
    FJob.RefreshStatus();
    QCoreApplication::processEvents();
}
