#pragma once

#include "printing/CardLayout.h"

#include <QDialog>

#include <array>

class QLabel;

// "Printer Fine-Tuning": the four nudges of the sheet and the two of the cards' backs, in
// 1/32 inch, -8 to 8 each.
class TPrintFineTune : public QDialog {
    Q_OBJECT
public:
    enum TNudge { TopMargin, LeftMargin, VerticalSpacing, HorizontalSpacing, BackLeft, BackTop };
    static constexpr int NudgeCount = 6;

    explicit TPrintFineTune(const TPrinterNudges& nudges, QWidget* parent = nullptr);

    // The nudges as edited; the warning flag is passed through.
    TPrinterNudges Nudges() const;
    int Value(TNudge n) const { return FValues[n]; }
    // The spin button's arrows: down adds one up to 8, up takes one away down to -8.
    void StepDown(TNudge n);
    void StepUp(TNudge n);
    void DefaultButtonClick();
    void ShowValues();
    QString Caption(TNudge n) const;

    QLabel* lTopMarginNudge;
    QLabel* LLeftMarginNudge;
    QLabel* LVerticalSpacing;
    QLabel* LHorizontalSpacing;
    QLabel* LBackLeftNudge;
    QLabel* LBackTopNudge;

private:
    TPrinterNudges FNudges;
    std::array<int, NudgeCount> FValues;
    std::array<QLabel*, NudgeCount> FLabels;
};

// The caption of a nudge value: "Increase by 3/32"", "None", "Decrease by 2/32"".
QString NudgeCaption(int value);
