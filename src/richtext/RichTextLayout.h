#pragma once

class QPainter;
class QTextDocument;

// Makes the document lay out at the program's 96 pixels per inch, whatever the screen or
// printer, with Arial 10 points as the font of text that names none.
void UseDesignResolution(QTextDocument& document);

// Paints the whole document from the painter's origin: laid out at the 100 % width of a
// box that is width x height pixels at the zoom (percent), drawn scaled by the zoom and
// clipped to the box. Text without a colour of its own is black. The box's background is
// left as it is.
void PaintDocument(QPainter& painter, QTextDocument& document, int zoomPercent, int width,
                   int height);
