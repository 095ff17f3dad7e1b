#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class TDialogButtonBar;

// The caption dialog of the text object: "Enter Text" and a one-line edit.
class TGetLabelText : public QDialog {
    Q_OBJECT
public:
    explicit TGetLabelText(QWidget* mainWindow);

    QLabel* Label1 = nullptr;
    QLineEdit* LabelText = nullptr;
    TDialogButtonBar* Buttons = nullptr;

protected:
    // For dialogs that add controls below the edit: sizes and centres the dialog again.
    void Finish(QWidget* mainWindow, const QSize& size);
    void AddControl(QWidget* control);

private:
    class QVBoxLayout* FControls = nullptr;
};
