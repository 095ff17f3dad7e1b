#include "report/ReportJob.h"

#include <QLabel>

bool TReportJob::Execute() {
    FAborted = false;
    FPage = 1;
    // Before the device opens: the event may set the copies the device is to make.
    if (OnBeforePrint)
        OnBeforePrint(*this);
    if (!BeginJob())
        return false;
    try {
        RefreshStatus();
        if (OnPrint && !FAborted)
            OnPrint(*this);
    } catch (...) {
        // A run that failed part-way is abandoned like a cancelled one.
        FAborted = true;
        AbortJob();
        throw;
    }
    if (FAborted) {
        AbortJob();
        return true;
    }
    return EndJob();
}

TReportCanvas& TReportJob::Canvas() {
    if (!FAborted && PageWanted())
        return DeviceCanvas();
    FDiscarded.Metrics = Metrics();
    FDiscarded.Pages.clear();
    return FDiscard;
}

void TReportJob::NewPage() {
    ++FPage;
    if (!FAborted && PageWanted())
        BeginNextPage();
    RefreshStatus();
}

void TReportJob::PlaceRepeated(int key, const TInchRect& box, const TDrawAt& draw) {
    if (!FAborted && PageWanted())
        DevicePlaceRepeated(key, box, draw);
}

void TReportJob::DevicePlaceRepeated(int, const TInchRect& box, const TDrawAt& draw) {
    draw(DeviceCanvas(), box.Left, box.Top);
}

void TReportJob::Abort() {
    FAborted = true;
}

QString TReportJob::StatusLine() const {
    QString s = StatusFormat;
    s.replace(QLatin1String("%p"), QString::number(FPage));
    s.replace(QLatin1String("%0"), StatusText.value(0));
    s.replace(QLatin1String("%1"), StatusText.value(1));
    return s;
}

void TReportJob::RefreshStatus() {
    if (StatusLabel)
        StatusLabel->setText(StatusLine().replace(QLatin1Char('\r'), QLatin1Char('\n')));
}
