#pragma once

#include "platform/GraphicsValues.h"
#include "printing/CardLayout.h"
#include "printing/PrintSides.h"

#include <QString>

#include <array>

class TIniFile;

// Font sizes in points that the settings file accepts.
constexpr int MinFontSize = 1;
constexpr int MaxFontSize = 1638;
// No installed font family has a longer name.
constexpr int MaxFontNameLength = 64;
// A personal-information line as long as its edit takes.
constexpr int MaxPersonalLength = 32767;

// The font new text objects take.
struct TDefaultFontValues {
    QString Name = QStringLiteral("Arial");
    int Size = 10;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool operator==(const TDefaultFontValues&) const = default;
};

// Name, Company, Title, Address 1..3, Phone 1..2, E-mail, Fax.
using TPersonalInfo = std::array<QString, 10>;

// Everything the settings file keeps besides the recent files and window placements.
struct TPreferences {
    TPrinterNudges Nudges; // with the bottom-margin warning flag
    TPersonalInfo Personal;
    TCardLayout Layout;
    TDefaultFontValues DefaultFont;
    TSidesChoice Sides; // what the print window last chose
    bool operator==(const TPreferences&) const = default;
};

// The keys of section "Personal" in their fixed order.
const std::array<QString, 10>& PersonalKeys();

// Reads every key; what is missing or unreadable keeps its default, and values beyond what
// the dialogs accept become the nearest allowed value (a font name or size no font has
// becomes the default).
TPreferences ReadPreferences(const QString& fileName);
TPreferences ReadPreferences(const TIniFile& ini);
// Writes every key; false when the file could not be written.
bool WritePreferences(const QString& fileName, const TPreferences& prefs);

// Lengths are stored as whole thousandths of an inch.
float InchesFromThousandths(int v);
int ThousandthsFromInches(float inches);

// The panel font takes name and size; each style is added or removed by its flag.
void ApplyDefaultFont(const TDefaultFontValues& values, TFont& font);
TDefaultFontValues DefaultFontFrom(const TFont& font);
