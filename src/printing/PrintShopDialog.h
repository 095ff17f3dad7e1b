#pragma once

#include "printing/PrintShopExport.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;

// "Export for Print Shop": the bleed in inches, whether to add crop marks, and the sides.
class TPrintShopDialog : public QDialog {
    Q_OBJECT
public:
    explicit TPrintShopDialog(const TPrintShopOptions& options, QWidget* parent = nullptr);

    TPrintShopOptions Options() const;

    QDoubleSpinBox* BleedEdit;
    QCheckBox* CropMarksCheck;
    QComboBox* SidesCombo;
};
