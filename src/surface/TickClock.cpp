#include "surface/TickClock.h"

#include <QElapsedTimer>

namespace {
std::function<qint64()>& source() {
    static std::function<qint64()> s;
    return s;
}
} // namespace

qint64 TTickClock::Now() {
    if (source())
        return source()();
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer.elapsed() + 1;
}

void TTickClock::Install(std::function<qint64()> s) {
    source() = std::move(s);
}
