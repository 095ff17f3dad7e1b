#include "objects/BaseLabel.h"

#include "objects/Font3DEffects.h"
#include "objects/ShownText.h"
#include "objects/ZoomedFont.h"
#include "platform/Interaction.h"
#include "report/ReportCanvas.h"
#include "surface/BasePanel.h"
#include "widgets/StandardDialogs.h"

#include <QFontMetrics>
#include <QMenu>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Height of a text line as the layout counts it: the character cell plus the internal
// leading (cell minus em height) plus the external leading.
int lineHeight(const QFont& font) {
    const QFontMetrics m(font);
    const int cell = m.ascent() + m.descent();
    return cell + (cell - font.pixelSize()) + m.leading();
}

int textWidth(const QFont& font, const QString& text) {
    return QFontMetrics(font).horizontalAdvance(text);
}

// An offset in the text's own frame turned into screen axes for the angle.
QPoint turned(QPoint d, int angle) {
    switch (angle) {
    case 90:
        return {d.y(), -d.x()};
    case 180:
        return {-d.x(), -d.y()};
    case 270:
        return {-d.y(), d.x()};
    default:
        return d;
    }
}

// The corner of a text rectangle where a text of that angle starts.
QPoint originCorner(const TEdgeRect& r, int angle) {
    switch (angle) {
    case 90:
        return {r.Left, r.Bottom};
    case 180:
        return {r.Right, r.Bottom};
    case 270:
        return {r.Right, r.Top};
    default:
        return {r.Left, r.Top};
    }
}

bool validAngle(int a) {
    return a == 0 || a == 90 || a == 180 || a == 270;
}

double inches(int pixels) {
    return double(pixels) / ScreenPixelsPerInch;
}

} // namespace

TGBaseLabel::TGBaseLabel() {
    FFont.Color = clBlack;
    FFont.Name = QStringLiteral("Arial");
    FFont.SetSize(10);
    SetBounds(0, 0, 142, 33);
}

const TPropertyList& TGBaseLabel::ClassProperties() {
    using C = TGBaseLabel;
    static const TPropertyList list = [] {
        TPropertyList l = TGGraphicControl::ClassProperties();
        auto integer = [&](const char* name, TPropType type, int (C::*get)() const,
                           void (C::*set)(int), std::optional<qint64> def, QStringList names = {}) {
            l.push_back(Published<C>(
                QString::fromLatin1(name), type, [get](const C& o) { return (o.*get)(); },
                [set](C& o, const QVariant& v) { (o.*set)(v.toInt()); }, def, names));
        };
        integer("Alignment", TPropType::Enumeration, &C::Alignment, &C::SetAlignment, taLeftJustify,
                {"taLeftJustify", "taRightJustify", "taCenter"});
        integer("DepthHighlight", TPropType::Integer, &C::DepthHighlight, &C::SetDepthHighlight, 0);
        integer("DepthShadow", TPropType::Integer, &C::DepthShadow, &C::SetDepthShadow, 0);
        integer("DirectionHighlight", TPropType::Enumeration, &C::DirectionHighlight,
                &C::SetDirectionHighlight, hdUpLeft,
                {"hdNone", "hdright", "hdLeft", "hdUpRight", "hdUpLeft", "hdUp"});
        integer("DirectionShadow", TPropType::Enumeration, &C::DirectionShadow,
                &C::SetDirectionShadow, sdDownRight,
                {"sdNone", "sdRight", "sdLeft", "sdDownRight", "sdDownLeft", "sdDown"});
        integer("colorHighlight", TPropType::Color, &C::ColorHighlight, &C::SetColorHighlight,
                0xFFFF00);
        integer("colorShadow", TPropType::Color, &C::ColorShadow, &C::SetColorShadow, 0x808080);
        integer("Angle", TPropType::Integer, &C::Angle, &C::SetAngle, 0);
        // A new object says "Text".
        l.push_back(WrittenWhenEmpty(Published<C>(
            "Caption", TPropType::String, [](const C& o) { return o.Caption(); },
            [](C& o, const QVariant& v) { o.SetCaption(v.toString()); })));
        AddFontProperties<C>(
            l, "Font", [](const C& o) -> const TFont& { return o.Font(); },
            [](C& o, const TFont& f) { o.SetFont(f); });
        l.push_back(Published<C>(
            "Transparent", TPropType::Boolean, [](const C& o) { return o.Transparent(); },
            [](C& o, const QVariant& v) { o.SetTransparent(v.toBool()); }));
        integer("BackColor", TPropType::Color, &C::BackColor, &C::SetBackColor, std::nullopt);
        integer("BorderStyle", TPropType::Enumeration, &C::BorderStyle, &C::SetBorderStyle,
                std::nullopt, {"bsNone", "bsSingle"});
        return l;
    }();
    return list;
}

TDrawnText TGBaseLabel::ShownCaption() const {
    TDrawnText drawn = DrawnCaption();
    drawn.Text = MergedText(drawn.Text);
    return drawn;
}

void TGBaseLabel::Relayout() {
    FLayoutDirty = true;
    Invalidate();
}

void TGBaseLabel::SetAlignment(int v) {
    if (v == FAlignment || v < taLeftJustify || v > taCenter)
        return;
    FAlignment = v;
    Relayout();
    if (!Reading())
        NotifyChanged();
}

void TGBaseLabel::SetDepthHighlight(int v) {
    if (v == FDepthHighlight)
        return;
    FDepthHighlight = v;
    UpdateHighlightOffset();
    Relayout();
}

void TGBaseLabel::SetDirectionHighlight(int v) {
    if (v == FDirectionHighlight || v < hdNone || v > hdUp)
        return;
    FDirectionHighlight = v;
    UpdateHighlightOffset();
    Relayout();
}

void TGBaseLabel::SetDepthShadow(int v) {
    if (v == FDepthShadow)
        return;
    FDepthShadow = v;
    UpdateShadowOffset();
    Relayout();
}

void TGBaseLabel::SetDirectionShadow(int v) {
    if (v == FDirectionShadow || v < sdNone || v > sdDown)
        return;
    FDirectionShadow = v;
    UpdateShadowOffset();
    Relayout();
}

void TGBaseLabel::SetColorHighlight(TColor v) {
    if (v == FColorHighlight)
        return;
    FColorHighlight = v;
    Invalidate();
}

void TGBaseLabel::SetColorShadow(TColor v) {
    if (v == FColorShadow)
        return;
    FColorShadow = v;
    Invalidate();
}

void TGBaseLabel::SetAngle(int v) {
    if (!validAngle(v) || v == FAngle)
        return;
    const int w0 = Width(), h0 = Height();
    FAngle = v;
    FLayoutDirty = true;
    if (Reading())
        return;
    if (v != 0)
        SetAlignment(taLeftJustify);
    const bool upright = v == 0 || v == 180;
    if ((upright && Width() < Height()) || (!upright && Height() < Width()))
        SetBounds(Left(), Top(), h0, w0);
    Invalidate();
    // A half turn keeps the box, so the change must be reported by itself.
    NotifyChanged();
}

void TGBaseLabel::SetCaption(const QString& v) {
    if (v == FCaption)
        return;
    FCaption = v;
    Relayout();
    if (!Reading())
        NotifyChanged();
}

void TGBaseLabel::SetFont(const TFont& v) {
    if (v == FFont)
        return;
    FFont = v;
    Relayout();
}

void TGBaseLabel::SetTransparent(bool v) {
    if (v == FTransparent)
        return;
    FTransparent = v;
    if (FTransparentItem)
        FTransparentItem->setChecked(v);
    if (!Reading())
        NotifyChanged();
    Invalidate();
}

void TGBaseLabel::SetBackColor(TColor v) {
    if (v == FBackColor)
        return;
    FBackColor = v;
    if (!Reading())
        NotifyChanged();
    Invalidate();
}

void TGBaseLabel::SetBorderStyle(int v) {
    if (v == FBorderStyle || v < bsNone || v > bsSingle)
        return;
    FBorderStyle = v;
    Invalidate();
    if (!Reading())
        NotifyChanged();
}

void TGBaseLabel::UpdateHighlightOffset() {
    const int d = FDepthHighlight;
    switch (FDirectionHighlight) {
    case hdright:
        FHighlightOffset = {d, 0};
        break;
    case hdLeft:
        FHighlightOffset = {-d, 0};
        break;
    case hdUpRight:
        FHighlightOffset = {d, -d};
        break;
    case hdUpLeft:
        FHighlightOffset = {-d, -d};
        break;
    case hdUp:
        FHighlightOffset = {0, -d};
        break;
    default:
        FHighlightOffset = {0, 0};
        break;
    }
}

QPoint ShadowDirectionOffset(int direction, int depth) {
    const int d = depth;
    switch (direction) {
    case sdRight:
        return {d, 0};
    case sdLeft:
        return {-d, 0};
    case sdDownRight:
        return {d, d};
    case sdDownLeft:
        return {-d, d};
    case sdDown:
        return {0, d};
    default:
        return {0, 0};
    }
}

void TGBaseLabel::UpdateShadowOffset() {
    FShadowOffset = ShadowDirectionOffset(FDirectionShadow, FDepthShadow);
}

void TGBaseLabel::BoundsChanged() {
    TGGraphicControl::BoundsChanged();
    FLayoutDirty = true;
    if (Width() <= 0)
        SetWidth(1);
    if (Height() <= 0)
        SetHeight(1);
}

void TGBaseLabel::ApplyFont(const TFont& font) {
    FFont = font;
    Relayout();
}

QFont TGBaseLabel::ZoomedFont() const {
    TFont f = ::ZoomedFont(FFont, Zoom());
    f.Name = DrawnCaption().FontName;
    return f.ToQFont(1.0);
}

void TGBaseLabel::SelectRotatedFont(TTextCanvas& canvas, int angle) const {
    canvas.Escapement = angle;
}

void TGBaseLabel::LayoutText() {
    if (!FLayoutDirty)
        return;
    // The box the design keeps is the one fitted at 100 %; at another zoom the shown box is
    // then fitted to the text as drawn at that zoom.
    if (Zoom() != 1.0f)
        AtDesignZoom([this] { MeasureAndFit(); });
    MeasureAndFit();
    FLayoutDirty = false;
}

void TGBaseLabel::MeasureAndFit() {
    const QFont font = ZoomedFont();
    const int th = lineHeight(font);
    const QString drawn = DrawnCaption().Text;
    const QString typed = ShownRun(font, drawn), shown = ShownRun(font, MergedText(drawn));
    const int typedWidth = TypedWidth(font, typed);
    // Only right and centred text place by the shown text's width; a merge run prints most
    // cards left-aligned and skips the measuring.
    auto shownWidth = [&] { return shown == typed ? typedWidth : textWidth(font, shown + ' '); };
    auto negative = [](int a, int b) { return std::max({0, -std::min(a, 0), -std::min(b, 0)}); };
    FMargin = {negative(FShadowOffset.x(), FHighlightOffset.x()),
               negative(FShadowOffset.y(), FHighlightOffset.y())};
    const int mx = FMargin.x(), my = FMargin.y();
    const int need = th + FShadowOffset.y() - FHighlightOffset.y();

    FitBoxToText(typedWidth, need);
    if (FAngle == 0 || FAngle == 180)
        FTextRect = {mx, my, Width(), my + th};
    else
        FTextRect = {my, mx, my + th, Height() - my};
    const int rectHeight = FTextRect.Bottom - FTextRect.Top + 1;
    const int rectWidth = FTextRect.Right - FTextRect.Left + 1;
    if (FAngle == 90)
        FTextRect = FTextRect.Moved(0, Height() - rectHeight + FHighlightOffset.x());
    else if (FAngle == 180)
        FTextRect = FTextRect.Moved(Width() - rectWidth - FShadowOffset.y(), 0);

    const QPoint s = turned(FShadowOffset, FAngle), h = turned(FHighlightOffset, FAngle);
    FShadowRect = FTextRect.Moved(s.x(), s.y());
    FHighlightRect = FTextRect.Moved(h.x(), h.y());
    FTextOrigin = originCorner(FTextRect, FAngle);
    FShadowOrigin = originCorner(FShadowRect, FAngle);
    FHighlightOrigin = originCorner(FHighlightRect, FAngle);

    if (FAngle == 0) {
        int x = FTextRect.Left;
        if (FAlignment == taRightJustify)
            x = FTextRect.Right - shownWidth();
        else if (FAlignment == taCenter)
            x = (FTextRect.Right - FTextRect.Left) / 2 - shownWidth() / 2;
        FTextOrigin.setX(x);
        FHighlightOrigin.setX(x + FHighlightOffset.x());
        FShadowOrigin.setX(x + FShadowOffset.x());
    }
}

QString TGBaseLabel::ShownRun(const QFont& font, const QString& text) const {
    TShownEnd end = TShownEnd::Start;
    if (FAngle == 0 && FAlignment == taRightJustify)
        end = TShownEnd::End;
    else if (FAngle == 0 && FAlignment == taCenter)
        end = TShownEnd::Middle;
    const bool upright = FAngle == 0 || FAngle == 180;
    return ShownPart(QFontMetrics(font), text, upright ? Width() : Height(), end);
}

int TGBaseLabel::TypedWidth(const QFont& font, const QString& typed) {
    if (!FTypedWidth || FTypedWidth->Text != typed || FTypedWidth->Font != font)
        FTypedWidth = TWidthMemo{font, typed, textWidth(font, typed + ' ')};
    return FTypedWidth->Width;
}

void TGBaseLabel::FitBoxToText(int tw, int need) {
    if (FAngle == 0 || FAngle == 180) {
        if (FAngle == 180 && 2 * tw < Width())
            SetWidth(2 * tw);
        if (Width() <= 5)
            SetWidth(tw);
        if (need * 1.2 < Height())
            SetHeight(int(need * 1.2));
        if (Height() < need)
            SetHeight(need);
    } else {
        if (tw * 1.2 < Height())
            SetHeight(int(tw * 1.2));
        if (Height() < 5)
            SetHeight(tw);
        if (need * 1.2 < Width())
            SetWidth(int(need * 1.2));
        if (Width() < need)
            SetWidth(need);
    }
}

void TGBaseLabel::GrowToFitText() {
    if (FAngle != 0)
        return;
    const int l = std::max({FTextRect.Left, FShadowRect.Left, FHighlightRect.Left});
    const int t = std::max({FTextRect.Top, FShadowRect.Top, FHighlightRect.Top});
    const QFont font = ZoomedFont();
    const int w = l + textWidth(font, DrawnCaption().Text + QStringLiteral("     "));
    if (w > Width())
        SetWidth(w);
    const QFontMetrics m(font);
    const int h = t + m.ascent() + m.descent();
    if (h > Height())
        SetHeight(h);
    Relayout();
}

void TGBaseLabel::Paint(QPainter& painter) {
    if (Width() < 5 || Height() < 5)
        FLayoutDirty = true;
    LayoutText();
    if (!FTransparent)
        painter.fillRect(QRect(0, 0, Width(), Height()), ToQColor(FBackColor));
    TTextCanvas canvas(painter);
    canvas.Font = ZoomedFont();
    SelectRotatedFont(canvas, FAngle);
    const QString text = ShownRun(canvas.Font, ShownCaption().Text);
    canvas.TextRect(FShadowRect, FShadowOrigin, text, ToQColor(FColorShadow));
    canvas.TextRect(FHighlightRect, FHighlightOrigin, text, ToQColor(FColorHighlight));
    canvas.TextRect(FTextRect, FTextOrigin, text, ToQColor(FFont.Color));
    SelectRotatedFont(canvas, 0);
    if (FBorderStyle == bsSingle) {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(0, 0, Width() - 1, Height() - 1));
        painter.restore();
    }
}

void TGBaseLabel::PrintTo(TReportCanvas& report, double x, double y) {
    FLayoutDirty = true;
    LayoutText();
    const int l = Left(), t = Top();
    if (!FTransparent) {
        report.SetPen(FBackColor, psClear, 0, pmCopy);
        report.SetBrush(FBackColor, bsSolid);
        report.Rectangle({x + inches(l), y + inches(t), x + inches(l + Width() - 1),
                          y + inches(t + Height() - 1)});
    }
    const TDrawnText drawn = ShownCaption();
    // The part the layout placed, as the screen shows it: a caption far wider than its box
    // is not set whole on the page.
    const QString text = ShownRun(ZoomedFont(), drawn.Text);
    report.SetFont(drawn.FontName, FFont.Size());
    report.SetFontStyle(FFont.Has(fsBold), FFont.Has(fsItalic), FFont.Has(fsUnderline));
    report.SetFontRotation(FAngle);
    report.SetBrush(clWhite, bsClear);
    report.SetTextTransparent(true);
    auto layer = [&](TColor color, const TEdgeRect& r, QPoint origin) {
        report.SetFontColor(color);
        const QRect clip =
            report.DeviceRect({x + inches(l + r.Left) - 0.03, y + inches(t + r.Top) - 0.03,
                               x + inches(l + r.Right), y + inches(t + r.Bottom)});
        report.TextRect(clip, x + inches(l + origin.x()), y + inches(t + origin.y()), text);
    };
    if (FDepthShadow > 0 && FDirectionShadow != sdNone)
        layer(FColorShadow, FShadowRect, FShadowOrigin);
    if (FDepthHighlight > 0 && FDirectionHighlight != hdNone)
        layer(FColorHighlight, FHighlightRect, FHighlightOrigin);
    layer(FFont.Color, FTextRect, FTextOrigin);
    if (FBorderStyle == bsSingle) {
        report.SetBrush(clWhite, bsClear);
        report.SetPen(clBlack, psSolid, 1, pmCopy);
        report.Rectangle(
            {x + inches(l), y + inches(t), x + inches(l + Width()), y + inches(t + Height())});
    }
    report.SetFontRotation(0);
}

void TGBaseLabel::BuildContextMenu() {
    TGGraphicControl::BuildContextMenu();
    AddMenuSeparator();
    AddMenuItem(QStringLiteral("Font"), [this] { ChooseFont(); });
    AddMenuItem(QStringLiteral("3D Effects"), [this] { Open3DEffects(); });
    QMenu* align = ContextMenu()->addMenu(QStringLiteral("Alignment"));
    auto alignItem = [&](const QString& caption, int value) {
        QAction* a = align->addAction(caption);
        a->setCheckable(true);
        QObject::connect(a, &QAction::triggered, align, [this, value] {
            SetAlignment(value);
            NotifyChanged();
        });
        return a;
    };
    FLeftItem = alignItem(QStringLiteral("Left"), taLeftJustify);
    FCenterItem = alignItem(QStringLiteral("Center"), taCenter);
    FRightItem = alignItem(QStringLiteral("Right"), taRightJustify);
    FTransparentItem = AddMenuItem(QStringLiteral("Transparent"), [this] { ToggleTransparent(); });
    FTransparentItem->setCheckable(true);
    FTransparentItem->setChecked(FTransparent);
    AddMenuItem(QStringLiteral("Background Color"), [this] { ChooseBackColor(); });
    FBorderItem = AddMenuItem(QStringLiteral("Border"), [this] { ToggleBorder(); });
    FBorderItem->setCheckable(true);
    FBorderItem->setChecked(FBorderStyle == bsSingle);
}

void TGBaseLabel::PopupOpening() {
    if (FBorderItem)
        FBorderItem->setChecked(FBorderStyle == bsSingle);
    if (FLeftItem) {
        FLeftItem->setChecked(FAlignment == taLeftJustify);
        FRightItem->setChecked(FAlignment == taRightJustify);
        FCenterItem->setChecked(FAlignment == taCenter);
    }
}

void TGBaseLabel::ChooseFont() {
    const auto f = ::ChooseFont(FFont, Panel());
    if (f && *f != FFont) {
        FFont = *f;
        Relayout();
        // A new font is a change of the design like any other: the user is asked to save it.
        NotifyChanged();
    }
}

void TGBaseLabel::Open3DEffects() {
    TGFont3DEffects dialog(Panel() ? Panel()->window() : nullptr);
    dialog.SetLabel(this);
    if (TInteraction::Current().Exec(dialog) == QDialog::Accepted) {
        dialog.CopyBack();
        NotifyChanged();
    }
}

void TGBaseLabel::ToggleTransparent() {
    SetTransparent(!FTransparent);
    if (FTransparentItem)
        FTransparentItem->setChecked(FTransparent);
}

void TGBaseLabel::ChooseBackColor() {
    const auto c = ChooseColor(FBackColor, Panel());
    if (!c)
        return;
    SetBackColor(*c);
    SetTransparent(false);
    if (FTransparentItem)
        FTransparentItem->setChecked(FTransparent);
    Invalidate();
}

void TGBaseLabel::ToggleBorder() {
    SetBorderStyle(FBorderStyle == bsSingle ? bsNone : bsSingle);
}
