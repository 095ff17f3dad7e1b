#include "objects/TextCanvas.h"

#include <QFontMetrics>
#include <QPainter>

void TTextCanvas::TextRect(const TEdgeRect& clip, const QPoint& pos, const QString& text,
                           const QColor& color) {
    FPainter.save();
    FPainter.setClipRect(clip.ToQRect(), Qt::IntersectClip);
    FPainter.translate(pos);
    FPainter.rotate(-Escapement);
    FPainter.setFont(Font);
    FPainter.setPen(color);
    FPainter.drawText(QPoint(0, QFontMetrics(Font).ascent()), text);
    FPainter.restore();
}
