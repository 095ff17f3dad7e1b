#include "effects/DiduzOvoz.h"

#include "effects/BitmapProperty.h"
#include "effects/DiduzOvozProperties.h"
#include "platform/Interaction.h"
#include "surface/BasePanel.h"
#include "widgets/StandardDialogs.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

namespace {

// A shadow offset far beyond any card still has to keep the layout's sums in range.
constexpr int MaxShadowDepth = 32767;

} // namespace

TGDiduzOvoz::TGDiduzOvoz() {
    FFont.Name = QStringLiteral("Times New Roman");
    FFont.SetSize(48);
    FFont.Color = clBlack;
    SetBounds(0, 0, 142, 33);
}

const TPropertyList& TGDiduzOvoz::ClassProperties() {
    using C = TGDiduzOvoz;
    static const TPropertyList list = [] {
        TPropertyList l = TGGraphicControl::ClassProperties();
        auto integer = [&](const char* name, TPropType type, int (C::*get)() const,
                           void (C::*set)(int), std::optional<qint64> def, QStringList names = {}) {
            l.push_back(Published<C>(
                QString::fromLatin1(name), type, [get](const C& o) { return (o.*get)(); },
                [set](C& o, const QVariant& v) { (o.*set)(v.toInt()); }, def, names));
        };
        integer("ShadowDepth", TPropType::Integer, &C::ShadowDepth, &C::SetShadowDepth, 0);
        integer("ShadowOrientation", TPropType::Enumeration, &C::ShadowOrientation,
                &C::SetShadowOrientation, sdDownRight,
                {"sdNone", "sdRight", "sdLeft", "sdDownRight", "sdDownLeft", "sdDown"});
        integer("Shadowcolor", TPropType::Color, &C::Shadowcolor, &C::SetShadowcolor, 0x808080);
        integer("BorderStyle", TPropType::Enumeration, &C::BorderStyle, &C::SetBorderStyle,
                std::nullopt, {"bsNone", "bsSingle"});
        l.push_back(Published<C>(
            "ControlTransparent", TPropType::Boolean,
            [](const C& o) { return o.ControlTransparent(); },
            [](C& o, const QVariant& v) { o.SetControlTransparent(v.toBool()); }));
        integer("BGColor", TPropType::Color, &C::BGColor, &C::SetBGColor, std::nullopt);
        // A new object says "Text".
        l.push_back(WrittenWhenEmpty(Published<C>(
            "Caption", TPropType::String, [](const C& o) { return o.Caption(); },
            [](C& o, const QVariant& v) { o.SetCaption(v.toString()); })));
        AddFontProperties<C>(
            l, "Font", [](const C& o) -> const TFont& { return o.Font(); },
            [](C& o, const TFont& f) { o.SetFont(f); });
        integer("FillDirection", TPropType::Enumeration, &C::FillDirection, &C::SetFillDirection,
                std::nullopt, FillDirectionNames());
        integer("GradientToColor", TPropType::Color, &C::GradientToColor, &C::SetGradientToColor,
                std::nullopt);
        integer("GradientFromColor", TPropType::Color, &C::GradientFromColor,
                &C::SetGradientFromColor, std::nullopt);
        l.push_back(BitmapProperty<C>("Image", &C::Image, &C::SetImage));
        integer("OutlineColor", TPropType::Color, &C::OutlineColor, &C::SetOutlineColor,
                std::nullopt);
        integer("OutlineStyle", TPropType::Enumeration, &C::OutlineStyle, &C::SetOutlineStyle,
                std::nullopt, PenStyleNames());
        integer("OutlineWidth", TPropType::Integer, &C::OutlineWidth, &C::SetOutlineWidth,
                std::nullopt);
        integer("SurfaceType", TPropType::Enumeration, &C::SurfaceType, &C::SetSurfaceType,
                std::nullopt, SurfaceTypeNames());
        l.push_back(Published<C>(
            "LastBitmapFileNameandPath", TPropType::String,
            [](const C& o) { return o.LastBitmapFileNameandPath(); },
            [](C& o, const QVariant& v) { o.SetLastBitmapFileNameandPath(v.toString()); }));
        return l;
    }();
    return list;
}

void TGDiduzOvoz::Relayout() {
    FNeedsMeasure = true;
    Invalidate();
}

void TGDiduzOvoz::SetShadowDepth(int v) {
    if (v == FShadowDepth)
        return;
    FShadowDepth = v;
    FShadowOffset =
        ShadowDirectionOffset(FShadowOrientation, std::clamp(v, -MaxShadowDepth, MaxShadowDepth));
    Relayout();
}

void TGDiduzOvoz::SetShadowOrientation(int v) {
    if (v == FShadowOrientation)
        return;
    FShadowOrientation = v;
    FShadowOffset =
        ShadowDirectionOffset(v, std::clamp(FShadowDepth, -MaxShadowDepth, MaxShadowDepth));
    Relayout();
}

void TGDiduzOvoz::SetShadowcolor(TColor v) {
    if (v == FShadowcolor)
        return;
    FShadowcolor = v;
    Invalidate();
}

void TGDiduzOvoz::SetBorderStyle(int v) {
    if (v == FBorderStyle)
        return;
    FBorderStyle = v;
    Invalidate();
    if (FBorderItem)
        FBorderItem->setChecked(v == bsSingle);
    if (!Reading())
        NotifyChanged();
}

void TGDiduzOvoz::SetControlTransparent(bool v) {
    if (v == FControlTransparent)
        return;
    FControlTransparent = v;
    Invalidate();
}

void TGDiduzOvoz::SetBGColor(TColor v) {
    ChangeShownValue(FBGColor, v);
}

void TGDiduzOvoz::SetCaption(const QString& v) {
    if (v == FCaption)
        return;
    FCaption = v;
    Relayout();
    if (!Reading())
        NotifyChanged();
}

void TGDiduzOvoz::SetFont(const TFont& v) {
    if (v == FFont)
        return;
    FFont = v;
    Relayout();
}

void TGDiduzOvoz::SetFontColor(TColor v) {
    if (v == FFont.Color)
        return;
    FFont.Color = v;
    Invalidate();
}

void TGDiduzOvoz::SetFillDirection(int v) {
    if (v == FFillDirection)
        return;
    FFillDirection = v;
    Invalidate();
}

void TGDiduzOvoz::SetGradientToColor(TColor v) {
    if (v == FGradientToColor)
        return;
    FGradientToColor = v;
    Invalidate();
}

void TGDiduzOvoz::SetGradientFromColor(TColor v) {
    if (v == FGradientFromColor)
        return;
    FGradientFromColor = v;
    if (!Reading())
        NotifyChanged();
    Invalidate();
}

void TGDiduzOvoz::SetImage(const TBitmap& v) {
    FImage = v;
}

void TGDiduzOvoz::SetOutlineColor(TColor v) {
    if (v == FOutlineColor)
        return;
    FOutlineColor = v;
    Invalidate();
}

void TGDiduzOvoz::SetOutlineStyle(int v) {
    if (v == FOutlineStyle)
        return;
    FOutlineStyle = v;
    Invalidate();
}

void TGDiduzOvoz::SetOutlineWidth(int v) {
    if (v == FOutlineWidth)
        return;
    FOutlineWidth = v;
    Invalidate();
}

void TGDiduzOvoz::SetSurfaceType(int v) {
    if (v == FSurfaceType)
        return;
    FSurfaceType = v;
    Invalidate();
    if (v != stBrushImage)
        FImage = TBitmap();
    // Hollow letters with no outline would leave nothing to see.
    if (v == stBrushPattern && FOutlineStyle == psClear)
        SetOutlineStyle(psSolid);
}

bool TGDiduzOvoz::HasShadow() const {
    return FShadowDepth > 0 && FShadowOrientation != sdNone;
}

bool TGDiduzOvoz::HasOutline() const {
    return FOutlineStyle != psClear && FOutlineWidth > 0;
}

void TGDiduzOvoz::BuildContextMenu() {
    TGGraphicControl::BuildContextMenu();
    AddMenuSeparator();
    AddMenuItem(QStringLiteral("Font"), [this] { EditFont(); });
    // Toggling the background from the menu is a change of the design like any other.
    FTransparentItem = AddMenuItem(QStringLiteral("Transparent"), [this] {
        SetControlTransparent(!FControlTransparent);
        NotifyChanged();
    });
    FTransparentItem->setCheckable(true);
    AddMenuItem(QStringLiteral("Background Color"), [this] { ChooseBackgroundColor(); });
    FBorderItem = AddMenuItem(QStringLiteral("Border"), [this] {
        SetBorderStyle(FBorderStyle == bsSingle ? bsNone : bsSingle);
    });
    FBorderItem->setCheckable(true);
    AddMenuItem(QStringLiteral("Properties"), [this] { EditProperties(); });
}

void TGDiduzOvoz::PopupOpening() {
    if (FBorderItem)
        FBorderItem->setChecked(FBorderStyle == bsSingle);
    if (FTransparentItem)
        FTransparentItem->setChecked(FControlTransparent);
}

void TGDiduzOvoz::ChooseBackgroundColor() {
    const auto c = ChooseColor(FBGColor, Panel());
    if (!c)
        return;
    SetBGColor(*c);
    NotifyChanged();
    SetControlTransparent(false);
    Invalidate();
}

void TGDiduzOvoz::EditFont() {
    const auto f = ChooseFont(FFont, Panel(), true);
    if (!f || *f == FFont)
        return;
    SetFont(*f);
    // A new font is a change of the design: without this the change could be lost unasked.
    NotifyChanged();
}

void TGDiduzOvoz::ApplyFont(const TFont& font) {
    FFont = font;
    Relayout();
}

void TGDiduzOvoz::BoundsChanged() {
    TGGraphicControl::BoundsChanged();
    FNeedsMeasure = true;
    if (Width() <= 0)
        SetWidth(1);
    if (Height() <= 0)
        SetHeight(1);
}

void TGDiduzOvoz::EditProperties() {
    TDiduzOvozProperties dialog(Panel() ? Panel()->window() : nullptr);
    TGDiduzOvoz& p = dialog.Preview();
    p.SetFont(FFont);
    p.SetControlTransparent(FControlTransparent);
    p.SetBGColor(FBGColor);
    p.SetBorderStyle(FBorderStyle);
    p.SetCaption(FCaption);
    p.SetGradientFromColor(FGradientFromColor);
    p.SetFillDirection(FFillDirection);
    p.SetGradientToColor(FGradientToColor);
    p.SetImage(FImage);
    p.SetOutlineColor(FOutlineColor);
    p.SetOutlineStyle(FOutlineStyle);
    p.SetOutlineWidth(FOutlineWidth);
    p.SetShadowcolor(FShadowcolor);
    p.SetShadowDepth(FShadowDepth);
    p.SetShadowOrientation(FShadowOrientation);
    p.SetSurfaceType(FSurfaceType);
    p.SetWidth(Width());
    p.SetHeight(Height());
    dialog.LastTextureFile = FLastBitmapFileNameandPath;
    if (TInteraction::Current().Exec(dialog) != QDialog::Accepted)
        return;
    SetGradientFromColor(p.GradientFromColor());
    SetFillDirection(p.FillDirection());
    SetGradientToColor(p.GradientToColor());
    SetImage(p.Image());
    SetOutlineColor(p.OutlineColor());
    SetOutlineStyle(p.OutlineStyle());
    SetOutlineWidth(p.OutlineWidth());
    SetShadowcolor(p.Shadowcolor());
    SetShadowDepth(p.ShadowDepth());
    SetShadowOrientation(p.ShadowOrientation());
    SetSurfaceType(p.SurfaceType());
    FLastBitmapFileNameandPath = dialog.LastTextureFile;
    SetFontColor(p.Font().Color);
    ApplyFont(p.Font());
    SetCaption(p.Caption());
    Invalidate();
    NotifyChanged();
}
