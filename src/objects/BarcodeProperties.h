#pragma once

#include "objects/BarcodeContent.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class TBarcodeSample;
class TColorDropDown;
class TGBarcode;

// "Barcode Properties": the content by kind (text, web address, phone number, contact card
// with its fields), the symbology and the look, acting at once on a preview barcode of its
// own that the sample shows live. Below the sample it says what the code holds, or why the
// content cannot be encoded. The caller copies the preview back on Ok.
class TBarcodeProperties : public QDialog {
    Q_OBJECT
public:
    // The personal information fills the contact's fields on request.
    TBarcodeProperties(QWidget* mainWindow, const TContact& personalInformation);
    ~TBarcodeProperties() override;

    TGBarcode& Preview() const;
    // Sets the controls from the preview.
    void FormActivate();
    // The contact's fields take the personal information, or each its ${Column} field.
    void FillFromPersonalInformation();
    void FillWithMergeFields();
    // What the status line says now.
    QString StatusText() const;

    QComboBox* KindCombo = nullptr;
    QStackedWidget* KindPages = nullptr;
    QPlainTextEdit* TextEdit = nullptr;
    QLineEdit* WebEdit = nullptr;
    QLineEdit* PhoneEdit = nullptr;
    std::array<QLineEdit*, ContactFieldCount> ContactEdits{};
    QPushButton* PersonalButton = nullptr;
    QPushButton* MergeFieldsButton = nullptr;
    QComboBox* SymbologyCombo = nullptr;
    QComboBox* ErrorCorrectionCombo = nullptr;
    QSpinBox* QuietZoneSpin = nullptr;
    TColorDropDown* ForeColorCombo = nullptr;
    TColorDropDown* BackColorCombo = nullptr;
    QCheckBox* TransparentCheck = nullptr;
    QLabel* StatusLabel = nullptr;

private:
    QWidget* BuildContentGroup();
    QWidget* BuildContactPage();
    QWidget* BuildCodeGroup();
    void Connect();
    // The preview's content from the page of the chosen kind.
    void ContentChanged();
    void SymbologyChanged(int index);
    void Changed();

    TBarcodeSample* FSample = nullptr;
    TContact FPersonalInformation;
    bool FFilling = false; // controls are being set from the preview
};
