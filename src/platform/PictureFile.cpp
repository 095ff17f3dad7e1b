#include "platform/PictureFile.h"

#include "platform/DibImage.h"
#include "platform/MagickDecoder.h"
#include "platform/PictureHeader.h"
#include "platform/RegularFile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <memory>

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
    case TPictureKind::Png:
        return QStringLiteral("PNG");
    case TPictureKind::Webp:
        return QStringLiteral("WebP");
    case TPictureKind::Svg:
        return QStringLiteral("SVG");
    case TPictureKind::Wmf:
    case TPictureKind::Emf:
        return QStringLiteral("metafile");
    case TPictureKind::Unknown:
        break;
    }
    return {};
}

// Extension and kind, in the order the program numbers the kinds.
constexpr std::pair<const char*, TPictureKind> kKinds[] = {
    {"JPG", TPictureKind::Jpg}, {"GIF", TPictureKind::Gif},   {"JIF", TPictureKind::Jif},
    {"BMP", TPictureKind::Bmp}, {"DIB", TPictureKind::Dib},   {"RLE", TPictureKind::Rle},
    {"TGA", TPictureKind::Tga}, {"PCX", TPictureKind::Pcx},   {"ICO", TPictureKind::Icon},
    {"PNG", TPictureKind::Png}, {"WEBP", TPictureKind::Webp}, {"SVG", TPictureKind::Svg},
    {"WMF", TPictureKind::Wmf}, {"EMF", TPictureKind::Emf},
};

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

// The size a picture of this size is decoded at when it need not be larger than atMost.
QSize reducedSize(const QSize& size, const QSize& atMost) {
    if (!atMost.isValid())
        return size;
    return QSize(std::clamp(atMost.width(), 1, size.width()),
                 std::clamp(atMost.height(), 1, size.height()));
}

// A decoded picture brought down to the size asked for. Palette pictures are first thinned
// out in their own format, so that a large one never becomes a full-size 32-bit copy.
QImage reduced(QImage image, const QSize& size) {
    if (image.size() == size)
        return image;
    const QSize twice = reducedSize(image.size(), size * 2);
    if (image.depth() < 32 && twice != image.size())
        image = image.scaled(twice, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage decodeWithQt(const QByteArray& bytes, const TPictureHeader& header, const QString& fileName,
                    const QSize& atMost) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, header.Format);
    reader.setDecideFormatFromContent(false);
    reader.setAllocationLimit(int(MaxPictureBytes / (1024 * 1024)));
    const QSize size = reader.size();
    checkSize(size, fileName);
    const QSize wanted = reducedSize(size, atMost);
    // Readers that scale while decoding (JPEG) never hold the full picture.
    const bool scalesItself = reader.supportsOption(QImageIOHandler::ScaledSize);
    if (scalesItself && wanted != size)
        reader.setScaledSize(wanted);
    QImage image = reader.read();
    if (image.isNull())
        damaged(fileName);
    // Some formats allocate more than their size option tells (a GIF frame on a larger
    // screen); what came out must keep the limits too.
    checkSize(image.size(), fileName);
    const QSize target = reducedSize(image.size(), atMost);
    return reduced(std::move(image), target);
}

// An SVG drawn into a picture of its own size, or smaller; its transparent parts stay so.
QImage renderSvg(const QByteArray& bytes, const QString& fileName, const QSize& atMost) {
    const std::unique_ptr<QSvgRenderer> renderer = SvgRendererOf(bytes, fileName);
    const QSize size = renderer->defaultSize();
    checkSize(size, fileName);
    QImage image(reducedSize(size, atMost), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        damaged(fileName);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer->render(&painter, QRectF(image.rect()));
    return image;
}

// The header of bytes claimed to be of this kind, once it agrees with the kind and keeps
// the limits.
TPictureHeader checkedHeader(const QByteArray& bytes, TPictureKind kind, const QString& fileName) {
    requireKnownKind(kind, fileName);
    const std::optional<TPictureHeader> header = ReadPictureHeader(bytes, kind);
    if (!header)
        fail(QStringLiteral("%1 does not hold a %2 picture, as its name says.")
                 .arg(shortName(fileName), kindName(kind)));
    if (header->Size.isValid())
        checkSize(header->Size, fileName);
    if (bytes.size() < header->LeastBytes)
        damaged(fileName);
    return *header;
}

} // namespace

TPictureKind PictureKindOf(const QString& fileName) {
    const QString name = QFileInfo(fileName).fileName();
    const int dot = name.lastIndexOf('.');
    if (dot < 0)
        return TPictureKind::Unknown;
    const QString ext = name.mid(dot + 1).toUpper();
    for (const auto& [text, kind] : kKinds)
        if (ext == QLatin1String(text))
            return kind;
    return TPictureKind::Unknown;
}

QStringList PictureFileMasks(std::initializer_list<TPictureKind> kinds) {
    QStringList masks;
    for (const TPictureKind kind : kinds)
        for (const auto& [text, k] : kKinds)
            if (k == kind)
                masks << QStringLiteral("*.") + QLatin1String(text);
    return masks;
}

QSize PictureSizeOf(const QByteArray& bytes, TPictureKind kind, const QString& fileName) {
    const TPictureHeader header = checkedHeader(bytes, kind, fileName);
    if (header.Size.isValid())
        return header.Size;
    if (kind == TPictureKind::Svg)
        return SvgRendererOf(bytes, fileName)->defaultSize();
    QBuffer buffer;
    buffer.setData(header.Prefix + bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, header.Format);
    reader.setDecideFormatFromContent(false);
    const QSize size = reader.size();
    checkSize(size, fileName);
    return size;
}

std::unique_ptr<QSvgRenderer> SvgRendererOf(const QByteArray& bytes, const QString& fileName) {
    checkedHeader(bytes, TPictureKind::Svg, fileName);
    auto renderer = std::make_unique<QSvgRenderer>(bytes);
    if (!renderer->isValid() || renderer->defaultSize().isEmpty())
        damaged(fileName);
    return renderer;
}

namespace {

// A run-length bitmap file decoded straight to at most `size`: only the rows the smaller
// picture takes are unpacked, so a small file that unpacks to a huge picture costs what the
// smaller one costs. Nothing for other bitmaps (Qt decodes those) or damaged ones.
std::optional<QImage> reducedRunLength(const QByteArray& bmp, QSize size) {
    enum : quint32 { BI_RLE8 = 1, BI_RLE4 = 2 };
    const TLittleEndianBytes file(bmp.constData(), bmp.size());
    const qsizetype pixelsAt = file.U32(10);
    const quint32 compression = file.U32(30);
    if (!bmp.startsWith("BM") || (compression != BI_RLE8 && compression != BI_RLE4) ||
        pixelsAt >= file.Size())
        return std::nullopt;
    const TDib dib{file.Slice(14, file.Size() - 14), file.Slice(pixelsAt, file.Size() - pixelsAt)};
    QImage image = dib.Decode(size);
    if (image.isNull())
        return std::nullopt;
    return image;
}

} // namespace

QImage DecodePicture(const QByteArray& bytes, TPictureKind kind, const QString& fileName,
                     QSize atMost) {
    if (kind == TPictureKind::Svg)
        return renderSvg(bytes, fileName, atMost);
    const TPictureHeader header = checkedHeader(bytes, kind, fileName);
    const QByteArray data = header.Prefix.isEmpty() ? bytes : header.Prefix + bytes;
    const QSize target = header.Size.isValid() ? reducedSize(header.Size, atMost) : QSize();
    if (header.Format == "bmp" && target.isValid() && target != header.Size) {
        // Run-length bitmaps unpack only what the smaller picture takes.
        if (std::optional<QImage> image = reducedRunLength(data, target * 2))
            return reduced(std::move(*image), target);
    }
    if (kind != TPictureKind::Pcx && kind != TPictureKind::Tga)
        return decodeWithQt(data, header, fileName, atMost);
    std::optional<QImage> image = MagickDecode(data, header.Format.constData(), target);
    if (!image)
        damaged(fileName);
    return header.RightToLeft ? image->mirrored(true, false) : *image;
}

QByteArray ReadPictureFile(const QString& fileName) {
    const QFileInfo info(fileName);
    if (!info.exists())
        fail(QStringLiteral("The picture file %1 was not found.").arg(fileName));
    // Compressed pictures are smaller than their decoded size, so that bound serves here.
    if (!info.isFile() || info.size() > MaxPictureBytes)
        fail(QStringLiteral("%1 is not a picture file this program can read.")
                 .arg(shortName(fileName)));
    TFileBytes file = ReadRegularFile(fileName, MaxPictureBytes);
    if (file.Result != TFileRead::Read || file.Truncated)
        fail(QStringLiteral("Cannot open file %1").arg(fileName));
    return std::move(file.Bytes);
}

QImage LoadPictureFile(const QString& fileName) {
    const TPictureKind kind = PictureKindOf(fileName);
    requireKnownKind(kind, fileName);
    return DecodePicture(ReadPictureFile(fileName), kind, fileName);
}
