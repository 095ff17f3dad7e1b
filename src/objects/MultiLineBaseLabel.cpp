#include "objects/MultiLineBaseLabel.h"

#include "objects/EditWrap.h"
#include "objects/ShownText.h"
#include "objects/ZoomedFont.h"
#include "report/ReportCanvas.h"
#include "surface/BasePanel.h"
#include "widgets/StandardDialogs.h"

#include <QAction>
#include <QFontMetrics>
#include <QMenu>
#include <QPainter>

#include <cmath>

namespace {
// Menu order of the alignment items.
constexpr TAlignment menuAlignments[] = {taLeftJustify, taCenter, taRightJustify};
const QString blankPlaceholder = QStringLiteral("<blank>");
} // namespace

TGMultiLineBaseLabel::TGMultiLineBaseLabel() {
    FFont.Name = QStringLiteral("Arial");
    FFont.SetSize(10);
    SetBounds(0, 0, 190, 33);
}

const TPropertyList& TGMultiLineBaseLabel::ClassProperties() {
    using C = TGMultiLineBaseLabel;
    static const TPropertyList list = [] {
        TPropertyList l = TGGraphicControl::ClassProperties();
        l.push_back(Published<C>(
            "Items.Strings", TPropType::StringList, [](const C& o) { return o.Items(); },
            [](C& o, const QVariant& v) { o.SetItems(v.toStringList()); }));
        l.push_back(Published<C>(
            "AutoSize", TPropType::Boolean, [](const C& o) { return o.AutoSize(); },
            [](C& o, const QVariant& v) { o.SetAutoSize(v.toBool()); }));
        l.push_back(Published<C>(
            "Alignment", TPropType::Enumeration, [](const C& o) { return int(o.Alignment()); },
            [](C& o, const QVariant& v) { o.SetAlignment(TAlignment(v.toInt())); }, taLeftJustify,
            {"taLeftJustify", "taRightJustify", "taCenter"}));
        AddFontProperties<C>(
            l, "Font", [](const C& o) -> const TFont& { return o.Font(); },
            [](C& o, const TFont& f) { o.SetFont(f); });
        l.push_back(Published<C>(
            "WordWrap", TPropType::Boolean, [](const C& o) { return o.WordWrap(); },
            [](C& o, const QVariant& v) { o.SetWordWrap(v.toBool()); }, 0));
        return l;
    }();
    return list;
}

void TGMultiLineBaseLabel::SetItems(const QStringList& items) {
    FItems = items;
    Invalidate();
}

void TGMultiLineBaseLabel::SetAlignment(TAlignment v) {
    if (v == FAlignment)
        return;
    FAlignment = v;
    Invalidate();
}

void TGMultiLineBaseLabel::SetFont(const TFont& font) {
    if (font == FFont)
        return;
    FFont = font;
    // The wrapped lines always follow the font.
    if (FWordWrap)
        Rewrap();
    Invalidate();
}

void TGMultiLineBaseLabel::SetWordWrap(bool v) {
    if (v == FWordWrap)
        return;
    FWordWrap = v;
    // Read designs are wrapped at once, but reading them is no change of the design.
    if (v)
        Rewrap();
    if (Reading())
        return;
    Invalidate();
    NotifyChanged();
}

void TGMultiLineBaseLabel::ApplyFont(const TFont& font) {
    FFont = font;
    if (FWordWrap)
        Rewrap();
    Invalidate();
}

QFontMetrics TGMultiLineBaseLabel::ScreenMetrics() const {
    return QFontMetrics(ZoomedFont(FFont, Zoom()).ToQFont());
}

void TGMultiLineBaseLabel::Rewrap() {
    if (!FWordWrap)
        return;
    FWrapItems = FItems;
    FWrapFont = ZoomedFont(FFont, Zoom()).ToQFont();
    FWrapWidth = Width();
    FWrapPending = true;
    Invalidate();
}

const QStringList& TGMultiLineBaseLabel::WrappedLines() const {
    if (FWrapPending) {
        FWrappedLines = WrapLikeEdit(FWrapItems, QFontMetrics(FWrapFont), FWrapWidth);
        FWrapPending = false;
    }
    return FWrappedLines;
}

void TGMultiLineBaseLabel::BoundsChanged() {
    if (FWordWrap)
        Rewrap();
    TGGraphicControl::BoundsChanged();
}

void TGMultiLineBaseLabel::BuildContextMenu() {
    TGGraphicControl::BuildContextMenu();
    AddMenuSeparator();
    AddMenuItem(QStringLiteral("Font"), [this] { ChooseFontFromMenu(); });
    QMenu* alignment = ContextMenu()->addMenu(QStringLiteral("Alignment"));
    FAlignmentItems.clear();
    for (TAlignment a : menuAlignments) {
        static const char* const captions[] = {"Left", "Right", "Center"};
        QAction* item = alignment->addAction(QString::fromLatin1(captions[a]));
        item->setCheckable(true);
        QObject::connect(item, &QAction::triggered, alignment, [this, a] {
            SetAlignment(a);
            NotifyChanged();
        });
        FAlignmentItems.append(item);
    }
}

void TGMultiLineBaseLabel::PopupOpening() {
    for (int i = 0; i < FAlignmentItems.size(); ++i)
        FAlignmentItems[i]->setChecked(menuAlignments[i] == FAlignment);
}

void TGMultiLineBaseLabel::ChooseFontFromMenu() {
    if (const auto font = ChooseFont(FFont, Panel())) {
        SetFont(*font);
        NotifyChanged();
    }
    if (FWordWrap)
        Rewrap();
}

QStringList TGMultiLineBaseLabel::ShownLines(qsizetype maxLines) const {
    QStringList merged;
    for (const QString& line : FItems)
        merged.append(MergedText(line));
    if (merged != FItems)
        return FWordWrap ? WrapLikeEdit(merged, ScreenMetrics(), Width(), maxLines) : merged;
    if (FWordWrap && FWrapPending)
        return WrapLikeEdit(FWrapItems, QFontMetrics(FWrapFont), FWrapWidth, maxLines);
    return DisplayLines();
}

void TGMultiLineBaseLabel::Paint(QPainter& canvas) {
    const QFont font = ZoomedFont(FFont, Zoom()).ToQFont();
    const QFontMetrics metrics(font);
    const int h = metrics.height();
    // Lines below the box do not show; the one that starts inside it shows in part.
    QStringList lines = ShownLines(h > 0 ? Height() / h + 1 : 1);
    if (lines.isEmpty())
        lines << blankPlaceholder;
    else if (lines.size() == 1 && TrimSpaces(lines[0]).isEmpty())
        lines << blankPlaceholder;

    const TShownEnd end = FAlignment == taRightJustify ? TShownEnd::End
                          : FAlignment == taCenter     ? TShownEnd::Middle
                                                       : TShownEnd::Start;
    canvas.save();
    canvas.setFont(font);
    canvas.setPen(ToQColor(FFont.Color));
    for (int i = 0; i < lines.size(); ++i) {
        lines[i] = ShownPart(metrics, lines[i], Width(), end);
        const int tw = metrics.horizontalAdvance(lines[i]);
        int x = 0;
        if (FAlignment == taRightJustify)
            x = Width() - tw - 1;
        else if (FAlignment == taCenter)
            x = Width() / 2 - tw / 2 + 1;
        canvas.save();
        canvas.setClipRect(QRect(0, i * h, Width(), h), Qt::IntersectClip);
        canvas.drawText(x, i * h + metrics.ascent(), lines[i]);
        canvas.restore();
    }
    canvas.restore();
}

void TGMultiLineBaseLabel::FitToText() {
    const QFontMetrics metrics = ScreenMetrics();
    if (FWordWrap)
        Rewrap();
    const QStringList& source = DisplayLines();
    int w = Width();
    for (const QString& line : source)
        w = qMax(w, metrics.horizontalAdvance(line));
    SetBounds(Left(), Top(), w, metrics.height() * int(source.size()));
    Invalidate();
}

void TGMultiLineBaseLabel::PrintTo(TReportCanvas& report, double x, double y) {
    report.SetFont(FFont.Name, FFont.Size());
    report.SetFontStyle(FFont.Has(fsBold), FFont.Has(fsItalic), false);
    report.SetFontColor(FFont.Color);
    report.SetFontRotation(0);
    report.SetBrush(clWhite, bsClear);
    const double dx = report.XDPI(), dy = report.YDPI();
    const int lh = int(std::lround(report.LineHeight() * dy));
    const double p = ScreenPixelsPerInch;
    const double left = x + Left() / p;
    const QRect box = report.DeviceRect(
        {left, y + Top() / p, x + (Left() + Width()) / p, y + (Top() + Height()) / p});
    const int boxBottom = box.top() + box.height();
    const int k = int(dx / p);
    // No placeholder on paper; no lines below the box.
    const QStringList lines = ShownLines(lh > 0 ? box.height() / lh + 1 : 1);
    int top = box.top();
    for (const QString& line : lines) {
        if (top >= boxBottom)
            break;
        const int bottom = qMin(top + lh, boxBottom);
        const int tw = int(std::lround(report.TextWidth(line) * dx));
        int xo = 0;
        if (FAlignment == taRightJustify)
            xo = box.width() - tw - k;
        else if (FAlignment == taCenter)
            xo = box.width() / 2 - tw / 2 + k;
        report.TextRect(QRect(box.left(), top, box.width(), bottom - top), left + xo / dx,
                        report.DeviceRowToInches(top), line);
        top = bottom;
    }
}
