#pragma once

#include "surface/GraphicControl.h"

#include <QList>

enum TLineStyle { stHorizontal = 0, stVertical, stAngleSlopingUp, stAngleSlopingDown };

// A straight line through its box: along the top, down the left side, or one of the two
// diagonals.
class TGLineShape : public TGGraphicControl {
public:
    TGLineShape();

    QString ClassName() const override { return QStringLiteral("TGLineShape"); }
    const TPropertyList& Properties() const override { return ClassProperties(); }
    static const TPropertyList& ClassProperties();

    void Paint(QPainter& canvas) override;
    void PopupOpening() override;
    void PrintTo(TReportCanvas& report, double x, double y) override;

    TLineStyle LineStyle() const { return FLineStyle; }
    void SetLineStyle(TLineStyle v);
    const TPen& Pen() const { return FPen; }
    void SetPen(const TPen& p);

    // Start and end point of the line on screen at the current zoom; the end is exclusive
    // for the straight kinds, as for a line drawn to a point.
    QLine ScreenLine() const;
    // Runs the line from edge to edge of the card panel, keeping its other coordinate.
    void StretchToEdges();

protected:
    void BuildContextMenu() override;

private:
    void ChooseLineColor();

    TLineStyle FLineStyle = stHorizontal;
    TPen FPen;
    QList<QAction*> FStyleItems;
    QList<QAction*> FThicknessItems;
};
