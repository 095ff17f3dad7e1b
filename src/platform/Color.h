#pragma once

#include <QColor>
#include <QString>
#include <cstdint>
#include <optional>

// A colour as design files store it: 0x00BBGGRR. Values with the top bit set name a
// system colour, resolved only when drawing.
using TColor = std::int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clScrollBar = TColor(0x80000000u);
constexpr TColor clBtnFace = TColor(0x8000000Fu);
constexpr TColor clWindow = TColor(0x80000005u);
constexpr TColor clWindowText = TColor(0x80000008u);
constexpr TColor clNone = 0x1FFFFFFF;

// Builds a colour from its red, green and blue parts.
constexpr TColor RGBColor(int r, int g, int b) {
    return TColor((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// The drawable colour: system colours resolve to fixed values of a classic light theme,
// so that a design looks the same on every desktop.
QColor ToQColor(TColor c);
TColor FromQColor(const QColor& c);

// The 42 colour names of design files (clBlack ... clNone).
std::optional<QString> ColorToIdent(TColor c);
std::optional<TColor> IdentToColor(const QString& name);
