#pragma once

#include <QWidget>

#include <functional>

class QDialog;
class QPushButton;

// The 49-pixel bar along the bottom of the program's dialogs: "Ok" (default) accepts,
// "Cancel" (Escape) rejects, "Help" opens the help file at the dialog's context number and
// the glyph button starts "What's this?" mode. Each button has its popup help text.
// A dialog that checks its entries first lets Ok run that check instead of accepting.
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

    // Ok runs `action` (which accepts the dialog itself when it should) instead of accepting.
    void SetOkAction(std::function<void()> action);
    // A further button of the dialog's own, placed before "Help".
    QPushButton* AddButton(const QString& text);

private:
    QPushButton* FOK = nullptr;
    QPushButton* FCancel = nullptr;
    QPushButton* FHelp = nullptr;
    QPushButton* FMouseHelp = nullptr;
    int FHelpContext = 0;
};
