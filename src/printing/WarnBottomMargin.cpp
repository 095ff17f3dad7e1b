#include "printing/WarnBottomMargin.h"

#include "help/HelpContexts.h"
#include "widgets/DialogButtonBar.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace {
QString Inches(double v) {
    return QStringLiteral(" %1 inches").arg(v, 0, 'f', 3);
}

QLabel* Text(const QString& text) {
    auto* l = new QLabel(text);
    l->setWordWrap(true);
    return l;
}
} // namespace

TWarnBottomMargin::TWarnBottomMargin(double bottomStrip, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("ALERT"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint);
    auto* box = new QVBoxLayout(this);
    BotMarg = Text(QStringLiteral("Business Cards need to print to within 0.5 inches of the "
                                  "bottom, but the current printer has a bottom margin setting "
                                  "of :") +
                   Inches(bottomStrip));
    Difference = Text(QStringLiteral("This could result in the bottom of the last two business "
                                     "cards being cut off by approximately:") +
                      Inches(bottomStrip - 0.5));
    box->addWidget(BotMarg);
    box->addWidget(Difference);
    box->addWidget(Text(QStringLiteral(
        "If your printer driver supports it, you could change the bottom margin to 0.5 inches. "
        "Otherwise, you should design your cards so that the bottom portion of the cards is not "
        "used.")));
    box->addWidget(Text(QStringLiteral("(Note: some printers, including some of the HP Deskjet "
                                       "series, cannot print beyond a 0.66 inch bottom margin)")));
    DontShowCheck = new QCheckBox(QStringLiteral("Don't show this warning again"));
    DontShowCheck->setWhatsThis(
        QStringLiteral("Check here so that this warning does not appear before later prints."));
    box->addWidget(DontShowCheck);
    auto* buttons = new TDialogButtonBar(*this, HelpContext::BottomMarginWarning);
    buttons->OKButton()->setText(QStringLiteral("Continue"));
    buttons->CancelButton()->setText(QStringLiteral("Cancel Printing"));
    buttons->OKButton()->setWhatsThis(QStringLiteral("Prints anyway."));
    buttons->CancelButton()->setWhatsThis(QStringLiteral("Prints nothing."));
    box->addWidget(buttons);
}

bool BottomMarginWarningNeeded(double bottomStrip, bool position8, bool position9, bool show) {
    return bottomStrip > 0.5 && position8 && position9 && show;
}
