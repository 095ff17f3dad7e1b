#pragma once

#include "platform/Color.h"

#include <QImage>
#include <QPolygon>
#include <QRect>
#include <QString>

#include <memory>

class QPainter;

// A rectangle on the page in inches, measured from the sheet's physical top-left corner.
struct TInchRect {
    double Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool operator==(const TInchRect&) const = default;
};

// A vector drawing (a metafile, a laid-out rich text) that can be stretched onto a page.
// Draw paints it into the target rectangle of an unscaled device painter.
class TReportGraphic {
public:
    virtual ~TReportGraphic() = default;
    virtual void Draw(QPainter& painter, const QRectF& target) const = 0;
};

// The page canvas every design object prints on. Positions are inches from the sheet's
// physical top-left corner; the canvas compensates the printer's unprintable offsets.
// Device points and rectangles are the printer's own pixels: their origin is the top-left
// corner of the printable area, so inch x lies at device column x * XDPI - the left offset
// in pixels (Trunc(LeftOffset * XDPI)).
class TReportCanvas {
public:
    virtual ~TReportCanvas() = default;

    // Device pixels per inch of the page.
    virtual double XDPI() const = 0;
    virtual double YDPI() const = 0;
    // Width of the strips the device cannot print on, left and top, in inches.
    virtual double LeftOffset() const = 0;
    virtual double TopOffset() const = 0;

    // Pen: a negative width -n means n hundredths of an inch, at least one device pixel;
    // otherwise the width is in device pixels.
    virtual void SetPen(TColor color, int style, int width, int mode) = 0;
    virtual void SetBrush(TColor color, int style) = 0;
    // A bitmap brush, tiled from the device origin; a null image removes it.
    virtual void SetBrushBitmap(const QImage& bitmap) = 0;

    // Font: face, size in points, styles, colour and rotation (degrees, kept modulo 360,
    // turning about the text position as on screen).
    virtual void SetFont(const QString& name, double points) = 0;
    virtual void SetFontStyle(bool bold, bool italic, bool underline) = 0;
    virtual void SetFontColor(TColor color) = 0;
    virtual void SetFontRotation(int degrees) = 0;
    // Opaque text (the default) fills its character cells with a solid brush's colour.
    virtual void SetTextTransparent(bool transparent) = 0;
    // Height of a text line in inches: 1.2 x the font size.
    virtual double LineHeight() const = 0;
    virtual double TextWidth(const QString& text) const = 0; // inches

    // Shapes in inches, outlined with the pen and filled with the brush.
    virtual void Rectangle(const TInchRect& r) = 0;
    virtual void RoundRect(const TInchRect& r, double cornerWidth, double cornerHeight) = 0;
    virtual void Ellipse(const TInchRect& r) = 0;
    virtual void MoveTo(double x, double y) = 0;
    virtual void LineTo(double x, double y) = 0;
    virtual void Polygon(const QPolygon& devicePoints) = 0;
    virtual void FillDeviceRect(const QRect& deviceRect) = 0;

    // Conversions between inches and device pixels.
    virtual QRect DeviceRect(const TInchRect& r) const = 0;
    virtual double DeviceRowToInches(int row) const = 0;

    // Text whose character cell's top-left corner is at (x, y) inches, clipped to a device
    // rectangle.
    virtual void TextRect(const QRect& deviceClip, double x, double y, const QString& text) = 0;
    // Text at x inches on a line whose top is y inches, unclipped.
    virtual void TextOut(double x, double y, const QString& text) = 0;

    // Clip regions: a stack; the top region becomes the clip with SelectClip.
    virtual void PushClipRect(const TInchRect& r) = 0;
    virtual void PushClipEllipse(const TInchRect& r) = 0;
    virtual void PushClipRoundRect(const TInchRect& r, double cornerWidth, double cornerHeight) = 0;
    virtual void PushClipPolygon(const QPolygon& devicePoints) = 0;
    virtual void SelectClip() = 0;
    virtual void ClearClip() = 0;
    virtual void PopClip() = 0;

    // Glyph paths: text drawn between BeginPath and EndPath becomes a path instead of ink.
    virtual void BeginPath() = 0;
    virtual void EndPath() = 0;
    virtual void ClipToPath() = 0;
    virtual void StrokePath() = 0;

    // A bitmap stretched into an inch rectangle, or into a device rectangle.
    virtual void StretchBitmap(const TInchRect& r, const QImage& bitmap) = 0;
    virtual void StretchDeviceBitmap(const QRect& deviceRect, const QImage& bitmap) = 0;
    // A bitmap repeated over a device rectangle from its top-left corner, each copy scaled
    // to `tile` device pixels: one pattern however many copies show.
    virtual void TileDeviceBitmap(const QRect& deviceRect, const QImage& bitmap,
                                  const QSizeF& tile) = 0;
    // A vector graphic stretched into a device rectangle.
    virtual void StretchGraphic(const QRect& deviceRect,
                                std::shared_ptr<const TReportGraphic> graphic) = 0;
};
