#include "app/PersonalInformation.h"

#include "app/PanelPreferences.h"
#include "help/HelpContexts.h"
#include "platform/Interaction.h"
#include "surface/BusinessCardPanel.h"
#include "widgets/DialogButtonBar.h"
#include "widgets/DialogFrame.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

TPersonalInformation::TPersonalInformation(QWidget* mainWindow) : QDialog(mainWindow) {
    setWindowTitle(QStringLiteral("Personal Information"));
    // A fixed dialog frame without title-bar buttons.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint);
    setFont(DialogFont());
    static const char* const labels[] = {"Name",      "Company",   "Title",   "Address 1",
                                         "Address 2", "Address 3", "Phone 1", "Phone 2",
                                         "E-mail",    "Fax"};
    static const char* const names[] = {
        "pPersonalName",     "pPersonalCompany",  "pPersonalTitle",  "pPersonalAddress1",
        "pPersonalAddress2", "pPersonalAddress3", "pPersonalPhone1", "pPersonalPhone2",
        "pPersonalEmail",    "pPersonalFax"};
    auto* outer = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    outer->addLayout(form);
    for (size_t i = 0; i < Edits.size(); ++i) {
        Edits[i] = new QLineEdit(this);
        Edits[i]->setObjectName(QLatin1String(names[i]));
        Edits[i]->setMaxLength(MaxPersonalLength);
        Edits[i]->setMinimumWidth(280);
        Edits[i]->setWhatsThis(
            QStringLiteral("Your %1, offered as a ready-made text for the card.")
                .arg(QString::fromLatin1(labels[i])
                         .replace(QStringLiteral("E-mail"), QStringLiteral("e-mail address"))
                         .toLower()));
        form->addRow(QLatin1String(labels[i]), Edits[i]);
    }
    Buttons = new TDialogButtonBar(*this, HelpContext::PersonalInformation);
    outer->addWidget(Buttons);
    adjustSize();
    setFixedSize(size());
}

void TPersonalInformation::SetValues(const TPersonalInfo& values) {
    for (size_t i = 0; i < Edits.size(); ++i)
        Edits[i]->setText(values[i]);
}

TPersonalInfo TPersonalInformation::Values() const {
    TPersonalInfo values;
    for (size_t i = 0; i < Edits.size(); ++i)
        values[i] = Edits[i]->text();
    return values;
}

bool EditPersonalInformation(QWidget* mainWindow, TPreferences& prefs, TGBusinessCardPanel32& panel,
                             const QString& settingsFile) {
    TPersonalInformation dialog(mainWindow);
    LoadPreferences(prefs, panel, settingsFile);
    dialog.SetValues(prefs.Personal);
    CenterOverMainWindow(dialog, mainWindow);
    if (TInteraction::Current().Exec(dialog) != QDialog::Accepted)
        return false;
    prefs.Personal = dialog.Values();
    SavePreferences(prefs, panel, settingsFile, mainWindow);
    SetPanelPersonalInfo(panel, prefs.Personal);
    return true;
}
