#pragma once

#include "app/Preferences.h"

#include <QDialog>

#include <array>

class QLineEdit;
class TDialogButtonBar;
class TGBusinessCardPanel32;

// "Personal Information": the user's ten details in labelled one-line edits.
class TPersonalInformation : public QDialog {
    Q_OBJECT
public:
    explicit TPersonalInformation(QWidget* mainWindow);

    void SetValues(const TPersonalInfo& values);
    TPersonalInfo Values() const;

    // pPersonalName, pPersonalCompany, ... pPersonalFax, in the fixed order.
    std::array<QLineEdit*, 10> Edits{};
    TDialogButtonBar* Buttons = nullptr;
};

// The "&Personal Information" command: the settings are read again so the dialog starts
// from the stored values; on Ok they are saved and handed to the card panel. Returns true
// on Ok.
bool EditPersonalInformation(QWidget* mainWindow, TPreferences& prefs, TGBusinessCardPanel32& panel,
                             const QString& settingsFile);
