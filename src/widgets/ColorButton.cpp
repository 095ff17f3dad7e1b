#include "widgets/ColorButton.h"

#include "widgets/ColorPalette.h"
#include "widgets/StandardDialogs.h"

#include <QPainter>

TColorButton::TColorButton(QWidget* parent) : QPushButton(parent) {
    setAutoDefault(false);
    setFixedSize(60, 24);
    FPalette = new TColorPalette(this);
    connect(this, &QPushButton::clicked, this, &TColorButton::ShowPalette);
    connect(FPalette, &TColorPalette::Picked, this, &TColorButton::Choose);
    connect(FPalette, &TColorPalette::OtherClicked, this, &TColorButton::ChooseOther);
}

void TColorButton::SetColor(TColor color) {
    if (color == FColor)
        return;
    FColor = color;
    update();
}

void TColorButton::ShowPalette() {
    FPalette->adjustSize();
    FPalette->move(mapToGlobal(QPoint(0, height())));
    FPalette->show();
}

void TColorButton::Choose(TColor color) {
    if (color == FColor)
        return;
    SetColor(color);
    emit ColorChanged(color);
}

void TColorButton::ChooseOther() {
    if (const auto c = ChooseColor(FColor, this))
        Choose(*c);
}

void TColorButton::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    QPainter p(this);
    const QRect chip = rect().adjusted(5, 5, -6, -6);
    p.fillRect(chip, ToQColor(FColor));
    p.setPen(Qt::black);
    p.drawRect(chip);
}
