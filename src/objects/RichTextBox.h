#pragma once

#include "merge/MergeFields.h"
#include "platform/Color.h"
#include "report/ReportCanvas.h"
#include "richtext/WPRichText.h"

// How a rich text object looks around its document.
struct TRichBox {
    int Width = 0, Height = 0; // pixels at the zoom painted
    bool Transparent = true;
    TColor BGColor = clWhite;
    bool Border = true;
};

// Paints a rich text box from the painter's origin: the background unless transparent, the
// document the control holds at the control's zoom, and the black one-pixel frame.
void PaintRichBox(QPainter& painter, TWPRichText& text, const TRichBox& box);

// A rich text box as the printed page keeps it: its own copy of the document, drawn as
// vector text stretched into the target rectangle, as the screen shows it at 100 %.
class TRichTextGraphic : public TReportGraphic {
public:
    // The record's values stand in for the document's merge fields.
    TRichTextGraphic(const QByteArray& rtf, const TRichBox& box, const TMergeRecord& record);
    void Draw(QPainter& painter, const QRectF& target) const override;

private:
    mutable TWPRichText FText; // laid out afresh for each drawing
    TRichBox FBox;
};
