#include "app/MainScreen.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pentavo"));
    TMainScreen window;
    window.show();
    return app.exec();
}
