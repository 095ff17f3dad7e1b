#include "effects/RirizIzaduProperties.h"

#include "effects/RirizIzadu.h"
#include "effects/RirizIzaduSample.h"
#include "effects/TextureChooser.h"
#include "help/HelpContexts.h"
#include "widgets/ColorDropDown.h"
#include "widgets/DialogButtonBar.h"
#include "widgets/DialogFrame.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QComboBox* comboBox(QWidget* parent, const char* name, const QStringList& items,
                    const QString& whatsThis) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->addItems(items);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    combo->setWhatsThis(whatsThis);
    return combo;
}

QSpinBox* spinEdit(QWidget* parent, const char* name, int min, int max, int step,
                   const QString& whatsThis) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QLatin1String(name));
    spin->setRange(min, max);
    spin->setSingleStep(step);
    spin->setWhatsThis(whatsThis);
    return spin;
}

TColorDropDown* colorDropDown(QWidget* parent, const char* name, const QString& whatsThis) {
    auto* combo = new TColorDropDown(parent);
    combo->setObjectName(QLatin1String(name));
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    combo->setWhatsThis(whatsThis);
    return combo;
}

// An option panel: labelled rows without a frame, shown only for some shapes or surfaces.
QWidget* optionPanel(QWidget* parent, const char* name, QFormLayout*& rows) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(QLatin1String(name));
    rows = new QFormLayout(panel);
    rows->setContentsMargins(0, 0, 0, 0);
    return panel;
}

// A group with its list on top and its option panels all in the one place below it, of
// which only one shows at a time; the group keeps the size of the largest.
QGroupBox* optionGroup(QWidget* parent, const QString& title, QWidget* list,
                       std::initializer_list<QWidget*> panels) {
    auto* group = new QGroupBox(title, parent);
    auto* grid = new QGridLayout(group);
    list->setParent(group);
    grid->addWidget(list, 0, 0);
    for (QWidget* panel : panels) {
        QSizePolicy policy = panel->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        panel->setSizePolicy(policy);
        panel->setParent(group);
        grid->addWidget(panel, 1, 0, Qt::AlignTop);
    }
    grid->setRowStretch(2, 1);
    return group;
}

} // namespace

TRirizIzaduProperties::TRirizIzaduProperties(QWidget* mainWindow) : QDialog(mainWindow) {
    setWindowTitle(QStringLiteral("RirizIzadu Properties"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFont(DialogFont());

    FSample = new TRirizIzaduSample(this);
    auto* left = new QVBoxLayout;
    left->addWidget(FSample);
    left->addStretch();
    auto* groups = new QVBoxLayout;
    groups->addWidget(BuildShapeGroup());
    groups->addWidget(BuildSurfaceGroup());
    auto* more = new QVBoxLayout;
    more->addWidget(BuildShadowGroup());
    more->addWidget(BuildOutlineGroup());
    auto* body = new QHBoxLayout;
    body->setContentsMargins(8, 8, 8, 0);
    body->addLayout(left);
    body->addLayout(groups);
    body->addLayout(more);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(body);
    layout->addWidget(new TDialogButtonBar(*this, HelpContext::RirizIzaduProperties));
    // The dialog keeps the size its contents want, also when option panels come and go.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Connect();
    RefreshPanels();
    adjustSize();
    CenterOverMainWindow(*this, mainWindow);
}

TRirizIzaduProperties::~TRirizIzaduProperties() = default;

TRirizIzadu& TRirizIzaduProperties::Preview() const {
    return FSample->Preview();
}

QWidget* TRirizIzaduProperties::BuildShapeGroup() {
    // The trailing blanks of "Ellipse" are the item's own text.
    ShapeCombo =
        comboBox(this, "ShapeCombo",
                 {"Rectangle", "Round Rectangle", "Ellipse                  ", "Diamond", "Star",
                  "Triangle Left", "Triangle Right", "Triangle Up", "Triangle Down"},
                 QStringLiteral("Choose the figure drawn"));
    QFormLayout* star = nullptr;
    StarPanel = optionPanel(this, "StarPanel", star);
    PointsOnStar = spinEdit(StarPanel, "PointsOnStar", 5, 20, 1,
                            QStringLiteral("How many points the star has"));
    PercentinVector =
        spinEdit(StarPanel, "PercentinVector", 0, 90, 5,
                 QStringLiteral("How far the star's inner corners are pulled towards its "
                                "centre, in percent"));
    star->addRow(QStringLiteral("Points On Star"), PointsOnStar);
    star->addRow(QStringLiteral("% of Inward Vector"), PercentinVector);
    QFormLayout* rounded = nullptr;
    RRPanel = optionPanel(this, "RRPanel", rounded);
    RoundPercent = spinEdit(RRPanel, "RoundPercent", 0, 90, 5,
                            QStringLiteral("Size of the rounded corners, in percent"));
    rounded->addRow(QStringLiteral("Round Percentage"), RoundPercent);
    return optionGroup(this, QStringLiteral("Shape"), ShapeCombo, {StarPanel, RRPanel});
}

QWidget* TRirizIzaduProperties::BuildSurfaceGroup() {
    SurfaceTypeCombo =
        comboBox(this, "SurfaceTypeCombo", {"Transparent", "Solid", "Texture", "Gradient Fill"},
                 QStringLiteral("Choose how the inside of the figure is filled"));
    QFormLayout* pattern = nullptr;
    PatternPanel = optionPanel(this, "PatternPanel", pattern);
    BackGroundColorCombo = colorDropDown(PatternPanel, "BackGroundColorCombo",
                                         QStringLiteral("The colour the figure is filled with"));
    pattern->addRow(QStringLiteral("Background Color"), BackGroundColorCombo);
    QFormLayout* fill = nullptr;
    FillPanel = optionPanel(this, "FillPanel", fill);
    FillDirectionCombo = comboBox(FillPanel, "FillDirectionCombo", {"Up", "Down", "Left", "Right"},
                                  QStringLiteral("The direction the gradient runs in"));
    BackGroundColorCombo2 = colorDropDown(FillPanel, "BackGroundColorCombo2",
                                          QStringLiteral("The colour the gradient starts with"));
    GradientToColorCombo = colorDropDown(FillPanel, "GradientToColorCombo",
                                         QStringLiteral("The colour the gradient ends with"));
    fill->addRow(QStringLiteral("Fill Direction"), FillDirectionCombo);
    fill->addRow(QStringLiteral("From Color"), BackGroundColorCombo2);
    fill->addRow(QStringLiteral("To Color"), GradientToColorCombo);
    QFormLayout* image = nullptr;
    ImagePanel = optionPanel(this, "ImagePanel", image);
    auto* load = new QPushButton(QStringLiteral("Load Texture"), ImagePanel);
    load->setObjectName(QStringLiteral("LoadImageButton"));
    load->setWhatsThis(QStringLiteral("Choose the picture the figure is tiled with"));
    connect(load, &QPushButton::clicked, this, [this] { LoadImageButtonClick(); });
    image->addRow(load);
    return optionGroup(this, QStringLiteral("Surface Type"), SurfaceTypeCombo,
                       {PatternPanel, FillPanel, ImagePanel});
}

QWidget* TRirizIzaduProperties::BuildShadowGroup() {
    auto* group = new QGroupBox(QStringLiteral("Shadow"), this);
    auto* rows = new QFormLayout(group);
    ShadowColorCombo =
        colorDropDown(group, "ShadowColorCombo", QStringLiteral("The colour of the shadow"));
    ShadowOrientationCombo =
        comboBox(group, "ShadowOrientationCombo",
                 {"None", "Lower Right", "Upper Right", "Upper Left", "Lower Left"},
                 QStringLiteral("Where the shadow falls"));
    ShadowDepthSpinner = spinEdit(group, "ShadowDepthSpinner", 0, 10, 1,
                                  QStringLiteral("How far the shadow lies from the figure"));
    rows->addRow(QStringLiteral("Shadow Color"), ShadowColorCombo);
    rows->addRow(QStringLiteral("Shadow Orientation"), ShadowOrientationCombo);
    rows->addRow(QStringLiteral("Shadow Depth"), ShadowDepthSpinner);
    return group;
}

QWidget* TRirizIzaduProperties::BuildOutlineGroup() {
    auto* group = new QGroupBox(QStringLiteral("Outline"), this);
    auto* rows = new QFormLayout(group);
    OutlineColorCombo =
        colorDropDown(group, "OutlineColorCombo", QStringLiteral("The colour of the outline"));
    OutlineStyleCombo = comboBox(
        group, "OutlineStyleCombo",
        {"Solid Line", "Dash Line", "Dotted Line", "DashDot Line", "DashDotDot Line", "Clear"},
        QStringLiteral("How the outline is drawn; Clear draws none"));
    OutLineWidthSpinner = spinEdit(group, "OutLineWidthSpinner", 0, 10, 1,
                                   QStringLiteral("The width of the outline in pixels"));
    rows->addRow(QStringLiteral("Outline Color"), OutlineColorCombo);
    rows->addRow(QStringLiteral("OutLine Style"), OutlineStyleCombo);
    rows->addRow(QStringLiteral("Outline Width"), OutLineWidthSpinner);
    return group;
}

void TRirizIzaduProperties::Changed() {
    RefreshPanels();
    FSample->update();
}

void TRirizIzaduProperties::Connect() {
    TRirizIzadu& p = Preview();
    auto onIndex = [this](QComboBox* combo, std::function<void(int)> set) {
        connect(combo, &QComboBox::currentIndexChanged, this, [this, set](int index) {
            // No item selected (a polygon from a file) changes nothing.
            if (index >= 0)
                set(index);
            Changed();
        });
    };
    auto onValue = [this](QSpinBox* spin, std::function<void(int)> set) {
        connect(spin, &QSpinBox::valueChanged, this, [this, set](int v) {
            set(v);
            Changed();
        });
    };
    auto onColor = [this](TColorDropDown* combo, std::function<void(TColor)> set) {
        connect(combo, &TColorDropDown::ColorChanged, this, [this, set](TColor c) {
            set(c);
            Changed();
        });
    };
    onIndex(ShapeCombo, [&p](int i) { p.SetShape(TGPShapeType(i)); });
    onValue(PointsOnStar, [&p](int v) { p.SetVectors(v * 2); });
    onValue(PercentinVector, [&p](int v) { p.SetInVectorPercent(v); });
    onValue(RoundPercent, [&p](int v) { p.SetRoundPerc(v); });
    onIndex(SurfaceTypeCombo, [this, &p](int i) {
        p.SetSurfaceType(TSurfaceType(i));
        // The object forgets its texture on any other surface; the dialog remembers it.
        if (i == stBrushImage)
            p.SetImage(FLastUsedImage);
    });
    // Both background colour controls set the one colour and show it.
    onColor(BackGroundColorCombo, [this, &p](TColor c) {
        p.SetBackColor(c);
        BackGroundColorCombo2->SetColor(c);
    });
    onColor(BackGroundColorCombo2, [this, &p](TColor c) {
        p.SetBackColor(c);
        BackGroundColorCombo->SetColor(c);
    });
    onIndex(FillDirectionCombo, [&p](int i) { p.SetFillDirection(TFillDirection(i)); });
    onColor(GradientToColorCombo, [&p](TColor c) { p.SetGradientToColor(c); });
    onColor(ShadowColorCombo, [&p](TColor c) { p.SetShadowColor(c); });
    onIndex(ShadowOrientationCombo, [&p](int i) { p.SetShadowOrient(i); });
    onValue(ShadowDepthSpinner, [&p](int v) { p.SetShadowDepth(v); });
    onColor(OutlineColorCombo, [&p](TColor c) { p.SetOutlineColor(c); });
    onIndex(OutlineStyleCombo, [&p](int i) { p.SetOutlineStyle(i); });
    onValue(OutLineWidthSpinner, [&p](int v) { p.SetOutlineWidth(v); });
}

void TRirizIzaduProperties::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TRirizIzaduProperties::FormActivate() {
    const TRirizIzadu& p = Preview();
    // Taken first: showing a texture surface hands the preview this image, which must be
    // its own and not an empty one.
    FLastUsedImage = p.Image();
    // A shape the list does not offer (the polygon) shows no item.
    ShapeCombo->setCurrentIndex(p.Shape() < ShapeCombo->count() ? int(p.Shape()) : -1);
    PointsOnStar->setValue(p.Vectors() / 2);
    PercentinVector->setValue(p.InVectorPercent());
    RoundPercent->setValue(p.RoundPerc());
    SurfaceTypeCombo->setCurrentIndex(p.SurfaceType());
    FillDirectionCombo->setCurrentIndex(p.FillDirection());
    BackGroundColorCombo->SetColor(p.BackColor());
    BackGroundColorCombo2->SetColor(p.BackColor());
    GradientToColorCombo->SetColor(p.GradientToColor());
    OutlineColorCombo->SetColor(p.OutlineColor());
    OutlineStyleCombo->setCurrentIndex(
        p.OutlineStyle() < OutlineStyleCombo->count() ? p.OutlineStyle() : -1);
    OutLineWidthSpinner->setValue(p.OutlineWidth());
    ShadowColorCombo->SetColor(p.ShadowColor());
    ShadowOrientationCombo->setCurrentIndex(p.ShadowOrient());
    ShadowDepthSpinner->setValue(p.ShadowDepth());
    RefreshPanels();
}

void TRirizIzaduProperties::RefreshPanels() {
    const TRirizIzadu& p = Preview();
    StarPanel->setVisible(p.Shape() == gstStar);
    RRPanel->setVisible(p.Shape() == gstRoundRect);
    PatternPanel->setVisible(p.SurfaceType() == stBrushPattern);
    FillPanel->setVisible(p.SurfaceType() == stGradientFill);
    ImagePanel->setVisible(p.SurfaceType() == stBrushImage);
}

void TRirizIzaduProperties::LoadImageButtonClick() {
    if (const auto image =
            ChooseTexture(parentWidget(), Preview().Image().Image(), FLastTextureFile)) {
        FLastUsedImage = TBitmap(*image);
        Preview().SetImage(FLastUsedImage);
    }
    FSample->update();
}
