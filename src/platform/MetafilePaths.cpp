#include "platform/MetafilePlayer.h"

// Between BeginPath and EndPath every shape goes into one path. Lines and curves that go on
// from the current position continue the figure that is open, so a figure drawn in pieces
// (a move, lines, curves, a close) fills as one outline.

void TMetafilePlayer::BeginPath() {
    FPath = QPainterPath();
    FRecording = true;
}

void TMetafilePlayer::AbortPath() {
    FPath = QPainterPath();
    FRecording = false;
}

void TMetafilePlayer::CloseFigure() {
    if (FRecording)
        FPath.closeSubpath();
}

QPainterPath& TMetafilePlayer::OpenFigure() {
    if (FPath.elementCount() == 0 || FPath.currentPosition() != FDC.Position)
        FPath.moveTo(FDC.Position);
    return FPath;
}

void TMetafilePlayer::DrawCollectedPath(bool fill, bool stroke) {
    FRecording = false;
    // The fill mode in force when the path is filled decides, not the one when it began.
    FPath.setFillRule(FDC.FillRule);
    Draw(FPath, fill, stroke);
    FPath = QPainterPath();
}

void TMetafilePlayer::ClipToCollectedPath(TClipCombine how) {
    FRecording = false;
    FPath.setFillRule(FDC.FillRule);
    CombineClip(LogicalToEntry().map(FPath), how);
    FPath = QPainterPath();
}
