#include "app/MainScreen.h"
#include "app/ObjectKinds.h"
#include "platform/SingleInstance.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);

    // One copy per user: a second start brings the first one's window up and ends.
    TJustOne guard;
    if (guard.AnotherRunning())
        return 0;

    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::setApplicationName(QStringLiteral("Pentavo"));
    RegisterObjectKinds();
    TMainScreen window;
    QObject::connect(&guard, &TJustOne::ActivationRequested, &window, &TMainScreen::BringToFront);
    QApplication::restoreOverrideCursor();

    window.show();
    return app.exec();
}
