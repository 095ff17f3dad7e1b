#pragma once

#include "printing/CardPrinting.h"
#include "report/ReportPrinter.h"

#include <QObject>

class QAction;
class TMainScreen;

// The main window's printing: the program's printer for the whole run, and the print,
// preview, outline, setup, fine-tuning, layout and PDF export commands over the window's
// layout, nudges, card selection and background art. Wires itself to the window's
// commands and adds "Export PDF..." to the File menu.
class TPrintCommands : public QObject {
    Q_OBJECT
public:
    explicit TPrintCommands(TMainScreen& window);

    TReportPrinter& Printer() { return FPrinter; }
    TCardPrinting& Printing() { return FPrinting; }
    QAction* ExportPdfItem = nullptr;

private:
    TReportPrinter FPrinter;
    TCardPrinting FPrinting;
};
