#pragma once

#include <QWidget>

class QToolButton;

// Two small arrow buttons stacked on each other: up steps a value up, down steps it down.
// The buttons repeat while held.
class TSpinButton : public QWidget {
    Q_OBJECT
public:
    explicit TSpinButton(QWidget* parent = nullptr);

    QToolButton* UpButton() const { return FUp; }
    QToolButton* DownButton() const { return FDown; }

signals:
    void UpClick();
    void DownClick();

private:
    QToolButton* FUp;
    QToolButton* FDown;
};
