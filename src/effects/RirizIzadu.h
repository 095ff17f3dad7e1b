#pragma once

#include "effects/GradientFill.h"
#include "effects/ShapeGeometry.h"
#include "effects/SurfaceFill.h"
#include "platform/BitmapData.h"
#include "surface/GraphicControl.h"

// A filled geometric figure (rectangle, rounded rectangle, ellipse, diamond, star, polygon,
// four triangles) with an optional drop shadow and an outline. Its surface is empty, one
// colour, a texture tiled from the object's corner, or a two-colour gradient. Outline width,
// shadow depth and the star's inset stay in surface pixels at every zoom.
class TRirizIzadu : public TGGraphicControl {
public:
    TRirizIzadu();

    QString ClassName() const override { return QStringLiteral("TRirizIzadu"); }
    const TPropertyList& Properties() const override { return ClassProperties(); }
    static const TPropertyList& ClassProperties();

    void BuildContextMenu() override;
    void Paint(QPainter& canvas) override;
    void PrintTo(TReportCanvas& report, double x, double y) override;

    // The properties dialog; on Ok the object takes the result and reports the change.
    void EditProperties();
    // Copies every drawn property (not the last texture file) through the setters, in
    // stream order: the dialog's preview takes them and gives them back this way.
    void AssignProperties(const TRirizIzadu& source);

    TColor BackColor() const { return FBackColor; }
    void SetBackColor(TColor v);
    TFillDirection FillDirection() const { return FFillDirection; }
    void SetFillDirection(TFillDirection v);
    TColor ForeColor() const { return FForeColor; }
    void SetForeColor(TColor v);
    TColor GradientToColor() const { return FGradientToColor; }
    void SetGradientToColor(TColor v);
    const TBitmap& Image() const { return FImage; }
    void SetImage(const TBitmap& v);
    int InVectorPercent() const { return FStar.InVectorPercent; }
    void SetInVectorPercent(int v);
    TColor OutlineColor() const { return FOutlineColor; }
    void SetOutlineColor(TColor v);
    int OutlineStyle() const { return FOutlineStyle; }
    void SetOutlineStyle(int v);
    int OutlineWidth() const { return FOutlineWidth; }
    void SetOutlineWidth(int v);
    int Pattern() const { return FPattern; }
    void SetPattern(int v);
    int RoundPerc() const { return FRoundPerc; }
    void SetRoundPerc(int v);
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor v);
    int ShadowDepth() const { return FShadowDepth; }
    void SetShadowDepth(int v);
    TShadowOrient ShadowOrient() const { return FShadowOrient; }
    void SetShadowOrient(int v);
    TGPShapeType Shape() const { return FShape; }
    void SetShape(TGPShapeType v);
    int StartingAngle() const { return FStar.StartingAngle; }
    void SetStartingAngle(int v);
    TSurfaceType SurfaceType() const { return FSurfaceType; }
    void SetSurfaceType(TSurfaceType v);
    int Vectors() const { return FStar.Vectors; }
    void SetVectors(int v);
    QString LastBitmapFileNameandPath() const { return FLastBitmapFile; }
    void SetLastBitmapFileNameandPath(const QString& v) { FLastBitmapFile = v; }

    // The cached surfaces at the object's size, for paper; the gradient is rebuilt when its
    // colours, direction or the object's size changed since it was last made. The screen
    // draws only the part of the surface on the card.
    const QImage& GradientBitmap() const;
    const QImage& SolidBitmap() const;

    // The figures this object draws, from its current numbers.
    TShapeRects ShapeRects() const;
    QPolygon Figure(const TEdges& r) const { return FigurePoints(FShape, r, FStar); }
    // Width and height of a rounded corner's ellipse, from the object's larger side.
    int CornerSize() const;

private:
    // The bitmap the surface is tiled with; null for the transparent surface.
    const QImage* SurfaceBitmap() const;

    TColor FBackColor = clWhite;
    TFillDirection FFillDirection = gdUp;
    TColor FForeColor = clBlack;
    TColor FGradientToColor = clBlack;
    TBitmap FImage;
    TColor FOutlineColor = clBlack;
    int FOutlineStyle = 0; // psSolid
    int FOutlineWidth = 1;
    int FPattern = 1; // bsClear
    int FRoundPerc = 25;
    TColor FShadowColor = clBlack;
    int FShadowDepth = 5;
    TShadowOrient FShadowOrient = soNone;
    TGPShapeType FShape = gstRectangle;
    TStarParams FStar;
    TSurfaceType FSurfaceType = stBrushTransparent;
    QString FLastBitmapFile;

    mutable QImage FGradientBitmap;
    mutable bool FGradientStale = true;
    mutable QImage FSolidBitmap;
    TGradientCache FShownGradient; // the screen's, for the part on the card
};
