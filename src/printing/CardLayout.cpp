#include "printing/CardLayout.h"

#include <QtGlobal>

#include <cmath>

QSizeF TCardLayout::SheetInches() const {
    return Papersize == 1 ? QSizeF(8.5, 11.0) : QSizeF(8.268, 11.69);
}

const std::vector<TPredefinedLayout>& PredefinedCardStocks() {
    static const std::vector<TPredefinedLayout> layouts = {
        {"Avery Business Card 5371 (Letter Size Paper)", 3.5f, 2.0f, 0.75f, 0.5f, 1},
        {"Avery Business Card 5372 (Letter Size Paper)", 3.5f, 2.0f, 0.75f, 0.5f, 1},
        {"Avery Business Card 5376 - Ivory (Letter Size Paper)", 3.5f, 2.0f, 0.75f, 0.5f, 1},
        {"Avery Business Card 5377 - Gray (Letter Size Paper)", 3.5f, 2.0f, 0.75f, 0.5f, 1},
        {"Avery Business Card 5911 (Letter Size Paper)", 3.5f, 2.0f, 0.75f, 0.5f, 1},
        {"Avery Business Card 8371 Ink Jet (Letter Size Paper)", 3.5f, 2.0f, 0.75f, 0.5f, 1},
        {"Avery Business Card 8372 Ink Jet (Letter Size Paper)", 3.5f, 2.0f, 0.75f, 0.5f, 1},
        {"Avery Business Card 8376 Ink Jet - Ivory (Letter Size Paper)", 3.5f, 2.0f, 0.75f, 0.5f,
         1},
        {"Avery Business Card 8377 Ink Jet - Gray (Letter Size Paper)", 3.5f, 2.0f, 0.75f, 0.5f, 1},
        {"Avery Business Card L7413 (A4 Size Paper)", 3.543f, 2.0f, 0.591f, 0.846f, 9},
        {"Avery Business Card L7414 (A4 Size Paper)", 3.543f, 2.047f, 0.591f, 0.728f, 9},
        {"Avery Business Card L7415 (A4 Size Paper)", 3.543f, 2.047f, 0.591f, 0.728f, 9},
        {"Avery Business Card L7417 (A4 Size Paper)", 3.543f, 2.126f, 0.591f, 0.531f, 9},
        {"Avery Business Card L7419 (A4)", 3.543f, 2.126f, 0.591f, 0.531f, 9},
    };
    return layouts;
}

void ApplyPredefinedLayout(TCardLayout& layout, int index) {
    if (index < 0 || index >= int(PredefinedCardStocks().size()))
        return;
    const TPredefinedLayout& p = PredefinedCardStocks()[index];
    layout.Width = layout.HPitch = p.Width;
    layout.Height = layout.VPitch = p.Height;
    layout.LeftMargin = p.LeftMargin;
    layout.TopMargin = p.TopMargin;
    layout.Papersize = p.Papersize;
    layout.Across = 2;
    layout.Down = 5;
}

QString CardLayoutError(const TCardLayout& l) {
    if (l.Height < 0.3f)
        return QStringLiteral("Card Height must be at least .3 inches (or 7mm)");
    if (l.Width < 0.5f)
        return QStringLiteral("Card Width must be at least .5 inch (or 13mm)");
    if (l.Across >= 2 && l.HPitch < l.Width)
        return QStringLiteral("Horizontal Pitch must be at least = Card Width");
    if (l.Down >= 2 && l.VPitch < l.Height)
        return QStringLiteral("Vertical Pitch must be at least = Card Height");
    return {};
}

float ClampLayoutLength(double inches) {
    // NaN is no length at all.
    return std::isnan(inches) ? 0.0f : float(qBound(0.0, inches, double(MaxLayoutInches)));
}

void ClampCardLayout(TCardLayout& l) {
    l.Across = qBound(1, l.Across, MaxAcross);
    l.Down = qBound(1, l.Down, MaxDown);
    for (float* length : {&l.Height, &l.Width, &l.TopMargin, &l.LeftMargin, &l.HPitch, &l.VPitch})
        *length = ClampLayoutLength(*length);
    l.PredefLayout = qBound(0, l.PredefLayout, int(PredefinedCardStocks().size()) - 1);
    if (l.Papersize != 9)
        l.Papersize = 1;
}

void TPrinterNudges::Clamp() {
    for (int* nudge : {&TopMarginNudge, &LeftMarginNudge, &VerticalSpacing, &HorizontalSpacing,
                       &BackLeftNudge, &BackTopNudge})
        *nudge = qBound(-MaxNudge, *nudge, MaxNudge);
}

void TCardSelection::Set(int position, bool selected) {
    if (position >= 0 && position < int(FSelected.size()))
        FSelected[position] = selected;
}

void TCardSelection::FitTo(const TCardLayout& layout) {
    if (layout.PositionCount() > int(FSelected.size()))
        FSelected.resize(layout.PositionCount(), true);
}

bool TCardSelection::AnySelected(int count) const {
    for (int i = 0; i < count; ++i)
        if ((*this)[i])
            return true;
    return false;
}
