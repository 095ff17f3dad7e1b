#pragma once

#include "platform/Color.h"

#include <QEvent>
#include <QWidget>

#include <vector>

class TGBasePanel;
class TGGraphicControl;

// The panel's selection frame. It holds the selected objects in the order they were added,
// lies over their common bounds 2 pixels outside them, and while something is selected it
// takes the mouse and the keyboard: drags move or resize the selection (snapped to the active
// grid), arrow keys nudge it. It paints nothing itself; the panel draws the selection marks
// and the dotted outline of a drag or nudge over its cached card image.
class TGHandle : public QWidget {
    Q_OBJECT
public:
    explicit TGHandle(TGBasePanel* panel);

    const std::vector<TGGraphicControl*>& Selection() const { return FSelection; }
    int Count() const { return int(FSelection.size()); }
    bool Contains(const TGGraphicControl* object) const { return IndexOf(object) >= 0; }
    int IndexOf(const TGGraphicControl* object) const;
    // The selected object at index, or nullptr when out of range.
    TGGraphicControl* Items(int index) const;

    // Adds a selectable object once and fits the frame around the grown selection.
    void Add(TGGraphicControl* object);
    void Remove(TGGraphicControl* object);
    void Clear();
    // Fits the frame around the selection again (after objects changed their bounds).
    void Refit();

    // Hit tests in panel pixels against the selected objects, each enlarged by 2 pixels.
    bool PointInSelection(const QPoint& p) const;
    TGGraphicControl* ObjectAt(const QPoint& p) const;

    // Moves and resizes the frame. Every selected object that is not locked keeps its offset
    // from the frame and changes its size by as much as the frame does.
    void SetBounds(int left, int top, int width, int height);

    void BringSelectionToFront();
    void SendSelectionToBack();

    TColor Color() const { return FColor; }
    void SetColor(TColor c);
    TColor SecondaryColor() const { return FSecondaryColor; }
    void SetSecondaryColor(TColor c);

    // While locked the selection can't be dragged or restacked; reset when it empties.
    bool Locked() const { return FLocked; }
    void SetLocked(bool v) { FLocked = v; }

    int GridX() const { return FGridX; }
    int GridY() const { return FGridY; }
    void SetGridX(int v);
    void SetGridY(int v);
    // Snapping uses the active steps; 1 means no snapping.
    bool SnapToGrid() const { return FActiveGridX > 1 || FActiveGridY > 1; }
    void SetSnapToGrid(bool v);
    int ActiveGridX() const { return FActiveGridX; }
    int ActiveGridY() const { return FActiveGridY; }
    // Truncates toward zero to a multiple of the active step.
    int SnapX(int v) const { return v / FActiveGridX * FActiveGridX; }
    int SnapY(int v) const { return v / FActiveGridY * FActiveGridY; }

    // The resize zone chosen by the mouse before a drag: 0 moves, 1 to 8 are the corners
    // (top-left, top-right, bottom-left, bottom-right) and edges (top, left, bottom, right).
    int Zone() const { return FZone; }
    bool Dragging() const { return FDragging; }
    // The pixels covered by the dotted outline of a drag or nudge in progress; null when none.
    QRect Outline() const { return FOutline; }
    // Told after a double-click was handled, so that the next mouse move ends any drag.
    void DoubleClicked() { FDoubleClicked = true; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void Hide();
    void TakeFocus();
    void ReleaseCapture();
    void ShowOutline(const QRect& outline);
    // Zone and cursor for the mouse at a point of the frame; only a single object resizes.
    int ZoneAt(const QPoint& p);
    // Keeps a point of the frame inside the panel.
    QPoint ClampToPanel(QPoint p) const;
    // The frame's bounds after dragging from the drag start to p.
    QRect DragBounds(const QPoint& p) const;
    // Passes a press or release on to whatever lies under the frame.
    void Forward(QEvent::Type type, Qt::MouseButton button, const QPoint& p);
    void UpdateNudge(int key, bool resize);
    void ApplyNudge();

    TGBasePanel* FPanel;
    std::vector<TGGraphicControl*> FSelection;
    qint64 FLastPress = 0; // 0 after a release
    QPoint FDragStart;
    int FZone = 0;
    bool FDragging = false;
    bool FNudging = false;
    int FNudgeLeft = 0, FNudgeTop = 0, FNudgeRight = 0, FNudgeBottom = 0; // right, bottom exclusive
    QRect FOutline;
    bool FDoubleClicked = false;
    TColor FColor = clBlack;
    TColor FSecondaryColor = clGray;
    bool FLocked = false;
    bool FSnapping = false;
    int FGridX = 8, FGridY = 8;
    int FActiveGridX = 1, FActiveGridY = 1;
};
