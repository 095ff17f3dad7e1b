#pragma once

#include <QByteArray>
#include <QList>
#include <QPointF>

#include <vector>

// Where a drawing goes: which page of the file (from 0), which drawing, and the point of the
// page its top-left corner lies on, in inches from the page's top-left corner.
struct TPdfPlacement {
    int Page = 0;
    int Drawing = 0;
    QPointF TopLeft;
};

// Adds drawings to the pages of a finished PDF file. Each drawing is the one page of a PDF
// file of its own; it is stored once, as a form XObject, and each placement draws it over
// what its page holds, so a card repeated on every position of every sheet costs its bytes
// once. The file is kept byte for byte and the rest follows as an incremental update. Empty
// when a file cannot be read so.
QByteArray PlacePdfPages(const QByteArray& pdf, const QList<QByteArray>& drawings,
                         const std::vector<TPdfPlacement>& placements);
