#pragma once

#include <QWidget>

#include <memory>

class TGBaseLabel;

// A white panel showing a text object of its own, for dialogs that preview text effects.
// The sample fills the panel.
class TLabelSample : public QWidget {
    Q_OBJECT
public:
    explicit TLabelSample(QWidget* parent = nullptr);
    ~TLabelSample() override;

    TGBaseLabel& Sample() const { return *FSample; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    std::unique_ptr<TGBaseLabel> FSample;
};
