#pragma once

#include <QByteArray>
#include <QRectF>

// Gives every page of a finished PDF file a TrimBox and a BleedBox (rectangles in points,
// PDF's own coordinates: origin at the page's bottom-left corner). The file is kept byte for
// byte and the changed page objects follow it as an incremental update, with their own
// cross-reference section chained to the old one, so every offset stays valid. Returns an
// empty array when the bytes are not a PDF file with a classic cross-reference table.
QByteArray AddPageBoxes(const QByteArray& pdf, const QRectF& trimBox, const QRectF& bleedBox);
