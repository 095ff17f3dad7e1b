#pragma once

#include "report/RecordingCanvas.h"

#include <QStringList>

#include <functional>

class QLabel;

// One print job: pages drawn on a canvas, a status line, and an abort flag. Execute calls
// OnBeforePrint, opens the device on page 1, calls OnPrint (which produces every page
// itself) and ends the job; a job that was aborted, or whose OnPrint threw, is abandoned.
class TReportJob {
public:
    virtual ~TReportJob() = default;

    QString Title = QStringLiteral("Pentavo");
    std::function<void(TReportJob&)> OnBeforePrint;
    std::function<void(TReportJob&)> OnPrint;

    // Runs the job. False when the output could not be produced (nothing was).
    bool Execute();

    // Where the current page is drawn. After an abort, and on pages outside the page
    // range, drawing goes nowhere.
    TReportCanvas& Canvas();
    virtual const TPageMetrics& Metrics() const = 0;
    // Pages to output, from 1; ToPage 0 means no limit.
    int FromPage = 1;
    int ToPage = 0;
    int CurrentPage() const { return FPage; }
    // Ends the current page and begins the next.
    void NewPage();

    // Draws on the current page something that looks the same wherever it goes, such as a
    // card repeated on every position: `draw` draws it with its top-left corner at the point
    // it is given, in inches, and `box` is where it goes on this page. Every call with the
    // same `key` in a job must draw alike. A device draws it in place; a PDF file holds the
    // drawing once and places it again each time.
    using TDrawAt = std::function<void(TReportCanvas& canvas, double x, double y)>;
    void PlaceRepeated(int key, const TInchRect& box, const TDrawAt& draw);
    // Marks the job aborted: nothing more is output and it ends as aborted.
    void Abort();
    bool Aborted() const { return FAborted; }

    // Copies the device makes of every page by itself.
    int Copies() const { return FCopies; }
    void SetCopies(int copies) { FCopies = copies < 1 ? 1 : copies; }

    // The status line: StatusFormat with %p replaced by the current page and %0, %1 by
    // lines 0 and 1 of StatusText; RefreshStatus shows it in StatusLabel.
    QString StatusFormat;
    QStringList StatusText;
    QLabel* StatusLabel = nullptr;
    QString StatusLine() const;
    void RefreshStatus();

protected:
    virtual TReportCanvas& DeviceCanvas() = 0;
    virtual bool BeginJob() = 0;
    virtual void BeginNextPage() = 0;
    virtual void DevicePlaceRepeated(int key, const TInchRect& box, const TDrawAt& draw);
    // Delivers the finished job; false when its output could not be produced.
    virtual bool EndJob() = 0;
    virtual void AbortJob() = 0;

private:
    bool PageWanted() const { return FPage >= FromPage && (ToPage == 0 || FPage <= ToPage); }

    TPageStream FDiscarded;
    TRecordingCanvas FDiscard{FDiscarded};
    int FPage = 0;
    int FCopies = 1;
    bool FAborted = false;
};
