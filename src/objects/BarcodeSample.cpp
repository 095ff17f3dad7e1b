#include "objects/BarcodeSample.h"

#include "objects/Barcode.h"

#include <QPainter>

namespace {
constexpr int Side = 180;
constexpr int Inset = 10;
} // namespace

TBarcodeSample::TBarcodeSample(QWidget* parent)
    : QWidget(parent), FPreview(std::make_unique<TGBarcode>()) {
    setObjectName(QStringLiteral("BarcodeSample"));
    setFixedSize(Side, Side);
    FitPreview();
}

TBarcodeSample::~TBarcodeSample() = default;

void TBarcodeSample::FitPreview() {
    const int inner = Side - 2 * Inset;
    const int height = IsLinearSymbology(FPreview->Symbology()) ? inner / 2 : inner;
    FPreview->SetBounds(Inset, (Side - height) / 2, inner, height);
    update();
}

void TBarcodeSample::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(Qt::gray);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.translate(FPreview->Left(), FPreview->Top());
    p.setClipRect(0, 0, FPreview->Width(), FPreview->Height());
    FPreview->Paint(p);
}
