#include "objects/LineShape.h"

#include "objects/ShapeMenus.h"
#include "objects/ShapePen.h"
#include "report/ReportCanvas.h"
#include "surface/BusinessCardPanel.h"
#include "widgets/StandardDialogs.h"

#include <QAction>
#include <QMenu>
#include <QPainter>

#include <optional>

namespace {
const QStringList& lineStyleNames() {
    static const QStringList names{"stHorizontal", "stVertical", "stAngleSlopingUp",
                                   "stAngleSlopingDown"};
    return names;
}
} // namespace

TGLineShape::TGLineShape() {
    SetBounds(0, 0, 10, 10);
}

const TPropertyList& TGLineShape::ClassProperties() {
    using C = TGLineShape;
    static const TPropertyList list = [] {
        TPropertyList l = TGGraphicControl::ClassProperties();
        l.push_back(Published<C>(
            "LineStyle", TPropType::Enumeration, [](const C& o) { return int(o.LineStyle()); },
            [](C& o, const QVariant& v) { o.SetLineStyle(TLineStyle(v.toInt())); }, stHorizontal,
            lineStyleNames()));
        AddPenProperties<C>(
            l, "Pen", [](const C& o) -> const TPen& { return o.Pen(); },
            [](C& o, const TPen& p) { o.SetPen(p); });
        return l;
    }();
    return list;
}

void TGLineShape::SetLineStyle(TLineStyle v) {
    if (v == FLineStyle)
        return;
    FLineStyle = v;
    Invalidate();
}

void TGLineShape::SetPen(const TPen& p) {
    if (p == FPen)
        return;
    FPen = p;
    Invalidate();
}

void TGLineShape::BuildContextMenu() {
    TGGraphicControl::BuildContextMenu();
    QMenu& menu = *ContextMenu();
    AddMenuSeparator();
    QMenu* style = menu.addMenu(QStringLiteral("Style"));
    const QStringList captions{"Horizontal", "Vertical", "Angled Sloping Up",
                               "Angled Sloping Down"};
    FStyleItems.clear();
    for (int i = 0; i < captions.size(); ++i) {
        QAction* item = style->addAction(captions[i]);
        item->setCheckable(true);
        QObject::connect(item, &QAction::triggered, style, [this, i] {
            NotifyChanged();
            SetLineStyle(TLineStyle(i));
        });
        FStyleItems.append(item);
    }
    AddMenuItem(QStringLiteral("Color"), [this] { ChooseLineColor(); });
    FThicknessItems = AddLineThicknessMenu(menu, [this](int n) {
        TPen p = FPen;
        p.Width = n;
        SetPen(p);
        NotifyChanged();
    });
    AddMenuSeparator();
    AddMenuItem(QStringLiteral("Stretch To Edges"), [this] { StretchToEdges(); });
}

void TGLineShape::PopupOpening() {
    CheckLineThickness(FThicknessItems, FPen.Width);
    for (int i = 0; i < FStyleItems.size(); ++i)
        FStyleItems[i]->setChecked(i == FLineStyle);
}

void TGLineShape::ChooseLineColor() {
    const auto color = ChooseColor(FPen.Color, Panel());
    if (!color)
        return;
    NotifyChanged();
    TPen p = FPen;
    p.Color = *color;
    SetPen(p);
}

void TGLineShape::StretchToEdges() {
    auto* panel = qobject_cast<TGBusinessCardPanel32*>(Panel());
    if (!panel)
        return;
    if (FLineStyle == stHorizontal)
        SetBounds(0, Top(), panel->width(), Height());
    else if (FLineStyle == stVertical)
        SetBounds(Left(), 0, Width(), panel->height());
    Invalidate();
}

QLine TGLineShape::ScreenLine() const {
    const int w = ZoomedPenWidth(FPen.Width, Zoom(), false);
    const int h = w / 2;
    switch (FLineStyle) {
    case stHorizontal:
        return QLine(h, h, Width() - w + h + 1, h);
    case stVertical:
        return QLine(h, h, h, Height() - w + h + 1);
    case stAngleSlopingUp:
        return QLine(Width(), 0, 0, Height());
    case stAngleSlopingDown:
        return QLine(0, 0, Width(), Height());
    }
    return {};
}

void TGLineShape::Paint(QPainter& canvas) {
    const int w = ZoomedPenWidth(FPen.Width, Zoom(), false);
    canvas.save();
    canvas.setCompositionMode(PenComposition(FPen.Mode));
    canvas.setPen(ScreenPen(FPen.Color, FPen.Style, w));
    const QLine l = ScreenLine();
    if (FLineStyle == stHorizontal || FLineStyle == stVertical) {
        // The stroke's centre sits on the pixels from the start up to the exclusive end.
        const double o = StrokeOffset(w);
        const bool across = FLineStyle == stHorizontal;
        canvas.drawLine(QLineF(l.x1() + (across ? 0 : o), l.y1() + (across ? o : 0),
                               l.x2() + (across ? 0 : o), l.y2() + (across ? o : 0)));
    } else {
        canvas.setRenderHint(QPainter::Antialiasing);
        canvas.drawLine(l);
    }
    canvas.restore();
}

void TGLineShape::PrintTo(TReportCanvas& report, double x, double y) {
    // Lines print one hundredth of an inch per pixel of width.
    report.SetPen(FPen.Color, FPen.Style, -FPen.Width, pmCopy);
    const double p = ScreenPixelsPerInch;
    const int h = FPen.Width / 2;
    const double xl = x + Left() / p, xr = x + (Left() + Width()) / p;
    const double yt = y + (Top() + h) / p, yb = y + (Top() + Height() + h) / p;
    const auto ends = [&]() -> std::optional<QLineF> {
        switch (FLineStyle) {
        case stHorizontal:
            return QLineF(xl, yt, xr, yt);
        case stVertical:
            return QLineF(xl, yt, xl, yb);
        case stAngleSlopingUp:
            return QLineF(xl, yb, xr, yt);
        case stAngleSlopingDown:
            return QLineF(xl, yt, xr, yb);
        }
        return std::nullopt;
    }();
    if (!ends)
        return;
    report.MoveTo(ends->x1(), ends->y1());
    report.LineTo(ends->x2(), ends->y2());
}
