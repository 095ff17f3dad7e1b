#include "objects/Font3DEffects.h"

#include "help/HelpContexts.h"
#include "objects/BaseLabel.h"
#include "objects/LabelSample.h"
#include "widgets/ColorDropDown.h"
#include "widgets/DialogButtonBar.h"
#include "widgets/DialogFrame.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QComboBox* depthList(QWidget* parent) {
    auto* c = new QComboBox(parent);
    for (int i = 0; i <= 10; ++i)
        c->addItem(QString::number(i));
    return c;
}

QComboBox* directionList(QWidget* parent, const QStringList& items) {
    auto* c = new QComboBox(parent);
    c->addItems(items);
    return c;
}

// A depth the list does not offer selects nothing.
void showDepth(QComboBox* list, int depth) {
    list->setCurrentIndex(depth >= 0 && depth <= 10 ? depth : -1);
}

} // namespace

TGFont3DEffects::TGFont3DEffects(QWidget* mainWindow) : QDialog(mainWindow) {
    setWindowTitle(QStringLiteral("Text 3D Effects"));
    setFont(DialogFont());
    auto* outer = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    outer->addLayout(grid);
    auto labelled = [&](int row, int column, const QString& caption, QWidget* control,
                        const char* name) {
        control->setObjectName(QLatin1String(name));
        grid->addWidget(new QLabel(caption, this), row * 2, column);
        grid->addWidget(control, row * 2 + 1, column);
    };
    ShadowDirection =
        directionList(this, {"None", "Right", "Left", "Lower Right", "Lower Left", "Down"});
    ShadowColorCombo = new TColorDropDown(this);
    ShadowDepth = depthList(this);
    HighlightDirection =
        directionList(this, {"None", "Right", "Left", "Upper Right", "Upper Left", "Up"});
    HighLightColorCombo = new TColorDropDown(this);
    HighLightDepth = depthList(this);
    FontColorCombo = new TColorDropDown(this);
    labelled(0, 0, QStringLiteral("Shadow Direction"), ShadowDirection, "ShadowDirection");
    labelled(0, 1, QStringLiteral("Shadow Color"), ShadowColorCombo, "ShadowColorCombo");
    labelled(0, 2, QStringLiteral("Shadow Depth"), ShadowDepth, "ShadowDepth");
    labelled(1, 0, QStringLiteral("Highlight Direction"), HighlightDirection, "HighlightDirection");
    labelled(1, 1, QStringLiteral("Highlight Color"), HighLightColorCombo, "HighLightColorCombo");
    labelled(1, 2, QStringLiteral("Highlight Depth"), HighLightDepth, "HighLightDepth");
    labelled(2, 0, QStringLiteral("Font Color"), FontColorCombo, "FontColorCombo");
    ShadowDirection->setWhatsThis(
        QStringLiteral("The side towards which the shadow copy of the text is moved."));
    ShadowColorCombo->setWhatsThis(QStringLiteral("The colour of the shadow copy."));
    ShadowDepth->setWhatsThis(
        QStringLiteral("How many pixels the shadow copy is moved; 0 draws no shadow."));
    HighlightDirection->setWhatsThis(
        QStringLiteral("The side towards which the highlight copy of the text is moved."));
    HighLightColorCombo->setWhatsThis(QStringLiteral("The colour of the highlight copy."));
    HighLightDepth->setWhatsThis(
        QStringLiteral("How many pixels the highlight copy is moved; 0 draws no highlight."));
    FontColorCombo->setWhatsThis(QStringLiteral("The colour of the text itself."));
    Panel4 = new TLabelSample(this);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    Panel4->setMinimumSize(260, 70);
    outer->addWidget(Panel4, 1);
    Buttons = new TDialogButtonBar(*this, HelpContext::Text3DEffects);
    outer->addWidget(Buttons);

    auto onSample = [this](auto apply) {
        apply(Sample());
        Panel4->update();
    };
    connect(ShadowDirection, &QComboBox::activated, this,
            [=](int i) { onSample([i](TGBaseLabel& s) { s.SetDirectionShadow(i); }); });
    connect(ShadowDepth, &QComboBox::activated, this,
            [=](int i) { onSample([i](TGBaseLabel& s) { s.SetDepthShadow(i); }); });
    connect(HighlightDirection, &QComboBox::activated, this,
            [=](int i) { onSample([i](TGBaseLabel& s) { s.SetDirectionHighlight(i); }); });
    connect(HighLightDepth, &QComboBox::activated, this,
            [=](int i) { onSample([i](TGBaseLabel& s) { s.SetDepthHighlight(i); }); });
    connect(ShadowColorCombo, &TColorDropDown::ColorChanged, this,
            [=](TColor c) { onSample([c](TGBaseLabel& s) { s.SetColorShadow(c); }); });
    connect(HighLightColorCombo, &TColorDropDown::ColorChanged, this,
            [=](TColor c) { onSample([c](TGBaseLabel& s) { s.SetColorHighlight(c); }); });
    connect(FontColorCombo, &TColorDropDown::ColorChanged, this, [=](TColor c) {
        onSample([c](TGBaseLabel& s) {
            TFont f = s.Font();
            f.Color = c;
            s.SetFont(f);
        });
    });
    adjustSize();
    CenterOverMainWindow(*this, mainWindow);
}

TGBaseLabel& TGFont3DEffects::Sample() const {
    return Panel4->Sample();
}

void TGFont3DEffects::SetLabel(TGBaseLabel* label) {
    FLabel = label;
    TGBaseLabel& s = Sample();
    s.SetFont(label->Font());
    s.SetDepthHighlight(label->DepthHighlight());
    s.SetDepthShadow(label->DepthShadow());
    s.SetDirectionHighlight(label->DirectionHighlight());
    s.SetDirectionShadow(label->DirectionShadow());
    s.SetColorHighlight(label->ColorHighlight());
    s.SetColorShadow(label->ColorShadow());
    ShowValues();
    Panel4->update();
}

void TGFont3DEffects::ShowValues() {
    const TGBaseLabel& s = Sample();
    ShadowDirection->setCurrentIndex(s.DirectionShadow());
    HighlightDirection->setCurrentIndex(s.DirectionHighlight());
    showDepth(ShadowDepth, s.DepthShadow());
    showDepth(HighLightDepth, s.DepthHighlight());
    ShadowColorCombo->SetColor(s.ColorShadow());
    HighLightColorCombo->SetColor(s.ColorHighlight());
    FontColorCombo->SetColor(s.Font().Color);
}

void TGFont3DEffects::CopyBack() {
    if (!FLabel)
        return;
    const TGBaseLabel& s = Sample();
    FLabel->SetFont(s.Font());
    FLabel->SetDepthHighlight(s.DepthHighlight());
    FLabel->SetDepthShadow(s.DepthShadow());
    FLabel->SetDirectionHighlight(s.DirectionHighlight());
    FLabel->SetDirectionShadow(s.DirectionShadow());
    FLabel->SetColorHighlight(s.ColorHighlight());
    FLabel->SetColorShadow(s.ColorShadow());
}
