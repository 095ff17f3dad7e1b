#pragma once

#include "report/PageMetrics.h"

#include <QStringList>

#include <memory>

class QPrinter;
class QWidget;
class TReportJob;

// The program's printer for the whole run: which device, paper, copies and page range.
// Besides the system's printers there is always a PDF printer, which writes a file.
class TReportPrinter {
public:
    TReportPrinter();
    ~TReportPrinter();

    static QString PdfPrinterName();
    // The system's printers followed by the PDF printer.
    QStringList PrinterNames() const;
    QString PrinterName() const;
    void SetPrinterName(const QString& name);
    bool IsPdf() const;
    // The PDF printer's output file; asked for before each job when empty.
    QString OutputFileName() const;
    void SetOutputFileName(const QString& file);

    // Paper by its code: 1 Letter, 9 A4.
    void SelectPaper(int code);
    int Paper() const { return FPaper; }
    void SetPortrait();

    int Copies() const { return FCopies; }
    void SetCopies(int copies);
    // How many copies the device makes of a page by itself.
    int DriverMaxCopies() const;
    // Page range chosen in the print dialog, for the next job only; ToPage 0 = every page.
    int FromPage() const { return FFromPage; }
    int ToPage() const { return FToPage; }

    // Resolution, sheet and unprintable strips of the current printer.
    void ReloadPrinterMetrics();
    const TPageMetrics& Metrics() const { return FMetrics; }
    double BottomUnprintableInches() const { return FMetrics.BottomStrip; }

    // The setup dialog: choose the printer. The print dialog: printer, copies and pages.
    // Both offer the PDF printer and run through the interaction seam; true when confirmed.
    bool ShowPrinterSetup(QWidget* parent);
    bool ShowPrintDialog(QWidget* parent);
    // Makes sure the output can be opened: for the PDF printer asks for a file name unless
    // one was just given in a printer dialog. False when the user cancelled.
    bool PrepareOutput(QWidget* parent);

    // A job on this printer; it takes the page range, which then returns to every page.
    std::unique_ptr<TReportJob> CreateJob();
    QPrinter& Printer() { return *FPrinter; }

private:
    void ApplyPaper();
    // After a printer dialog: the printer it chose becomes current.
    void TakeDialogPrinter();

    std::unique_ptr<QPrinter> FPrinter;
    TPageMetrics FMetrics;
    int FPaper = 1;
    int FCopies = 1;
    int FFromPage = 1, FToPage = 0;
    bool FFileChosen = false;
};
