#pragma once

#include <QApplication>

// Makes the application a fuzz target runs in, once: offscreen, with Qt's own messages
// silenced. True the first time, when the target finishes its own set-up.
inline bool StartFuzzApplication(const char* name) {
    static bool started = false;
    if (started)
        return false;
    started = true;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static int argc = 1;
    static char* argv[] = {const_cast<char*>(name), nullptr};
    new QApplication(argc, argv);
    return true;
}
