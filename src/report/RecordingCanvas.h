#pragma once

#include "report/PageStream.h"

// A canvas that draws nothing: it appends every operation to the last page of a page
// stream. It answers measurements from the stream's device metrics.
class TRecordingCanvas : public TReportCanvas {
public:
    explicit TRecordingCanvas(TPageStream& stream) : FStream(stream) {}

    // Starts a fresh page; operations go to it from now on.
    void BeginPage();

    double XDPI() const override { return FStream.Metrics.XDPI; }
    double YDPI() const override { return FStream.Metrics.YDPI; }
    double LeftOffset() const override { return FStream.Metrics.LeftOffset; }
    double TopOffset() const override { return FStream.Metrics.TopOffset; }

    void SetPen(TColor color, int style, int width, int mode) override;
    void SetBrush(TColor color, int style) override;
    void SetBrushBitmap(const QImage& bitmap) override;
    void SetFont(const QString& name, double points) override;
    void SetFontStyle(bool bold, bool italic, bool underline) override;
    void SetFontColor(TColor color) override;
    void SetFontRotation(int degrees) override;
    void SetTextTransparent(bool transparent) override;
    double LineHeight() const override { return FFont.LineHeightInches(); }
    double TextWidth(const QString& text) const override;

    void Rectangle(const TInchRect& r) override;
    void RoundRect(const TInchRect& r, double cornerWidth, double cornerHeight) override;
    void Ellipse(const TInchRect& r) override;
    void MoveTo(double x, double y) override;
    void LineTo(double x, double y) override;
    void Polygon(const QPolygon& devicePoints) override;
    void FillDeviceRect(const QRect& deviceRect) override;

    QRect DeviceRect(const TInchRect& r) const override;
    double DeviceRowToInches(int row) const override;

    void TextRect(const QRect& deviceClip, double x, double y, const QString& text) override;
    void TextOut(double x, double y, const QString& text) override;

    void PushClipRect(const TInchRect& r) override;
    void PushClipEllipse(const TInchRect& r) override;
    void PushClipRoundRect(const TInchRect& r, double cornerWidth, double cornerHeight) override;
    void PushClipPolygon(const QPolygon& devicePoints) override;
    void SelectClip() override;
    void ClearClip() override;
    void PopClip() override;

    void BeginPath() override;
    void EndPath() override;
    void ClipToPath() override;
    void StrokePath() override;

    void StretchBitmap(const TInchRect& r, const QImage& bitmap) override;
    void StretchDeviceBitmap(const QRect& deviceRect, const QImage& bitmap) override;
    void TileDeviceBitmap(const QRect& deviceRect, const QImage& bitmap,
                          const QSizeF& tile) override;
    void StretchGraphic(const QRect& deviceRect,
                        std::shared_ptr<const TReportGraphic> graphic) override;

private:
    TReportOp& Add(TReportOpKind kind);

    TPageStream& FStream;
    TReportFont FFont;
};
