#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <optional>

// Run-length bitmaps (RLE8 and RLE4) decoded straight to a smaller size: the runs are read
// once from first to last, but only the rows the smaller picture takes are unpacked, and
// only the pixels it takes are kept, so a small file that unpacks to a huge picture costs
// what its bytes and the smaller picture cost. Nothing when the bytes are no run-length
// bitmap file (the caller decodes those as usual) or when they are damaged.
std::optional<QImage> DecodeRunLengthReduced(const QByteArray& bmpFile, const QSize& size);
