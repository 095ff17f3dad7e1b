#pragma once

#include "platform/PictureFile.h"

// The program's message for picture bytes that cannot be decoded; empty when they decode.
inline QString PictureMessageOf(const QByteArray& bytes, TPictureKind kind, const QString& name) {
    try {
        DecodePicture(bytes, kind, name);
    } catch (const EPictureError& e) {
        return e.Message();
    }
    return {};
}
