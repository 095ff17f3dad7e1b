#include "app/CommandLine.h"
#include "app/MainScreen.h"
#include "app/ObjectKinds.h"
#include "help/HelpViewer.h"
#include "help/WhatsThisMenus.h"
#include "platform/SingleInstance.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const QString text = InformationRequested(arguments); !text.isEmpty()) {
        std::fputs(text.toLocal8Bit().constData(), stdout);
        return 0;
    }
    QApplication app(argc, argv);
    // A file manager starts the program with the design file to open.
    const QString design = DesignFileFromArguments(app.arguments(), QDir::currentPath());

    // One copy per user: a second start brings the first one's window up, hands it the
    // design file and ends.
    TJustOne guard(QString(), design);
    if (guard.AnotherRunning())
        return 0;

    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::setApplicationName(QStringLiteral("Pentavo"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.pentavo.Pentavo"));
    InstallHelpViewer();
    TWhatsThisMenus::Install();
    RegisterObjectKinds();
    TMainScreen window;
    QObject::connect(&guard, &TJustOne::ActivationRequested, &window, &TMainScreen::BringToFront);
    QObject::connect(&guard, &TJustOne::OpenRequested, &window, &TMainScreen::OpenDesignFile);
    if (!design.isEmpty())
        window.OpenDesignFile(design);
    QApplication::restoreOverrideCursor();

    window.show();
    return app.exec();
}
