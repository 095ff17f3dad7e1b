#pragma once

#include "printing/LabelPrintRun.h"

#include <functional>

class QWidget;
class TReportPrinter;
struct TPageStream;

// Everything the print commands work on, held by the main window for the whole run.
struct TPrintState {
    TCardLayout& Layout;
    TPrinterNudges& Nudges;
    TCardSelection& CardSelection;
    const QString& BackgroundFileName;
    // The sides the print window chose; the commands keep their own when none is given.
    TSidesChoice* Sides = nullptr;
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
    // The design's two sides for a run: sets the back's panel and art, and returns the
    // panel of the fronts (nullptr: the card panel). The panels stay until the next call.
    std::function<TGBasePanel*(TPrintRunSettings&)> AddSides;
    // Sizes the card panel for a card of the given size in inches.
    std::function<void(double width, double height)> SetCardSizeFromInches;

    // Choose cards, check the bottom margin, print. False when the user stopped it.
    bool Print();
    void Preview();
    bool PrintOutlineTestPage();
    // Both sides of one sheet with the marks that show how far the backs are off.
    bool PrintAlignmentSheet();
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
    // What a run prints: the cards, the outline test page or the alignment sheet.
    enum class TRunKind { Cards, OutlineTestPage, AlignmentSheet };
    // One print (printMode) or preview run with its status window; a preview then shows
    // the preview window. False when the run did not complete.
    bool DoPrint(bool printMode, bool outlineTestPage);
    bool DoPrint(bool printMode, TRunKind kind);

    // The run settings from the state (copies 1, printing).
    TPrintRunSettings RunSettings() const;
    TSidesChoice& Sides() { return FState.Sides ? *FState.Sides : FSides; }

private:
    void Save() const;
    // Runs `write` with the panel at 100 % and tells the user its error, if any.
    bool AtFullSize(const std::function<bool(QString&)>& write);
    // The fronts' panel of a run, with the back added to the settings.
    TGBasePanel& SidesFor(TPrintRunSettings& settings);
    // One job with its status window: the printer's, or a preview into `stream`. False when
    // it did not complete.
    bool RunJob(TGBasePanel& front, const TPrintRunSettings& settings, TPageStream& stream);
    // Between the two passes of a manual duplex run: true when the user is ready for the backs.
    bool AskToTurnStack(TFlipEdge flip) const;

    TGBasePanel& FPanel;
    TReportPrinter& FPrinter;
    TPrintState FState;
    QWidget* FParent;
    TSidesChoice FSides;
};

// Prints the run into a PDF file without any window. On failure returns false and says why.
bool PrintToPdf(TGBasePanel& panel, const TPrintRunSettings& settings, const QString& file,
                QString* error);
