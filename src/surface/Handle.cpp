#include "surface/Handle.h"

#include "surface/BasePanel.h"
#include "surface/GraphicControl.h"
#include "surface/TickClock.h"

#include <QRegion>

#include <algorithm>
#include <climits>

namespace {

// Smallest Left and Top, largest Left + Width and Top + Height of the objects.
QRect Extent(const std::vector<TGGraphicControl*>& objects) {
    int l = INT_MAX, t = INT_MAX, r = INT_MIN, b = INT_MIN;
    for (const TGGraphicControl* o : objects) {
        l = std::min(l, o->Left());
        t = std::min(t, o->Top());
        r = std::max(r, o->Left() + o->Width());
        b = std::max(b, o->Top() + o->Height());
    }
    return QRect(QPoint(l, t), QPoint(r, b)); // right and bottom used as exclusive edges
}

// The one-pixel edges of a rectangle, all a dotted outline can touch.
QRegion Edges(const QRect& r) {
    if (r.isNull())
        return {};
    QRegion region(r);
    if (r.width() > 2 && r.height() > 2)
        region -= r.adjusted(1, 1, -1, -1);
    return region;
}

} // namespace

TGHandle::TGHandle(TGBasePanel* panel) : QWidget(panel), FPanel(panel) {
    // Transparent: the panel's card and marks show through; only the mouse is taken.
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setGeometry(0, 0, 24, 24);
    setEnabled(false);
    hide();
}

int TGHandle::IndexOf(const TGGraphicControl* object) const {
    const auto it = std::find(FSelection.begin(), FSelection.end(), object);
    return it == FSelection.end() ? -1 : int(it - FSelection.begin());
}

TGGraphicControl* TGHandle::Items(int index) const {
    if (index < 0 || index >= Count())
        return nullptr;
    return FSelection[size_t(index)];
}

void TGHandle::Add(TGGraphicControl* object) {
    if (!object || object->Unselectable())
        return;
    FLastPress = TTickClock::Now();
    if (Contains(object))
        return;
    setCursor(Qt::OpenHandCursor);
    if (!FSelection.empty()) {
        const QRect f = geometry();
        const int l = std::min(f.x(), object->Left() - 2);
        const int t = std::min(f.y(), object->Top() - 2);
        const int r = std::max(f.x() + f.width() - 3, object->Left() + object->Width());
        const int b = std::max(f.y() + f.height() - 3, object->Top() + object->Height());
        setGeometry(l, t, r - l + 3, b - t + 3);
    } else {
        ShowOutline(QRect());
        setEnabled(true);
        show();
        setGeometry(object->Left() - 2, object->Top() - 2, object->Width() + 5,
                    object->Height() + 5);
    }
    FSelection.push_back(object);
    FZone = 0;
    raise();
    // Holding the mouse lets a press that selected an object go on into a drag of it.
    if (isVisible())
        grabMouse();
    TakeFocus();
    FPanel->update();
}

void TGHandle::Remove(TGGraphicControl* object) {
    const int i = IndexOf(object);
    if (i < 0)
        return;
    FSelection.erase(FSelection.begin() + i);
    if (!FSelection.empty()) {
        const QRect e = Extent(FSelection);
        setGeometry(e.left() - 2, e.top() - 2, e.right() - e.left() + 5, e.bottom() - e.top() + 5);
    } else {
        FLocked = false;
        Hide();
    }
    FPanel->update();
}

void TGHandle::Clear() {
    FSelection.clear();
    FLocked = false;
    Hide();
    resize(24, 24);
    FPanel->update();
}

void TGHandle::Hide() {
    ReleaseCapture();
    setEnabled(false);
    hide();
    ShowOutline(QRect());
}

void TGHandle::Refit() {
    if (FSelection.empty())
        return;
    raise();
    // A refit leaves 4 pixels right and below where adding leaves 3.
    const QRect e = Extent(FSelection);
    setGeometry(e.left() - 2, e.top() - 2, e.right() - e.left() + 6, e.bottom() - e.top() + 6);
    FPanel->update();
}

bool TGHandle::PointInSelection(const QPoint& p) const {
    return ObjectAt(p) != nullptr;
}

TGGraphicControl* TGHandle::ObjectAt(const QPoint& p) const {
    for (TGGraphicControl* o : FSelection)
        if (o->BoundsRect().adjusted(-2, -2, 2, 2).contains(p))
            return o;
    return nullptr;
}

void TGHandle::SetBounds(int left, int top, int width, int height) {
    const QRect f = geometry();
    for (TGGraphicControl* o : FSelection)
        if (!o->Locked())
            o->SetBounds(left + o->Left() - f.x(), top + o->Top() - f.y(),
                         width + o->Width() - f.width(), height + o->Height() - f.height());
    setGeometry(left, top, width, height);
}

void TGHandle::BringSelectionToFront() {
    if (FSelection.empty() || FLocked)
        return;
    for (TGGraphicControl* o : FSelection)
        FPanel->BringObjectToFront(o);
    raise();
    TakeFocus();
}

void TGHandle::SendSelectionToBack() {
    if (FSelection.empty() || FLocked)
        return;
    for (TGGraphicControl* o : FSelection)
        FPanel->SendObjectToBack(o);
    raise();
    TakeFocus();
}

void TGHandle::TakeFocus() {
    if (isVisible() && isEnabled())
        setFocus(Qt::OtherFocusReason);
}

void TGHandle::ReleaseCapture() {
    if (mouseGrabber() == this)
        releaseMouse();
}

void TGHandle::ShowOutline(const QRect& outline) {
    if (outline == FOutline)
        return;
    // Only the strips under the old and the new outline are repainted from the cached card.
    FPanel->update(Edges(FOutline) + Edges(outline));
    FOutline = outline;
}

void TGHandle::SetColor(TColor c) {
    FColor = c;
    FPanel->update();
}

void TGHandle::SetSecondaryColor(TColor c) {
    FSecondaryColor = c;
    FPanel->update();
}

// A new step becomes the active one only while snapping is on; otherwise changing the
// grid would quietly switch snapping on.
void TGHandle::SetGridX(int v) {
    if (v == FGridX)
        return;
    FGridX = v;
    if (FSnapping)
        FActiveGridX = v;
}

void TGHandle::SetGridY(int v) {
    if (v == FGridY)
        return;
    FGridY = v;
    if (FSnapping)
        FActiveGridY = v;
}

void TGHandle::SetSnapToGrid(bool v) {
    FSnapping = v;
    FActiveGridX = v ? FGridX : 1;
    FActiveGridY = v ? FGridY : 1;
}
