#include "app/Splashform.h"

#include "app/ToolIcons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TSplashform::TSplashform(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Pentavo"));
    setModal(true);

    auto* glyph = new QLabel(this);
    glyph->setPixmap(ToolIcon(TToolIcon::Program).pixmap(48, 48));
    glyph->setAlignment(Qt::AlignTop);

    auto* name = new QLabel(QStringLiteral("<b>Pentavo</b> " PENTAVO_VERSION), this);
    QFont big = name->font();
    big.setPointSize(big.pointSize() + 4);
    name->setFont(big);
    auto* text = new QLabel(QStringLiteral("Designs business cards and prints them on sheets "
                                           "of card stock."),
                            this);
    text->setWordWrap(true);

    FOk = new QPushButton(QStringLiteral("Ok"), this);
    FOk->setDefault(true);
    FOk->setWhatsThis(QStringLiteral("Closes this window."));
    connect(FOk, &QPushButton::clicked, this, &QDialog::accept);

    auto* words = new QVBoxLayout;
    words->addWidget(name);
    words->addWidget(text);
    words->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(glyph);
    top->addLayout(words, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(FOk);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    setFixedWidth(320);
}
