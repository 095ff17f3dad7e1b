#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Picture files: bitmaps, icons and the raster kinds that come through the external image
// library. One loader serves textures, clip art and background art.
//
// The extension (after the last dot, any case) decides the kind; the file's content must
// agree with it, and the picture's size from its header must be within the limits below
// before anything is decoded. Every failure raises EPictureError with a message for the
// user; the loader never returns a half-read picture.

// The kinds in the order the program numbers them; Icon is read by the picture's own loader.
enum class TPictureKind { Unknown = 0, Jpg, Gif, Jif, Bmp, Dib, Rle, Tga, Pcx, Icon };

// Largest picture accepted: each side and the decoded size.
constexpr int MaxPictureSide = 16384;
constexpr qint64 MaxPictureBytes = 256ll * 1024 * 1024;

class EPictureError {
public:
    explicit EPictureError(QString message) : FMessage(std::move(message)) {}
    const QString& Message() const { return FMessage; }

private:
    QString FMessage;
};

// "JPG", "GIF", "JIF", "BMP", "DIB", "RLE", "TGA", "PCX" and "ICO"; Unknown otherwise.
TPictureKind PictureKindOf(const QString& fileName);

// Reads a picture file. The file must be a regular file of sane size.
QImage LoadPictureFile(const QString& fileName);

// Decodes picture bytes of the given kind; fileName only names the picture in messages.
QImage DecodePicture(const QByteArray& bytes, TPictureKind kind, const QString& fileName);
