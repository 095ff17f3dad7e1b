#pragma once

#include "printing/CardPrinting.h"
#include "report/ReportPrinter.h"

#include <QObject>

// The main window's printing: the program's printer for the whole run and the print,
// preview, outline, setup, fine-tuning, layout and PDF export commands over the window's
// print state. The preview window keeps its placement in the settings file.
class TPrintCommands : public QObject {
    Q_OBJECT
public:
    TPrintCommands(TGBasePanel& panel, const TPrintState& state, QWidget* window);

    TReportPrinter& Printer() { return FPrinter; }
    TCardPrinting& Printing() { return FPrinting; }

private:
    TReportPrinter FPrinter;
    TCardPrinting FPrinting;
};
