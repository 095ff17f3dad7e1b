#pragma once

#include "merge/MergeFields.h"
#include "platform/GraphicsValues.h"
#include "platform/Picture.h"

#include <QImage>
#include <QKeyEvent>
#include <QPainterPath>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class TGGraphicControl;
class TGHandle;
class TReportCanvas;
class TUndoHistory;

enum TLabelShapeType { lsRectangle = 0, lsRoundRect = 1, lsEllipse = 2 };
enum TGridSize { gs4x4 = 0, gs8x8 = 1 };
enum class TObjectCommand { Cut, Copy, Paste, Delete };

class QMenu;
class TPanelMenu;

// The on-screen card: a white surface one card in size at the current zoom, holding the
// design objects in stacking order. It composes the card (white, pictures, outline, grid,
// objects) in an image that only a change of the design rebuilds; selection marks and the
// rubber band are drawn over that image.
class TGBasePanel : public QWidget {
    Q_OBJECT
public:
    explicit TGBasePanel(QWidget* parent = nullptr);
    ~TGBasePanel() override;

    // Objects in stacking order, first = bottom.
    const std::vector<TGGraphicControl*>& Objects() const { return FObjects; }
    // Puts an object on top of the stacking order; the panel owns it from now on.
    TGGraphicControl* AddObject(std::unique_ptr<TGGraphicControl> object);
    // Takes an object off the panel and frees it.
    void DeleteObject(TGGraphicControl* object);
    int IndexOf(const TGGraphicControl* object) const;
    void BringObjectToFront(TGGraphicControl* object);
    void SendObjectToBack(TGGraphicControl* object);
    // The panel's objects in a new stacking order; the list holds each of them once.
    void SetStackingOrder(std::vector<TGGraphicControl*> order);
    TGGraphicControl* FindObject(const QString& name) const; // case-insensitive
    // The topmost visible object containing the point, or nullptr.
    TGGraphicControl* ObjectAt(const QPoint& p) const;

    TGHandle* Handle() const { return FHandle; }
    // Undo and redo of the changes to the design.
    TUndoHistory* History() const { return FHistory; }

    float Zoom() const { return FZoom; }
    void SetZoom(float newZoom);
    // Brings objects to the panel's zoom as zooming does, which is no change of the design:
    // objects just read from a stream hold their 100 % geometry at zoom 1.0.
    void ShowAtPanelZoom(const std::vector<TGGraphicControl*>& objects);
    bool ZoomInProgress() const { return FZoomInProgress; }

    bool Pointing() const { return FPointing; }
    TLabelShapeType Shape() const { return FShape; }
    void SetShape(TLabelShapeType s);
    TGridSize GridSize() const { return FGridSize; }
    void SetGridSize(TGridSize g);
    int GridStep() const { return FGridSize == gs8x8 ? 8 : 4; }
    bool ShowGrid() const { return FShowGrid; }
    void SetShowGrid(bool v);
    bool SnapToGrid() const { return FSnapToGrid; }
    void SetSnapToGrid(bool v);
    bool DrawOutline() const { return FDrawOutline; }
    void SetDrawOutline(bool v);
    bool Printing() const { return FPrinting; }
    void SetPrinting(bool v) { FPrinting = v; }

    // The pictures stretched over the card behind the objects: Picture first, then the
    // background art, ColorPicture.
    const TPicture& Picture() const { return FPicture; }
    void SetPicture(const TPicture& picture);
    const TPicture& ColorPicture() const { return FColorPicture; }
    void SetColorPicture(const TPicture& picture);
    void ClearColorPicture();
    // Loads the background art from a picture file, its kind (bitmap, icon, metafile) by
    // the file's extension; a file that can't be read clears it.
    void LoadColorPicture(const QString& fileName);

    // The design file: written at zoom 1.0 (the zoom is kept), read onto the panel.
    // Failures raise EStreamError.
    void SaveToFile(const QString& fileName);
    void LoadFromFile(const QString& fileName);

    // The record whose values fill the merge fields while the card is painted or printed;
    // an empty record shows the fields as typed.
    const TMergeRecord& MergeRecord() const { return FMergeRecord; }
    void SetMergeRecord(const TMergeRecord& record);

    // The font new text objects take.
    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& font) { FFont = font; }

    // Events out.
    std::function<void(QRect& r)> DroppedObjectEvent;
    std::function<void(TGBasePanel* sender)> LabelChangedEvent;
    void FireLabelChanged();

    // Prefix + the smallest N in 1..1000 whose name no object holds; empty when none is free.
    QString UniqueName(const QString& prefix) const;
    // Places a drawn object: name, bounds with the minimum size, zoom; marks the design changed.
    void PlaceNewObject(TGGraphicControl* object, const QRect& rect);
    // Gives every object the panel's zoom without rescaling (after a load, paste or clone).
    void RehookObjects();
    void ClearObjects();
    void RemoveStrayObjects();
    void PrintObjects(TReportCanvas& report, double x, double y);
    virtual void AfterFileOperation() {}

    // Cut, Copy, Paste and Delete of the selection, through the clipboard file. Failures to
    // read or write it raise EStreamError.
    void SelectionCommand(TObjectCommand command);
    // The object commands behind each object's Cut, Copy and Delete: on the whole selection
    // when the object is selected, else on the object alone.
    void ObjectCommand(TObjectCommand command, TGGraphicControl* object);
    // Runs SelectionCommand, or ObjectCommand when an object is given, for a menu item or a
    // key: a failure is shown to the user in a message box.
    void RunClipboardCommand(TObjectCommand command, TGGraphicControl* object = nullptr);
    // The clipboard file in the program folder. Only the program's own card panel owns it and
    // deletes it when it goes; other panels (the command-line tool's) leave it alone.
    QString ClipboardFile() const { return FClipboardFile; }
    void SetOwnsClipboardFile(bool v) { FOwnsClipboardFile = v; }

    // The commands of the panel's context menu; those on the selection do nothing without one.
    void BringSelectionToFront();
    void SendSelectionToBack();
    void AlignLefts();
    void AlignRights();
    void AlignTops();
    void AlignBottoms();
    void CenterSelectionVertically();
    void CenterSelectionHorizontally();
    void LockAll(bool locked);
    void MarkAllUnselectable(bool unselectable);
    void SelectAll();
    // Asks for a font, preset with the panel's, and gives it to every selected object.
    void FontCommand();
    QMenu* ContextMenu() const;

    // Ctrl+C, Ctrl+V, Ctrl+X and Delete; true when the key was a command. The selection frame
    // and the main window pass their keys here.
    bool PanelKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void CloneObject(TGGraphicControl* object);

    // Mouse handling of the objects, in panel coordinates.
    virtual void ObjectMouseDown(TGGraphicControl* sender, Qt::MouseButton button,
                                 Qt::KeyboardModifiers shift, const QPoint& panelPoint);
    // A double-click on an object runs its double-click action or opens its menu.
    void ObjectDoubleClick(TGGraphicControl* object, const QPoint& globalPoint);
    // A left press on the selection frame: with Shift, the selected objects under the point
    // leave the selection. True when any did.
    bool FrameMouseDown(Qt::KeyboardModifiers shift, const QPoint& panelPoint);
    // A double-click on the selection frame reaches the one selected object under the point.
    void FrameDoubleClick(const QPoint& panelPoint, const QPoint& globalPoint);
    void SelectInRect(const QRect& rect, bool shift);

    // Marks the composed card image stale.
    void InvalidateCard();
    // Refits the selection frame once pending events have run.
    void PostHandleRefit();
    // The composed card (without selection marks), rebuilt when stale.
    const QImage& CardImage();
    // The rubber band while one is drawn, normalised; null otherwise.
    QRect RubberBand() const;

protected:
    virtual void CreateObjectInRect(QRect& rect) { Q_UNUSED(rect); }
    void SetPointing(bool v) { FPointing = v; }
    // The arrow in pointing mode, the drawing tools' cursor otherwise.
    void RestoreCursor();

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    // Press, move and release on the empty panel, in panel coordinates.
    void PanelMouseDown(Qt::MouseButton button, const QPoint& p);
    void PanelMouseMove(const QPoint& p);
    void PanelMouseUp(const QPoint& p);

private:
    friend class TGHandle; // the frame passes its moves and releases on as the panel's own

    void PasteClipboard();
    void RebuildCard();
    void PaintCardLayers(QPainter& p);
    QPainterPath CardShapePath() const;
    // Lines the selection up on one edge: the outermost `edge` (the least when `least`,
    // starting from `start`) wins and `place` moves each object's edge there.
    void AlignSelection(int start, bool least, int (*edge)(const TGGraphicControl&),
                        void (*place)(TGGraphicControl&, int));

    std::vector<TGGraphicControl*> FObjects;
    TGHandle* FHandle = nullptr;
    TUndoHistory* FHistory = nullptr;
    float FZoom = 1.0f;
    bool FZoomInProgress = false;
    bool FPointing = true;
    TPicture FPicture;
    TPicture FColorPicture;
    TLabelShapeType FShape = lsRoundRect;
    bool FRubberBandActive = false;
    QPoint FBandAnchor, FBandCorner;
    TGridSize FGridSize = gs4x4;
    bool FShowGrid = false;
    bool FSnapToGrid = false;
    bool FPrinting = false;
    bool FDrawOutline = false;
    TFont FFont;
    QImage FCard;
    bool FCardDirty = true;
    bool FRefitPosted = false;
    TPanelMenu* FContextMenu = nullptr;
    QString FClipboardFile;
    bool FOwnsClipboardFile = false;
    qint64 FLastPaste = 0;
    TMergeRecord FMergeRecord;
};
