#include "surface/BasePanel.h"

#include "platform/Interaction.h"
#include "platform/PictureFile.h"
#include "platform/ProgramFolder.h"
#include "surface/GraphicControl.h"
#include "surface/Handle.h"
#include "surface/ObjectFiler.h"
#include "surface/ObjectStream.h"
#include "surface/PanelMenu.h"
#include "surface/UndoHistory.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

TGBasePanel::TGBasePanel(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    FHandle = new TGHandle(this);
    FHistory = new TUndoHistory(*this);
    FContextMenu = new TPanelMenu(this);
    FClipboardFile = ProgramFolder() + QStringLiteral("Clipbrd.tmp");
}

TGBasePanel::~TGBasePanel() {
    if (FOwnsClipboardFile)
        QFile::remove(FClipboardFile);
    delete FHandle;
    FHandle = nullptr;
    for (auto it = FObjects.rbegin(); it != FObjects.rend(); ++it)
        delete *it;
}

TGGraphicControl* TGBasePanel::AddObject(std::unique_ptr<TGGraphicControl> object) {
    TGGraphicControl* o = object.release();
    o->SetPanel(this);
    FObjects.push_back(o);
    InvalidateCard();
    return o;
}

void TGBasePanel::DeleteObject(TGGraphicControl* object) {
    const auto it = std::find(FObjects.begin(), FObjects.end(), object);
    if (it == FObjects.end())
        return;
    FHandle->Remove(object);
    FObjects.erase(it);
    delete object;
    InvalidateCard();
}

int TGBasePanel::IndexOf(const TGGraphicControl* object) const {
    const auto it = std::find(FObjects.begin(), FObjects.end(), object);
    return it == FObjects.end() ? -1 : int(it - FObjects.begin());
}

void TGBasePanel::BringObjectToFront(TGGraphicControl* object) {
    const int i = IndexOf(object);
    if (i < 0)
        return;
    FObjects.erase(FObjects.begin() + i);
    FObjects.push_back(object);
    InvalidateCard();
}

void TGBasePanel::SendObjectToBack(TGGraphicControl* object) {
    const int i = IndexOf(object);
    if (i < 0)
        return;
    FObjects.erase(FObjects.begin() + i);
    FObjects.insert(FObjects.begin(), object);
    InvalidateCard();
}

void TGBasePanel::SetStackingOrder(std::vector<TGGraphicControl*> order) {
    Q_ASSERT(order.size() == FObjects.size() &&
             std::is_permutation(order.begin(), order.end(), FObjects.begin()));
    FObjects = std::move(order);
    InvalidateCard();
}

TGGraphicControl* TGBasePanel::FindObject(const QString& name) const {
    for (TGGraphicControl* o : FObjects)
        if (o->Name().compare(name, Qt::CaseInsensitive) == 0)
            return o;
    return nullptr;
}

TGGraphicControl* TGBasePanel::ObjectAt(const QPoint& p) const {
    for (auto it = FObjects.rbegin(); it != FObjects.rend(); ++it)
        if ((*it)->Visible() && (*it)->BoundsRect().contains(p))
            return *it;
    return nullptr;
}

void TGBasePanel::SetZoom(float newZoom) {
    if (newZoom == FZoom)
        return;
    FZoomInProgress = true;
    if (FZoom * 10 == 0)
        FZoom = 1.0f;
    const float f = newZoom / FZoom;
    resize(RoundHalfEven(width() * f), RoundHalfEven(height() * f));
    FZoom = newZoom;
    ShowAtPanelZoom(FObjects);
    QCoreApplication::processEvents();
    FZoomInProgress = false;
}

void TGBasePanel::ShowAtPanelZoom(const std::vector<TGGraphicControl*>& objects) {
    const bool zooming = FZoomInProgress;
    FZoomInProgress = true;
    for (TGGraphicControl* o : objects)
        o->SetZoom(FZoom);
    FZoomInProgress = zooming;
}

void TGBasePanel::SetShape(TLabelShapeType s) {
    if (s == FShape)
        return;
    FShape = s;
    InvalidateCard();
}

void TGBasePanel::SetGridSize(TGridSize g) {
    if (g == FGridSize)
        return;
    FGridSize = g;
    FHandle->SetGridX(GridStep());
    FHandle->SetGridY(GridStep());
    InvalidateCard();
}

void TGBasePanel::SetShowGrid(bool v) {
    if (v == FShowGrid)
        return;
    FShowGrid = v;
    InvalidateCard();
}

void TGBasePanel::SetSnapToGrid(bool v) {
    if (v == FSnapToGrid)
        return;
    FSnapToGrid = v;
    FHandle->SetSnapToGrid(v);
    if (v) {
        FHandle->SetGridX(GridStep());
        FHandle->SetGridY(GridStep());
    }
}

void TGBasePanel::SetDrawOutline(bool v) {
    if (v == FDrawOutline)
        return;
    FDrawOutline = v;
    InvalidateCard();
}

void TGBasePanel::SetPicture(const TPicture& picture) {
    FPicture = picture;
    InvalidateCard();
}

void TGBasePanel::SetColorPicture(const TPicture& picture) {
    FColorPicture = picture;
    InvalidateCard();
}

void TGBasePanel::ClearColorPicture() {
    SetColorPicture(TPicture());
}

void TGBasePanel::LoadColorPicture(const QString& fileName) {
    try {
        SetColorPicture(TPicture::LoadFromFile(fileName, false));
    } catch (const EPictureError&) {
        ClearColorPicture();
    }
}

void TGBasePanel::SaveToFile(const QString& fileName) {
    const float zoom = FZoom;
    if (zoom != 1.0f)
        SetZoom(1.0f);
    // The zoom comes back also when writing fails.
    struct Restore {
        TGBasePanel* panel;
        float zoom;
        ~Restore() {
            if (zoom != 1.0f)
                panel->SetZoom(zoom);
        }
    } restore{this, zoom};
    for (TGGraphicControl* o : FObjects)
        o->BeforeSave();
    TGLabelObjectFiler(*this).SaveDesign(fileName);
    AfterFileOperation();
}

void TGBasePanel::LoadFromFile(const QString& fileName) {
    if (!QFileInfo::exists(fileName))
        return;
    TGLabelObjectFiler(*this).LoadDesign(fileName);
    RehookObjects();
    AfterFileOperation();
}

void TGBasePanel::FireLabelChanged() {
    if (FZoomInProgress)
        return;
    FHistory->DesignChanged();
    if (LabelChangedEvent)
        LabelChangedEvent(this);
}

QString TGBasePanel::UniqueName(const QString& prefix) const {
    for (int n = 1; n <= 1000; ++n) {
        const QString name = prefix + QString::number(n);
        if (!FindObject(name))
            return name;
    }
    return {};
}

void TGBasePanel::PlaceNewObject(TGGraphicControl* object, const QRect& rect) {
    object->SetVisible(false);
    if (IndexOf(object) < 0)
        AddObject(std::unique_ptr<TGGraphicControl>(object));
    object->SetName(UniqueName(QStringLiteral("Special")));
    // The rectangle is in panel pixels at the panel's zoom: the object takes the zoom first,
    // so that its 100 % bounds come from the rectangle converted once.
    object->SetZoomField(FZoom);
    object->SetTop(rect.top());
    object->SetLeft(rect.left());
    object->SetWidth(std::max(rect.width(), 10));
    object->SetHeight(std::max(rect.height(), 15));
    object->SetVisible(true);
    FireLabelChanged();
    QCoreApplication::processEvents();
}

void TGBasePanel::RehookObjects() {
    for (TGGraphicControl* o : FObjects)
        o->SetZoomField(FZoom);
}

void TGBasePanel::ClearObjects() {
    FHandle->Clear();
    while (!FObjects.empty()) {
        TGGraphicControl* o = FObjects.back();
        FObjects.pop_back();
        delete o;
    }
    InvalidateCard();
}

void TGBasePanel::RemoveStrayObjects() {
    FHandle->Clear();
    for (int i = int(FObjects.size()) - 1; i >= 0; --i) {
        TGGraphicControl* o = FObjects[i];
        if (o->Top() > height() - 10 || o->Left() > width() - 10 || o->Width() < 1 ||
            o->Height() < 1)
            DeleteObject(o);
    }
}

void TGBasePanel::PrintObjects(TReportCanvas& report, double x, double y) {
    for (TGGraphicControl* o : FObjects)
        o->PrintTo(report, x, y);
}

void TGBasePanel::CloneObject(TGGraphicControl* object) {
    TGGraphicControl* copy = nullptr;
    try {
        copy = TGLabelObjectFiler(*this).CopyObject(*object);
    } catch (const EStreamError& e) {
        // A class missing from the registry: say so rather than let it reach the event loop.
        TInteraction::Current().Information(this, e.Message());
    }
    if (!copy)
        return;
    copy->SetTop(object->Top() + 25);
    BringObjectToFront(copy);
    AfterFileOperation();
    if (FHandle->Contains(object)) {
        FHandle->Remove(object);
        FHandle->Add(copy);
    }
    RehookObjects();
    object->NotifyChanged();
}

void TGBasePanel::SetMergeRecord(const TMergeRecord& record) {
    if (record.List == FMergeRecord.List && record.Index == FMergeRecord.Index)
        return;
    FMergeRecord = record;
    for (TGGraphicControl* o : FObjects)
        o->MergeRecordChanged();
    InvalidateCard();
}

void TGBasePanel::InvalidateCard() {
    FCardDirty = true;
    update();
}

void TGBasePanel::PostHandleRefit() {
    if (FRefitPosted)
        return;
    FRefitPosted = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            FRefitPosted = false;
            FHandle->Refit();
            update();
        },
        Qt::QueuedConnection);
}

QRect TGBasePanel::RubberBand() const {
    if (!FRubberBandActive)
        return {};
    return QRect(FBandAnchor, FBandCorner).normalized();
}

void TGBasePanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    InvalidateCard();
}

QPainterPath TGBasePanel::CardShapePath() const {
    // The clip region covers one pixel more than the panel, as the card outline's region does.
    const QRectF r(0, 0, width() + 1, height() + 1);
    QPainterPath path;
    switch (FShape) {
    case lsRectangle:
        path.addRect(r);
        break;
    case lsRoundRect:
        path.addRoundedRect(r, 12, 12);
        break;
    case lsEllipse:
        path.addEllipse(r);
        break;
    }
    return path;
}

void TGBasePanel::PaintCardLayers(QPainter& p) {
    const QRect all(0, 0, width(), height());
    p.fillRect(all, Qt::white);
    const QPainterPath clip = CardShapePath();
    for (const TPicture* picture : {&FPicture, &FColorPicture}) {
        if (!picture->IsDrawable())
            continue;
        p.save();
        p.setClipPath(clip);
        picture->Draw(p, all);
        p.restore();
    }
    if (FDrawOutline) {
        QPen pen(Qt::black, 0);
        pen.setDashPattern({1.0, 1.0});
        p.save();
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        const QRectF outline(0.5, 0.5, width() - 1, height() - 1);
        switch (FShape) {
        case lsRectangle:
            p.drawRect(outline);
            break;
        case lsRoundRect:
            p.drawRoundedRect(outline, 12, 12);
            break;
        case lsEllipse:
            p.drawEllipse(outline);
            break;
        }
        p.restore();
    }
}

void TGBasePanel::RebuildCard() {
    const qreal dpr = devicePixelRatioF();
    const QSize size(qMax(1, int(width() * dpr)), qMax(1, int(height() * dpr)));
    if (FCard.size() != size)
        FCard = QImage(size, QImage::Format_ARGB32_Premultiplied);
    FCard.setDevicePixelRatio(dpr);
    {
        QPainter p(&FCard);
        PaintCardLayers(p);
    }
    if (FShowGrid) {
        // Each dot keeps only the green channel's high bit of what lies under it, as an AND
        // with RGB(0, 128, 0) does; dots sit 2 pixels inside every grid cell.
        const QPainterPath clip = CardShapePath();
        const int s = GridStep();
        const int d = qMax(1, int(dpr));
        for (int y = 2; y < height(); y += s)
            for (int x = 2; x < width(); x += s) {
                if (!clip.contains(QPointF(x + 0.5, y + 0.5)))
                    continue;
                for (int dy = 0; dy < d; ++dy) {
                    auto* line = reinterpret_cast<QRgb*>(FCard.scanLine(int(y * dpr) + dy));
                    for (int dx = 0; dx < d; ++dx) {
                        QRgb& px = line[int(x * dpr) + dx];
                        px = (px & 0xFF000000u) | (px & 0x00008000u);
                    }
                }
            }
    }
    {
        QPainter p(&FCard);
        for (TGGraphicControl* o : FObjects) {
            if (!o->Visible())
                continue;
            p.save();
            p.translate(o->Left(), o->Top());
            p.setClipRect(0, 0, o->Width(), o->Height());
            o->PaintShown(p);
            p.restore();
        }
    }
    FCardDirty = false;
}

const QImage& TGBasePanel::CardImage() {
    if (FCardDirty)
        RebuildCard();
    return FCard;
}

void TGBasePanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, CardImage());
    for (TGGraphicControl* o : FHandle->Selection())
        o->DrawSelectionMarks(p);
    const QRect outline = FHandle->Outline();
    if (FRubberBandActive || !outline.isNull()) {
        // The rubber band and the frame's drag or nudge outline: dotted, inverting what lies
        // under them as an exclusive-or pen does.
        QPen pen(Qt::white, 0);
        pen.setDashPattern({1.0, 1.0});
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        if (FRubberBandActive)
            p.drawRect(RubberBand());
        if (!outline.isNull())
            p.drawRect(outline.adjusted(0, 0, -1, -1));
    }
}

void TGBasePanel::PanelMouseDown(Qt::MouseButton button, const QPoint& p) {
    FBandAnchor = FBandCorner = p;
    if (button == Qt::LeftButton) {
        FRubberBandActive = true;
        setCursor(Qt::PointingHandCursor);
    } else {
        FContextMenu->popup(mapToGlobal(p));
    }
}

void TGBasePanel::PanelMouseMove(const QPoint& p) {
    if (!FRubberBandActive)
        return;
    setCursor(Qt::PointingHandCursor);
    FBandCorner = p;
    update();
}

void TGBasePanel::PanelMouseUp(const QPoint& p) {
    if (FRubberBandActive) {
        // Normalised as the band is: a reversed edge takes the release point.
        int l = FBandAnchor.x(), t = FBandAnchor.y(), r = FBandCorner.x(), b = FBandCorner.y();
        if (r < l) {
            r = l;
            l = p.x();
        }
        if (b < t) {
            b = t;
            t = p.y();
        }
        FRubberBandActive = false;
        QRect band(QPoint(l, t), QPoint(r - 1, b - 1));
        update();
        if (FPointing) {
            SelectInRect(band, QGuiApplication::keyboardModifiers() & Qt::ShiftModifier);
        } else {
            CreateObjectInRect(band);
            if (DroppedObjectEvent)
                DroppedObjectEvent(band);
        }
    }
    RestoreCursor();
}

void TGBasePanel::RestoreCursor() {
    if (FPointing)
        unsetCursor();
    else
        setCursor(Qt::DragMoveCursor); // the drawing tools' cursor
}

void TGBasePanel::SelectInRect(const QRect& rect, bool shift) {
    std::vector<TGGraphicControl*> list;
    if (shift)
        list = FHandle->Selection();
    FHandle->Clear();
    for (auto it = FObjects.rbegin(); it != FObjects.rend(); ++it) {
        TGGraphicControl* o = *it;
        // Any overlap counts, not only full containment; an empty band touches nothing.
        const bool hit = rect.intersects(o->BoundsRect());
        if (!hit)
            continue;
        const auto found = std::find(list.begin(), list.end(), o);
        if (found != list.end() && shift)
            list.erase(found);
        else if (found == list.end())
            list.push_back(o);
    }
    for (TGGraphicControl* o : list)
        FHandle->Add(o);
}

void TGBasePanel::ObjectMouseDown(TGGraphicControl* sender, Qt::MouseButton button,
                                  Qt::KeyboardModifiers shift, const QPoint& panelPoint) {
    if (!FPointing || sender->Unselectable()) {
        PanelMouseDown(button, panelPoint);
        return;
    }
    if (!(shift & Qt::ShiftModifier))
        FHandle->Clear();
    FHandle->Add(sender);
    update();
    if (FHandle->Count() == 1 && button == Qt::RightButton && sender->ContextMenu())
        sender->ContextMenu()->popup(mapToGlobal(panelPoint));
}

void TGBasePanel::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (TGGraphicControl* o = ObjectAt(p))
        ObjectMouseDown(o, event->button(), event->modifiers(), p);
    else
        PanelMouseDown(event->button(), p);
}

void TGBasePanel::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (!FRubberBandActive) {
        if (FPointing && ObjectAt(p))
            setCursor(Qt::PointingHandCursor);
        else
            RestoreCursor();
        return;
    }
    PanelMouseMove(p);
}

void TGBasePanel::mouseReleaseEvent(QMouseEvent* event) {
    PanelMouseUp(event->position().toPoint());
}

bool TGBasePanel::FrameMouseDown(Qt::KeyboardModifiers shift, const QPoint& panelPoint) {
    if (!(shift & Qt::ShiftModifier))
        return false;
    std::vector<TGGraphicControl*> keep;
    for (TGGraphicControl* o : FHandle->Selection())
        if (!o->BoundsRect().contains(panelPoint))
            keep.push_back(o);
    if (int(keep.size()) == FHandle->Count())
        return false;
    FHandle->Clear();
    for (TGGraphicControl* o : keep)
        FHandle->Add(o);
    return true;
}

void TGBasePanel::ObjectDoubleClick(TGGraphicControl* object, const QPoint& globalPoint) {
    if (object->DoubleClickAction) {
        FHistory->BeginStep(QStringLiteral("Properties"));
        object->DoubleClickAction(this);
    } else if (object->ContextMenu())
        object->ContextMenu()->popup(globalPoint);
    FHandle->DoubleClicked();
}

void TGBasePanel::FrameDoubleClick(const QPoint& panelPoint, const QPoint& globalPoint) {
    TGGraphicControl* o = FHandle->Count() == 1 ? FHandle->ObjectAt(panelPoint) : nullptr;
    if (o)
        ObjectDoubleClick(o, globalPoint);
    else
        FHandle->DoubleClicked();
}

QMenu* TGBasePanel::ContextMenu() const {
    return FContextMenu;
}

void TGBasePanel::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (TGGraphicControl* o = ObjectAt(p))
        ObjectDoubleClick(o, event->globalPosition().toPoint());
}

void TGBasePanel::keyPressEvent(QKeyEvent* event) {
    if (!PanelKeyDown(event->key(), event->modifiers()))
        QWidget::keyPressEvent(event);
}
