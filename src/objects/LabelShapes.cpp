#include "objects/LabelShapes.h"

#include "objects/ShapeMenus.h"
#include "objects/ShapePen.h"
#include "report/ReportCanvas.h"
#include "surface/BasePanel.h"
#include "widgets/StandardDialogs.h"

#include <QAction>
#include <QMenu>
#include <QPainter>

#include <algorithm>

TGLabelShapes::TGLabelShapes() {
    SetBounds(0, 0, 25, 25);
}

const TPropertyList& TGLabelShapes::ClassProperties() {
    using C = TGLabelShapes;
    static const TPropertyList list = [] {
        TPropertyList l = TGGraphicControl::ClassProperties();
        l.push_back(Published<C>(
            "Transparent", TPropType::Boolean, [](const C& o) { return o.Transparent(); },
            [](C& o, const QVariant& v) { o.SetTransparent(v.toBool()); }));
        AddBrushProperties<C>(
            l, "Brush", [](const C& o) -> const TBrush& { return o.Brush(); },
            [](C& o, const TBrush& b) { o.SetBrush(b); });
        AddPenProperties<C>(
            l, "Pen", [](const C& o) -> const TPen& { return o.Pen(); },
            [](C& o, const TPen& p) { o.SetPen(p); });
        l.push_back(Published<C>(
            "RoundPerc", TPropType::Integer, [](const C& o) { return o.RoundPerc(); },
            [](C& o, const QVariant& v) { o.SetRoundPerc(v.toInt()); }, 25));
        l.push_back(Published<C>(
            "Shape", TPropType::Enumeration, [](const C& o) { return int(o.Shape()); },
            [](C& o, const QVariant& v) { o.SetShape(TShapeType(v.toInt())); }, stRectangle,
            {"stRectangle", "stSquare", "stRoundRect", "stRoundSquare", "stEllipse", "stCircle"}));
        return l;
    }();
    return list;
}

void TGLabelShapes::SetTransparent(bool v) {
    if (v == FTransparent)
        return;
    FTransparent = v;
    FBrush.Style = v ? bsClear : bsSolid;
    Invalidate();
}

void TGLabelShapes::SetBrush(const TBrush& b) {
    if (b == FBrush)
        return;
    FBrush = b;
    Invalidate();
}

void TGLabelShapes::SetPen(const TPen& p) {
    if (p == FPen)
        return;
    FPen = p;
    Invalidate();
}

void TGLabelShapes::SetRoundPerc(int v) {
    if (v == FRoundPerc)
        return;
    FRoundPerc = v;
    Invalidate();
}

void TGLabelShapes::SetShape(TShapeType v) {
    if (v == FShape)
        return;
    FShape = v;
    Invalidate();
}

void TGLabelShapes::BuildContextMenu() {
    TGGraphicControl::BuildContextMenu();
    QMenu& menu = *ContextMenu();
    AddMenuSeparator();
    AddMenuItem(QStringLiteral("Background Color"), [this] { ChooseBackgroundColor(); });
    AddMenuItem(QStringLiteral("Line Color"), [this] { ChooseLineColor(); });
    FThicknessItems = AddLineThicknessMenu(menu, [this](int n) { SetPenWidthFromMenu(n); });
    AddMenuSeparator();
    FTransparentItem = AddMenuItem(QStringLiteral("Transparent"), [this] {
        SetTransparent(!FTransparent);
        NotifyChanged();
    });
    FTransparentItem->setCheckable(true);
    // The rounding choice belongs to the kind the object had when its menu was built.
    if (IsRounded()) {
        AddMenuSeparator();
        QMenu* rounding = menu.addMenu(QStringLiteral("Degree of Rounding"));
        for (int perc = 20; perc <= 80; perc += 10) {
            QAction* item = rounding->addAction(QString::number(perc) + QStringLiteral(" %"));
            item->setData(perc);
            QObject::connect(item, &QAction::triggered, rounding, [this, perc] {
                SetRoundPerc(perc);
                NotifyChanged();
            });
        }
    }
}

void TGLabelShapes::PopupOpening() {
    if (FTransparentItem)
        FTransparentItem->setChecked(FTransparent);
    CheckLineThickness(FThicknessItems, FPen.Width);
}

void TGLabelShapes::ChooseBackgroundColor() {
    const auto color = ChooseColor(FBrush.Color, Panel());
    if (!color)
        return;
    TBrush b = FBrush;
    b.Color = *color;
    SetBrush(b);
    NotifyChanged();
    SetTransparent(false);
    Invalidate();
}

void TGLabelShapes::ChooseLineColor() {
    const auto color = ChooseColor(FPen.Color, Panel());
    if (!color)
        return;
    TPen p = FPen;
    p.Color = *color;
    SetPen(p);
    NotifyChanged();
    Invalidate();
}

void TGLabelShapes::SetPenWidthFromMenu(int width) {
    TPen p = FPen;
    p.Width = width;
    SetPen(p);
    NotifyChanged();
}

QRect TGLabelShapes::OutlineBox() const {
    const int w = ZoomedPenWidth(FPen.Width, Zoom(), true);
    const int h = w / 2;
    return QRect(QPoint(h, h), QPoint(Width() - w + h + 1, Height() - w + h + 1));
}

int TGLabelShapes::CornerSize() const {
    return int(std::max(Width(), Height()) * (FRoundPerc * 0.01));
}

void TGLabelShapes::Paint(QPainter& canvas) {
    const int w = ZoomedPenWidth(FPen.Width, Zoom(), true);
    canvas.save();
    canvas.setCompositionMode(PenComposition(FPen.Mode));
    canvas.setPen(ScreenPen(FPen.Color, psSolid, w));
    canvas.setBrush(QBrush(ToQColor(FBrush.Color), ToQtBrushStyle(FBrush.Style)));
    // The box's far corner is the end point, exclusive: the stroke's centre runs one pixel
    // before it.
    const QRect box = OutlineBox();
    const double o = StrokeOffset(w);
    const QRectF path(box.left() + o, box.top() + o, box.right() - box.left() - 1,
                      box.bottom() - box.top() - 1);
    if (IsRounded()) {
        canvas.setRenderHint(QPainter::Antialiasing);
        const double radius = CornerSize() / 2.0;
        canvas.drawRoundedRect(path, radius, radius);
    } else if (IsEllipse()) {
        canvas.setRenderHint(QPainter::Antialiasing);
        canvas.drawEllipse(path);
    } else {
        canvas.drawRect(path);
    }
    canvas.restore();
}

void TGLabelShapes::PrintTo(TReportCanvas& report, double x, double y) {
    const double p = ScreenPixelsPerInch;
    report.SetPen(FPen.Color, FPen.Style, -int(FPen.Width / p * 100), FPen.Mode);
    report.SetBrush(FBrush.Color, FBrush.Style);
    const TInchRect r{x + Left() / p, y + Top() / p, x + (Left() + Width()) / p,
                      y + (Top() + Height()) / p};
    if (IsRounded()) {
        const double d = Height() < Width() ? r.Right - r.Left : r.Bottom - r.Top;
        const double corner = FRoundPerc * 0.01 * d;
        report.RoundRect(r, corner, corner);
    } else if (IsEllipse()) {
        report.Ellipse(r);
    } else {
        report.Rectangle(r);
    }
}
