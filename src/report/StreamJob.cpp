#include "report/StreamJob.h"

bool TStreamJob::BeginJob() {
    FStream.Pages.clear();
    FCanvas.BeginPage();
    return true;
}
