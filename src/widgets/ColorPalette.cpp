#include "widgets/ColorPalette.h"

#include <QGridLayout>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>

const std::array<TColor, TColorPalette::Columns * TColorPalette::Rows>& TColorPalette::Colors() {
    static const std::array<TColor, Columns * Rows> colors{
        0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000, // one row of the palette per line
        0xBFD7BF, 0x000000, 0x00007F, 0x007F00, //
        0x7F0000, 0xEFBF9F, 0xBFBFBF, 0x00FFFF, //
        0xFFFF00, 0xFF00FF, 0xEFF7FF, 0x7F7F7F, //
        0x007F7F, 0x7F7F00, 0x7F007F, 0x9F9F9F};
    return colors;
}

TColorPalette::TColorPalette(QWidget* parent) : QFrame(parent, Qt::Popup) {
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setSpacing(2);
    for (int i = 0; i < Columns * Rows; ++i) {
        const TColor color = Colors()[i];
        QPixmap chip(18, 18);
        chip.fill(ToQColor(color));
        QPainter(&chip).drawRect(0, 0, 17, 17);
        auto* swatch = new QToolButton(this);
        swatch->setIcon(QIcon(chip));
        swatch->setIconSize(chip.size());
        swatch->setAutoRaise(true);
        grid->addWidget(swatch, i / Columns, i % Columns);
        connect(swatch, &QToolButton::clicked, this, [this, color] {
            hide();
            emit Picked(color);
        });
        FSwatches[i] = swatch;
    }
    FOther = new QPushButton(QStringLiteral("&Other"), this);
    grid->addWidget(FOther, Rows, 0, 1, Columns);
    connect(FOther, &QPushButton::clicked, this, [this] {
        hide();
        emit OtherClicked();
    });
}
