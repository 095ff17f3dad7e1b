#pragma once

#include "printing/CardLayout.h"

#include <QDialog>

#include <array>

class QLabel;

// "Printer Fine-Tuning": the four nudges in 1/32 inch, -8 to 8 each.
class TPrintFineTune : public QDialog {
    Q_OBJECT
public:
    enum TNudge { TopMargin, LeftMargin, VerticalSpacing, HorizontalSpacing };

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

private:
    TPrinterNudges FNudges;
    std::array<int, 4> FValues;
    std::array<QLabel*, 4> FLabels;
};

// The caption of a nudge value: "Increase by 3/32"", "None", "Decrease by 2/32"".
QString NudgeCaption(int value);
