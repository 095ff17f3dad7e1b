#include "effects/DiduzOvozProperties.h"

#include "effects/BrushTextures.h"
#include "effects/DiduzOvoz.h"
#include "effects/LetteringSample.h"
#include "effects/TextureChooser.h"
#include "help/HelpContexts.h"
#include "platform/Interaction.h"
#include "widgets/ColorButton.h"
#include "widgets/DialogButtonBar.h"
#include "widgets/DialogFrame.h"
#include "widgets/StandardDialogs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QComboBox* dropDown(QWidget* parent, const QStringList& items) {
    auto* c = new QComboBox(parent);
    c->addItems(items);
    return c;
}

QSpinBox* spinEdit(QWidget* parent) {
    auto* s = new QSpinBox(parent);
    s->setRange(0, 10);
    return s;
}

} // namespace

TDiduzOvozProperties::TDiduzOvozProperties(QWidget* mainWindow)
    : QDialog(mainWindow), FMainWindow(mainWindow) {
    setWindowTitle(QStringLiteral("DiduzOvoz Properties"));
    // Before the user loads a texture, "Texture" shows one that comes with the program.
    LastUsedImage = DefaultTexture();
    setFont(DialogFont());
    BuildControls();
    ConnectControls();
    Timer1 = new QTimer(this);
    Timer1->setInterval(200);
    connect(Timer1, &QTimer::timeout, this, &TDiduzOvozProperties::TimerTick);
    Timer1->start();
    adjustSize();
    CenterOverMainWindow(*this, mainWindow);
}

TDiduzOvozProperties::~TDiduzOvozProperties() = default;

TGDiduzOvoz& TDiduzOvozProperties::Preview() const {
    return Panel1->Sample();
}

void TDiduzOvozProperties::BuildControls() {
    auto* outer = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    outer->addLayout(grid);
    auto labelled = [this](QGridLayout* g, int row, int column, const QString& caption,
                           QWidget* control, const char* name) {
        control->setObjectName(QLatin1String(name));
        g->addWidget(new QLabel(caption, this), row, column);
        g->addWidget(control, row + 1, column);
    };
    CaptionText = new QLineEdit(this);
    labelled(grid, 0, 0, QStringLiteral("Text"), CaptionText, "CaptionText");
    grid->addWidget(CaptionText, 1, 0, 1, 2);

    SurfaceTypeCombo = new QListWidget(this);
    SurfaceTypeCombo->addItems({"Normal", "Transparent", "Texture", "Gradient Fill"});
    SurfaceTypeCombo->setFixedHeight(4 * SurfaceTypeCombo->sizeHintForRow(0) + 6);
    labelled(grid, 2, 0, QStringLiteral("Surface Type"), SurfaceTypeCombo, "SurfaceTypeCombo");

    // The three option panels share one place; at most one shows.
    auto panel = [this](const char* name) {
        auto* w = new QWidget(this);
        w->setObjectName(QLatin1String(name));
        auto* g = new QGridLayout(w);
        g->setContentsMargins(0, 0, 0, 0);
        return std::pair{w, g};
    };
    auto [fontPanel, fontGrid] = panel("FontcolorPanel");
    FontcolorPanel = fontPanel;
    FontColorButton = new TColorButton(FontcolorPanel);
    labelled(fontGrid, 0, 0, QStringLiteral("Font Color"), FontColorButton, "FontColorButton");
    fontGrid->setRowStretch(2, 1);
    auto [fillPanel, fillGrid] = panel("FillPanel");
    FillPanel = fillPanel;
    FillDirectionCombo = dropDown(FillPanel, {"Up", "Down", "Left", "Right"});
    GradientFromcolorButton = new TColorButton(FillPanel);
    GradientToColorButton = new TColorButton(FillPanel);
    labelled(fillGrid, 0, 0, QStringLiteral("Fill Direction"), FillDirectionCombo,
             "FillDirectionCombo");
    labelled(fillGrid, 2, 0, QStringLiteral("From Color"), GradientFromcolorButton,
             "GradientFromcolorButton");
    labelled(fillGrid, 2, 1, QStringLiteral("To Color"), GradientToColorButton,
             "GradientToColorButton");
    auto [imagePanel, imageGrid] = panel("ImagePanel");
    ImagePanel = imagePanel;
    LoadImageButton = new QPushButton(QStringLiteral("Load Texture"), ImagePanel);
    LoadImageButton->setObjectName(QStringLiteral("LoadImageButton"));
    LoadImageButton->setAutoDefault(false);
    imageGrid->addWidget(LoadImageButton, 0, 0);
    imageGrid->setRowStretch(1, 1);
    for (QWidget* w : {FontcolorPanel, FillPanel, ImagePanel})
        grid->addWidget(w, 2, 1, 2, 1, Qt::AlignTop);

    ShadowColorButton = new TColorButton(this);
    ShadowOrientationCombo =
        dropDown(this, {"None", "Right", "Left", "Down and Right", "Down and Left", "Down"});
    ShadowDepthSpinner = spinEdit(this);
    OutlineColorButton = new TColorButton(this);
    OutlineStyleCombo = dropDown(this, {"Solid Line", "Dash Line", "Dotted Line", "DashDot Line",
                                        "DashDotDot Line", "Clear"});
    OutLineWidthSpinner = spinEdit(this);
    labelled(grid, 4, 0, QStringLiteral("Shadow Color"), ShadowColorButton, "ShadowColorButton");
    labelled(grid, 4, 1, QStringLiteral("Shadow Orientation"), ShadowOrientationCombo,
             "ShadowOrientationCombo");
    labelled(grid, 4, 2, QStringLiteral("Shadow Depth"), ShadowDepthSpinner, "ShadowDepthSpinner");
    labelled(grid, 6, 0, QStringLiteral("Outline Color"), OutlineColorButton, "OutlineColorButton");
    labelled(grid, 6, 1, QStringLiteral("OutLine Style"), OutlineStyleCombo, "OutlineStyleCombo");
    labelled(grid, 6, 2, QStringLiteral("Outline Width"), OutLineWidthSpinner,
             "OutLineWidthSpinner");

    Panel1 = new TLetteringSample(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setMinimumSize(320, 140);
    outer->addWidget(Panel1, 1);
    Buttons = new TDialogButtonBar(*this, HelpContext::DiduzOvozProperties);
    Fontbutton = Buttons->AddButton(QStringLiteral("Font"));
    Fontbutton->setObjectName(QStringLiteral("Fontbutton"));
    outer->addWidget(Buttons);
    Buttons->SetOkAction([this] { OKButtonClick(); });
    const std::pair<QWidget*, const char*> help[] = {
        {CaptionText, "Type the text of the lettering"},
        {SurfaceTypeCombo, "Choose how the letters are filled: with the font colour, not at "
                           "all, with a texture or with a gradient"},
        {FontColorButton, "Choose the colour that fills the letters"},
        {FillDirectionCombo, "Choose the direction in which the gradient runs"},
        {GradientFromcolorButton, "Choose the colour the gradient starts with"},
        {GradientToColorButton, "Choose the colour the gradient runs towards"},
        {LoadImageButton, "Choose a picture to tile through the letters"},
        {ShadowColorButton, "Choose the colour of the shadow"},
        {ShadowOrientationCombo, "Choose where the shadow falls"},
        {ShadowDepthSpinner, "Set how far the shadow falls, in pixels"},
        {OutlineColorButton, "Choose the colour of the outline round the letters"},
        {OutlineStyleCombo, "Choose the line of the outline, or Clear for none"},
        {OutLineWidthSpinner, "Set the width of the outline"},
        {Fontbutton, "Choose the font of the lettering; only outline fonts are offered"},
        {Panel1, "A sample of the lettering with the values chosen"}};
    for (const auto& [control, text] : help)
        control->setWhatsThis(QString::fromLatin1(text));
    CaptionText->setFocus();
}

template <class F> void TDiduzOvozProperties::OnPreview(F change) {
    change(Preview());
    Panel1->update();
}

void TDiduzOvozProperties::ConnectControls() {
    using O = TGDiduzOvoz;
    connect(CaptionText, &QLineEdit::textChanged, this, [this](const QString& text) {
        OnPreview([&](O& p) { p.SetCaption(text); });
        FTextChanged = true;
    });
    connect(SurfaceTypeCombo, &QListWidget::currentRowChanged, this,
            &TDiduzOvozProperties::SurfaceTypeComboClick);
    // The lists act only when the user picks; the spin edits also when activation shows a
    // value they had to pull into their range.
    auto onPick = [this](QComboBox* list, void (O::*set)(int)) {
        connect(list, &QComboBox::currentIndexChanged, this, [this, set](int i) {
            if (!FActivating && i >= 0)
                OnPreview([&](O& p) { (p.*set)(i); });
        });
    };
    onPick(FillDirectionCombo, &O::SetFillDirection);
    onPick(ShadowOrientationCombo, &O::SetShadowOrientation);
    onPick(OutlineStyleCombo, &O::SetOutlineStyle);
    auto onSpin = [this](QSpinBox* spin, void (O::*set)(int)) {
        connect(spin, &QSpinBox::valueChanged, this,
                [this, set](int v) { OnPreview([&](O& p) { (p.*set)(v); }); });
    };
    onSpin(ShadowDepthSpinner, &O::SetShadowDepth);
    onSpin(OutLineWidthSpinner, &O::SetOutlineWidth);
    auto onColor = [this](TColorButton* button, void (O::*set)(TColor)) {
        connect(button, &TColorButton::ColorChanged, this,
                [this, set](TColor c) { OnPreview([&](O& p) { (p.*set)(c); }); });
    };
    onColor(FontColorButton, &O::SetFontColor);
    onColor(GradientFromcolorButton, &O::SetGradientFromColor);
    onColor(GradientToColorButton, &O::SetGradientToColor);
    onColor(ShadowColorButton, &O::SetShadowcolor);
    onColor(OutlineColorButton, &O::SetOutlineColor);
    connect(Fontbutton, &QPushButton::clicked, this, &TDiduzOvozProperties::FontbuttonClick);
    connect(LoadImageButton, &QPushButton::clicked, this,
            &TDiduzOvozProperties::LoadImageButtonClick);
}

void TDiduzOvozProperties::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Activate();
}

void TDiduzOvozProperties::Activate() {
    const TGDiduzOvoz& p = Preview();
    FActivating = true;
    SurfaceTypeCombo->setCurrentRow(p.SurfaceType());
    FillDirectionCombo->setCurrentIndex(p.FillDirection());
    GradientFromcolorButton->SetColor(p.GradientFromColor());
    GradientToColorButton->SetColor(p.GradientToColor());
    FontColorButton->SetColor(p.Font().Color);
    OutlineColorButton->SetColor(p.OutlineColor());
    OutlineStyleCombo->setCurrentIndex(p.OutlineStyle());
    FActivating = false;
    OutLineWidthSpinner->setValue(p.OutlineWidth());
    ShadowColorButton->SetColor(p.Shadowcolor());
    FActivating = true;
    ShadowOrientationCombo->setCurrentIndex(p.ShadowOrientation());
    FActivating = false;
    ShadowDepthSpinner->setValue(p.ShadowDepth());
    ShowPanels();
    if (p.Image().Image().width() > 0)
        LastUsedImage = p.Image();
    CaptionText->setText(p.Caption());
    CaptionText->setFocus();
}

void TDiduzOvozProperties::ShowPanels() {
    const int surface = Preview().SurfaceType();
    FontcolorPanel->setVisible(surface == stBrushTransparent);
    FillPanel->setVisible(surface == stGradientFill);
    ImagePanel->setVisible(surface == stBrushImage);
}

void TDiduzOvozProperties::SurfaceTypeComboClick(int index) {
    if (FActivating || index < 0)
        return;
    OnPreview([&](TGDiduzOvoz& p) {
        p.SetSurfaceType(index);
        if (index == stBrushImage)
            p.SetImage(LastUsedImage);
        p.FitToText();
    });
    ShowPanels();
}

void TDiduzOvozProperties::TimerTick() {
    Timer1->stop();
    if (FTextChanged) {
        OnPreview([](TGDiduzOvoz& p) { p.FitToText(); });
        FTextChanged = false;
    }
    Timer1->start();
}

void TDiduzOvozProperties::FontbuttonClick() {
    const auto f = ChooseFont(Preview().Font(), this, true);
    if (!f)
        return;
    OnPreview([&](TGDiduzOvoz& p) {
        p.ApplyFont(*f);
        p.FitToText();
    });
}

void TDiduzOvozProperties::LoadImageButtonClick() {
    if (const auto image = ChooseTexture(FMainWindow, Preview().Image().Image(), LastTextureFile)) {
        LastUsedImage = TBitmap(*image);
        Preview().SetImage(LastUsedImage);
    }
    OnPreview([](TGDiduzOvoz& p) { p.FitToText(); });
}

void TDiduzOvozProperties::OKButtonClick() {
    if (CaptionText->text().isEmpty()) {
        TInteraction::Current().Information(this, QStringLiteral("Please enter some text"));
        CaptionText->setFocus();
        return;
    }
    accept();
}
