#pragma once

#include "objects/BarcodeSymbol.h"

#include <QByteArray>

#include <optional>
#include <vector>

// The modules of a 2-D code, row after row.
struct TModuleGrid {
    int Width = 0;
    int Height = 0;
    std::vector<unsigned char> Dark; // one byte a module, 1 where it is dark

    bool IsDark(int x, int y) const { return Dark[std::size_t(y) * Width + x] != 0; }
};

// A QR code of the bytes at that level, with the mask the standard's penalty rules choose.
// Text in UTF-8 that is not plain ASCII is announced as UTF-8, so readers show it as written.
// Nothing when the bytes do not fit in the largest QR code at that level.
std::optional<TModuleGrid> EncodeQrModules(const QByteArray& utf8, TErrorCorrection level);
