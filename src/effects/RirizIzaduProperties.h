#pragma once

#include "platform/BitmapData.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QSpinBox;
class QWidget;
class TColorDropDown;
class TRirizIzadu;
class TRirizIzaduSample;

// "RirizIzadu Properties": every visible property of a RirizIzadu, acting at once on a
// preview object of its own through that object's setters, so the setters' ranges and side
// effects hold here too. The caller copies the preview back on Ok.
class TRirizIzaduProperties : public QDialog {
    Q_OBJECT
public:
    explicit TRirizIzaduProperties(QWidget* mainWindow);
    ~TRirizIzaduProperties() override;

    TRirizIzadu& Preview() const;
    QString LastTextureFile() const { return FLastTextureFile; }
    void SetLastTextureFile(const QString& file) { FLastTextureFile = file; }

    // Sets the controls from the preview. A control whose shown value changes writes it
    // back, so values beyond a control's range are pulled into it.
    void FormActivate();
    // Shows the option panels that belong to the preview's shape and surface.
    void RefreshPanels();
    // "Load Texture": the brush image browser, opened at the last texture file or in the
    // texture folder; on Ok the preview takes its tile.
    void LoadImageButtonClick();

    QComboBox* ShapeCombo = nullptr;
    QSpinBox* PointsOnStar = nullptr;
    QSpinBox* PercentinVector = nullptr;
    QSpinBox* RoundPercent = nullptr;
    QComboBox* SurfaceTypeCombo = nullptr;
    TColorDropDown* BackGroundColorCombo = nullptr;
    QComboBox* FillDirectionCombo = nullptr;
    TColorDropDown* BackGroundColorCombo2 = nullptr;
    TColorDropDown* GradientToColorCombo = nullptr;
    TColorDropDown* ShadowColorCombo = nullptr;
    QComboBox* ShadowOrientationCombo = nullptr;
    QSpinBox* ShadowDepthSpinner = nullptr;
    TColorDropDown* OutlineColorCombo = nullptr;
    QComboBox* OutlineStyleCombo = nullptr;
    QSpinBox* OutLineWidthSpinner = nullptr;
    QWidget* StarPanel = nullptr;
    QWidget* RRPanel = nullptr;
    QWidget* PatternPanel = nullptr;
    QWidget* FillPanel = nullptr;
    QWidget* ImagePanel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* BuildShapeGroup();
    QWidget* BuildSurfaceGroup();
    QWidget* BuildShadowGroup();
    QWidget* BuildOutlineGroup();
    void Connect();
    void Changed();

    TRirizIzaduSample* FSample = nullptr;
    QString FLastTextureFile;
    TBitmap FLastUsedImage;
};
