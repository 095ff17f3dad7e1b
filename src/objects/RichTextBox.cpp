#include "objects/RichTextBox.h"

#include "merge/DocumentMergeFields.h"

#include <QPainter>

void PaintRichBox(QPainter& painter, TWPRichText& text, const TRichBox& box) {
    painter.save();
    if (!box.Transparent)
        painter.fillRect(QRect(0, 0, box.Width, box.Height), ToQColor(box.BGColor));
    text.Paint(painter, box.Width, box.Height);
    if (box.Border) {
        painter.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.setBrush(Qt::NoBrush);
        // The frame covers the box's outermost pixels, as the screen draws it.
        painter.drawRect(QRectF(0.5, 0.5, box.Width - 1, box.Height - 1));
    }
    painter.restore();
}

TRichTextGraphic::TRichTextGraphic(const QByteArray& rtf, const TRichBox& box,
                                   const TMergeRecord& record)
    : FBox(box) {
    FText.SetRtf(rtf);
    FillMergeFields(FText.Document(), record);
}

void TRichTextGraphic::Draw(QPainter& painter, const QRectF& target) const {
    if (FBox.Width <= 0 || FBox.Height <= 0)
        return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / FBox.Width, target.height() / FBox.Height);
    PaintRichBox(painter, FText, FBox);
    painter.restore();
}
