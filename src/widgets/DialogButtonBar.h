#pragma once

#include <QWidget>

class QDialog;
class QPushButton;

// The 49-pixel bar along the bottom of the program's dialogs: "Ok" (default) accepts,
// "Cancel" (Escape) rejects, "Help" opens the help file at the dialog's context number and
// the glyph button starts "What's this?" mode. Each button has its popup help text.
class TDialogButtonBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int BarHeight = 49;

    TDialogButtonBar(QDialog& dialog, int helpContext);

    QPushButton* OKButton() const { return FOK; }
    QPushButton* CancelButton() const { return FCancel; }
    QPushButton* HelpButton() const { return FHelp; }
    QPushButton* MouseHelpButton() const { return FMouseHelp; }
    int HelpContext() const { return FHelpContext; }

private:
    QPushButton* FOK = nullptr;
    QPushButton* FCancel = nullptr;
    QPushButton* FHelp = nullptr;
    QPushButton* FMouseHelp = nullptr;
    int FHelpContext = 0;
};
