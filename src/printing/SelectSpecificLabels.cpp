#include "printing/SelectSpecificLabels.h"

#include "help/HelpContexts.h"
#include "platform/GraphicsValues.h"
#include "platform/Interaction.h"
#include "report/ReportPrinter.h"
#include "widgets/DialogButtonBar.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

// The miniature sheet: white paper, red selected and white free card positions.
class TSheetDrawing : public QWidget {
public:
    explicit TSheetDrawing(TSelectSpecificLabels& dialog) : FDialog(dialog) {
        setFixedSize(204, 237);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(Qt::black);
        p.setBrush(Qt::white);
        // Outlines lie inside the rectangles, whose right and bottom edges are outside.
        p.drawRect(TSelectSpecificLabels::SheetRect(FDialog.FLayout, ScreenPixelsPerInch)
                       .adjusted(0, 0, -1, -1));
        const auto& rects = FDialog.FRects;
        for (int i = 0; i < int(rects.size()); ++i) {
            p.setBrush(FDialog.FSelection[i] ? QColor(255, 0, 0) : QColor(Qt::white));
            p.drawRect(rects[i].adjusted(0, 0, -1, -1));
        }
    }
    void mousePressEvent(QMouseEvent* e) override { FDialog.PaintBoxClick(e->pos()); }

private:
    TSelectSpecificLabels& FDialog;
};

TSelectSpecificLabels::TSelectSpecificLabels(const TCardLayout& layout,
                                             const TCardSelection& selection,
                                             TReportPrinter& printer, QWidget* parent)
    : QDialog(parent), FLayout(layout), FSelection(selection), FPrinter(printer) {
    setWindowTitle(QStringLiteral("Print Cards"));
    FSelection.FitTo(FLayout);
    FRects = DetermineRectangles(FLayout, ScreenPixelsPerInch);

    auto* top = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    top->addLayout(row);

    auto* cards = new QGroupBox(QStringLiteral(" Select Cards To Print"));
    auto* cardsBox = new QVBoxLayout(cards);
    PaintBox1 = new TSheetDrawing(*this);
    PaintBox1->setWhatsThis(QStringLiteral("The sheet with its card positions. Click a position "
                                           "to print on it or to leave it out."));
    cardsBox->addWidget(PaintBox1);
    auto* allNone = new QHBoxLayout;
    auto* all = new QPushButton(QStringLiteral("&All"));
    auto* none = new QPushButton(QStringLiteral("&None"));
    allNone->addWidget(all);
    allNone->addWidget(none);
    cardsBox->addLayout(allNone);
    row->addWidget(cards);

    auto* right = new QVBoxLayout;
    auto* printerBox = new QGroupBox(QStringLiteral("Printer"));
    auto* printerLayout = new QVBoxLayout(printerBox);
    PrinterLabel = new QLabel(FPrinter.PrinterName());
    PrinterLabel->setWordWrap(true);
    auto* setup = new QPushButton(QStringLiteral("Print &Setup"));
    printerLayout->addWidget(PrinterLabel);
    printerLayout->addWidget(setup);
    right->addWidget(printerBox);
    auto* pagesBox = new QGroupBox(QStringLiteral("Pages"));
    auto* pagesLayout = new QHBoxLayout(pagesBox);
    pages = new QSpinBox;
    pages->setRange(1, 99);
    pages->setValue(1);
    auto* pagesLabel = new QLabel(QStringLiteral("Number of &pages:"));
    pagesLabel->setBuddy(pages);
    pagesLayout->addWidget(pagesLabel);
    pagesLayout->addWidget(pages);
    right->addWidget(pagesBox);
    right->addWidget(BuildSidesBox());
    row->addLayout(right);

    auto* buttons = new TDialogButtonBar(*this, HelpContext::ChooseCards);
    buttons->SetOkAction([this] { OkButtonClick(); });
    top->addWidget(buttons);

    all->setWhatsThis(QStringLiteral("Prints on every card position of the sheet."));
    none->setWhatsThis(QStringLiteral("Clears every card position; then click the ones to print."));
    setup->setWhatsThis(QStringLiteral("Chooses the printer and its paper."));
    pages->setWhatsThis(QStringLiteral("How many sheets to print (1 to 99)."));
    connect(all, &QPushButton::clicked, this, &TSelectSpecificLabels::AllButtonClick);
    connect(none, &QPushButton::clicked, this, &TSelectSpecificLabels::NoneButtonClick);
    connect(setup, &QPushButton::clicked, this, &TSelectSpecificLabels::PrintSetupClick);
}

QWidget* TSelectSpecificLabels::BuildSidesBox() {
    auto* box = new QGroupBox(QStringLiteral("Sides"));
    auto* layout = new QVBoxLayout(box);
    auto* radios = new QHBoxLayout;
    FrontButton = new QRadioButton(SidesCaption(TPrintSides::Front));
    BackButton = new QRadioButton(SidesCaption(TPrintSides::Back));
    BothButton = new QRadioButton(SidesCaption(TPrintSides::Both));
    auto* group = new QButtonGroup(box);
    FlipBox = new QComboBox;
    FlipBox->addItems({QStringLiteral("Flip on long edge"), QStringLiteral("Flip on short edge")});
    ManualDuplexCheck = new QCheckBox(QStringLiteral("Manual &duplex"));
    FrontButton->setChecked(true);
    for (QRadioButton* b : {FrontButton, BackButton, BothButton}) {
        group->addButton(b);
        radios->addWidget(b);
        connect(b, &QRadioButton::toggled, this, &TSelectSpecificLabels::EnableSideChoices);
    }
    layout->addLayout(radios);
    layout->addWidget(FlipBox);
    layout->addWidget(ManualDuplexCheck);

    FrontButton->setWhatsThis(QStringLiteral("Prints the fronts of the cards."));
    BackButton->setWhatsThis(QStringLiteral(
        "Prints the backs of the cards alone, each where it lands behind its front: for "
        "sheets whose fronts are printed already."));
    BothButton->setWhatsThis(QStringLiteral(
        "Prints each sheet's fronts and then its backs, every back behind its own front."));
    FlipBox->setWhatsThis(QStringLiteral(
        "How the sheet turns over for its back. On the long edge the backs' columns are "
        "mirrored, on the short edge their rows. Most duplex printers flip on the long edge."));
    ManualDuplexCheck->setWhatsThis(QStringLiteral(
        "For a printer that prints one side: all fronts are printed first; you then turn the "
        "stack over and put it back, and the backs follow in the right order."));
    EnableSideChoices();
    return box;
}

void TSelectSpecificLabels::EnableSideChoices() {
    FlipBox->setEnabled(!FrontButton->isChecked());
    ManualDuplexCheck->setEnabled(BothButton->isChecked());
}

void TSelectSpecificLabels::SetSides(const TSidesChoice& sides) {
    (sides.Sides == TPrintSides::Back   ? BackButton
     : sides.Sides == TPrintSides::Both ? BothButton
                                        : FrontButton)
        ->setChecked(true);
    FlipBox->setCurrentIndex(sides.Flip == TFlipEdge::Short ? 1 : 0);
    ManualDuplexCheck->setChecked(sides.ManualDuplex);
}

TSidesChoice TSelectSpecificLabels::Sides() const {
    TSidesChoice c;
    c.Sides = BackButton->isChecked()   ? TPrintSides::Back
              : BothButton->isChecked() ? TPrintSides::Both
                                        : TPrintSides::Front;
    c.Flip = FlipBox->currentIndex() == 1 ? TFlipEdge::Short : TFlipEdge::Long;
    c.ManualDuplex = ManualDuplexCheck->isChecked();
    return c;
}

std::vector<QRect> TSelectSpecificLabels::DetermineRectangles(const TCardLayout& l, double ppi) {
    // A fifth of the natural size; every product is cut to whole pixels on its own.
    const double s = 0.2 * ppi;
    std::vector<QRect> rects;
    for (int r = 0; r < l.Down; ++r)
        for (int c = 0; c < l.Across; ++c) {
            const int left = int(l.LeftMargin * s) + c * int(l.HPitch * s) + 10;
            const int top = int(l.TopMargin * s) + r * int(l.VPitch * s) + 10;
            rects.emplace_back(left, top, int(l.Width * s), int(l.Height * s));
        }
    return rects;
}

QRect TSelectSpecificLabels::SheetRect(const TCardLayout& l, double ppi) {
    const double s = 0.2 * ppi;
    const QSizeF sheet = l.SheetInches();
    return QRect(10, 10, int(sheet.width() * s), int(sheet.height() * s));
}

void TSelectSpecificLabels::PaintBoxClick(const QPoint& p) {
    for (int i = 0; i < int(FRects.size()); ++i) {
        if (FRects[i].contains(p)) {
            FSelection.Set(i, !FSelection[i]);
            PaintBox1->update();
            return;
        }
    }
}

void TSelectSpecificLabels::SetAll(bool selected) {
    for (int i = 0; i < FLayout.PositionCount(); ++i)
        FSelection.Set(i, selected);
    PaintBox1->update();
}

void TSelectSpecificLabels::AllButtonClick() {
    SetAll(true);
}

void TSelectSpecificLabels::NoneButtonClick() {
    SetAll(false);
}

void TSelectSpecificLabels::OkButtonClick() {
    FPrinter.SetPortrait();
    FPrinter.SetCopies(pages->value());
    if (!FSelection.AnySelected(FLayout.PositionCount())) {
        TInteraction::Current().Information(
            this, QStringLiteral("You must select at least one card to print"));
        return;
    }
    accept();
}

void TSelectSpecificLabels::PrintSetupClick() {
    FPrinter.ShowPrinterSetup(this);
    PrinterLabel->setText(FPrinter.PrinterName());
}
