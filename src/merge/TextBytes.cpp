#include "merge/TextBytes.h"

#include "platform/Windows1252.h"

QString DecodeTextBytes(QByteArrayView view) {
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    // Checked before decoding, so that text in a one-byte code page is decoded once.
    if (view.isValidUtf8())
        return QString::fromUtf8(view);
    return FromWindows1252(view.data(), view.size());
}
