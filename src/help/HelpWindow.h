#pragma once

#include <QUrl>
#include <QWidget>

class QLineEdit;
class QPushButton;
class QTextBrowser;

// The help window: the program's help pages in a browser with Contents, Back and Forward,
// and a search over all pages. It stays usable while a modal dialog is open: it is shown
// as a window of that dialog and becomes a window of its own again when the dialog closes.
class THelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit THelpWindow(QWidget* parent = nullptr);

    void ShowPage(const QUrl& page);
    // Shows a page listing the pages that contain every word.
    void Search(const QString& words);
    // Shows the window above owner (the dialog that asked for help), or on its own.
    void ShowOver(QWidget* owner);

    QTextBrowser* Browser() const { return FBrowser; }
    QLineEdit* SearchEdit() const { return FSearch; }
    QPushButton* ContentsButton() const { return FContents; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MoveTo(QWidget* owner);

    QTextBrowser* FBrowser = nullptr;
    QLineEdit* FSearch = nullptr;
    QPushButton* FContents = nullptr;
    QPushButton* FBack = nullptr;
    QPushButton* FForward = nullptr;
};
