#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QPainter;

// A rectangle by its four edges, right and bottom exclusive, as the text layout computes
// them.
struct TEdgeRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;

    TEdgeRect Moved(int dx, int dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
    QRect ToQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    bool operator==(const TEdgeRect&) const = default;
};

// Text output on a painter with the current font and its rotation (escapement, degrees
// counter-clockwise). Positions are the top-left corner of the character cell; a rotated
// font turns the text about that point.
class TTextCanvas {
public:
    explicit TTextCanvas(QPainter& painter) : FPainter(painter) {}

    QFont Font;
    int Escapement = 0;

    // Draws text at pos in the colour, clipped to clip (in unrotated painter coordinates).
    void TextRect(const TEdgeRect& clip, const QPoint& pos, const QString& text,
                  const QColor& color);

private:
    QPainter& FPainter;
};
