#pragma once

#include "platform/Color.h"

#include <QComboBox>

// A drop-down list of colours, each shown as a swatch with its name: the sixteen basic
// colours, the current colour when it is none of them, and "Other..." for the colour dialog.
class TColorDropDown : public QComboBox {
    Q_OBJECT
public:
    explicit TColorDropDown(QWidget* parent = nullptr);

    TColor Color() const { return FColor; }
    // Shows the colour without reporting a change.
    void SetColor(TColor color);

signals:
    // The user picked a colour different from the one shown.
    void ColorChanged(TColor color);

private:
    void Rebuild();
    void Picked(int index);

    TColor FColor = clBlack;
    bool FUpdating = false;
};
