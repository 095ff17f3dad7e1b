#pragma once

#include "platform/PictureFile.h"

#include <QSize>

#include <optional>

// What the first bytes of a picture say before it is decoded.
struct TPictureHeader {
    // The Qt reader's format name, or the external library's ("PCX", "TGA").
    QByteArray Format;
    // Width and height the header announces; invalid when only the decoder can tell.
    QSize Size;
    // Bytes to put in front of the data so that the decoder accepts it (a bitmap file
    // header for a bare device-independent bitmap).
    QByteArray Prefix;
    // The fewest bytes that can hold the pixels the header announces, however well packed:
    // a file shorter than that was cut short, and is not worth a full-size pixel buffer.
    qint64 LeastBytes = 0;
    // The rows run from right to left, which the external library leaves as it finds them;
    // the decoded picture is mirrored so that it comes out as the header says.
    bool RightToLeft = false;
};

// The header of bytes claimed to be of the given kind; nothing when the content does not
// agree with the kind.
std::optional<TPictureHeader> ReadPictureHeader(const QByteArray& bytes, TPictureKind kind);

// Whether a picture of this size may be decoded (sides and decoded bytes within limits).
bool PictureSizeAllowed(const QSize& size);
