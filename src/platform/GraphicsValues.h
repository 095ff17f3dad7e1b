#pragma once

#include "platform/Color.h"

#include <QFont>
#include <QString>

// The drawing value objects as design files store them.

enum TFontStyle { fsBold = 0, fsItalic = 1, fsUnderline = 2, fsStrikeOut = 3 };
using TFontStyles = unsigned; // bit set of TFontStyle

constexpr int DEFAULT_CHARSET = 1;
enum TFontPitch { fpDefault = 0, fpVariable = 1, fpFixed = 2 };

// Design pixels are 1/96 inch.
constexpr int ScreenPixelsPerInch = 96;

struct TFont {
    QString Name = QStringLiteral("Arial");
    int Height = -11; // character height in design pixels; negative = em height
    TFontStyles Style = 0;
    TColor Color = clWindowText;
    int Charset = DEFAULT_CHARSET;
    int Pitch = fpDefault;

    // Size in points from the stored height, and back.
    int Size() const;
    void SetSize(int points);
    bool Has(TFontStyle s) const { return Style & (1u << s); }
    void Set(TFontStyle s, bool on) { Style = on ? (Style | (1u << s)) : (Style & ~(1u << s)); }

    // A font sized in pixels for drawing at the given zoom: the em height is
    // round(|Height| * zoom), so text grows with the card.
    QFont ToQFont(double zoom = 1.0) const;
    // A font for a device with the given dots per inch, sized from the point size.
    QFont ToDeviceFont(double dpi) const;

    bool operator==(const TFont&) const = default;
};

enum TPenStyle { psSolid = 0, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode { pmBlack = 0, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot,
                pmMaskPenNot, pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask,
                pmNotMask, pmXor, pmNotXor };

struct TPen {
    TColor Color = clBlack;
    int Mode = pmCopy;
    int Style = psSolid;
    int Width = 1;
    bool operator==(const TPen&) const = default;
};

enum TBrushStyle { bsSolid = 0, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal,
                   bsCross, bsDiagCross };

struct TBrush {
    TColor Color = clWhite;
    int Style = bsSolid;
    bool operator==(const TBrush&) const = default;
};

// Qt equivalents of the stored styles.
Qt::PenStyle ToQtPenStyle(int style);
Qt::BrushStyle ToQtBrushStyle(int style);
