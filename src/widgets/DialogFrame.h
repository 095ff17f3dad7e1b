#pragma once

#include <QWidget>

#include <functional>

class QDialog;
class QPushButton;

// The bar along the bottom of the program's dialogs: "Ok" (default), "Cancel" (Escape),
// "Help" and the "What's this?" button, each with its popup help text.
class TDialogButtonBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int BarHeight = 49;

    // The bar accepts or rejects the dialog; onHelp runs for "Help".
    TDialogButtonBar(QDialog* dialog, std::function<void()> onHelp);

    QPushButton* OKButton = nullptr;
    QPushButton* Cancelbutton = nullptr;
    QPushButton* Helpbutton = nullptr;
    QPushButton* MouseHelpButton = nullptr;
};

// Centres a window over the main window: left = main.left + (main.width - width) div 2, and
// likewise top; over the screen when there is no main window or it is maximised.
void CenterOverMainWindow(QWidget& window, const QWidget* mainWindow);

// The font the program's dialogs use: Arial 11 pixels high.
QFont DialogFont();
