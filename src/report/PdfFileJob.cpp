#include "report/PdfFileJob.h"

#include <QBuffer>
#include <QFile>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryFile>

#include <cstdio>

namespace {

// Room a repeated drawing has around its box, inches: what reaches out of a card prints as
// far as that, as it would on the sheet.
constexpr double DrawingRoom = 0.5;

} // namespace

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
    FPageIndex = 0;
    FDrawingOfKey.clear();
    FDrawings.clear();
    FPlacements.clear();
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
    if (FPageUsed) {
        FPrinter.newPage();
        ++FPageIndex;
    }
    FPageUsed = false;
}

void TPdfFileJob::DevicePlaceRepeated(int key, const TInchRect& box, const TDrawAt& draw) {
    FPageUsed = true;
    auto it = FDrawingOfKey.find(key);
    if (it == FDrawingOfKey.end()) {
        const QSizeF size(box.Right - box.Left + 2 * DrawingRoom,
                          box.Bottom - box.Top + 2 * DrawingRoom);
        FDrawings.append(DrawAlone(size, draw));
        it = FDrawingOfKey.emplace(key, int(FDrawings.size() - 1)).first;
    }
    FPlacements.push_back(
        {FPageIndex, it->second, QPointF(box.Left - DrawingRoom, box.Top - DrawingRoom)});
}

// A one-page PDF of the drawing at the job's resolution, its box DrawingRoom from the corner.
QByteArray TPdfFileJob::DrawAlone(QSizeF size, const TDrawAt& draw) const {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(int(FMetrics.XDPI));
        writer.setPageLayout(
            QPageLayout(QPageSize(size, QPageSize::Inch, QString(), QPageSize::ExactMatch),
                        QPageLayout::Portrait, QMarginsF()));
        QPainter painter(&writer);
        TPageMetrics metrics;
        metrics.XDPI = FMetrics.XDPI;
        metrics.YDPI = FMetrics.YDPI;
        metrics.PaperInches = size;
        TPainterCanvas canvas(painter, metrics);
        draw(canvas, DrawingRoom, DrawingRoom);
    }
    return buffer.data();
}

// Joins the repeated drawings to the written file, in place.
bool TPdfFileJob::PlaceDrawings() {
    if (FPlacements.empty())
        return true;
    QFile file(FTemporary);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray placed = PlacePdfPages(file.readAll(), FDrawings, FPlacements);
    file.close();
    return !placed.isEmpty() && file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(placed) == placed.size() && file.flush();
}

bool TPdfFileJob::EndJob() {
    FCanvas.reset();
    const bool written = FPainter.end();
    FPrinter.setOutputFileName(FTarget);
    // rename() replaces the target in one step: there is always a whole file under its name.
    if (!written || !PlaceDrawings() ||
        std::rename(QFile::encodeName(FTemporary).constData(),
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
