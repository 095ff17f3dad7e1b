#pragma once

#include <QWidget>

class QDialog;
class QPushButton;

// The 49-pixel bar along the bottom of the object dialogs: "Ok" (default), "Cancel", "Help"
// and the "What's this?" button. Ok accepts and Cancel rejects the dialog; Help carries the
// dialog's help context number.
class TDialogButtonBar : public QWidget {
public:
    TDialogButtonBar(QDialog& dialog, int helpContext);

    QPushButton* OKButton() const { return FOK; }
    QPushButton* CancelButton() const { return FCancel; }
    QPushButton* HelpButton() const { return FHelp; }
    int HelpContext() const { return FHelpContext; }

private:
    QPushButton* FOK;
    QPushButton* FCancel;
    QPushButton* FHelp;
    int FHelpContext;
};
