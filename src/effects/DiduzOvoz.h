#pragma once

#include "effects/GradientFill.h"
#include "effects/SurfaceFill.h"
#include "objects/BaseLabel.h"
#include "platform/BitmapData.h"
#include "surface/GraphicControl.h"

#include <QImage>
#include <QPainterPath>

// The shadow directions are those of the text object's shadow.
using TShadowOrientation = TShadowDirection;

// One line of large lettering whose glyph outlines serve as paths: the text is turned into
// a path that clips the shadow and the fill (font colour, tiled texture or gradient) and
// is stroked for the outline. Only outline fonts have glyph paths, so other fonts show
// nothing but background and border. The layout is measured lazily: anything that moves
// the text only marks it stale.
class TGDiduzOvoz : public TGGraphicControl {
public:
    TGDiduzOvoz();

    QString ClassName() const override { return QStringLiteral("TGDiduzOvoz"); }
    const TPropertyList& Properties() const override { return ClassProperties(); }
    static const TPropertyList& ClassProperties();

    void BuildContextMenu() override;
    void Paint(QPainter& canvas) override;
    void BoundsChanged() override;
    void PopupOpening() override;
    void ApplyFont(const TFont& font) override;
    void PrintTo(TReportCanvas& report, double x, double y) override;
    // The font dialog (outline fonts only); the text takes the chosen font.
    virtual void EditFont();
    // The properties dialog; the object takes the dialog's values on Ok.
    void EditProperties();

    int ShadowDepth() const { return FShadowDepth; }
    void SetShadowDepth(int v);
    int ShadowOrientation() const { return FShadowOrientation; }
    void SetShadowOrientation(int v);
    TColor Shadowcolor() const { return FShadowcolor; }
    void SetShadowcolor(TColor v);
    int BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(int v);
    bool ControlTransparent() const { return FControlTransparent; }
    void SetControlTransparent(bool v);
    TColor BGColor() const { return FBGColor; }
    void SetBGColor(TColor v);
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& v);
    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& v);
    void SetFontColor(TColor v);
    int FillDirection() const { return FFillDirection; }
    void SetFillDirection(int v);
    TColor GradientToColor() const { return FGradientToColor; }
    void SetGradientToColor(TColor v);
    TColor GradientFromColor() const { return FGradientFromColor; }
    void SetGradientFromColor(TColor v);
    const TBitmap& Image() const { return FImage; }
    void SetImage(const TBitmap& v);
    TColor OutlineColor() const { return FOutlineColor; }
    void SetOutlineColor(TColor v);
    int OutlineStyle() const { return FOutlineStyle; }
    void SetOutlineStyle(int v);
    int OutlineWidth() const { return FOutlineWidth; }
    void SetOutlineWidth(int v);
    int SurfaceType() const { return FSurfaceType; }
    void SetSurfaceType(int v);
    QString LastBitmapFileNameandPath() const { return FLastBitmapFileNameandPath; }
    void SetLastBitmapFileNameandPath(const QString& v) { FLastBitmapFileNameandPath = v; }

    // Recomputes the margins, rectangles and origins when they are stale; may fit the
    // object's height to the text.
    void MeasureText();
    // Sizes the object to its text; whether the text fits.
    bool FitToText();
    bool NeedsMeasure() const { return FNeedsMeasure; }

    // The layout of the last measuring, in the object's pixels.
    QPoint ShadowOffset() const { return FShadowOffset; }
    QPoint Margin() const { return FMargin; }
    const TEdgeRect& TextRect() const { return FTextRect; }
    const TEdgeRect& ShadowRect() const { return FShadowRect; }
    QPoint TextOrigin() const { return FTextOrigin; }
    QPoint ShadowOrigin() const { return FShadowOrigin; }
    // The gradient surface for the part of the object on the card, made when first needed
    // after its colours, direction, the size or that part changed.
    const QImage& GradientBitmap() const;

    // The font on screen: its size in points scaled by the zoom and truncated.
    QFont CanvasFont() const;
    QFont FontAt(float zoom) const;
    // The caption as far as it fits in the object: whole characters cut from the right.
    QString VisibleCaption() const;

private:
    void Relayout();
    bool HasShadow() const;
    bool HasOutline() const;
    // The left edge of the text or its shadow, whichever lies further right.
    int TextLeft() const { return std::max(FTextRect.Left, FShadowRect.Left); }
    // The glyph path of text drawn with its cell's top-left corner at origin.
    QPainterPath GlyphPath(const QString& text, QPoint origin) const;
    void ChooseBackgroundColor();

    int FShadowDepth = 0;
    int FShadowOrientation = sdDownRight;
    TColor FShadowcolor = 0x808080;
    int FBorderStyle = bsNone;
    bool FControlTransparent = true;
    TColor FBGColor = clWhite;
    QString FCaption = QStringLiteral("Text");
    TFont FFont;
    int FFillDirection = gdRight;
    TColor FGradientToColor = clYellow;
    TColor FGradientFromColor = clBlue;
    TBitmap FImage;
    TColor FOutlineColor = clBlack;
    int FOutlineStyle = psSolid;
    int FOutlineWidth = 1;
    int FSurfaceType = stGradientFill;
    QString FLastBitmapFileNameandPath;

    // The measuring at the current zoom, fitting the height as it goes.
    void MeasureAndFit();

    QPoint FShadowOffset, FMargin;
    TEdgeRect FTextRect, FShadowRect;
    QPoint FTextOrigin, FShadowOrigin;
    bool FNeedsMeasure = true;
    bool FMeasuring = false;
    bool FPainting = false;
    mutable TGradientCache FGradient;

    QAction* FTransparentItem = nullptr;
    QAction* FBorderItem = nullptr;
};
