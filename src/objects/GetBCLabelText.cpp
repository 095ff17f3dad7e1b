#include "objects/GetBCLabelText.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

TGetBCLabelText::TGetBCLabelText(QWidget* mainWindow) : TGetLabelText(mainWindow) {
    Label2 = new QLabel(QStringLiteral("or select personal information"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    PersonalInfoCombo = new QComboBox(this);
    PersonalInfoCombo->setObjectName(QStringLiteral("PersonalInfoCombo"));
    PersonalInfoCombo->setFixedWidth(204);
    AddControl(Label2);
    AddControl(PersonalInfoCombo);
    connect(PersonalInfoCombo, &QComboBox::activated, this,
            [this](int i) { LabelText->setText(PersonalInfoCombo->itemText(i)); });
    // The frame is 342 x 191 outside; the client area is what remains inside the border.
    Finish(mainWindow, QSize(334, 164));
}

void TGetBCLabelText::SetPersonalInfo(const QStringList& values) {
    PersonalInfoCombo->clear();
    for (const QString& v : values)
        if (!v.isEmpty())
            PersonalInfoCombo->addItem(v);
    PersonalInfoCombo->setCurrentIndex(-1);
    PersonalInfoCombo->setEnabled(PersonalInfoCombo->count() > 0);
}
