#pragma once

#include <QDialog>

class QComboBox;
class TColorDropDown;
class TDialogButtonBar;
class TGBaseLabel;
class TLabelSample;

// "Text 3D Effects": edits the shadow and highlight of a text object (direction, colour,
// depth) and its font colour on a sample; the object takes the sample's values only
// through CopyBack, which the caller runs on Ok.
class TGFont3DEffects : public QDialog {
    Q_OBJECT
public:
    explicit TGFont3DEffects(QWidget* mainWindow);

    // The object being edited: the sample and the controls take its values.
    void SetLabel(TGBaseLabel* label);
    // The edited object takes the sample's font and its six effect values.
    void CopyBack();

    TGBaseLabel& Sample() const;

    QComboBox* ShadowDirection = nullptr;
    TColorDropDown* ShadowColorCombo = nullptr;
    QComboBox* ShadowDepth = nullptr;
    QComboBox* HighlightDirection = nullptr;
    TColorDropDown* HighLightColorCombo = nullptr;
    QComboBox* HighLightDepth = nullptr;
    TColorDropDown* FontColorCombo = nullptr;
    TLabelSample* Panel4 = nullptr;
    TDialogButtonBar* Buttons = nullptr;

private:
    void ShowValues();

    TGBaseLabel* FLabel = nullptr;
};
