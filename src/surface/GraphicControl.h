#pragma once

#include "merge/MergeFields.h"
#include "surface/PropertyInfo.h"

#include <QRect>
#include <QString>

#include <functional>

class QAction;
class QMenu;
class QPainter;
class TGBasePanel;
class TReportCanvas;

// Base of every object placed on a card. An object is windowless: the card panel paints
// it inside its bounds (panel pixels at the panel's zoom) and routes the mouse to it.
// Its position among the panel's objects is its stacking order (first = bottom).
class TGGraphicControl {
public:
    TGGraphicControl();
    virtual ~TGGraphicControl();
    TGGraphicControl(const TGGraphicControl&) = delete;
    TGGraphicControl& operator=(const TGGraphicControl&) = delete;

    // The class name design files use, e.g. "TGPLabel".
    virtual QString ClassName() const = 0;
    // Published properties in stream order, base class first.
    virtual const TPropertyList& Properties() const { return ClassProperties(); }
    static const TPropertyList& ClassProperties();

    // Called once after creation by drawing or after the last object of a stream was read.
    // The context menu is built only when it is first asked for, so that reading a design
    // makes no widgets.
    virtual void Loaded();
    // Draws the object at its bounds and zoom; the painter's origin is the object's
    // top-left corner and it is clipped to the object.
    virtual void Paint(QPainter& canvas);
    virtual void BoundsChanged();
    virtual void PopupOpening() {}
    virtual void ApplyFont(const TFont&) {}
    virtual void BeforeSave() {}
    // Prints the object with the card's top-left corner at (x, y) inches on the page.
    virtual void PrintTo(TReportCanvas& report, double x, double y);

    QString Name() const { return FName; }
    void SetName(const QString& name) { FName = name; }
    int Tag() const { return FTag; }
    void SetTag(int tag) { FTag = tag; }
    int Cursor() const { return FCursor; }
    void SetCursor(int cursor) { FCursor = cursor; }
    QString Hint() const { return FHint; }
    void SetHint(const QString& hint) { FHint = hint; }

    int Left() const { return FBounds.left(); }
    int Top() const { return FBounds.top(); }
    int Width() const { return FBounds.width(); }
    int Height() const { return FBounds.height(); }
    QRect BoundsRect() const { return FBounds; }
    void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
    void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
    void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
    void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }
    // Every change of position or size ends in BoundsChanged, except while reading. Bounds
    // given at a zoom other than 100 % also change the 100 % bounds, each changed side
    // converted once; fitting the object to its content on the screen (while painting,
    // zooming or reacting to a change of bounds) changes only what is shown.
    void SetBounds(int left, int top, int width, int height);

    float Zoom() const { return FZoom; }
    // Shows the 100 % bounds at the new zoom (halves round to even), then BoundsChanged.
    void SetZoom(float newZoom);
    // The bounds at 100 %: the object's true geometry, which the object stream stores. The
    // shown bounds are always derived from them, so zooming never moves an object.
    QRect DesignBounds() const { return FDesignBounds; }
    // Takes the panel's zoom without rescaling: the bounds as they stand are panel pixels at
    // that zoom (a drawn object's rectangle).
    void SetZoomField(float zoom);
    // Paints as the panel does: whatever the object fits to its content while drawing only
    // changes what is shown.
    void PaintShown(QPainter& canvas);

    bool Locked() const { return FLocked; }
    void SetLocked(bool v);
    bool Unselectable() const { return FUnselectable; }
    void SetUnselectable(bool v);

    // While true the object is being read from a stream: setters only store values.
    bool Reading() const { return FReading; }
    void SetReading(bool v) { FReading = v; }

    TGBasePanel* Panel() const { return FPanel; }
    void SetPanel(TGBasePanel* panel) { FPanel = panel; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);

    // The context menu, built on first use; nullptr until the object was Loaded.
    QMenu* ContextMenu();
    // When set, a double-click runs this instead of opening the context menu.
    std::function<void(TGBasePanel*)> DoubleClickAction;

    void NotifyChanged();
    // Asks the panel, later, to refit the selection frame around the selection.
    void RequestHandleRefit();
    // Marks the card image stale so the panel paints it anew.
    void Invalidate();
    // The record the panel shows or prints, if any.
    TMergeRecord MergeRecord() const;
    // The text with the merge fields filled from that record.
    QString MergedText(const QString& text) const;
    // The panel's record changed: objects that lay out their text do it again.
    virtual void MergeRecordChanged() { Invalidate(); }
    // Draws the four (or, alone in the selection, eight) selection marks in panel pixels.
    void DrawSelectionMarks(QPainter& canvas) const;

    // Context-menu commands.
    void BringToFront();
    void SendToBack();
    void ToggleLocked();
    void MakeUnselectable();
    void CenterVertically();
    void CenterHorizontally();

    static QString TrimLeading(const QString& s);
    static QString TrimTrailing(const QString& s);
    static QString TrimSpaces(const QString& s);

protected:
    // Fills the context menu as it is built: the base's items; each kind calls the base
    // first and appends its own. The menu's opening then runs PopupOpening.
    virtual void BuildContextMenu();
    // Adds an item to the context menu.
    QAction* AddMenuItem(const QString& caption, std::function<void()> action);
    void AddMenuSeparator();
    // Runs fit at 100 %, with the 100 % bounds as the bounds, so that what it fits is the
    // object's true geometry; the shown bounds follow what changed.
    void AtDesignZoom(const std::function<void()>& fit);
    // Stores a new value of a property that shows on the card: repaints and, unless the
    // object is being read, reports the change. Nothing happens when the value is the same.
    template <class T> void ChangeShownValue(T& field, const T& value) {
        if (field == value)
            return;
        field = value;
        Invalidate();
        if (!Reading())
            NotifyChanged();
    }

private:
    QString FName;
    int FTag = 0;
    int FCursor = 0;
    QString FHint;
    QRect FBounds;       // shown, panel pixels at FZoom
    QRect FDesignBounds; // the truth, at 100 %
    int FShownOnly = 0;  // > 0: bounds changes are fitting to the screen, not the design
    QAction* FLockedItem = nullptr;
    bool FBoundsGuard = false;
    float FZoom = 1.0f;
    QMenu* FContextMenu = nullptr;
    bool FMenuWanted = false; // Loaded ran: the menu may be built
    QRect FLastBounds;        // all zero until the first BoundsChanged
    QRect FLastDesignBounds;  // the 100 % bounds at the last BoundsChanged
    bool FLocked = false;
    bool FUnselectable = false;
    bool FReading = false;
    bool FVisible = true;
    TGBasePanel* FPanel = nullptr;

    // Runs BoundsChanged as a fitting of what is shown.
    void ShownBoundsChanged();
};

// Rounds to the nearest integer, halves to even, as the zoom arithmetic requires.
int RoundHalfEven(double v);
// Each of the rectangle's left, top, width and height times f, rounded halves to even.
QRect ScaledRect(const QRect& r, float f);
