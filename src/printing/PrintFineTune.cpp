#include "printing/PrintFineTune.h"

#include "help/HelpContexts.h"
#include "widgets/DialogButtonBar.h"

#include <QBoxLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

QString NudgeCaption(int value) {
    if (value > 0)
        return QStringLiteral("Increase by %1/32\"").arg(value);
    if (value < 0)
        return QStringLiteral("Decrease by %1/32\"").arg(-value);
    return QStringLiteral("None");
}

TPrintFineTune::TPrintFineTune(const TPrinterNudges& nudges, QWidget* parent)
    : QDialog(parent), FNudges(nudges), FValues{nudges.TopMarginNudge,  nudges.LeftMarginNudge,
                                                nudges.VerticalSpacing, nudges.HorizontalSpacing,
                                                nudges.BackLeftNudge,   nudges.BackTopNudge} {
    setWindowTitle(QStringLiteral("Printer Fine-Tuning"));
    auto* top = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    top->addLayout(grid);
    struct TPanel {
        TNudge Nudge;
        const char* Heading;
        const char* Text;
    };
    const TPanel panels[] = {
        {TopMargin, "Top Margin nudge",
         "Increase or decrease to adjust where vertical printing starts. "},
        {VerticalSpacing, "Vertical Spacing",
         "Increase or decrease to adjust vertical spacing between cards.( You may need to adjust "
         "this if printing \"creeps\" between the top and bottom cards.)"},
        {LeftMargin, "Left Margin nudge",
         "Increase or decrease to adjust where horizontal printing starts. "},
        {HorizontalSpacing, "Horizontal Spacing",
         "Increase or decrease to adjust horizontal spacing between cards "},
        {BackTop, "Back Top nudge",
         "Moves the backs of two-sided cards down (increase) or up on the back of the sheet. "
         "File > Print Alignment Sheet shows how far."},
        {BackLeft, "Back Left nudge",
         "Moves the backs of two-sided cards right (increase) or left on the back of the "
         "sheet. File > Print Alignment Sheet shows how far."},
    };
    int i = 0;
    for (const TPanel& p : panels) {
        auto* frame = new QGroupBox(QString::fromLatin1(p.Heading));
        auto* box = new QGridLayout(frame);
        auto* caption = new QLabel;
        auto* up = new QToolButton;
        up->setArrowType(Qt::UpArrow);
        auto* down = new QToolButton;
        down->setArrowType(Qt::DownArrow);
        const QString help = QString::fromLatin1(p.Text).trimmed() +
                             QStringLiteral(" Each click moves it by 1/32 inch.");
        up->setWhatsThis(help);
        down->setWhatsThis(help);
        auto* text = new QLabel(QString::fromLatin1(p.Text));
        text->setWordWrap(true);
        box->addWidget(caption, 0, 0, 2, 1);
        box->addWidget(up, 0, 1);
        box->addWidget(down, 1, 1);
        box->addWidget(text, 2, 0, 1, 2);
        grid->addWidget(frame, i / 2, i % 2);
        const TNudge n = p.Nudge;
        FLabels[n] = caption;
        connect(up, &QToolButton::clicked, this, [this, n] { StepUp(n); });
        connect(down, &QToolButton::clicked, this, [this, n] { StepDown(n); });
        ++i;
    }
    lTopMarginNudge = FLabels[TopMargin];
    LLeftMarginNudge = FLabels[LeftMargin];
    LVerticalSpacing = FLabels[VerticalSpacing];
    LHorizontalSpacing = FLabels[HorizontalSpacing];
    LBackLeftNudge = FLabels[BackLeft];
    LBackTopNudge = FLabels[BackTop];

    auto* buttons = new TDialogButtonBar(*this, HelpContext::FineTuning);
    QPushButton* defaults = buttons->AddButton(QStringLiteral("Default"));
    defaults->setWhatsThis(QStringLiteral("Sets every nudge back to 0."));
    top->addWidget(buttons);
    connect(defaults, &QPushButton::clicked, this, &TPrintFineTune::DefaultButtonClick);
    ShowValues();
}

TPrinterNudges TPrintFineTune::Nudges() const {
    TPrinterNudges n = FNudges;
    n.TopMarginNudge = FValues[TopMargin];
    n.LeftMarginNudge = FValues[LeftMargin];
    n.VerticalSpacing = FValues[VerticalSpacing];
    n.HorizontalSpacing = FValues[HorizontalSpacing];
    n.BackLeftNudge = FValues[BackLeft];
    n.BackTopNudge = FValues[BackTop];
    return n;
}

void TPrintFineTune::StepDown(TNudge n) {
    if (FValues[n] < MaxNudge)
        ++FValues[n];
    ShowValues();
}

void TPrintFineTune::StepUp(TNudge n) {
    if (FValues[n] > -MaxNudge)
        --FValues[n];
    ShowValues();
}

void TPrintFineTune::DefaultButtonClick() {
    FValues.fill(0);
    ShowValues();
}

QString TPrintFineTune::Caption(TNudge n) const {
    return FLabels[n]->text();
}

void TPrintFineTune::ShowValues() {
    for (int n = 0; n < NudgeCount; ++n)
        FLabels[n]->setText(NudgeCaption(FValues[n]));
}
