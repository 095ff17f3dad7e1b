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
    FRunning = true;
    struct TEnd {
        TReportJob& Job;
        ~TEnd() {
            // Ends the job also when an event handler throws.
            if (!Job.FRunning)
                return;
            Job.FRunning = false;
            if (Job.FAborted)
                Job.AbortJob();
            else
                Job.EndJob();
        }
    } end{*this};
    RefreshStatus();
    if (OnPrint && !FAborted)
        OnPrint(*this);
    return true;
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
