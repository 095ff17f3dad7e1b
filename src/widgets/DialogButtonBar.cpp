#include "widgets/DialogButtonBar.h"

#include "platform/HelpRequest.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QWhatsThis>

TDialogButtonBar::TDialogButtonBar(QDialog& dialog, int helpContext)
    : QWidget(&dialog), FHelpContext(helpContext) {
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
    FOK = button("OKButton", QStringLiteral("Ok"),
                 QStringLiteral("Click to accept and return to the previous screen"));
    FCancel = button("Cancelbutton", QStringLiteral("Cancel"),
                     QStringLiteral("Click to cancel and return to the previous screen"));
    FHelp = button("Helpbutton", QStringLiteral("Help"),
                   QStringLiteral("Click to bring up Windows Help for the program"));
    FMouseHelp = button("MouseHelpButton", QString(), QString());
    FMouseHelp->setIcon(style()->standardIcon(QStyle::SP_TitleBarContextHelpButton));
    FMouseHelp->setToolTip(QStringLiteral("What's this?"));
    FMouseHelp->setWhatsThis(
        QStringLiteral("Click here, then on any control, to learn what it does."));
    FHelp->setShortcut(QKeySequence(Qt::Key_F1));
    FOK->setDefault(true);
    connect(FOK, &QPushButton::clicked, &dialog, &QDialog::accept);
    connect(FCancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    connect(FHelp, &QPushButton::clicked, this, [this] { RequestHelp(FHelpContext); });
    connect(FMouseHelp, &QPushButton::clicked, this, [] { QWhatsThis::enterWhatsThisMode(); });
}

void TDialogButtonBar::SetOkAction(std::function<void()> action) {
    FOK->disconnect();
    connect(FOK, &QPushButton::clicked, this, std::move(action));
}

QPushButton* TDialogButtonBar::AddButton(const QString& text) {
    auto* b = new QPushButton(text, this);
    b->setAutoDefault(false);
    auto* row = static_cast<QHBoxLayout*>(layout());
    row->insertWidget(row->indexOf(FHelp), b);
    return b;
}
