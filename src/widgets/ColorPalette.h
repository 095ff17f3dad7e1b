#pragma once

#include "platform/Color.h"

#include <QFrame>

#include <array>

class QPushButton;
class QToolButton;

// The pop-up palette of a colour button: twenty swatches, four across and five down, and
// "&Other" below them for any colour.
class TColorPalette : public QFrame {
    Q_OBJECT
public:
    static constexpr int Columns = 4;
    static constexpr int Rows = 5;
    // The swatches' colours, row by row.
    static const std::array<TColor, Columns * Rows>& Colors();

    explicit TColorPalette(QWidget* parent = nullptr);

    QToolButton* Swatch(int index) const { return FSwatches[index]; }
    QPushButton* OtherButton() const { return FOther; }

signals:
    void Picked(TColor color);
    void OtherClicked();

private:
    std::array<QToolButton*, Columns * Rows> FSwatches{};
    QPushButton* FOther = nullptr;
};
