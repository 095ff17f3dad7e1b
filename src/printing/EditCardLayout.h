#pragma once

#include "printing/CardLayout.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class TGBasePanel;

// "Business Card Layout": pick a card stock or type the layout in inches or millimetres.
// The dialog edits its own copy of the layout (inches) and hands it back on Ok.
class TEditCardLayout : public QDialog {
    Q_OBJECT
public:
    explicit TEditCardLayout(const TCardLayout& layout, QWidget* parent = nullptr);

    // The confirmed layout, UseMM following the unit shown.
    TCardLayout Layout() const;

    // Shows the dialog's layout copy in the controls (in the unit shown).
    void FillEditsFromValues();
    // True when the layout copy passes the checks; otherwise tells the user why.
    bool ValidCard();
    // The Ok button's work; closes the dialog when the layout is valid.
    void OkButtonClick();

    QComboBox* PredefinedLayouts;
    QRadioButton* Inchesbutton;
    QRadioButton* MMButton;
    QLineEdit* eCardwidth;
    QLineEdit* eCardHeight;
    QLineEdit* eHorizPitch;
    QLineEdit* eVertPitch;
    QLineEdit* eleftmarg;
    QLineEdit* etopmarg;
    QSpinBox* enbracross;
    QSpinBox* enbrdown;
    QComboBox* epapersize;

private:
    QLineEdit* NewEdit();
    void ShowValue(QLineEdit* edit, double value);
    // The value an edit holds, in the unit shown.
    double Shown(const QLineEdit* edit) const;
    void ShowInches();
    void ToMillimetres();
    void ToInches();
    void PredefinedChange(int index);
    void RaisePitch(QLineEdit* size, QLineEdit* pitch);

    TCardLayout FLayout;
    int FDecimals = 3;
    int FMinDecimals = 0; // "#0.###" shows no decimals it needn't, "#0.0##" at least one
};

// Sizes the card panel to the layout's card at 96 pixels per inch (at 100 % zoom; the
// panel's own zoom is kept).
void SetCardSizeFromInches(TGBasePanel& panel, const TCardLayout& layout);
