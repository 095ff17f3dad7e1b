#pragma once

#include "report/PageMetrics.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QPainterPath>

#include <vector>

// The page canvas over a painter whose coordinates are device pixels of the given metrics
// (origin at the printable area's top-left corner). Text is drawn with fonts sized in
// device pixels on that unscaled painter.
class TPainterCanvas : public TReportCanvas {
public:
    TPainterCanvas(QPainter& painter, const TPageMetrics& metrics);

    double XDPI() const override { return FMetrics.XDPI; }
    double YDPI() const override { return FMetrics.YDPI; }
    double LeftOffset() const override { return FMetrics.LeftOffset; }
    double TopOffset() const override { return FMetrics.TopOffset; }

    void SetPen(TColor color, int style, int width, int mode) override;
    void SetBrush(TColor color, int style) override;
    void SetBrushBitmap(const QImage& bitmap) override;
    void SetFont(const QString& name, double points) override;
    void SetFontStyle(bool bold, bool italic, bool underline) override;
    void SetFontColor(TColor color) override { FFont.Color = color; }
    void SetFontRotation(int degrees) override { FFont.SetRotation(degrees); }
    void SetTextTransparent(bool transparent) override { FTextTransparent = transparent; }
    double LineHeight() const override { return FFont.LineHeightInches(); }
    double TextWidth(const QString& text) const override;

    void Rectangle(const TInchRect& r) override;
    void RoundRect(const TInchRect& r, double cornerWidth, double cornerHeight) override;
    void Ellipse(const TInchRect& r) override;
    void MoveTo(double x, double y) override;
    void LineTo(double x, double y) override;
    void Polygon(const QPolygon& devicePoints) override;
    void FillDeviceRect(const QRect& deviceRect) override;

    QRect DeviceRect(const TInchRect& r) const override { return FMetrics.DeviceRect(r); }
    double DeviceRowToInches(int row) const override { return FMetrics.DeviceRowToInches(row); }

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
    void EndPath() override { FRecordingPath = false; }
    void ClipToPath() override;
    void StrokePath() override;

    void StretchBitmap(const TInchRect& r, const QImage& bitmap) override;
    void StretchDeviceBitmap(const QRect& deviceRect, const QImage& bitmap) override;
    void TileDeviceBitmap(const QRect& deviceRect, const QImage& bitmap,
                          const QSizeF& tile) override;
    void StretchGraphic(const QRect& deviceRect,
                        std::shared_ptr<const TReportGraphic> graphic) override;

private:
    void DrawText(const QRect* clip, double x, double y, const QString& text);
    QPainterPath RoundRectPath(const TInchRect& r, double cornerWidth, double cornerHeight) const;
    void PushClip(const QPainterPath& path);
    void UsePenAndBrush();
    QRectF DeviceRectF(const TInchRect& r) const { return FMetrics.DeviceRectF(r); }

    QPainter& FPainter;
    TPageMetrics FMetrics;
    QPen FPen;
    QBrush FBrush;
    TReportFont FFont;
    bool FTextTransparent = false;
    QPointF FPenPos;
    std::vector<QPainterPath> FClips;
    QPainterPath FPath;
    bool FRecordingPath = false;
    // The painter's transform when the canvas was made: device pixels map through it.
    QTransform FBase;
    // The ink of texts measured so far, by font and text: the same words come back on every
    // card of a sheet. Bounded; emptied when full.
    struct TInkKey {
        QString Text, Font;
        double Points;
        bool Bold, Italic;
        bool operator==(const TInkKey&) const = default;
        friend size_t qHash(const TInkKey& k, size_t seed = 0) {
            return qHashMulti(seed, k.Text, k.Font, k.Points, k.Bold, k.Italic);
        }
    };
    QHash<TInkKey, QRectF> FInk;
    QRectF TextInk(const QFontMetricsF& metrics, const QString& text);
};
