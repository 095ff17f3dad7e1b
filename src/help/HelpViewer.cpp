#include "help/HelpViewer.h"

#include "help/HelpTopics.h"
#include "help/HelpWindow.h"
#include "platform/HelpRequest.h"

#include <QApplication>
#include <QPointer>

namespace {
QPointer<THelpWindow>& window() {
    static QPointer<THelpWindow> w;
    return w;
}
} // namespace

void ShowHelpTopic(int context) {
    if (!window())
        window() = new THelpWindow;
    window()->ShowOver(QApplication::activeModalWidget());
    window()->ShowPage(HelpPageUrl(context));
}

void InstallHelpViewer() {
    SetHelpHandler(ShowHelpTopic);
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] { delete window(); });
}

THelpWindow* HelpViewerWindow() {
    return window();
}
