#pragma once

#include "printing/LabelPrintRun.h"

#include <functional>

class QWidget;
class TReportPrinter;

// Everything the print commands work on, held by the main window for the whole run.
struct TPrintState {
    TCardLayout& Layout;
    TPrinterNudges& Nudges;
    TCardSelection& CardSelection;
    const QString& BackgroundFileName;
};

// The print, preview, layout and fine-tuning commands over the card panel, the program's
// printer and the print state. Dialogs run through the interaction seam.
class TCardPrinting {
public:
    TCardPrinting(TGBasePanel& panel, TReportPrinter& printer, const TPrintState& state,
                  QWidget* parent);

    // Settings-file hooks of the main window.
    std::function<void()> LoadPreferences;
    std::function<void()> SavePreferences;
    std::function<void(QWidget&)> RestorePreviewPlacement;
    std::function<void(QWidget&)> SavePreviewPlacement;
    // Adds the merge list, when the design has one, to every run but the outline page.
    std::function<void(TPrintRunSettings&)> AddMerge;
    // Sizes the card panel for a card of the given size in inches.
    std::function<void(double width, double height)> SetCardSizeFromInches;

    // Choose cards, check the bottom margin, print. False when the user stopped it.
    bool Print();
    void Preview();
    bool PrintOutlineTestPage();
    void PrinterSetup();
    // True when the user confirmed (the state and the settings file are updated).
    bool PrinterFineTuning();
    bool ChangeBusinessCardLayout();
    // The current design, layout, nudges and selection straight into a PDF file.
    bool ExportPdf();
    // Bleed and crop marks asked for, then the card (one per record of the merge list) into
    // a PDF file for a print shop.
    bool ExportForPrintShop();
    // The card as printed into a PNG picture at 300 dots per inch.
    bool ExportPicture();

    bool DoPageSetup();
    // One print (printMode) or preview run with its status window; a preview then shows
    // the preview window. False when the run did not complete.
    bool DoPrint(bool printMode, bool outlineTestPage);

    // The run settings from the state (copies 1, printing).
    TPrintRunSettings RunSettings() const;

private:
    void Save() const;
    // Runs `write` with the panel at 100 % and tells the user its error, if any.
    bool AtFullSize(const std::function<bool(QString&)>& write);

    TGBasePanel& FPanel;
    TReportPrinter& FPrinter;
    TPrintState FState;
    QWidget* FParent;
};

// Prints the run into a PDF file without any window. On failure returns false and says why.
bool PrintToPdf(TGBasePanel& panel, const TPrintRunSettings& settings, const QString& file,
                QString* error);
