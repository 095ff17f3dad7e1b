#include "report/RecordingCanvas.h"

using K = TReportOpKind;

namespace {

// Moves and lines keep their point, in inches, in A and B.
void SetPoint(TReportOp& op, double x, double y) {
    op.A = x;
    op.B = y;
}

} // namespace

void TRecordingCanvas::BeginPage() {
    FStream.Pages.emplace_back();
}

TReportOp& TRecordingCanvas::Add(TReportOpKind kind) {
    if (FStream.Pages.empty())
        BeginPage();
    TReportPage& page = FStream.Pages.back();
    page.push_back(TReportOp{kind, {}, 0, 0, {}, {}, {}, {}, {}, 0, 0, 0, 0, 0});
    return page.back();
}

void TRecordingCanvas::SetPen(TColor color, int style, int width, int mode) {
    TReportOp& op = Add(K::SetPen);
    op.Color = color;
    op.Style = style;
    op.Width = width;
    op.Mode = mode;
}

void TRecordingCanvas::SetBrush(TColor color, int style) {
    TReportOp& op = Add(K::SetBrush);
    op.Color = color;
    op.Style = style;
}

void TRecordingCanvas::SetBrushBitmap(const QImage& bitmap) {
    Add(K::SetBrushBitmap).Image = bitmap;
}

void TRecordingCanvas::SetFont(const QString& name, double points) {
    FFont.Name = name;
    FFont.Points = points;
    TReportOp& op = Add(K::SetFont);
    op.Text = name;
    op.A = points;
}

void TRecordingCanvas::SetFontStyle(bool bold, bool italic, bool underline) {
    FFont.Bold = bold;
    FFont.Italic = italic;
    FFont.Underline = underline;
    Add(K::SetFontStyle).Flags = (bold ? 1 : 0) | (italic ? 2 : 0) | (underline ? 4 : 0);
}

void TRecordingCanvas::SetFontColor(TColor color) {
    FFont.Color = color;
    Add(K::SetFontColor).Color = color;
}

void TRecordingCanvas::SetFontRotation(int degrees) {
    FFont.SetRotation(degrees);
    Add(K::SetFontRotation).Width = FFont.Rotation;
}

void TRecordingCanvas::SetTextTransparent(bool transparent) {
    Add(K::SetTextTransparent).Flags = transparent ? 1 : 0;
}

double TRecordingCanvas::TextWidth(const QString& text) const {
    return FFont.TextWidthInches(text, XDPI());
}

void TRecordingCanvas::Rectangle(const TInchRect& r) {
    Add(K::Rectangle).Rect = r;
}

void TRecordingCanvas::RoundRect(const TInchRect& r, double cornerWidth, double cornerHeight) {
    TReportOp& op = Add(K::RoundRect);
    op.Rect = r;
    op.A = cornerWidth;
    op.B = cornerHeight;
}

void TRecordingCanvas::Ellipse(const TInchRect& r) {
    Add(K::Ellipse).Rect = r;
}

void TRecordingCanvas::MoveTo(double x, double y) {
    SetPoint(Add(K::MoveTo), x, y);
}

void TRecordingCanvas::LineTo(double x, double y) {
    SetPoint(Add(K::LineTo), x, y);
}

void TRecordingCanvas::Polygon(const QPolygon& devicePoints) {
    Add(K::Polygon).Points = devicePoints;
}

void TRecordingCanvas::FillDeviceRect(const QRect& deviceRect) {
    Add(K::FillDeviceRect).Device = deviceRect;
}

QRect TRecordingCanvas::DeviceRect(const TInchRect& r) const {
    return FStream.Metrics.DeviceRect(r);
}

double TRecordingCanvas::DeviceRowToInches(int row) const {
    return FStream.Metrics.DeviceRowToInches(row);
}

void TRecordingCanvas::TextRect(const QRect& deviceClip, double x, double y, const QString& text) {
    TReportOp& op = Add(K::TextRect);
    op.Device = deviceClip;
    op.A = x;
    op.B = y;
    op.Text = text;
}

void TRecordingCanvas::TextOut(double x, double y, const QString& text) {
    TReportOp& op = Add(K::TextOut);
    op.A = x;
    op.B = y;
    op.Text = text;
}

void TRecordingCanvas::PushClipRect(const TInchRect& r) {
    Add(K::PushClipRect).Rect = r;
}

void TRecordingCanvas::PushClipEllipse(const TInchRect& r) {
    Add(K::PushClipEllipse).Rect = r;
}

void TRecordingCanvas::PushClipRoundRect(const TInchRect& r, double cornerWidth,
                                         double cornerHeight) {
    TReportOp& op = Add(K::PushClipRoundRect);
    op.Rect = r;
    op.A = cornerWidth;
    op.B = cornerHeight;
}

void TRecordingCanvas::PushClipPolygon(const QPolygon& devicePoints) {
    Add(K::PushClipPolygon).Points = devicePoints;
}

void TRecordingCanvas::SelectClip() {
    Add(K::SelectClip);
}
void TRecordingCanvas::ClearClip() {
    Add(K::ClearClip);
}
void TRecordingCanvas::PopClip() {
    Add(K::PopClip);
}
void TRecordingCanvas::BeginPath() {
    Add(K::BeginPath);
}
void TRecordingCanvas::EndPath() {
    Add(K::EndPath);
}
void TRecordingCanvas::ClipToPath() {
    Add(K::ClipToPath);
}
void TRecordingCanvas::StrokePath() {
    Add(K::StrokePath);
}

void TRecordingCanvas::StretchBitmap(const TInchRect& r, const QImage& bitmap) {
    TReportOp& op = Add(K::StretchBitmap);
    op.Rect = r;
    op.Image = bitmap;
}

void TRecordingCanvas::StretchDeviceBitmap(const QRect& deviceRect, const QImage& bitmap) {
    TReportOp& op = Add(K::StretchDeviceBitmap);
    op.Device = deviceRect;
    op.Image = bitmap;
}

void TRecordingCanvas::TileDeviceBitmap(const QRect& deviceRect, const QImage& bitmap,
                                        const QSizeF& tile) {
    TReportOp& op = Add(K::TileDeviceBitmap);
    op.Device = deviceRect;
    op.Image = bitmap;
    op.A = tile.width();
    op.B = tile.height();
}

void TRecordingCanvas::StretchGraphic(const QRect& deviceRect,
                                      std::shared_ptr<const TReportGraphic> graphic) {
    TReportOp& op = Add(K::StretchGraphic);
    op.Device = deviceRect;
    op.Graphic = std::move(graphic);
}
