#pragma once

#include <QApplication>

// The application a fuzz target needs, made once: offscreen and without messages.
inline void StartFuzzApplication(const char* programName) {
    static bool started = false;
    if (started)
        return;
    started = true;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static int argc = 1;
    static char* argv[] = {const_cast<char*>(programName), nullptr};
    new QApplication(argc, argv);
}
