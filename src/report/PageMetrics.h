#pragma once

#include "report/ReportCanvas.h"

#include <QFont>
#include <QSizeF>

// What a page device is like: its resolution, its sheet and the strips it cannot print on.
struct TPageMetrics {
    double XDPI = 1200, YDPI = 1200;
    QSizeF PaperInches{8.5, 11.0};
    double LeftOffset = 0, TopOffset = 0; // unprintable strips, inches
    double BottomStrip = 0;               // unprintable strip at the bottom, inches

    // Device pixels of the unprintable offsets (the device origin on the sheet).
    int LeftOffsetPixels() const { return int(LeftOffset * XDPI); }
    int TopOffsetPixels() const { return int(TopOffset * YDPI); }
    // Device coordinates of a position in inches from the sheet's corner.
    double DeviceX(double inches) const { return inches * XDPI - LeftOffsetPixels(); }
    double DeviceY(double inches) const { return inches * YDPI - TopOffsetPixels(); }
    QRectF DeviceRectF(const TInchRect& r) const;
    QRect DeviceRect(const TInchRect& r) const;
    double DeviceRowToInches(int row) const { return (row + TopOffsetPixels()) / YDPI; }
    // Pen width in device pixels: -n is n hundredths of an inch, at least one pixel.
    int PenPixels(int width) const;

    bool operator==(const TPageMetrics&) const = default;
};

// The text settings of a canvas; both canvases measure text through it so that a page
// recorded for preview lays out exactly as the printed one.
struct TReportFont {
    QString Name = QStringLiteral("Arial");
    double Points = 10;
    bool Bold = false, Italic = false, Underline = false;
    TColor Color = clBlack;
    int Rotation = 0; // degrees, 0..359

    // The font sized in device pixels (fonts in scaled painters come out wrong).
    QFont DeviceFont(double dpi) const;
    double LineHeightInches() const { return Points / 60.0; }
    double TextWidthInches(const QString& text, double dpi) const;
    void SetRotation(int degrees) { Rotation = ((degrees % 360) + 360) % 360; }
};
