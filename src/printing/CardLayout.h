#pragma once

#include <QSizeF>
#include <QString>

#include <vector>

// What the layout dialog accepts: cards across and down, and lengths in inches (no sheet
// is longer, and the card panel is sized from the card's lengths).
constexpr int MaxAcross = 10;
constexpr int MaxDown = 30;
constexpr float MaxLayoutInches = 12.0f;

// Where the cards sit on a sheet of card stock. Lengths in inches.
struct TCardLayout {
    float Height = 2.0f;
    float Width = 3.5f;
    int Across = 2;
    int Down = 5;
    float TopMargin = 0.5f;
    float LeftMargin = 0.75f;
    float HPitch = 3.5f;
    float VPitch = 2.0f;
    int PredefLayout = 0;
    int Papersize = 1; // 1 Letter, 9 A4
    bool UseMM = false;

    int PositionCount() const { return Across * Down; }
    // The sheet in inches for the paper code.
    QSizeF SheetInches() const;
    bool operator==(const TCardLayout&) const = default;
};

// One of the card stocks offered in the layout dialog.
struct TPredefinedLayout {
    const char* Text;
    float Width, Height, LeftMargin, TopMargin;
    int Papersize;
};
const std::vector<TPredefinedLayout>& PredefinedCardStocks();
// Takes the stock's values (two across, five down). Indexes out of range change nothing.
void ApplyPredefinedLayout(TCardLayout& layout, int index);

// The first check the layout fails, as the message the user sees; empty when it passes.
QString CardLayoutError(const TCardLayout& layout);

// Brings a layout from anywhere into what the layout dialog accepts: counts and lengths to
// the nearest allowed value, the predefined index to the nearest stock, an unknown paper
// code to Letter.
void ClampCardLayout(TCardLayout& layout);
// A length in inches within 0 .. MaxLayoutInches.
float ClampLayoutLength(double inches);

// The printer nudges in 1/32 inch, -MaxNudge .. MaxNudge, and whether to warn about the
// bottom margin.
constexpr int MaxNudge = 8;
struct TPrinterNudges {
    int TopMarginNudge = 0;
    int LeftMarginNudge = 0;
    int VerticalSpacing = 0;
    int HorizontalSpacing = 0;
    // Where the backs of two-sided cards print, right and down on the back as it is printed,
    // measured from behind their fronts: printers shift the second side of a sheet.
    int BackLeftNudge = 0;
    int BackTopNudge = 0;
    bool ShowBottomMarginWarning = true;
    bool operator==(const TPrinterNudges&) const = default;
    // Each nudge to the nearest value the fine-tuning dialog offers.
    void Clamp();
};

// The card positions chosen for printing, by position number (row * Across + column).
// It holds at least ten positions and grows to every position of larger sheets, new
// positions selected.
class TCardSelection {
public:
    TCardSelection() : FSelected(10, true) {}
    bool operator[](int position) const {
        return position >= 0 && position < int(FSelected.size()) && FSelected[position];
    }
    void Set(int position, bool selected);
    int Size() const { return int(FSelected.size()); }
    void FitTo(const TCardLayout& layout);
    bool AnySelected(int count) const;
    bool operator==(const TCardSelection&) const = default;

private:
    std::vector<bool> FSelected;
};
