#pragma once

#include "objects/GetLabelText.h"

class QComboBox;

// The caption dialog of the business-card text: the caption edit, and below it the user's
// personal information to pick from.
class TGetBCLabelText : public TGetLabelText {
    Q_OBJECT
public:
    explicit TGetBCLabelText(QWidget* mainWindow);

    // Lists the non-empty values; the list is enabled only when it has an entry.
    void SetPersonalInfo(const QStringList& values);

    QLabel* Label2 = nullptr;
    QComboBox* PersonalInfoCombo = nullptr;
};
