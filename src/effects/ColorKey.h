#pragma once

#include <QImage>

// The image with every pixel of one colour made fully transparent, so that whatever lies
// beneath shows there (the colour compares without its alpha).
QImage LeaveOutColor(const QImage& image, QRgb color);
