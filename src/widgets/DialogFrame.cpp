#include "widgets/DialogFrame.h"

#include <QScreen>
#include <QWidget>

void CenterOverMainWindow(QWidget& window, const QWidget* mainWindow) {
    const QSize size = window.frameGeometry().size();
    QRect over;
    if (mainWindow && !mainWindow->isMaximized())
        over = mainWindow->frameGeometry();
    else if (const QScreen* screen = window.screen())
        over = screen->geometry();
    else
        return;
    // Integer division truncates toward zero, as the placement rule wants.
    window.move(over.left() + (over.width() - size.width()) / 2,
                over.top() + (over.height() - size.height()) / 2);
}

QFont DialogFont() {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(11);
    return f;
}
