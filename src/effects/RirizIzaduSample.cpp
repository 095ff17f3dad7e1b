#include "effects/RirizIzaduSample.h"

#include "effects/RirizIzadu.h"

#include <QPainter>

TRirizIzaduSample::TRirizIzaduSample(QWidget* parent)
    : QWidget(parent), FPreview(std::make_unique<TRirizIzadu>()) {
    setObjectName(QStringLiteral("shapepanel"));
    setFixedSize(136, 150);
    FPreview->SetBounds(20, 30, 96, 96);
}

TRirizIzaduSample::~TRirizIzaduSample() = default;

void TRirizIzaduSample::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawText(QRect(0, 0, width(), 22), Qt::AlignCenter, QStringLiteral("Sample"));
    // Shape1: the white square behind the preview.
    p.fillRect(QRect(5, 16, 126, 124), Qt::white);
    p.setPen(Qt::gray);
    p.drawRect(QRect(5, 16, 125, 123));
    p.translate(FPreview->Left(), FPreview->Top());
    p.setClipRect(0, 0, FPreview->Width(), FPreview->Height());
    FPreview->Paint(p);
}
