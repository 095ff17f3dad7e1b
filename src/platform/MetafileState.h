#pragma once

#include <QBrush>
#include <QColor>
#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QTransform>

#include <optional>

// A font as a metafile describes it; heights are logical units, negative = em height,
// positive = cell height.
struct TMetafileFont {
    QString Face = QStringLiteral("Arial");
    double Height = -12;
    int Escapement = 0; // tenths of a degree, counter-clockwise
    int Weight = 400;
    bool Italic = false, Underline = false, StrikeOut = false;
};

// A pen, brush, font or region a metafile creates and later selects by its index.
struct TMetafileObject {
    enum class TKind { Empty, Pen, Brush, Font, Region, Other };
    TKind Kind = TKind::Empty;
    QPen Pen;
    QBrush Brush;
    TMetafileFont Font;
    QPainterPath Region; // logical coordinates
};

// How a new clip area combines with the one in force, numbered as the records number them.
enum class TClipCombine { And = 1, Or, Xor, Diff, Copy };

// The drawing state that records change one by one; SaveDC keeps a copy.
struct TMetafileDC {
    int MapMode = 1; // MM_TEXT
    QPointF WindowOrg, ViewportOrg;
    QSizeF WindowExt{1, 1}, ViewportExt{1, 1};
    QTransform World;
    QPen Pen{QBrush(Qt::black), 0};
    QBrush Brush{Qt::white};
    TMetafileFont Font;
    QColor TextColor = Qt::black, BkColor = Qt::white;
    bool BkOpaque = true;
    int TextAlign = 0;
    Qt::FillRule FillRule = Qt::OddEvenFill;
    QPointF Position; // the current position, logical
    // The clip region in the coordinates the painter had when playing began.
    std::optional<QPainterPath> Clip;
};
