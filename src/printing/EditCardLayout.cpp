#include "printing/EditCardLayout.h"

#include "help/HelpContexts.h"
#include "platform/Interaction.h"
#include "widgets/DialogButtonBar.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
constexpr double MillimetresPerInch = 25.4;
constexpr double InchesPerMillimetre = 0.03937007874015748;

// A number with at most `decimals` places, trailing zeros dropped down to `minDecimals`.
QString FormatNumber(double v, int decimals, int minDecimals) {
    QString s = QString::number(v, 'f', decimals);
    if (decimals > 0) {
        int keep = s.size();
        const int point = s.indexOf(QLatin1Char('.'));
        while (keep > point + 1 + minDecimals && s[keep - 1] == QLatin1Char('0'))
            --keep;
        if (keep == point + 1)
            --keep;
        s.truncate(keep);
    }
    return s;
}
} // namespace

TEditCardLayout::TEditCardLayout(const TCardLayout& layout, QWidget* parent)
    : QDialog(parent), FLayout(layout) {
    setWindowTitle(QStringLiteral("Business Card Layout"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint);
    auto* top = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    top->addLayout(form);

    PredefinedLayouts = new QComboBox;
    for (const TPredefinedLayout& p : PredefinedCardStocks())
        PredefinedLayouts->addItem(QString::fromLatin1(p.Text));
    PredefinedLayouts->setMaxVisibleItems(13);
    form->addRow(QStringLiteral("Predefined Layouts"), PredefinedLayouts);

    Inchesbutton = new QRadioButton(QStringLiteral("Use &Inches"));
    MMButton = new QRadioButton(QStringLiteral("Use &Millimeters"));
    Inchesbutton->setChecked(true);
    auto* units = new QHBoxLayout;
    units->addWidget(Inchesbutton);
    units->addWidget(MMButton);
    form->addRow(units);

    eCardwidth = NewEdit();
    eCardHeight = NewEdit();
    eHorizPitch = NewEdit();
    eVertPitch = NewEdit();
    eleftmarg = NewEdit();
    etopmarg = NewEdit();
    form->addRow(QStringLiteral("Card Width"), eCardwidth);
    form->addRow(QStringLiteral("Card Height"), eCardHeight);
    form->addRow(QStringLiteral("Horizontal Pitch"), eHorizPitch);
    form->addRow(QStringLiteral("Vertical Pitch"), eVertPitch);
    form->addRow(QStringLiteral("Left Margin"), eleftmarg);
    form->addRow(QStringLiteral("Top Margin"), etopmarg);

    enbracross = new QSpinBox;
    enbracross->setRange(1, MaxAcross);
    enbrdown = new QSpinBox;
    enbrdown->setRange(1, MaxDown);
    form->addRow(QStringLiteral("# across"), enbracross);
    form->addRow(QStringLiteral("# down"), enbrdown);

    epapersize = new QComboBox;
    epapersize->addItems(
        {QStringLiteral("Letter (8.5 x 11\")"), QStringLiteral("A4 (210 x 297mm)"), QString()});
    form->addRow(QStringLiteral("Paper size"), epapersize);

    const std::pair<QWidget*, const char*> helpTexts[] = {
        {PredefinedLayouts, "Pick the card stock you print on; its sizes fill the boxes below."},
        {Inchesbutton, "Shows and takes the sizes below in inches."},
        {MMButton, "Shows and takes the sizes below in millimetres."},
        {eCardwidth, "The width of one card."},
        {eCardHeight, "The height of one card."},
        {eHorizPitch, "From the left edge of one card to the left edge of the next card in "
                      "the row."},
        {eVertPitch, "From the top edge of one row of cards to the top edge of the next row."},
        {eleftmarg, "From the left edge of the sheet to the first card."},
        {etopmarg, "From the top edge of the sheet to the first card."},
        {enbracross, "How many cards there are in a row (1 to 10)."},
        {enbrdown, "How many rows of cards there are on the sheet (1 to 30)."},
        {epapersize, "The paper size of the card stock."},
    };
    for (const auto& [control, text] : helpTexts)
        control->setWhatsThis(QString::fromLatin1(text));

    auto* buttons = new TDialogButtonBar(*this, HelpContext::SheetLayout);
    buttons->SetOkAction([this] { OkButtonClick(); });
    top->addWidget(buttons);

    connect(eCardwidth, &QLineEdit::editingFinished, this,
            [this] { RaisePitch(eCardwidth, eHorizPitch); });
    connect(eCardHeight, &QLineEdit::editingFinished, this,
            [this] { RaisePitch(eCardHeight, eVertPitch); });

    // The stored stock is shown without applying its values, which may have been edited.
    MMButton->setChecked(FLayout.UseMM);
    PredefinedLayouts->setCurrentIndex(FLayout.PredefLayout);
    FillEditsFromValues();
    connect(PredefinedLayouts, &QComboBox::currentIndexChanged, this,
            &TEditCardLayout::PredefinedChange);
    connect(MMButton, &QRadioButton::toggled, this, [this](bool mm) {
        if (mm)
            ToMillimetres();
        else
            ToInches();
    });
}

QLineEdit* TEditCardLayout::NewEdit() {
    // Like a numeric edit, the field holds its value at full precision; the text shows it
    // rounded, and typing sets the value anew.
    auto* e = new QLineEdit;
    e->setMaxLength(8);
    connect(e, &QLineEdit::textEdited, e,
            [e](const QString& text) { e->setProperty("value", text.trimmed().toDouble()); });
    // As a numeric edit with limits does, a value out of range becomes the nearest allowed
    // one when the field is left.
    connect(e, &QLineEdit::editingFinished, this, [this, e] {
        const double unit = MMButton->isChecked() ? MillimetresPerInch : 1.0;
        const double v = Shown(e);
        if (!(v >= 0 && v <= MaxLayoutInches * unit))
            ShowValue(e, ClampLayoutLength(v / unit) * unit);
    });
    return e;
}

void TEditCardLayout::ShowValue(QLineEdit* edit, double value) {
    edit->setProperty("value", value);
    edit->setText(FormatNumber(value, FDecimals, FMinDecimals));
}

double TEditCardLayout::Shown(const QLineEdit* edit) const {
    return edit->property("value").toDouble();
}

void TEditCardLayout::ShowInches() {
    ShowValue(eCardwidth, FLayout.Width);
    ShowValue(eCardHeight, FLayout.Height);
    ShowValue(eHorizPitch, FLayout.HPitch);
    ShowValue(eVertPitch, FLayout.VPitch);
    ShowValue(eleftmarg, FLayout.LeftMargin);
    ShowValue(etopmarg, FLayout.TopMargin);
}

void TEditCardLayout::FillEditsFromValues() {
    ShowInches();
    enbracross->setValue(FLayout.Across);
    enbrdown->setValue(FLayout.Down);
    if (FLayout.Papersize == 1)
        epapersize->setCurrentIndex(0);
    else if (FLayout.Papersize == 9)
        epapersize->setCurrentIndex(1);
    if (MMButton->isChecked())
        ToMillimetres();
}

void TEditCardLayout::ToMillimetres() {
    FLayout.Width = float(Shown(eCardwidth));
    FLayout.Height = float(Shown(eCardHeight));
    FLayout.HPitch = float(Shown(eHorizPitch));
    FLayout.VPitch = float(Shown(eVertPitch));
    FLayout.LeftMargin = float(Shown(eleftmarg));
    FLayout.TopMargin = float(Shown(etopmarg));
    FDecimals = 2;
    ShowValue(eCardwidth, FLayout.Width * MillimetresPerInch);
    ShowValue(eCardHeight, FLayout.Height * MillimetresPerInch);
    ShowValue(eHorizPitch, FLayout.HPitch * MillimetresPerInch);
    ShowValue(eVertPitch, FLayout.VPitch * MillimetresPerInch);
    ShowValue(eleftmarg, FLayout.LeftMargin * MillimetresPerInch);
    ShowValue(etopmarg, FLayout.TopMargin * MillimetresPerInch);
}

void TEditCardLayout::ToInches() {
    FLayout.Width = float(Shown(eCardwidth) * InchesPerMillimetre);
    FLayout.Height = float(Shown(eCardHeight) * InchesPerMillimetre);
    FLayout.HPitch = float(Shown(eHorizPitch) * InchesPerMillimetre);
    FLayout.VPitch = float(Shown(eVertPitch) * InchesPerMillimetre);
    FLayout.LeftMargin = float(Shown(eleftmarg) * InchesPerMillimetre);
    FLayout.TopMargin = float(Shown(etopmarg) * InchesPerMillimetre);
    FDecimals = 3;
    FMinDecimals = 1;
    ShowInches();
}

void TEditCardLayout::PredefinedChange(int index) {
    ApplyPredefinedLayout(FLayout, index);
    FillEditsFromValues();
}

void TEditCardLayout::RaisePitch(QLineEdit* size, QLineEdit* pitch) {
    if (Shown(size) > Shown(pitch)) {
        pitch->setProperty("value", Shown(size));
        pitch->setText(size->text());
    }
}

void TEditCardLayout::OkButtonClick() {
    // The exit rule of the edit being left runs first.
    enbrdown->setFocus();
    if (QWidget* w = QApplication::focusWidget(); w && w != enbrdown)
        w->clearFocus();
    QCoreApplication::processEvents();
    FLayout.Down = enbrdown->value();
    FLayout.Across = enbracross->value();
    FLayout.PredefLayout = PredefinedLayouts->currentIndex();
    auto take = [this](const QLineEdit* e) {
        if (!MMButton->isChecked())
            return float(Shown(e));
        // Millimetres become inches rounded to three places.
        return float(QString::number(Shown(e) * InchesPerMillimetre, 'f', 3).toDouble());
    };
    FLayout.Width = take(eCardwidth);
    FLayout.Height = take(eCardHeight);
    FLayout.HPitch = take(eHorizPitch);
    FLayout.VPitch = take(eVertPitch);
    FLayout.LeftMargin = take(eleftmarg);
    FLayout.TopMargin = take(etopmarg);
    if (epapersize->currentIndex() == 0)
        FLayout.Papersize = 1;
    else if (epapersize->currentIndex() == 1)
        FLayout.Papersize = 9;
    ClampCardLayout(FLayout);
    if (ValidCard())
        accept();
}

bool TEditCardLayout::ValidCard() {
    const QString error = CardLayoutError(FLayout);
    if (error.isEmpty())
        return true;
    TInteraction::Current().Information(this, error);
    return false;
}

TCardLayout TEditCardLayout::Layout() const {
    TCardLayout l = FLayout;
    l.UseMM = MMButton->isChecked();
    return l;
}
