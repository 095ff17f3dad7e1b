#pragma once

#include "platform/BitmapData.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTimer;
class TColorButton;
class TDialogButtonBar;
class TGDiduzOvoz;
class TLetteringSample;

// "DiduzOvoz Properties": edits a preview lettering object with every control acting on it
// at once; the caller copies the preview back on Ok. Typing refits the preview at most five
// times a second.
class TDiduzOvozProperties : public QDialog {
    Q_OBJECT
public:
    explicit TDiduzOvozProperties(QWidget* mainWindow);
    ~TDiduzOvozProperties() override;

    TGDiduzOvoz& Preview() const;
    // The texture file last chosen, handed in and read back by the object.
    QString LastTextureFile;
    // The last texture of this dialog, given to the preview when "Texture" is chosen.
    TBitmap LastUsedImage;

    // Sets the controls from the preview, as each activation does.
    void Activate();
    // Runs the refit timer's work at once.
    void TimerTick();
    bool TextChanged() const { return FTextChanged; }
    QTimer* Timer1 = nullptr;

    QLineEdit* CaptionText = nullptr;
    QListWidget* SurfaceTypeCombo = nullptr;
    QWidget* FontcolorPanel = nullptr;
    TColorButton* FontColorButton = nullptr;
    QWidget* FillPanel = nullptr;
    QComboBox* FillDirectionCombo = nullptr;
    TColorButton* GradientFromcolorButton = nullptr;
    TColorButton* GradientToColorButton = nullptr;
    QWidget* ImagePanel = nullptr;
    QPushButton* LoadImageButton = nullptr;
    TColorButton* ShadowColorButton = nullptr;
    QComboBox* ShadowOrientationCombo = nullptr;
    QSpinBox* ShadowDepthSpinner = nullptr;
    TColorButton* OutlineColorButton = nullptr;
    QComboBox* OutlineStyleCombo = nullptr;
    QSpinBox* OutLineWidthSpinner = nullptr;
    QPushButton* Fontbutton = nullptr;
    TLetteringSample* Panel1 = nullptr;
    TDialogButtonBar* Buttons = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    void ConnectControls();
    void ShowPanels();
    // Applies a change to the preview and shows it.
    template <class F> void OnPreview(F change);
    void SurfaceTypeComboClick(int index);
    void FontbuttonClick();
    void LoadImageButtonClick();
    void OKButtonClick();

    bool FTextChanged = false;
    bool FActivating = false;
    QWidget* FMainWindow = nullptr;
};
