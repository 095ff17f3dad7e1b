#pragma once

#include "printing/CardLayout.h"

#include "merge/MergeFields.h"
#include "platform/Picture.h"

#include <QList>

#include <functional>

class TGBasePanel;
class TReportCanvas;
struct TMergeList;
class TReportJob;

// What one print or preview run puts on the sheets.
struct TPrintRunSettings {
    TCardLayout Layout;
    TPrinterNudges Nudges;
    TCardSelection Selection;
    QString BackgroundFile;
    int Copies = 1;           // sheets to produce
    bool OutlineOnly = false; // the outline test page
    bool Printing = true;     // false: a preview
    int DriverMaxCopies = 1;  // copies the printer makes of a page by itself
    // A merge run prints one card per record, in this order, on the selected positions of
    // as many sheets as it takes; each copy is the whole run again, from a new sheet.
    const TMergeList* MergeList = nullptr;
    QList<int> MergeRecords;
};

// Marks the panel as printing while it lives, and then shows again the record it showed.
class TPanelPrinting {
public:
    explicit TPanelPrinting(TGBasePanel& panel);
    ~TPanelPrinting();
    TPanelPrinting(const TPanelPrinting&) = delete;
    TPanelPrinting& operator=(const TPanelPrinting&) = delete;

private:
    TGBasePanel& FPanel;
    TMergeRecord FShown;
};

// The card-position loop of a run: every selected position of every sheet, across first,
// with the background art, the design's objects and, in a preview, a grey card outline. A
// merge run fills the positions with one card per record instead.
class TLabelPrintRun {
public:
    TLabelPrintRun(TGBasePanel& panel, const TPrintRunSettings& settings);

    // The background art: a bitmap (.BMP) or a metafile (.WMF) that loads; else none.
    void LoadBackGround();
    void BeforePrintLabels(TReportJob& report);
    void PrintLabels(TReportJob& report);
    // The art stretched into a fixed 3.5 x 2 inch box at (x, y), whatever the card size.
    void PrintBackGround(TReportCanvas& report, double x, double y);
    // One card as every run prints it, its corner at (x, y) inches: the background art, then
    // the design's objects. The panel must be printing (TPanelPrinting).
    void PrintCardFace(TReportCanvas& report, double x, double y);

    // Nudged layout values, inches.
    double TopMargin() const;
    double LeftMargin() const;
    double HorizontalPitch() const;
    double VerticalPitch() const;

    // Told the card about to be printed ("Card 3").
    std::function<void(const QString&)> CardShown;
    // Lets pending events run (so Cancel and Stop are seen); nothing when unset.
    std::function<void()> ProcessEvents;
    // Set by Stop during a preview: the loop ends at its next position.
    bool Stopped = false;
    int Copies() const { return FCopies; }
    bool HasBackground() const { return FBackground.IsDrawable(); }

private:
    void Pump() const;
    void PrintSheets(TReportJob& report);
    void PrintMergedCards(TReportJob& report);
    void PrintCard(TReportJob& report, int position);

    TGBasePanel& FPanel;
    TPrintRunSettings FSettings;
    int FCopies;
    TPicture FBackground;
};
