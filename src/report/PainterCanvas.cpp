#include "report/PainterCanvas.h"

#include "platform/GraphicsValues.h"

#include <QFontMetricsF>

TPainterCanvas::TPainterCanvas(QPainter& painter, const TPageMetrics& metrics)
    : FPainter(painter), FMetrics(metrics), FPen(Qt::black, 0), FBrush(Qt::white),
      FBase(painter.worldTransform()) {
    // Pictures reach the page as their pixels are: a PDF takes them compressed without loss,
    // never as JPEG.
    FPainter.setRenderHint(QPainter::LosslessImageRendering);
}

void TPainterCanvas::SetPen(TColor color, int style, int width, int /*mode*/) {
    // Mixing modes other than copy mean nothing on paper; every pen draws its colour.
    const int pixels = FMetrics.PenPixels(width);
    FPen = QPen(ToQColor(color), pixels <= 1 ? 0 : pixels, ToQtPenStyle(style));
    FPen.setCapStyle(Qt::FlatCap);
    FPen.setJoinStyle(Qt::MiterJoin);
}

void TPainterCanvas::SetBrush(TColor color, int style) {
    FBrush = QBrush(ToQColor(color), ToQtBrushStyle(style));
}

void TPainterCanvas::SetBrushBitmap(const QImage& bitmap) {
    if (bitmap.isNull())
        FBrush = QBrush(FBrush.color(), Qt::SolidPattern);
    else
        FBrush = QBrush(bitmap);
}

void TPainterCanvas::SetFont(const QString& name, double points) {
    FFont.Name = name;
    FFont.Points = points;
}

void TPainterCanvas::SetFontStyle(bool bold, bool italic, bool underline) {
    FFont.Bold = bold;
    FFont.Italic = italic;
    FFont.Underline = underline;
}

double TPainterCanvas::TextWidth(const QString& text) const {
    return FFont.TextWidthInches(text, FMetrics.XDPI);
}

void TPainterCanvas::UsePenAndBrush() {
    FPainter.setPen(FPen);
    FPainter.setBrush(FBrush);
    FPainter.setBrushOrigin(FBase.map(QPointF(0, 0)));
}

void TPainterCanvas::Rectangle(const TInchRect& r) {
    UsePenAndBrush();
    FPainter.drawRect(DeviceRectF(r));
}

QPainterPath TPainterCanvas::RoundRectPath(const TInchRect& r, double cornerWidth,
                                           double cornerHeight) const {
    // The corners are quarter ellipses of the given width and height.
    QPainterPath path;
    path.addRoundedRect(DeviceRectF(r), cornerWidth * FMetrics.XDPI / 2,
                        cornerHeight * FMetrics.YDPI / 2);
    return path;
}

void TPainterCanvas::RoundRect(const TInchRect& r, double cornerWidth, double cornerHeight) {
    UsePenAndBrush();
    FPainter.drawPath(RoundRectPath(r, cornerWidth, cornerHeight));
}

void TPainterCanvas::Ellipse(const TInchRect& r) {
    UsePenAndBrush();
    FPainter.drawEllipse(DeviceRectF(r));
}

void TPainterCanvas::MoveTo(double x, double y) {
    FPenPos = QPointF(FMetrics.DeviceX(x), FMetrics.DeviceY(y));
}

void TPainterCanvas::LineTo(double x, double y) {
    const QPointF to(FMetrics.DeviceX(x), FMetrics.DeviceY(y));
    FPainter.setPen(FPen);
    FPainter.drawLine(FPenPos, to);
    FPenPos = to;
}

void TPainterCanvas::Polygon(const QPolygon& devicePoints) {
    UsePenAndBrush();
    FPainter.drawPolygon(devicePoints, Qt::WindingFill);
}

void TPainterCanvas::FillDeviceRect(const QRect& deviceRect) {
    FPainter.setBrushOrigin(FBase.map(QPointF(0, 0)));
    FPainter.fillRect(deviceRect, FBrush);
}

void TPainterCanvas::DrawText(const QRect* clip, double x, double y, const QString& text) {
    const QFont font = FFont.DeviceFont(FMetrics.YDPI);
    const QFontMetricsF metrics(font);
    const double ascent = metrics.ascent();
    // The text turns about its position, counter-clockwise for positive angles.
    QTransform place;
    place.translate(FMetrics.DeviceX(x), FMetrics.DeviceY(y));
    place.rotate(-FFont.Rotation);
    if (FRecordingPath) {
        QPainterPath glyphs;
        glyphs.addText(QPointF(0, ascent), font, text);
        FPath.addPath(place.map(glyphs));
        return;
    }
    const bool background = !FTextTransparent && FBrush.style() == Qt::SolidPattern;
    // A clip or a turn costs a whole new graphics state in a PDF page, several times the
    // text itself. A clip that cuts no ink changes nothing, so plain text whose ink lies
    // inside its box goes straight to the page at its position.
    const bool plain = FFont.Rotation == 0 && !background && !FFont.Underline &&
                       FPainter.worldTransform() == FBase;
    if (plain && (!clip || QRectF(*clip).contains(
                               place.mapRect(TextInk(metrics, text).translated(0, ascent))))) {
        FPainter.setFont(font);
        FPainter.setPen(ToQColor(FFont.Color));
        FPainter.drawText(place.map(QPointF(0, ascent)), text);
        return;
    }
    FPainter.save();
    if (clip)
        FPainter.setClipRect(*clip, FPainter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    FPainter.setWorldTransform(place * FBase);
    FPainter.setFont(font);
    if (background)
        FPainter.fillRect(QRectF(0, 0, metrics.horizontalAdvance(text), metrics.height()),
                          FBrush.color());
    FPainter.setPen(ToQColor(FFont.Color));
    FPainter.drawText(QPointF(0, ascent), text);
    FPainter.restore();
}

QRectF TPainterCanvas::TextInk(const QFontMetricsF& metrics, const QString& text) {
    const TInkKey key{text, FFont.Name, FFont.Points, FFont.Bold, FFont.Italic};
    if (const auto it = FInk.constFind(key); it != FInk.constEnd())
        return *it;
    if (FInk.size() >= 4096)
        FInk.clear();
    return *FInk.insert(key, metrics.boundingRect(text));
}

void TPainterCanvas::TextRect(const QRect& deviceClip, double x, double y, const QString& text) {
    DrawText(&deviceClip, x, y, text);
}

void TPainterCanvas::TextOut(double x, double y, const QString& text) {
    DrawText(nullptr, x, y, text);
}

void TPainterCanvas::PushClip(const QPainterPath& path) {
    FClips.push_back(path);
}

void TPainterCanvas::PushClipRect(const TInchRect& r) {
    QPainterPath path;
    path.addRect(DeviceRectF(r));
    PushClip(path);
}

void TPainterCanvas::PushClipEllipse(const TInchRect& r) {
    QPainterPath path;
    path.addEllipse(DeviceRectF(r));
    PushClip(path);
}

void TPainterCanvas::PushClipRoundRect(const TInchRect& r, double cornerWidth,
                                       double cornerHeight) {
    PushClip(RoundRectPath(r, cornerWidth, cornerHeight));
}

void TPainterCanvas::PushClipPolygon(const QPolygon& devicePoints) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addPolygon(devicePoints);
    path.closeSubpath();
    PushClip(path);
}

void TPainterCanvas::SelectClip() {
    if (!FClips.empty())
        FPainter.setClipPath(FClips.back());
}

void TPainterCanvas::ClearClip() {
    FPainter.setClipping(false);
}

void TPainterCanvas::PopClip() {
    if (!FClips.empty())
        FClips.pop_back();
}

void TPainterCanvas::BeginPath() {
    FPath = QPainterPath();
    FPath.setFillRule(Qt::WindingFill);
    FRecordingPath = true;
}

void TPainterCanvas::ClipToPath() {
    FPainter.setClipPath(FPath);
}

void TPainterCanvas::StrokePath() {
    FPainter.strokePath(FPath, FPen);
}

void TPainterCanvas::StretchBitmap(const TInchRect& r, const QImage& bitmap) {
    if (!bitmap.isNull())
        FPainter.drawImage(DeviceRectF(r), bitmap);
}

void TPainterCanvas::StretchDeviceBitmap(const QRect& deviceRect, const QImage& bitmap) {
    if (!bitmap.isNull())
        FPainter.drawImage(QRectF(deviceRect), bitmap);
}

void TPainterCanvas::TileDeviceBitmap(const QRect& deviceRect, const QImage& bitmap,
                                      const QSizeF& tile) {
    if (bitmap.isNull() || tile.isEmpty())
        return;
    // The brush's own transform places and scales the copies, so that a PDF gets one tiling
    // pattern whose picture is stored once.
    QBrush brush(bitmap);
    brush.setTransform(
        QTransform::fromScale(tile.width() / bitmap.width(), tile.height() / bitmap.height()) *
        QTransform::fromTranslate(deviceRect.left(), deviceRect.top()));
    FPainter.setBrushOrigin(FBase.map(QPointF(0, 0)));
    FPainter.fillRect(deviceRect, brush);
}

void TPainterCanvas::StretchGraphic(const QRect& deviceRect,
                                    std::shared_ptr<const TReportGraphic> graphic) {
    if (!graphic)
        return;
    FPainter.save();
    graphic->Draw(FPainter, QRectF(deviceRect));
    FPainter.restore();
}
