#include "report/PdfFileJob.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryFile>

#include <cstdio>

TPdfFileJob::TPdfFileJob(QPrinter& printer, const TPageMetrics& metrics)
    : FPrinter(printer), FMetrics(metrics) {}

TPdfFileJob::~TPdfFileJob() {
    Discard();
}

bool TPdfFileJob::BeginJob() {
    FTarget = FPrinter.outputFileName();
    {
        // A unique name in the target's folder, so the final rename stays on one file system.
        QTemporaryFile reserve(FTarget + QStringLiteral(".XXXXXX.pdf"));
        reserve.setAutoRemove(false);
        if (!reserve.open())
            return false;
        FTemporary = reserve.fileName();
    }
    FPrinter.setOutputFileName(FTemporary);
    FPrinter.setDocName(Title);
    FPrinter.setCopyCount(Copies());
    FPageUsed = false;
    if (!FPainter.begin(&FPrinter)) {
        Discard();
        return false;
    }
    FCanvas = std::make_unique<TPainterCanvas>(FPainter, FMetrics);
    return true;
}

TReportCanvas& TPdfFileJob::DeviceCanvas() {
    FPageUsed = true;
    return *FCanvas;
}

void TPdfFileJob::BeginNextPage() {
    // Pages left out by the page range leave no blank sheet behind.
    if (FPageUsed)
        FPrinter.newPage();
    FPageUsed = false;
}

bool TPdfFileJob::EndJob() {
    FCanvas.reset();
    const bool written = FPainter.end();
    FPrinter.setOutputFileName(FTarget);
    // rename() replaces the target in one step: there is always a whole file under its name.
    if (!written || std::rename(QFile::encodeName(FTemporary).constData(),
                                QFile::encodeName(FTarget).constData()) != 0) {
        Discard();
        return false;
    }
    FTemporary.clear();
    // The reserved name was private to us; the finished file is an ordinary document.
    QFile::setPermissions(FTarget, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                       QFile::ReadOther);
    return true;
}

void TPdfFileJob::AbortJob() {
    Discard();
}

void TPdfFileJob::Discard() {
    FCanvas.reset();
    if (FPainter.isActive())
        FPainter.end();
    if (!FTarget.isEmpty())
        FPrinter.setOutputFileName(FTarget);
    if (!FTemporary.isEmpty())
        QFile::remove(FTemporary);
    FTemporary.clear();
}
