#include "widgets/SpinButton.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace {
QToolButton* arrowButton(QWidget* parent, Qt::ArrowType arrow) {
    auto* b = new QToolButton(parent);
    b->setArrowType(arrow);
    b->setAutoRepeat(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    return b;
}
} // namespace

TSpinButton::TSpinButton(QWidget* parent) : QWidget(parent) {
    FUp = arrowButton(this, Qt::UpArrow);
    FDown = arrowButton(this, Qt::DownArrow);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(FUp);
    layout->addWidget(FDown);
    connect(FUp, &QToolButton::clicked, this, &TSpinButton::UpClick);
    connect(FDown, &QToolButton::clicked, this, &TSpinButton::DownClick);
}
