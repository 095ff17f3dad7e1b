#pragma once

#include "printing/CardLayout.h"
#include "printing/PrintSides.h"

#include "merge/MergeFields.h"
#include "platform/Picture.h"

#include <QList>

#include <functional>
#include <vector>

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
    // The alignment sheet: its marks on every position of one sheet's both sides.
    bool AlignmentSheet = false;
    bool Printing = true;    // false: a preview
    int DriverMaxCopies = 1; // copies the printer makes of a page by itself
    // A merge run prints one card per record, in this order, on the selected positions of
    // as many sheets as it takes; each copy is the whole run again, from a new sheet.
    const TMergeList* MergeList = nullptr;
    QList<int> MergeRecords;
    // The sides printed. Both sides gives sheet pairs: each sheet's fronts, then its backs,
    // every back behind its own front (the order a duplex printer needs).
    TSidesChoice Sides;
    // The design of the cards' backs with its background art; no panel prints blank backs.
    TGBasePanel* BackPanel = nullptr;
    QString BackBackgroundFile;
    // The sheets in reverse order: the backs' pass of a manual duplex run, printed on the
    // stack the fronts' pass left.
    bool LastSheetFirst = false;
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

// One card of a sheet: its position and which of the run's merge records it shows (an index
// into MergeRecords; -1: none).
struct TCardSlot {
    int Position = 0;
    int Record = -1;
    bool operator==(const TCardSlot&) const = default;
};
using TSheetPlan = std::vector<TCardSlot>;

// The card-position loop of a run: every selected position of every sheet, across first,
// with the background art, the design's objects and, in a preview, a grey card outline. A
// merge run fills the positions with one card per record instead.
class TLabelPrintRun {
public:
    TLabelPrintRun(TGBasePanel& panel, const TPrintRunSettings& settings);

    // The background art of both sides: a bitmap (.BMP) or a metafile (.WMF) that loads;
    // else none.
    void LoadBackGround();
    void BeforePrintLabels(TReportJob& report);
    void PrintLabels(TReportJob& report);
    // The art stretched into a fixed 3.5 x 2 inch box at (x, y), whatever the card size.
    static void PrintBackGround(TReportCanvas& report, double x, double y, const TPicture& art);
    // One side of a card as every run prints it, its corner at (x, y) inches: that side's
    // background art, then its design's objects (none when the run has no back panel). The
    // panel must be printing (TPanelPrinting).
    void PrintCardFace(TReportCanvas& report, double x, double y, bool back = false);

    // The sheets the run fills, in print order, each with its cards across first.
    std::vector<TSheetPlan> PlanSheets() const;
    // The box a card's front prints in, with the nudges; and the box its back prints in on
    // the back of a sheet of `sheet` inches.
    TInchRect FrontBox(int position) const;
    TInchRect BackBox(int position, QSizeF sheet) const;

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
    void PlanMergedSheets(const QList<int>& positions, std::vector<TSheetPlan>& sheets) const;
    // One side of one sheet on the current page.
    void PrintSheetSide(TReportJob& report, const TSheetPlan& sheet, bool back);
    // The objects of a side's design at (x, y) inches; nothing for a back without a panel.
    void PrintDesign(TReportCanvas& report, double x, double y, bool back);
    // A side of a card in its box, with a grey outline in a preview. A repeated card is the
    // same on every position of the run (no merge record); each side is one such card.
    void PrintCard(TReportJob& report, const TInchRect& card, bool back, bool repeated);
    void PrintAlignmentMarks(TReportJob& report, const TInchRect& card, int position, bool back);

    TGBasePanel& FPanel;
    TPrintRunSettings FSettings;
    int FCopies;
    TPicture FBackground;
    TPicture FBackBackground;
};
