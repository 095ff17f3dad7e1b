#pragma once

#include <QFrame>

#include <memory>

class TGDiduzOvoz;

// The white, single-bordered panel that shows a dialog's preview lettering at the
// object's own bounds.
class TLetteringSample : public QFrame {
    Q_OBJECT
public:
    explicit TLetteringSample(QWidget* parent = nullptr);
    ~TLetteringSample() override;

    TGDiduzOvoz& Sample() const { return *FSample; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<TGDiduzOvoz> FSample;
};
