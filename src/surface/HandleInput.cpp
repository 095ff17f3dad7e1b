// The selection frame's mouse and keyboard: drags that move or resize the selection, the
// click rule, right-click menus, forwarding to the panel, and arrow-key nudging.
#include "surface/Handle.h"

#include "surface/BasePanel.h"
#include "surface/GraphicControl.h"
#include "surface/TickClock.h"
#include "surface/UndoHistory.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>

namespace {

// A held button starts a drag once this much time has passed since the press.
constexpr qint64 DragDelayMs = 10;
// A press and release closer together than this count as a click and move nothing.
constexpr qint64 ClickMs = 150;
constexpr int MinimumSize = 5;

bool Near(double a, double b, double limit) {
    return std::abs(a - b) < limit;
}

bool IsArrow(int key) {
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

} // namespace

void TGHandle::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    const QPoint panelPoint = p + pos();
    FLastPress = TTickClock::Now();
    if (FPanel->Pointing() && event->button() == Qt::LeftButton &&
        (!FSelection.empty() || PointInSelection(panelPoint))) {
        if (!FLocked) {
            FDragStart = p;
            FDragging = true;
            if (FZone == 0)
                setCursor(Qt::ClosedHandCursor);
        }
        // A Shift-click that took objects out of the selection is not the start of a drag:
        // the frame has changed under the mouse, so the drag start no longer means anything.
        if (FPanel->FrameMouseDown(event->modifiers(), panelPoint))
            FDragging = false;
        return;
    }
    if (event->button() == Qt::RightButton) {
        const QPoint global = event->globalPosition().toPoint();
        TGGraphicControl* single = Count() == 1 ? FSelection.front() : nullptr;
        if (single && PointInSelection(panelPoint) && single->ContextMenu())
            single->ContextMenu()->popup(global);
        else
            FPanel->ContextMenu()->popup(global);
        return;
    }
    unsetCursor();
    Forward(QEvent::MouseButtonPress, event->button(), p);
}

void TGHandle::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (FDoubleClicked) {
        FDragging = false;
        FDoubleClicked = false;
    }
    const bool leftHeld = event->buttons() & Qt::LeftButton;
    if (!FPanel->Pointing()) {
        unsetCursor(); // the panel's drawing-tool cursor shows through
    } else if (leftHeld && !FDragging && !FLocked) {
        // The press selected an object through the panel and the frame took the mouse:
        // a move after the short delay starts dragging it.
        if (FLastPress != 0 && TTickClock::Now() - FLastPress > DragDelayMs) {
            FDragStart = p;
            FDragging = true;
            if (FZone == 0)
                setCursor(Qt::ClosedHandCursor);
        }
    } else {
        if (!leftHeld)
            ReleaseCapture();
        if (!FDragging)
            setCursor(Qt::OpenHandCursor);
        const int zone = ZoneAt(p);
        if (FLocked)
            setCursor(Qt::ForbiddenCursor);
        if (FDragging) {
            const QRect r = DragBounds(ClampToPanel(p));
            ShowOutline(QRect(QPoint(r.x() + 2, r.y() + 2),
                              QPoint(r.x() + r.width() - 4, r.y() + r.height() - 4)));
        } else {
            FZone = zone;
        }
    }
    // With a drawing tool the panel's rubber band follows the mouse over the frame.
    FPanel->PanelMouseMove(p + pos());
}

void TGHandle::mouseReleaseEvent(QMouseEvent* event) {
    QPoint p = event->position().toPoint();
    if (FDragging && TTickClock::Now() - FLastPress < ClickMs)
        FDragStart = ClampToPanel(p);
    FLastPress = 0;
    if (!FDragging || event->button() != Qt::LeftButton) {
        Forward(QEvent::MouseButtonRelease, event->button(), p);
        return;
    }
    p = ClampToPanel(p);
    if (p != FDragStart) {
        const QRect r = DragBounds(p);
        TUndoStep step(*FPanel->History(),
                       FZone == 0 ? QStringLiteral("Move") : QStringLiteral("Resize"));
        SetBounds(r.x(), r.y(), r.width(), r.height());
    }
    ShowOutline(QRect());
    TakeFocus();
    FDragging = false;
    unsetCursor();
    ReleaseCapture();
    FPanel->PanelMouseUp(p + pos());
}

void TGHandle::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        FPanel->FrameDoubleClick(event->position().toPoint() + pos(),
                                 event->globalPosition().toPoint());
    mousePressEvent(event);
}

void TGHandle::leaveEvent(QEvent* event) {
    if (!FDragging)
        unsetCursor();
    QWidget::leaveEvent(event);
}

int TGHandle::ZoneAt(const QPoint& p) {
    if (Count() != 1)
        return 0;
    const double x = p.x(), y = p.y(), w = width(), h = height();
    int zone = 0;
    auto test = [&](bool hit, int z, Qt::CursorShape shape) {
        if (!hit)
            return;
        zone = z;
        setCursor(shape);
    };
    // Later tests win where zones overlap on a small frame.
    test(Near(x, 0, 8) && Near(y, 0, 8), 1, Qt::SizeFDiagCursor);
    test(Near(x, w, 8) && Near(y, h, 8), 4, Qt::SizeFDiagCursor);
    test(Near(x, w, 8) && Near(y, 0, 8), 2, Qt::SizeBDiagCursor);
    test(Near(x, 0, 8) && Near(y, h, 8), 3, Qt::SizeBDiagCursor);
    test(Near(x, w * 0.5, 6) && Near(y, 0, 8), 5, Qt::SizeVerCursor);
    test(Near(x, w * 0.5, 6) && Near(y, h, 8), 7, Qt::SizeVerCursor);
    test(Near(y, h * 0.5, 6) && Near(x, 0, 8), 6, Qt::SizeHorCursor);
    test(Near(y, h * 0.5, 6) && Near(x, w, 8), 8, Qt::SizeHorCursor);
    return zone;
}

QPoint TGHandle::ClampToPanel(QPoint p) const {
    if (p.x() + x() < 0)
        p.setX(-x());
    if (p.y() + y() < 0)
        p.setY(-y());
    if (x() + p.x() > FPanel->width())
        p.setX(FPanel->width() - x());
    if (y() + p.y() > FPanel->height())
        p.setY(FPanel->height() - y());
    return p;
}

QRect TGHandle::DragBounds(const QPoint& p) const {
    const int dx = p.x() - FDragStart.x(), dy = p.y() - FDragStart.y();
    const int l = x(), t = y(), w = width(), h = height();
    int nl = l, nt = t, nw = w, nh = h;
    // Edges that move follow the mouse snapped; the opposite edges stay where they are.
    const bool movesLeft = FZone == 0 || FZone == 1 || FZone == 3 || FZone == 6;
    const bool movesTop = FZone == 0 || FZone == 1 || FZone == 2 || FZone == 5;
    const bool movesRight = FZone == 2 || FZone == 4 || FZone == 8;
    const bool movesBottom = FZone == 3 || FZone == 4 || FZone == 7;
    if (movesLeft) {
        nl = SnapX(l + dx);
        if (FZone != 0)
            nw = w + l - nl;
    }
    if (movesTop) {
        nt = SnapY(t + dy);
        if (FZone != 0)
            nh = h + t - nt;
    }
    if (movesRight)
        nw = SnapX(w + dx) - 1;
    if (movesBottom)
        nh = SnapY(h + dy) - 1;
    return QRect(nl, nt, std::max(nw, MinimumSize), std::max(nh, MinimumSize));
}

void TGHandle::Forward(QEvent::Type type, Qt::MouseButton button, const QPoint& p) {
    // The target is the first other window on the panel under the point, else the panel.
    const QPoint panelPoint = p + pos();
    QWidget* target = FPanel;
    QPoint local = panelPoint;
    for (QObject* child : FPanel->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w && w != this && !w->isWindow() && w->isVisible() &&
            w->geometry().contains(panelPoint)) {
            target = w;
            local = panelPoint - w->pos();
            break;
        }
    }
    const Qt::MouseButtons buttons =
        type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    QMouseEvent forwarded(type, local, mapToGlobal(p), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &forwarded);
}

void TGHandle::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (IsArrow(key)) {
        if (!FNudging) {
            FNudging = true;
            FNudgeLeft = x() + 2;
            FNudgeTop = y() + 2;
            FNudgeRight = x() + width() - 3;
            FNudgeBottom = y() + height() - 3;
        }
        UpdateNudge(key, (event->modifiers() & Qt::ShiftModifier) && Count() == 1);
        ShowOutline(
            QRect(QPoint(FNudgeLeft, FNudgeTop), QPoint(FNudgeRight - 1, FNudgeBottom - 1)));
    }
    if (!FPanel->PanelKeyDown(key, event->modifiers()) && !IsArrow(key))
        event->ignore();
}

void TGHandle::UpdateNudge(int key, bool resize) {
    const int w = FNudgeRight - FNudgeLeft + 1, h = FNudgeBottom - FNudgeTop + 1;
    auto move = [&](int dx, int dy) {
        FNudgeLeft += dx;
        FNudgeRight += dx;
        FNudgeTop += dy;
        FNudgeBottom += dy;
    };
    switch (key) {
    case Qt::Key_Left:
        if (resize && w > 10)
            --FNudgeRight;
        else if (!resize && FNudgeLeft > 0)
            move(-1, 0);
        break;
    case Qt::Key_Up:
        if (resize && h > 10)
            --FNudgeBottom;
        else if (!resize && FNudgeTop > 0)
            move(0, -1);
        break;
    case Qt::Key_Right:
        if (w + FNudgeLeft <= FPanel->width()) {
            if (resize)
                ++FNudgeRight;
            else
                move(1, 0);
        }
        break;
    case Qt::Key_Down:
        if (h + FNudgeTop <= FPanel->height()) {
            if (resize)
                ++FNudgeBottom;
            else
                move(0, 1);
        }
        break;
    }
}

void TGHandle::keyReleaseEvent(QKeyEvent* event) {
    // Held keys repeat as press and release pairs here; only the real release applies the
    // nudge, so the rectangle moves a pixel per repeat and the objects follow once.
    if (event->isAutoRepeat())
        return;
    if (FNudging)
        ApplyNudge();
    else
        event->ignore();
}

void TGHandle::ApplyNudge() {
    ShowOutline(QRect());
    FNudging = false;
    const QSize size(FNudgeRight - FNudgeLeft + 5, FNudgeBottom - FNudgeTop + 5);
    {
        TUndoStep step(*FPanel->History(),
                       size == this->size() ? QStringLiteral("Move") : QStringLiteral("Resize"),
                       TStepKind::Nudge);
        SetBounds(FNudgeLeft - 2, FNudgeTop - 2, size.width(), size.height());
    }
    FPanel->update();
}
