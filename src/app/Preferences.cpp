#include "app/Preferences.h"

#include "platform/IniFile.h"

#include <cmath>

namespace {
const QString printer = QStringLiteral("Printer");
const QString personal = QStringLiteral("Personal");
const QString layout = QStringLiteral("Layout");
const QString defaultFont = QStringLiteral("Default Font");
} // namespace

const std::array<QString, 10>& PersonalKeys() {
    static const std::array<QString, 10> keys = {
        QStringLiteral("Name"),     QStringLiteral("Company"),  QStringLiteral("Title"),
        QStringLiteral("Address1"), QStringLiteral("Address2"), QStringLiteral("Address3"),
        QStringLiteral("Phone1"),   QStringLiteral("Phone2"),   QStringLiteral("Email"),
        QStringLiteral("Fax")};
    return keys;
}

float InchesFromThousandths(int v) {
    return float(v * 0.001);
}

int ThousandthsFromInches(float inches) {
    return int(std::nearbyint(double(inches) * 1000.0));
}

TPreferences ReadPreferences(const QString& fileName) {
    return ReadPreferences(TIniFile(fileName));
}

TPreferences ReadPreferences(const TIniFile& ini) {
    TPreferences p;
    auto length = [&](const QString& key, float def) {
        return InchesFromThousandths(ini.ReadInteger(layout, key, ThousandthsFromInches(def)));
    };
    TPrinterNudges& n = p.Nudges;
    n.TopMarginNudge = ini.ReadInteger(printer, "TopMarginNudge", n.TopMarginNudge);
    n.LeftMarginNudge = ini.ReadInteger(printer, "LeftMarginNudge", n.LeftMarginNudge);
    n.VerticalSpacing = ini.ReadInteger(printer, "VerticalSpacing", n.VerticalSpacing);
    n.HorizontalSpacing = ini.ReadInteger(printer, "HorizontalSpacing", n.HorizontalSpacing);
    n.BackLeftNudge = ini.ReadInteger(printer, "BackLeftNudge", n.BackLeftNudge);
    n.BackTopNudge = ini.ReadInteger(printer, "BackTopNudge", n.BackTopNudge);
    n.ShowBottomMarginWarning =
        ini.ReadBool(printer, "ShowBottomMarginWarning", n.ShowBottomMarginWarning);
    n.Clamp();
    // Sides 0 front, 1 back, 2 both; anything else prints the front.
    const int sides = ini.ReadInteger(printer, "Sides", 0);
    p.Sides.Sides = sides == 1   ? TPrintSides::Back
                    : sides == 2 ? TPrintSides::Both
                                 : TPrintSides::Front;
    p.Sides.Flip =
        ini.ReadBool(printer, "FlipShortEdge", false) ? TFlipEdge::Short : TFlipEdge::Long;
    p.Sides.ManualDuplex = ini.ReadBool(printer, "ManualDuplex", false);
    for (size_t i = 0; i < p.Personal.size(); ++i)
        p.Personal[i] =
            ini.ReadString(personal, PersonalKeys()[i], QString()).left(MaxPersonalLength);
    TCardLayout& l = p.Layout;
    l.Height = length("Height", l.Height);
    l.Width = length("Width", l.Width);
    l.Across = ini.ReadInteger(layout, "Across", l.Across);
    l.Down = ini.ReadInteger(layout, "Down", l.Down);
    l.TopMargin = length("TopMargin", l.TopMargin);
    l.LeftMargin = length("LeftMargin", l.LeftMargin);
    l.HPitch = length("HPitch", l.HPitch);
    l.VPitch = length("VPitch", l.VPitch);
    l.PredefLayout = ini.ReadInteger(layout, "PredefLayout", l.PredefLayout);
    l.Papersize = ini.ReadInteger(layout, "Papersize", l.Papersize);
    l.UseMM = ini.ReadBool(layout, "UseMM", l.UseMM);
    ClampCardLayout(l);
    TDefaultFontValues& f = p.DefaultFont;
    const QString name = ini.ReadString(defaultFont, "Name", f.Name);
    if (!name.trimmed().isEmpty() && name.size() <= MaxFontNameLength)
        f.Name = name;
    // A size no font dialog offers would make unusable text; such a value reads as the default.
    const int size = ini.ReadInteger(defaultFont, "Size", f.Size);
    if (size >= MinFontSize && size <= MaxFontSize)
        f.Size = size;
    f.Bold = ini.ReadBool(defaultFont, "Bold", f.Bold);
    f.Italic = ini.ReadBool(defaultFont, "Italic", f.Italic);
    f.Underline = ini.ReadBool(defaultFont, "Underline", f.Underline);
    return p;
}

bool WritePreferences(const QString& fileName, const TPreferences& p) {
    TIniFile ini(fileName);
    ini.BeginUpdate();
    bool ok = true;
    auto put = [&](const QString& section, const QString& key, int v) {
        ok = ini.WriteInteger(section, key, v) && ok;
    };
    auto putBool = [&](const QString& section, const QString& key, bool v) {
        ok = ini.WriteBool(section, key, v) && ok;
    };
    auto putString = [&](const QString& section, const QString& key, const QString& v) {
        ok = ini.WriteString(section, key, v) && ok;
    };
    put(printer, "TopMarginNudge", p.Nudges.TopMarginNudge);
    put(printer, "LeftMarginNudge", p.Nudges.LeftMarginNudge);
    put(printer, "VerticalSpacing", p.Nudges.VerticalSpacing);
    put(printer, "HorizontalSpacing", p.Nudges.HorizontalSpacing);
    for (size_t i = 0; i < p.Personal.size(); ++i)
        putString(personal, PersonalKeys()[i], p.Personal[i]);
    putBool(printer, "ShowBottomMarginWarning", p.Nudges.ShowBottomMarginWarning);
    // Two-sided printing's keys appear once it has been used, so one-sided settings files
    // stay as they were.
    const TSidesChoice oneSided;
    if (p.Nudges.BackLeftNudge != 0 || p.Nudges.BackTopNudge != 0 || p.Sides != oneSided ||
        !ini.ReadString(printer, "Sides", QString()).isEmpty()) {
        put(printer, "BackLeftNudge", p.Nudges.BackLeftNudge);
        put(printer, "BackTopNudge", p.Nudges.BackTopNudge);
        put(printer, "Sides", int(p.Sides.Sides));
        putBool(printer, "FlipShortEdge", p.Sides.Flip == TFlipEdge::Short);
        putBool(printer, "ManualDuplex", p.Sides.ManualDuplex);
    }
    putString(defaultFont, "Name", p.DefaultFont.Name);
    put(defaultFont, "Size", p.DefaultFont.Size);
    putBool(defaultFont, "Bold", p.DefaultFont.Bold);
    putBool(defaultFont, "Italic", p.DefaultFont.Italic);
    putBool(defaultFont, "Underline", p.DefaultFont.Underline);
    const TCardLayout& l = p.Layout;
    put(layout, "Height", ThousandthsFromInches(l.Height));
    put(layout, "Width", ThousandthsFromInches(l.Width));
    put(layout, "Across", l.Across);
    put(layout, "Down", l.Down);
    put(layout, "TopMargin", ThousandthsFromInches(l.TopMargin));
    put(layout, "LeftMargin", ThousandthsFromInches(l.LeftMargin));
    put(layout, "HPitch", ThousandthsFromInches(l.HPitch));
    put(layout, "VPitch", ThousandthsFromInches(l.VPitch));
    put(layout, "PredefLayout", l.PredefLayout);
    put(layout, "Papersize", l.Papersize);
    putBool(layout, "UseMM", l.UseMM);
    return ini.EndUpdate() && ok;
}

void ApplyDefaultFont(const TDefaultFontValues& values, TFont& font) {
    font.Name = values.Name;
    font.SetSize(values.Size);
    font.Set(fsBold, values.Bold);
    font.Set(fsItalic, values.Italic);
    font.Set(fsUnderline, values.Underline);
}

TDefaultFontValues DefaultFontFrom(const TFont& font) {
    TDefaultFontValues v;
    v.Name = font.Name;
    v.Size = font.Size();
    v.Bold = font.Has(fsBold);
    v.Italic = font.Has(fsItalic);
    v.Underline = font.Has(fsUnderline);
    return v;
}
