#pragma once

#include "platform/Color.h"

#include <QPushButton>

class TColorPalette;

// A button that shows its colour; a click opens the palette, whose "&Other" runs the colour
// dialog. Choosing a colour other than the one shown reports it.
class TColorButton : public QPushButton {
    Q_OBJECT
public:
    explicit TColorButton(QWidget* parent = nullptr);

    TColor Color() const { return FColor; }
    // Shows the colour without reporting a change.
    void SetColor(TColor color);

    TColorPalette* Palette() const { return FPalette; }
    void ShowPalette();

signals:
    void ColorChanged(TColor color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Choose(TColor color);
    void ChooseOther();

    TColor FColor = clBlack;
    TColorPalette* FPalette = nullptr;
};
