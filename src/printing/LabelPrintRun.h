#pragma once

#include "printing/CardLayout.h"

#include "platform/Picture.h"

#include <functional>

class TGBasePanel;
class TReportCanvas;
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
};

// The card-position loop of a run: every selected position of every sheet, across first,
// with the background art, the design's objects and, in a preview, a grey card outline.
class TLabelPrintRun {
public:
    TLabelPrintRun(TGBasePanel& panel, const TPrintRunSettings& settings);

    // The background art: a bitmap (.BMP) or a metafile (.WMF) that loads; else none.
    void LoadBackGround();
    void BeforePrintLabels(TReportJob& report);
    void PrintLabels(TReportJob& report);
    // The art stretched into a fixed 3.5 x 2 inch box at (x, y), whatever the card size.
    void PrintBackGround(TReportCanvas& report, double x, double y);

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

    TGBasePanel& FPanel;
    TPrintRunSettings FSettings;
    int FCopies;
    TPicture FBackground;
};
