#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <memory>

class QSvgRenderer;

// Picture files: bitmaps, icons, PNG, WebP and SVG, and the raster kinds that come through
// the external image library. One loader serves textures, clip art and background art, in
// steps that each have one place: the kind from the name (PictureKindOf), the header's
// bounds (PictureHeader), decoding (DecodePicture) and drawing (PictureContent).
//
// The extension (after the last dot, any case) decides the kind; the file's content must
// agree with it, and the picture's size from its header must be within the limits below
// before anything is decoded. Every failure raises EPictureError with a message for the
// user; the loader never returns a half-read picture.

// The kinds in the order the program numbers them; Icon and the kinds after it are read by
// the picture's own loader. Metafiles are named here but played, not decoded.
enum class TPictureKind {
    Unknown = 0,
    Jpg,
    Gif,
    Jif,
    Bmp,
    Dib,
    Rle,
    Tga,
    Pcx,
    Icon,
    Png,
    Webp,
    Svg,
    Wmf,
    Emf
};

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

// "JPG", "GIF", "JIF", "BMP", "DIB", "RLE", "TGA", "PCX", "ICO", "PNG", "WEBP", "SVG", "WMF"
// and "EMF"; Unknown otherwise.
TPictureKind PictureKindOf(const QString& fileName);
// File-name masks ("*.PNG") of the given kinds, for the pickers' lists.
QStringList PictureFileMasks(std::initializer_list<TPictureKind> kinds);

// The bytes of a picture file; it must be a regular file of sane size.
QByteArray ReadPictureFile(const QString& fileName);

// Reads and decodes a picture file.
QImage LoadPictureFile(const QString& fileName);

// The size picture bytes of the given kind decode to, from their header, once the header
// agrees with the kind and its bounds are within the limits; nothing is decoded beyond what
// the header needs. fileName only names the picture in messages.
QSize PictureSizeOf(const QByteArray& bytes, TPictureKind kind, const QString& fileName);

// The renderer of SVG bytes, once their content is an SVG document this program draws.
std::unique_ptr<QSvgRenderer> SvgRendererOf(const QByteArray& bytes, const QString& fileName);

// Decodes picture bytes of the given kind; fileName only names the picture in messages. With
// a valid fitWithin smaller than the picture, the picture is decoded reduced to that size
// (keeping neither more memory nor time than the reader needs to get there).
QImage DecodePicture(const QByteArray& bytes, TPictureKind kind, const QString& fileName,
                     QSize fitWithin = QSize());
