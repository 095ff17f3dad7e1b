#include "platform/PictureFile.h"

#include "platform/MagickDecoder.h"
#include "platform/PictureHeader.h"
#include "platform/RegularFile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {

QString shortName(const QString& fileName) {
    const QString name = QFileInfo(fileName).fileName();
    return name.isEmpty() ? QStringLiteral("the picture") : name;
}

QString kindName(TPictureKind kind) {
    switch (kind) {
    case TPictureKind::Jpg:
    case TPictureKind::Jif:
        return QStringLiteral("JPEG");
    case TPictureKind::Gif:
        return QStringLiteral("GIF");
    case TPictureKind::Bmp:
    case TPictureKind::Dib:
    case TPictureKind::Rle:
        return QStringLiteral("bitmap");
    case TPictureKind::Tga:
        return QStringLiteral("TGA");
    case TPictureKind::Pcx:
        return QStringLiteral("PCX");
    case TPictureKind::Icon:
        return QStringLiteral("icon");
    case TPictureKind::Unknown:
        break;
    }
    return {};
}

[[noreturn]] void fail(const QString& text) {
    throw EPictureError(text);
}

void requireKnownKind(TPictureKind kind, const QString& fileName) {
    if (kind == TPictureKind::Unknown)
        fail(QStringLiteral("%1 is not a kind of picture this program can read.")
                 .arg(shortName(fileName)));
}

[[noreturn]] void damaged(const QString& fileName) {
    fail(QStringLiteral("The picture in %1 is damaged and cannot be read.")
             .arg(shortName(fileName)));
}

void checkSize(const QSize& size, const QString& fileName) {
    if (!size.isValid() || size.isEmpty())
        damaged(fileName);
    if (!PictureSizeAllowed(size))
        fail(QStringLiteral("The picture in %1 is too large (%2 x %3 pixels). Pictures up to "
                            "%4 x %4 pixels and %5 MB can be loaded.")
                 .arg(shortName(fileName))
                 .arg(size.width())
                 .arg(size.height())
                 .arg(MaxPictureSide)
                 .arg(MaxPictureBytes / (1024 * 1024)));
}

QImage decodeWithQt(const QByteArray& bytes, const TPictureHeader& header,
                    const QString& fileName) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, header.Format);
    reader.setDecideFormatFromContent(false);
    reader.setAllocationLimit(int(MaxPictureBytes / (1024 * 1024)));
    checkSize(reader.size(), fileName);
    QImage image = reader.read();
    if (image.isNull())
        damaged(fileName);
    // Some formats allocate more than their size option tells (a GIF frame on a larger
    // screen); what came out must keep the limits too.
    checkSize(image.size(), fileName);
    return image;
}

} // namespace

TPictureKind PictureKindOf(const QString& fileName) {
    const QString name = QFileInfo(fileName).fileName();
    const int dot = name.lastIndexOf('.');
    if (dot < 0)
        return TPictureKind::Unknown;
    const QString ext = name.mid(dot + 1).toUpper();
    static const std::pair<const char*, TPictureKind> kinds[] = {
        {"JPG", TPictureKind::Jpg}, {"GIF", TPictureKind::Gif}, {"JIF", TPictureKind::Jif},
        {"BMP", TPictureKind::Bmp}, {"DIB", TPictureKind::Dib}, {"RLE", TPictureKind::Rle},
        {"TGA", TPictureKind::Tga}, {"PCX", TPictureKind::Pcx}, {"ICO", TPictureKind::Icon},
    };
    for (const auto& [text, kind] : kinds)
        if (ext == QLatin1String(text))
            return kind;
    return TPictureKind::Unknown;
}

QImage DecodePicture(const QByteArray& bytes, TPictureKind kind, const QString& fileName) {
    requireKnownKind(kind, fileName);
    const std::optional<TPictureHeader> header = ReadPictureHeader(bytes, kind);
    if (!header)
        fail(QStringLiteral("%1 does not hold a %2 picture, as its name says.")
                 .arg(shortName(fileName), kindName(kind)));
    if (header->Size.isValid())
        checkSize(header->Size, fileName);
    if (bytes.size() < header->LeastBytes)
        damaged(fileName);
    const QByteArray data = header->Prefix.isEmpty() ? bytes : header->Prefix + bytes;
    if (kind != TPictureKind::Pcx && kind != TPictureKind::Tga)
        return decodeWithQt(data, *header, fileName);
    std::optional<QImage> image = MagickDecode(data, header->Format.constData());
    if (!image)
        damaged(fileName);
    return *image;
}

QImage LoadPictureFile(const QString& fileName) {
    const TPictureKind kind = PictureKindOf(fileName);
    requireKnownKind(kind, fileName);
    const QFileInfo info(fileName);
    if (!info.exists())
        fail(QStringLiteral("The picture file %1 was not found.").arg(fileName));
    // Compressed pictures are smaller than their decoded size, so that bound serves here.
    if (!info.isFile() || info.size() > MaxPictureBytes)
        fail(QStringLiteral("%1 is not a picture file this program can read.")
                 .arg(shortName(fileName)));
    const TFileBytes file = ReadRegularFile(fileName, MaxPictureBytes);
    if (file.Result != TFileRead::Read || file.Truncated)
        fail(QStringLiteral("Cannot open file %1").arg(fileName));
    return DecodePicture(file.Bytes, kind, fileName);
}
