#pragma once

#include "printing/CardLayout.h"

#include <QDialog>

#include <vector>

class QLabel;
class QSpinBox;
class QWidget;
class TReportPrinter;

// "Print Cards": a miniature of the sheet on which the user clicks the card positions to
// print, the printer's name with its setup, and the number of sheets.
class TSelectSpecificLabels : public QDialog {
    Q_OBJECT
public:
    TSelectSpecificLabels(const TCardLayout& layout, const TCardSelection& selection,
                          TReportPrinter& printer, QWidget* parent = nullptr);

    const TCardSelection& Selection() const { return FSelection; }
    // One rectangle per card position in the drawing's pixels, at `ppi` screen pixels per
    // inch; and the sheet's rectangle. Widths and heights are the cut products, so the
    // right and bottom edges lie just outside.
    static std::vector<QRect> DetermineRectangles(const TCardLayout& layout, double ppi);
    static QRect SheetRect(const TCardLayout& layout, double ppi);
    const std::vector<QRect>& Rectangles() const { return FRects; }

    // A click on the drawing at p toggles the first position whose rectangle holds it.
    void PaintBoxClick(const QPoint& p);
    void AllButtonClick();
    void NoneButtonClick();
    void OkButtonClick();
    void PrintSetupClick();

    QWidget* PaintBox1;
    QLabel* PrinterLabel;
    QSpinBox* pages;

private:
    void SetAll(bool selected);

    TCardLayout FLayout;
    TCardSelection FSelection;
    TReportPrinter& FPrinter;
    std::vector<QRect> FRects;
    friend class TSheetDrawing;
};
