#pragma once

#include <QWidget>

#include <memory>

class TGBarcode;

// The properties dialog's live preview: a white frame with the dialog's own barcode in it,
// painted as the card panel paints it. A 2-D code gets a square box, a linear one a wide box.
class TBarcodeSample : public QWidget {
    Q_OBJECT
public:
    explicit TBarcodeSample(QWidget* parent = nullptr);
    ~TBarcodeSample() override;
    TGBarcode& Preview() const { return *FPreview; }
    // Fits the preview's box to its symbology; call after the symbology changed.
    void FitPreview();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<TGBarcode> FPreview;
};
