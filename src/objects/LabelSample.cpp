#include "objects/LabelSample.h"

#include "objects/BaseLabel.h"

#include <QPainter>

TLabelSample::TLabelSample(QWidget* parent)
    : QWidget(parent), FSample(std::make_unique<TGBaseLabel>()) {
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
}

TLabelSample::~TLabelSample() = default;

void TLabelSample::resizeEvent(QResizeEvent*) {
    FSample->SetBounds(0, 0, width(), height());
}

void TLabelSample::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.translate(FSample->Left(), FSample->Top());
    p.setClipRect(0, 0, FSample->Width(), FSample->Height());
    FSample->Paint(p);
}
