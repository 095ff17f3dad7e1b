#pragma once

#include <QDialog>

class QPushButton;

// The about box: the program's name, what it does, and an Ok button.
class TSplashform : public QDialog {
    Q_OBJECT
public:
    explicit TSplashform(QWidget* parent = nullptr);

    QPushButton* OkButton() const { return FOk; }

private:
    QPushButton* FOk;
};
