#pragma once

#include "surface/GraphicControl.h"

#include <QList>

enum TShapeType { stRectangle = 0, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

// A rectangle, rounded rectangle or ellipse with an outline pen and a fill brush. Squares and
// circles are drawn like rectangles and ellipses: the box is never squared.
class TGLabelShapes : public TGGraphicControl {
public:
    TGLabelShapes();

    QString ClassName() const override { return QStringLiteral("TGLabelShapes"); }
    const TPropertyList& Properties() const override { return ClassProperties(); }
    static const TPropertyList& ClassProperties();

    void Paint(QPainter& canvas) override;
    void PopupOpening() override;
    void PrintTo(TReportCanvas& report, double x, double y) override;

    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    const TBrush& Brush() const { return FBrush; }
    void SetBrush(const TBrush& b);
    const TPen& Pen() const { return FPen; }
    void SetPen(const TPen& p);
    int RoundPerc() const { return FRoundPerc; }
    void SetRoundPerc(int v);
    TShapeType Shape() const { return FShape; }
    void SetShape(TShapeType v);

    bool IsRounded() const { return FShape == stRoundRect || FShape == stRoundSquare; }
    bool IsEllipse() const { return FShape == stEllipse || FShape == stCircle; }
    // The screen's outline box at the current zoom, corners as the drawing's end points:
    // a thick outline stays inside the object.
    QRect OutlineBox() const;
    // Width and height of the rounded corners' ellipse on screen.
    int CornerSize() const;

protected:
    void BuildContextMenu() override;

private:
    void ChooseBackgroundColor();
    void ChooseLineColor();
    void SetPenWidthFromMenu(int width);

    bool FTransparent = false;
    TBrush FBrush;
    TPen FPen;
    int FRoundPerc = 25;
    TShapeType FShape = stRectangle;
    QAction* FTransparentItem = nullptr;
    QList<QAction*> FThicknessItems;
};

// The shape the card panel's tools create; design files name it apart from its base.
class TBCShapes : public TGLabelShapes {
public:
    QString ClassName() const override { return QStringLiteral("TBCShapes"); }
};
