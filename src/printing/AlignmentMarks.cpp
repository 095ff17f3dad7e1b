#include "printing/AlignmentMarks.h"

#include "platform/GraphicsValues.h"
#include "report/ReportCanvas.h"

#include <algorithm>

namespace {

constexpr double Step = 1.0 / 32;
constexpr double ShortTick = 0.05, LongTick = 0.1;
constexpr double LabelPoints = 6;

void Line(TReportCanvas& canvas, double x1, double y1, double x2, double y2) {
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

void Prepare(TReportCanvas& canvas) {
    canvas.SetPen(clBlack, psSolid, -1, pmCopy);
    canvas.SetBrush(clWhite, bsClear);
    canvas.SetFont(QStringLiteral("Arial"), LabelPoints);
    canvas.SetFontStyle(false, false, false);
    canvas.SetFontColor(clBlack);
    canvas.SetFontRotation(0);
    canvas.SetTextTransparent(true);
}

void Caption(TReportCanvas& canvas, const TInchRect& card, const QString& text) {
    canvas.Rectangle(card);
    canvas.TextOut(card.Left + 0.08, card.Top + 0.05, text);
}

} // namespace

int AlignmentLabel(bool across, int tick, int printedNudge, TFlipEdge flip) {
    // Turning on the long edge mirrors left and right: a back nudge to the right moves the
    // back's line left as seen on the front. Turning on the short edge mirrors up and down.
    const bool mirrored = across == (flip == TFlipEdge::Long);
    return printedNudge + (mirrored ? tick : -tick);
}

double ScaleAcrossY(const TInchRect& card) {
    return (card.Top + card.Bottom) / 2 + std::min(0.4, (card.Bottom - card.Top) / 4);
}

double ScaleDownX(const TInchRect& card) {
    return (card.Left + card.Right) / 2 + std::min(0.8, (card.Right - card.Left) / 4);
}

void PrintAlignmentFront(TReportCanvas& canvas, const TInchRect& card, int position,
                         int backLeftNudge, int backTopNudge, TFlipEdge flip) {
    Prepare(canvas);
    Caption(canvas, card, QStringLiteral("Front %1").arg(position + 1));
    const double cx = (card.Left + card.Right) / 2, cy = (card.Top + card.Bottom) / 2;
    const double half = AlignmentScaleSteps * Step;
    const double y0 = ScaleAcrossY(card), x0 = ScaleDownX(card);
    Line(canvas, cx - half, y0, cx + half, y0);
    Line(canvas, x0, cy - half, x0, cy + half);
    const double lineHeight = canvas.LineHeight();
    for (int k = -AlignmentScaleSteps; k <= AlignmentScaleSteps; ++k) {
        const bool labelled = k % 4 == 0;
        const double tick = labelled ? LongTick : ShortTick;
        Line(canvas, cx + k * Step, y0, cx + k * Step, y0 + tick);
        Line(canvas, x0, cy + k * Step, x0 + tick, cy + k * Step);
        if (!labelled)
            continue;
        const QString across = QString::number(AlignmentLabel(true, k, backLeftNudge, flip));
        canvas.TextOut(cx + k * Step - canvas.TextWidth(across) / 2, y0 + LongTick + 0.01, across);
        const QString down = QString::number(AlignmentLabel(false, k, backTopNudge, flip));
        canvas.TextOut(x0 + LongTick + 0.02, cy + k * Step - lineHeight / 2, down);
    }
}

void PrintAlignmentBack(TReportCanvas& canvas, const TInchRect& card, int position) {
    Prepare(canvas);
    Caption(canvas, card, QStringLiteral("Back %1").arg(position + 1));
    const double cx = (card.Left + card.Right) / 2, cy = (card.Top + card.Bottom) / 2;
    Line(canvas, cx, card.Top, cx, card.Bottom);
    Line(canvas, card.Left, cy, card.Right, cy);
}
