#include "objects/QrModules.h"

#include <qrencode.h>

#include <algorithm>
#include <memory>

// QR codes come from libqrencode rather than the library that writes the other symbologies:
// a contact card takes it a twentieth of the time, which a merge run of a thousand cards feels.

namespace {

// UTF-8's number in the Extended Channel Interpretation, which tells readers the bytes' encoding.
constexpr unsigned Utf8Eci = 26;

struct CodeFree {
    void operator()(QRcode* code) const { QRcode_free(code); }
};
struct InputFree {
    void operator()(QRinput* input) const { QRinput_free(input); }
};

QRecLevel levelOf(TErrorCorrection level) {
    static const QRecLevel levels[] = {QR_ECLEVEL_L, QR_ECLEVEL_M, QR_ECLEVEL_Q, QR_ECLEVEL_H};
    return levels[level];
}

bool isAscii(const QByteArray& bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return (unsigned char)c < 0x80 && c != 0; });
}

QRcode* encode(const QByteArray& utf8, QRecLevel level) {
    // Plain ASCII is split into digit, letter and byte stretches, whichever is shortest; other
    // text goes as bytes after the UTF-8 announcement.
    if (isAscii(utf8))
        return QRcode_encodeString(utf8.constData(), 0, level, QR_MODE_8, 1);
    std::unique_ptr<QRinput, InputFree> input(QRinput_new2(0, level));
    if (!input || QRinput_appendECIheader(input.get(), Utf8Eci) != 0 ||
        QRinput_append(input.get(), QR_MODE_8, int(utf8.size()),
                       reinterpret_cast<const unsigned char*>(utf8.constData())) != 0)
        return nullptr;
    return QRcode_encodeInput(input.get());
}

} // namespace

std::optional<TModuleGrid> EncodeQrModules(const QByteArray& utf8, TErrorCorrection level) {
    const std::unique_ptr<QRcode, CodeFree> code(encode(utf8, levelOf(level)));
    if (!code)
        return std::nullopt;
    TModuleGrid grid;
    grid.Width = grid.Height = code->width;
    grid.Dark.resize(std::size_t(code->width) * code->width);
    // The lowest bit of each of the library's bytes is the module's colour.
    for (std::size_t i = 0; i < grid.Dark.size(); ++i)
        grid.Dark[i] = code->data[i] & 1;
    return grid;
}
