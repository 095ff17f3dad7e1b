#pragma once

#include <QWidget>

#include <memory>

class TRirizIzadu;

// The dialog's "Sample" panel: a white square frame with a 96 x 96 preview RirizIzadu
// inside it, painted as the card panel would.
class TRirizIzaduSample : public QWidget {
    Q_OBJECT
public:
    explicit TRirizIzaduSample(QWidget* parent = nullptr);
    ~TRirizIzaduSample() override;
    TRirizIzadu& Preview() const { return *FPreview; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<TRirizIzadu> FPreview;
};
