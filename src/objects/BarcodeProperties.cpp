#include "objects/BarcodeProperties.h"

#include "help/HelpContexts.h"
#include "objects/Barcode.h"
#include "objects/BarcodeSample.h"
#include "widgets/ColorDropDown.h"
#include "widgets/DialogButtonBar.h"
#include "widgets/DialogFrame.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

template <class W> W* named(W* widget, const char* name, const char* whatsThis) {
    widget->setObjectName(QLatin1String(name));
    widget->setWhatsThis(QString::fromLatin1(whatsThis));
    return widget;
}

} // namespace

TBarcodeProperties::TBarcodeProperties(QWidget* mainWindow, const TContact& personalInformation)
    : QDialog(mainWindow), FPersonalInformation(personalInformation) {
    setWindowTitle(QStringLiteral("Barcode Properties"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFont(DialogFont());

    FSample = new TBarcodeSample(this);
    FSample->setWhatsThis(QStringLiteral("The code as it will look on the card."));
    StatusLabel = named(new QLabel(this), "StatusLabel",
                        "What the code holds, or why the content gives no code.");
    StatusLabel->setWordWrap(true);
    StatusLabel->setFixedWidth(FSample->width() + 40);
    auto* right = new QVBoxLayout;
    right->addWidget(FSample, 0, Qt::AlignHCenter);
    right->addWidget(StatusLabel);
    right->addWidget(BuildCodeGroup());
    right->addStretch();
    auto* body = new QHBoxLayout;
    body->setContentsMargins(8, 8, 8, 0);
    body->addWidget(BuildContentGroup(), 1);
    body->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(body);
    layout->addWidget(new TDialogButtonBar(*this, HelpContext::BarcodeProperties));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Connect();
    FormActivate();
    adjustSize();
    CenterOverMainWindow(*this, mainWindow);
}

TBarcodeProperties::~TBarcodeProperties() = default;

TGBarcode& TBarcodeProperties::Preview() const {
    return FSample->Preview();
}

QWidget* TBarcodeProperties::BuildContentGroup() {
    auto* group = new QGroupBox(QStringLiteral("Content"), this);
    auto* column = new QVBoxLayout(group);
    KindCombo = named(new QComboBox(group), "KindCombo",
                      "What the code carries: any text, a web address, a phone number to "
                      "call, or a contact card a phone can save.");
    KindCombo->addItems({"Text", "Web address", "Phone number", "Contact"});
    column->addWidget(KindCombo);

    KindPages = new QStackedWidget(group);
    TextEdit = named(new QPlainTextEdit(KindPages), "TextEdit",
                     "The text the code holds. ${Column} fields take each card's value from "
                     "the merge list.");
    WebEdit = named(new QLineEdit(KindPages), "WebEdit",
                    "The web address; https:// is added when it names no scheme.");
    PhoneEdit = named(new QLineEdit(KindPages), "PhoneEdit",
                      "The phone number, best with its country code (+44 ...); spaces and "
                      "dashes are left out of the code.");
    auto pageWith = [this](const QString& label, QWidget* edit) {
        auto* page = new QWidget(KindPages);
        auto* rows = new QVBoxLayout(page);
        rows->setContentsMargins(0, 0, 0, 0);
        rows->addWidget(new QLabel(label, page));
        rows->addWidget(edit);
        rows->addStretch();
        return page;
    };
    KindPages->addWidget(pageWith(QStringLiteral("Text"), TextEdit));
    KindPages->addWidget(pageWith(QStringLiteral("Web address"), WebEdit));
    KindPages->addWidget(pageWith(QStringLiteral("Phone number"), PhoneEdit));
    KindPages->addWidget(BuildContactPage());
    column->addWidget(KindPages);
    return group;
}

QWidget* TBarcodeProperties::BuildContactPage() {
    auto* page = new QWidget(KindPages);
    auto* rows = new QFormLayout(page);
    rows->setContentsMargins(0, 0, 0, 0);
    for (int f = 0; f < ContactFieldCount; ++f) {
        auto* edit = new QLineEdit(page);
        edit->setObjectName(QStringLiteral("Contact") + ContactFieldColumn(f));
        edit->setWhatsThis(QStringLiteral("The contact's %1; empty fields are left out.")
                               .arg(ContactFieldLabel(f).toLower()));
        edit->setMinimumWidth(220);
        ContactEdits[f] = edit;
        rows->addRow(ContactFieldLabel(f), edit);
    }
    PersonalButton =
        named(new QPushButton(QStringLiteral("From Personal Information"), page), "PersonalButton",
              "Fills the fields with your details from Edit > Personal "
              "Information.");
    MergeFieldsButton =
        named(new QPushButton(QStringLiteral("Merge Fields"), page), "MergeFieldsButton",
              "Fills each field with its ${Column} field, so that every printed "
              "card carries its own person's contact from the merge list.");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(PersonalButton);
    buttons->addWidget(MergeFieldsButton);
    rows->addRow(buttons);
    return page;
}

QWidget* TBarcodeProperties::BuildCodeGroup() {
    auto* group = new QGroupBox(QStringLiteral("Code"), this);
    auto* rows = new QFormLayout(group);
    SymbologyCombo = named(new QComboBox(group), "SymbologyCombo",
                           "The kind of code. QR Code and Data Matrix hold any text; Code 128 "
                           "plain letters and digits; EAN-13 a product number of 12 or 13 "
                           "digits.");
    for (TBarcodeSymbology s : {syQRCode, syDataMatrix, syCode128, syEAN13})
        SymbologyCombo->addItem(SymbologyName(s));
    ErrorCorrectionCombo = named(new QComboBox(group), "ErrorCorrectionCombo",
                                 "How much of a QR code may be damaged or covered and still "
                                 "read. Higher levels make the code denser.");
    ErrorCorrectionCombo->addItems({"L (7 %)", "M (15 %)", "Q (25 %)", "H (30 %)"});
    QuietZoneSpin = named(new QSpinBox(group), "QuietZoneSpin",
                          "The light margin around the code, in modules. Readers need it: 4 "
                          "for QR codes, 10 for barcodes.");
    QuietZoneSpin->setRange(0, TGBarcode::MaxQuietZone);
    ForeColorCombo = named(new TColorDropDown(group), "ForeColorCombo",
                           "The colour of the dark modules; keep it dark for readers.");
    BackColorCombo = named(new TColorDropDown(group), "BackColorCombo",
                           "The colour behind the code and its quiet zone.");
    TransparentCheck =
        named(new QCheckBox(QStringLiteral("Transparent"), group), "TransparentCheck",
              "Leaves the card showing behind the code instead of the "
              "background colour.");
    rows->addRow(QStringLiteral("Symbology"), SymbologyCombo);
    rows->addRow(QStringLiteral("Error correction"), ErrorCorrectionCombo);
    rows->addRow(QStringLiteral("Quiet zone"), QuietZoneSpin);
    rows->addRow(QStringLiteral("Color"), ForeColorCombo);
    rows->addRow(QStringLiteral("Background"), BackColorCombo);
    rows->addRow(QString(), TransparentCheck);
    return group;
}

void TBarcodeProperties::Connect() {
    TGBarcode& p = Preview();
    connect(KindCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        KindPages->setCurrentIndex(index);
        // A contact started from nothing takes the user's own details.
        if (!FFilling && index == ckContact &&
            std::all_of(ContactEdits.begin(), ContactEdits.end(),
                        [](const QLineEdit* e) { return e->text().isEmpty(); }))
            FillFromPersonalInformation();
        ContentChanged();
    });
    connect(TextEdit, &QPlainTextEdit::textChanged, this, [this] { ContentChanged(); });
    connect(WebEdit, &QLineEdit::textChanged, this, [this] { ContentChanged(); });
    connect(PhoneEdit, &QLineEdit::textChanged, this, [this] { ContentChanged(); });
    for (QLineEdit* edit : ContactEdits)
        connect(edit, &QLineEdit::textChanged, this, [this] { ContentChanged(); });
    connect(PersonalButton, &QPushButton::clicked, this, [this] { FillFromPersonalInformation(); });
    connect(MergeFieldsButton, &QPushButton::clicked, this, [this] { FillWithMergeFields(); });
    connect(SymbologyCombo, &QComboBox::currentIndexChanged, this,
            [this](int index) { SymbologyChanged(index); });
    connect(ErrorCorrectionCombo, &QComboBox::currentIndexChanged, this, [this, &p](int index) {
        p.SetErrorCorrection(TErrorCorrection(index));
        Changed();
    });
    connect(QuietZoneSpin, &QSpinBox::valueChanged, this, [this, &p](int v) {
        p.SetQuietZone(v);
        Changed();
    });
    connect(ForeColorCombo, &TColorDropDown::ColorChanged, this, [this, &p](TColor c) {
        p.SetForeColor(c);
        Changed();
    });
    connect(BackColorCombo, &TColorDropDown::ColorChanged, this, [this, &p](TColor c) {
        p.SetBackColor(c);
        p.SetTransparent(false);
        TransparentCheck->setChecked(false);
        Changed();
    });
    connect(TransparentCheck, &QCheckBox::toggled, this, [this, &p](bool on) {
        p.SetTransparent(on);
        Changed();
    });
}

void TBarcodeProperties::FormActivate() {
    const TGBarcode& p = Preview();
    FFilling = true;
    const QString content = p.Content();
    TextEdit->setPlainText(p.ContentKind() == ckText ? content : QString());
    WebEdit->setText(p.ContentKind() == ckWebAddress ? content : QString());
    PhoneEdit->setText(p.ContentKind() == ckPhone ? TypedPhone(content) : QString());
    const TContact contact = p.ContentKind() == ckContact ? ParseVCard(content) : TContact{};
    for (int f = 0; f < ContactFieldCount; ++f)
        ContactEdits[f]->setText(contact[f]);
    KindCombo->setCurrentIndex(p.ContentKind());
    KindPages->setCurrentIndex(p.ContentKind());
    SymbologyCombo->setCurrentIndex(p.Symbology());
    ErrorCorrectionCombo->setCurrentIndex(p.ErrorCorrection());
    QuietZoneSpin->setValue(p.QuietZone());
    ForeColorCombo->SetColor(p.ForeColor());
    BackColorCombo->SetColor(p.BackColor());
    TransparentCheck->setChecked(p.Transparent());
    FFilling = false;
    Changed();
}

void TBarcodeProperties::FillFromPersonalInformation() {
    for (int f = 0; f < ContactFieldCount; ++f)
        ContactEdits[f]->setText(FPersonalInformation[f]);
}

void TBarcodeProperties::FillWithMergeFields() {
    const TContact fields = MergeFieldContact();
    for (int f = 0; f < ContactFieldCount; ++f)
        ContactEdits[f]->setText(fields[f]);
}

void TBarcodeProperties::ContentChanged() {
    // While the controls are set from the preview, the preview's content stays as stored:
    // a contact read from a file is rebuilt only when the user edits it.
    if (FFilling)
        return;
    TGBarcode& p = Preview();
    const auto kind = TBarcodeContentKind(KindCombo->currentIndex());
    p.SetContentKind(kind);
    switch (kind) {
    case ckText:
        p.SetContent(TextEdit->toPlainText());
        break;
    case ckWebAddress:
        p.SetContent(WebAddressContent(WebEdit->text()));
        break;
    case ckPhone:
        p.SetContent(PhoneContent(PhoneEdit->text()));
        break;
    case ckContact: {
        TContact contact;
        for (int f = 0; f < ContactFieldCount; ++f)
            contact[f] = ContactEdits[f]->text();
        p.SetContent(BuildVCard(contact));
        break;
    }
    }
    Changed();
}

void TBarcodeProperties::SymbologyChanged(int index) {
    TGBarcode& p = Preview();
    if (!FFilling && index >= 0) {
        // A quiet zone left at the old kind's standard follows the new kind's.
        if (p.QuietZone() == StandardQuietZone(p.Symbology()))
            QuietZoneSpin->setValue(StandardQuietZone(TBarcodeSymbology(index)));
        p.SetSymbology(TBarcodeSymbology(index));
    }
    Changed();
}

QString TBarcodeProperties::StatusText() const {
    const TGBarcode& p = Preview();
    const TBarcodeSymbol& symbol = p.Symbol();
    if (!symbol.IsValid())
        return symbol.Error;
    QString text = symbol.IsLinear() ? QStringLiteral("%1: %2 modules wide.")
                                           .arg(SymbologyName(p.Symbology()))
                                           .arg(symbol.Columns)
                                     : QStringLiteral("%1: %2 \u00d7 %3 modules.")
                                           .arg(SymbologyName(p.Symbology()))
                                           .arg(symbol.Columns)
                                           .arg(symbol.Rows);
    if (HasMergeFields(p.Content()))
        text += QStringLiteral(" The ${Column} fields are filled in for each card from the "
                               "merge list.");
    return text;
}

void TBarcodeProperties::Changed() {
    const TGBarcode& p = Preview();
    ErrorCorrectionCombo->setEnabled(p.Symbology() == syQRCode);
    StatusLabel->setText(StatusText());
    StatusLabel->setStyleSheet(p.Symbol().IsValid() ? QString() : QStringLiteral("color: #c02020"));
    FSample->FitPreview();
}
