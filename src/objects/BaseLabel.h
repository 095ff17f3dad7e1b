#pragma once

#include "objects/TextAlignment.h"
#include "objects/TextCanvas.h"
#include "platform/SymbolFonts.h"
#include "surface/GraphicControl.h"

#include <QPoint>

#include <optional>

enum THighlightDirection { hdNone = 0, hdright, hdLeft, hdUpRight, hdUpLeft, hdUp };
enum TShadowDirection { sdNone = 0, sdRight, sdLeft, sdDownRight, sdDownLeft, sdDown };
enum TBorderStyle { bsNone = 0, bsSingle };

// Where a shadow of the given direction and depth falls, relative to the text.
QPoint ShadowDirectionOffset(int direction, int depth);

// A single line of text on the card: one font, a quarter-turn rotation, an optional "3D"
// look made of a shadow copy and a highlight copy drawn at small offsets behind the text,
// an optional background and an optional one-pixel border. Measuring is cached: the layout
// is recomputed only when something that affects it changed.
class TGBaseLabel : public TGGraphicControl {
public:
    TGBaseLabel();

    QString ClassName() const override { return QStringLiteral("TGBaseLabel"); }
    const TPropertyList& Properties() const override { return ClassProperties(); }
    static const TPropertyList& ClassProperties();

    void Paint(QPainter& canvas) override;
    void BoundsChanged() override;
    void PopupOpening() override;
    void ApplyFont(const TFont& font) override;
    void PrintTo(TReportCanvas& report, double x, double y) override;
    // The standard font dialog; on OK the text takes the chosen font.
    virtual void ChooseFont();

    int Alignment() const { return FAlignment; }
    void SetAlignment(int v);
    int DepthHighlight() const { return FDepthHighlight; }
    void SetDepthHighlight(int v);
    int DepthShadow() const { return FDepthShadow; }
    void SetDepthShadow(int v);
    int DirectionHighlight() const { return FDirectionHighlight; }
    void SetDirectionHighlight(int v);
    int DirectionShadow() const { return FDirectionShadow; }
    void SetDirectionShadow(int v);
    TColor ColorHighlight() const { return FColorHighlight; }
    void SetColorHighlight(TColor v);
    TColor ColorShadow() const { return FColorShadow; }
    void SetColorShadow(TColor v);
    int Angle() const { return FAngle; }
    // Only 0, 90, 180 and 270 are taken; a quarter turn turns the box with the text.
    void SetAngle(int v);
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& v);
    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& v);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    TColor BackColor() const { return FBackColor; }
    void SetBackColor(TColor v);
    int BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(int v);

    // The layout of the last measuring, in the object's pixels.
    QPoint ShadowOffset() const { return FShadowOffset; }
    QPoint HighlightOffset() const { return FHighlightOffset; }
    QPoint Margin() const { return FMargin; }
    const TEdgeRect& TextRect() const { return FTextRect; }
    const TEdgeRect& ShadowRect() const { return FShadowRect; }
    const TEdgeRect& HighlightRect() const { return FHighlightRect; }
    QPoint TextOrigin() const { return FTextOrigin; }
    QPoint ShadowOrigin() const { return FShadowOrigin; }
    QPoint HighlightOrigin() const { return FHighlightOrigin; }
    bool LayoutDirty() const { return FLayoutDirty; }

    // The font the text is drawn in on screen: the size in points scaled by the zoom and
    // truncated.
    QFont ZoomedFont() const;
    // The caption and font face as drawn here: text in a symbol font this system lacks is
    // drawn through its stand-in.
    TDrawnText DrawnCaption() const { return ResolveSymbolText(FFont.Name, FCaption); }
    // The drawn caption with its merge fields filled from the panel's record. The box is
    // fitted to the caption as typed, so showing a record never changes the design.
    TDrawnText ShownCaption() const;
    void MergeRecordChanged() override { Relayout(); }
    // Measures the text and fits the box to it (only when the layout is stale).
    void LayoutText();
    // Enlarges the box (never shrinks it) so the caption and five blanks fit; upright text
    // only.
    void GrowToFitText();
    void SelectRotatedFont(TTextCanvas& canvas, int angle) const;

    // Menu actions.
    void Open3DEffects();
    void ToggleTransparent();
    void ChooseBackColor();
    void ToggleBorder();

protected:
    void BuildContextMenu() override;
    void UpdateShadowOffset();
    void UpdateHighlightOffset();
    // Part of the layout: keeps the box between one and 1.2 text heights high (wide, for
    // turned text) and at least as long as the text (tw: text width, need: text height with
    // the 3D copies).
    virtual void FitBoxToText(int tw, int need);
    // The layout at the current zoom, fitting the box as it goes.
    void MeasureAndFit();
    // Marks the layout stale and repaints.
    void Relayout();

    QAction* FTransparentItem = nullptr;

private:
    int FAlignment = taLeftJustify;
    int FDepthHighlight = 0;
    int FDepthShadow = 0;
    int FDirectionHighlight = hdUpLeft;
    int FDirectionShadow = sdDownRight;
    TColor FColorHighlight = 0xFFFF00;
    TColor FColorShadow = 0x808080;
    int FAngle = 0;
    QString FCaption = QStringLiteral("Text");
    TFont FFont;
    bool FTransparent = true;
    TColor FBackColor = clWhite;
    int FBorderStyle = bsNone;

    QPoint FShadowOffset, FHighlightOffset, FMargin;
    TEdgeRect FTextRect, FShadowRect, FHighlightRect;
    QPoint FTextOrigin, FShadowOrigin, FHighlightOrigin;
    bool FLayoutDirty = true;
    // The typed caption's measured width, kept while the caption and font stay: a merge run
    // lays the box out for every card, and the box is always sized by the typed text.
    struct TWidthMemo {
        QFont Font;
        QString Text;
        int Width = 0;
    };
    std::optional<TWidthMemo> FTypedWidth;
    int TypedWidth(const QFont& font, const QString& typed);
    // The part of a caption the box can show at its alignment and angle: a caption far
    // longer than its box is measured and drawn only that far.
    QString ShownRun(const QFont& font, const QString& text) const;

    QAction* FBorderItem = nullptr;
    QAction* FLeftItem = nullptr;
    QAction* FCenterItem = nullptr;
    QAction* FRightItem = nullptr;
};
