#include "effects/LetteringSample.h"

#include "effects/DiduzOvoz.h"

#include <QPainter>

TLetteringSample::TLetteringSample(QWidget* parent)
    : QFrame(parent), FSample(std::make_unique<TGDiduzOvoz>()) {
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    FSample->SetBounds(10, 10, 100, 100);
}

TLetteringSample::~TLetteringSample() = default;

void TLetteringSample::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter p(this);
    p.translate(FSample->Left(), FSample->Top());
    p.setClipRect(0, 0, FSample->Width(), FSample->Height());
    FSample->Paint(p);
}
