#pragma once

#include "printing/CardLayout.h"
#include "printing/PrintSides.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class QSpinBox;
class QWidget;
class TReportPrinter;

// "Print Cards": a miniature of the sheet on which the user clicks the card positions to
// print, the printer's name with its setup, the number of sheets, and the sides to print.
class TSelectSpecificLabels : public QDialog {
    Q_OBJECT
public:
    TSelectSpecificLabels(const TCardLayout& layout, const TCardSelection& selection,
                          TReportPrinter& printer, QWidget* parent = nullptr);

    const TCardSelection& Selection() const { return FSelection; }
    void SetSides(const TSidesChoice& sides);
    TSidesChoice Sides() const;
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
    QRadioButton* FrontButton;
    QRadioButton* BackButton;
    QRadioButton* BothButton;
    QComboBox* FlipBox; // long edge, short edge
    QCheckBox* ManualDuplexCheck;

private:
    void SetAll(bool selected);
    QWidget* BuildSidesBox();
    void EnableSideChoices();

    TCardLayout FLayout;
    TCardSelection FSelection;
    TReportPrinter& FPrinter;
    std::vector<QRect> FRects;
    friend class TSheetDrawing;
};
