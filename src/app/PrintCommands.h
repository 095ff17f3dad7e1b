#pragma once

#include "printing/CardPrinting.h"
#include "report/ReportPrinter.h"

#include <QObject>

class TMainScreen;

// The main window's printing: the program's printer for the whole run, and the print,
// preview, outline, setup, fine-tuning, layout and PDF export commands over the window's
// layout, nudges, card selection and background art.
class TPrintCommands : public QObject {
    Q_OBJECT
public:
    explicit TPrintCommands(TMainScreen& window);

    TReportPrinter& Printer() { return FPrinter; }
    TCardPrinting& Printing() { return FPrinting; }

private:
    TReportPrinter FPrinter;
    TCardPrinting FPrinting;
};
