#pragma once

#include <QtGlobal>

#include <functional>

// Milliseconds from a monotonic clock, for the drag and paste timing. Never 0, so callers can
// keep 0 for "no time stored". Tests install their own source so nothing waits on real time.
class TTickClock {
public:
    static qint64 Now();
    // An empty source restores the real clock.
    static void Install(std::function<qint64()> source);
};
