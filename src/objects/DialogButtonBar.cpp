#include "objects/DialogButtonBar.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>
#include <QWhatsThis>

TDialogButtonBar::TDialogButtonBar(QDialog& dialog, int helpContext)
    : QWidget(&dialog), FHelpContext(helpContext) {
    setFixedHeight(49);
    auto* layout = new QHBoxLayout(this);
    auto* whatsThis = new QToolButton(this);
    whatsThis->setObjectName(QStringLiteral("MouseHelpButton"));
    whatsThis->setText(QStringLiteral("?"));
    whatsThis->setToolTip(QStringLiteral("What's this?"));
    connect(whatsThis, &QToolButton::clicked, this, [] { QWhatsThis::enterWhatsThisMode(); });
    FOK = new QPushButton(QStringLiteral("Ok"), this);
    FOK->setObjectName(QStringLiteral("OKButton"));
    FOK->setDefault(true);
    FCancel = new QPushButton(QStringLiteral("Cancel"), this);
    FCancel->setObjectName(QStringLiteral("Cancelbutton"));
    FHelp = new QPushButton(QStringLiteral("Help"), this);
    FHelp->setObjectName(QStringLiteral("Helpbutton"));
    FHelp->setProperty("HelpContext", helpContext);
    connect(FOK, &QPushButton::clicked, &dialog, &QDialog::accept);
    connect(FCancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    layout->addWidget(whatsThis);
    layout->addStretch();
    layout->addWidget(FOK);
    layout->addWidget(FCancel);
    layout->addWidget(FHelp);
}
