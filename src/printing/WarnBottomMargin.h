#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;

// "ALERT": the printer cannot print low enough for the bottom row of cards.
class TWarnBottomMargin : public QDialog {
    Q_OBJECT
public:
    // bottomStrip: the printer's unprintable strip at the bottom, inches.
    explicit TWarnBottomMargin(double bottomStrip, QWidget* parent = nullptr);

    QLabel* BotMarg;
    QLabel* Difference;
    QCheckBox* DontShowCheck;
};

// Whether Print must warn first: a strip over half an inch, the bottom row's positions
// 8 and 9 both chosen, and the warning not switched off.
bool BottomMarginWarningNeeded(double bottomStrip, bool position8, bool position9, bool show);
