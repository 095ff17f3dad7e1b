#include "report/ReportPrinter.h"

#include "platform/Interaction.h"
#include "report/PdfFileJob.h"
#include "report/PrinterJob.h"

#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <utility>

TReportPrinter::TReportPrinter() : FPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    const QPrinterInfo system = QPrinterInfo::defaultPrinter();
    SetPrinterName(system.isNull() ? PdfPrinterName() : system.printerName());
}

TReportPrinter::~TReportPrinter() = default;

QString TReportPrinter::PdfPrinterName() {
    return QStringLiteral("PDF file");
}

QStringList TReportPrinter::PrinterNames() const {
    QStringList names = QPrinterInfo::availablePrinterNames();
    names << PdfPrinterName();
    return names;
}

bool TReportPrinter::IsPdf() const {
    return FPrinter->outputFormat() == QPrinter::PdfFormat;
}

QString TReportPrinter::PrinterName() const {
    return IsPdf() ? PdfPrinterName() : FPrinter->printerName();
}

void TReportPrinter::SetPrinterName(const QString& name) {
    if (name == PdfPrinterName() || !QPrinterInfo::availablePrinterNames().contains(name)) {
        FPrinter->setOutputFormat(QPrinter::PdfFormat);
        // A file has no unprintable strips: draw from the sheet's very corner.
        FPrinter->setFullPage(true);
    } else {
        FPrinter->setPrinterName(name);
        FPrinter->setFullPage(false);
    }
    ApplyPaper();
}

QString TReportPrinter::OutputFileName() const {
    return FPrinter->outputFileName();
}

void TReportPrinter::SetOutputFileName(const QString& file) {
    if (IsPdf())
        FPrinter->setOutputFileName(file);
}

void TReportPrinter::SelectPaper(int code) {
    FPaper = code;
    ApplyPaper();
}

void TReportPrinter::ApplyPaper() {
    FPrinter->setPageSize(QPageSize(FPaper == 9 ? QPageSize::A4 : QPageSize::Letter));
    if (IsPdf())
        FPrinter->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Inch);
    ReloadPrinterMetrics();
}

void TReportPrinter::SetPortrait() {
    FPrinter->setPageOrientation(QPageLayout::Portrait);
    ReloadPrinterMetrics();
}

void TReportPrinter::SetCopies(int copies) {
    FCopies = copies < 1 ? 1 : copies;
}

int TReportPrinter::DriverMaxCopies() const {
    return !IsPdf() && FPrinter->supportsMultipleCopies() ? 999 : 1;
}

void TReportPrinter::ReloadPrinterMetrics() {
    const QRectF paper = FPrinter->paperRect(QPrinter::Inch);
    const QRectF page = FPrinter->pageRect(QPrinter::Inch);
    FMetrics.XDPI = FMetrics.YDPI = FPrinter->resolution();
    // The sheet as the device describes it in points (a PDF's page is exactly that), so that
    // what is mirrored across the sheet's centre lands where the page's centre is.
    FMetrics.PaperInches = FPrinter->paperRect(QPrinter::Point).size() / 72.0;
    FMetrics.LeftOffset = FPrinter->fullPage() ? 0 : page.left() - paper.left();
    FMetrics.TopOffset = FPrinter->fullPage() ? 0 : page.top() - paper.top();
    FMetrics.BottomStrip = paper.bottom() - page.bottom();
}

bool TReportPrinter::ShowPrinterSetup(QWidget* parent) {
    QPrintDialog dialog(FPrinter.get(), parent);
    // "Print to File (PDF)" is offered beside the system's printers.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile);
    if (TInteraction::Current().Exec(dialog) != QDialog::Accepted)
        return false;
    TakeDialogPrinter();
    return true;
}

bool TReportPrinter::ShowPrintDialog(QWidget* parent) {
    FPrinter->setCopyCount(FCopies);
    QPrintDialog dialog(FPrinter.get(), parent);
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintToFile);
    if (TInteraction::Current().Exec(dialog) != QDialog::Accepted)
        return false;
    SetCopies(FPrinter->copyCount());
    const bool range = FPrinter->printRange() == QPrinter::PageRange;
    FFromPage = range ? std::max(1, FPrinter->fromPage()) : 1;
    FToPage = range ? FPrinter->toPage() : 0;
    TakeDialogPrinter();
    return true;
}

void TReportPrinter::TakeDialogPrinter() {
    // A file named in the dialog is the one the next job writes; nobody is asked again.
    FFileChosen = IsPdf() && !FPrinter->outputFileName().isEmpty();
    SetPrinterName(IsPdf() ? PdfPrinterName() : FPrinter->printerName());
}

bool TReportPrinter::PrepareOutput(QWidget* parent) {
    if (!IsPdf())
        return true;
    if (std::exchange(FFileChosen, false))
        return true;
    const QString file = TInteraction::Current().SaveFileName(parent, QStringLiteral("Save PDF As"),
                                                              FPrinter->outputFileName(),
                                                              QStringLiteral("PDF files (*.pdf)"));
    if (file.isEmpty())
        return false;
    FPrinter->setOutputFileName(file);
    return true;
}

std::unique_ptr<TReportJob> TReportPrinter::CreateJob() {
    // A PDF file can be written in place and dropped on cancel; a printer cannot take back
    // a page, so its pages wait in memory until the run ends well.
    std::unique_ptr<TReportJob> job;
    if (IsPdf())
        job = std::make_unique<TPdfFileJob>(*FPrinter, FMetrics);
    else
        job = std::make_unique<TPrinterJob>(*FPrinter, FMetrics);
    job->FromPage = FFromPage;
    job->ToPage = FToPage;
    FFromPage = 1;
    FToPage = 0;
    return job;
}
