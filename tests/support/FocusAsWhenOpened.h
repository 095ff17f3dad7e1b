#pragma once

#include <QApplication>
#include <QFocusEvent>
#include <QWidget>

// Gives the widget the focus as a window's first focus does when the window opens (an item
// view then moves its current row to the first item).
inline void FocusAsWhenOpened(QWidget& widget) {
    QFocusEvent focus(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(&widget, &focus);
}
