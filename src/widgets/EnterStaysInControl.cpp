#include "widgets/EnterStaysInControl.h"

#include <QKeyEvent>
#include <QWidget>

namespace {

bool isEnter(const QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// A list or an editable box handles Enter and then lets it go on to its parents, where a
// dialog takes it for its default button. This notes the key as it passes the control and
// stops it when it reaches the control's window.
class TEnterStop : public QObject {
public:
    explicit TEnterStop(QWidget* control) : QObject(control), FControl(control) {
        control->installEventFilter(this);
        control->window()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!isEnter(event))
            return false;
        const auto* key = static_cast<const QKeyEvent*>(event);
        if (watched == FControl) {
            FPassed = key;
            FPassedAt = key->timestamp();
            return false;
        }
        const bool passed = key == FPassed && key->timestamp() == FPassedAt;
        FPassed = nullptr;
        return passed;
    }

private:
    QWidget* FControl;
    const QKeyEvent* FPassed = nullptr; // the Enter the control has had, until the window sees it
    quint64 FPassedAt = 0;
};

} // namespace

void KeepEnterIn(QWidget* control) {
    new TEnterStop(control);
}
