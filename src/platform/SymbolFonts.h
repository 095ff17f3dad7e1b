#pragma once

#include <QString>

#include <optional>

// Symbol fonts a design may name but this system may lack. Designs keep their character
// codes; text in Wingdings, when no Wingdings font is installed, is drawn with Symbola at the
// Unicode equivalents of the codes, and codes that have none show the replacement character.
// Installed fonts always draw their own glyphs.
struct TDrawnText {
    QString FontName; // the family to draw with
    QString Text;     // the characters to draw
};

// The stand-in's character for a Wingdings code (32 to 255), if Unicode has one.
std::optional<char32_t> WingdingsUnicode(int code);

// Whether text in the named font is drawn with the stand-in on this system.
bool UsesSymbolStandIn(const QString& fontName);

// How text in the named font is drawn. The text's characters stand for their single-byte
// codes (Windows-1252, as design files store them). Symbol fonts that are installed get the
// codes as Latin-1 characters, which Qt maps onto the font's symbol range; other fonts draw
// the text unchanged.
TDrawnText ResolveSymbolText(const QString& fontName, const QString& text);

// The character drawn where a Wingdings code has no Unicode equivalent.
constexpr char32_t SymbolPlaceholder = 0xFFFD;
// The family that stands in for Wingdings.
QString SymbolStandInFamily();
