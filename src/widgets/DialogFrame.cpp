#include "widgets/DialogFrame.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QWhatsThis>

TDialogButtonBar::TDialogButtonBar(QDialog* dialog, std::function<void()> onHelp)
    : QWidget(dialog) {
    setFixedHeight(BarHeight);
    auto* row = new QHBoxLayout(this);
    row->addStretch();
    auto button = [&](const char* name, const QString& text, const QString& help) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        b->setWhatsThis(help);
        row->addWidget(b);
        return b;
    };
    OKButton = button("OKButton", QStringLiteral("Ok"),
                      QStringLiteral("Click to accept and return to the previous screen"));
    Cancelbutton = button("Cancelbutton", QStringLiteral("Cancel"),
                          QStringLiteral("Click to cancel and return to the previous screen"));
    Helpbutton = button("Helpbutton", QStringLiteral("Help"),
                        QStringLiteral("Click to bring up Windows Help for the program"));
    MouseHelpButton = button("MouseHelpButton", QString(), QString());
    MouseHelpButton->setIcon(style()->standardIcon(QStyle::SP_TitleBarContextHelpButton));
    MouseHelpButton->setToolTip(QStringLiteral("What's this?"));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, dialog, &QDialog::accept);
    connect(Cancelbutton, &QPushButton::clicked, dialog, &QDialog::reject);
    connect(Helpbutton, &QPushButton::clicked, this, [onHelp] {
        if (onHelp)
            onHelp();
    });
    connect(MouseHelpButton, &QPushButton::clicked, this, [] { QWhatsThis::enterWhatsThisMode(); });
}

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
