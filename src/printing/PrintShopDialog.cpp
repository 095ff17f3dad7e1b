#include "printing/PrintShopDialog.h"

#include "help/HelpContexts.h"
#include "widgets/DialogButtonBar.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QPushButton>

TPrintShopDialog::TPrintShopDialog(const TPrintShopOptions& options, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Export for Print Shop"));
    auto* box = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    BleedEdit = new QDoubleSpinBox;
    BleedEdit->setRange(0, MaxBleed);
    BleedEdit->setDecimals(3);
    BleedEdit->setSingleStep(0.0625);
    BleedEdit->setSuffix(QStringLiteral(" in"));
    BleedEdit->setValue(options.Bleed);
    BleedEdit->setWhatsThis(QStringLiteral(
        "How far the card's edge colours carry on beyond the card, on every side, so that "
        "no white edge shows after cutting. Print shops usually ask for 0.125 inch."));
    form->addRow(QStringLiteral("&Bleed:"), BleedEdit);
    SidesCombo = new QComboBox;
    for (TPrintSides sides : {TPrintSides::Front, TPrintSides::Back, TPrintSides::Both})
        SidesCombo->addItem(SidesCaption(sides), int(sides));
    SidesCombo->setCurrentIndex(SidesCombo->findData(int(options.Sides)));
    SidesCombo->setWhatsThis(
        QStringLiteral("Which side of each card the file holds, one side a page. With both "
                       "sides, each card's back follows its front on the next page."));
    form->addRow(QStringLiteral("&Sides:"), SidesCombo);
    box->addLayout(form);
    CropMarksCheck = new QCheckBox(QStringLiteral("&Crop marks"));
    CropMarksCheck->setChecked(options.CropMarks);
    CropMarksCheck->setWhatsThis(
        QStringLiteral("Adds fine lines at the corners, outside the bleed, that show where "
                       "to cut."));
    box->addWidget(CropMarksCheck);
    auto* buttons = new TDialogButtonBar(*this, HelpContext::PrintShop);
    buttons->OKButton()->setWhatsThis(
        QStringLiteral("Asks for the PDF file's name and writes it."));
    buttons->CancelButton()->setWhatsThis(QStringLiteral("Writes nothing."));
    box->addWidget(buttons);
}

TPrintShopOptions TPrintShopDialog::Options() const {
    return {BleedEdit->value(), CropMarksCheck->isChecked(),
            TPrintSides(SidesCombo->currentData().toInt())};
}
