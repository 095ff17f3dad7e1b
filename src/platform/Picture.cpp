#include "platform/Picture.h"

#include "platform/PictureFile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>

namespace {

constexpr int kMaxKindName = 63;

// The kinds design files name, by the short string they are stored under.
constexpr std::pair<const char*, TPicture::TKind> kKindNames[] = {
    {"TBitmap", TPicture::TKind::Bitmap},     {"TIcon", TPicture::TKind::Icon},
    {"TMetafile", TPicture::TKind::Metafile}, {"TPngImage", TPicture::TKind::PngImage},
    {"TSvgImage", TPicture::TKind::SvgImage},
};

QByteArray kindName(TPicture::TKind kind) {
    for (const auto& [name, k] : kKindNames)
        if (k == kind)
            return name;
    return {};
}

TPicture::TKind kindNamed(const QByteArray& name) {
    for (const auto& [text, kind] : kKindNames)
        if (name == text)
            return kind;
    return TPicture::TKind::Empty;
}

// Kind name, then a 32-bit byte count and the bytes (every kind but icons) or the bytes
// alone (icons).
QByteArray payload(TPicture::TKind kind, const QByteArray& bytes) {
    const QByteArray name = kindName(kind);
    QByteArray data(1, char(name.size()));
    data += name;
    if (kind != TPicture::TKind::Icon) {
        char count[4];
        qToLittleEndian<quint32>(quint32(bytes.size()), count);
        data.append(count, 4);
    }
    return data + bytes;
}

QByteArray fileOf(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

[[noreturn]] void damagedPayload() {
    throw EPictureError(QStringLiteral("The picture stored in the design is damaged."));
}

} // namespace

QImage OnWhite(const QImage& image) {
    QImage bitmap(image.size(), QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    QPainter p(&bitmap);
    p.drawImage(0, 0, image);
    return bitmap;
}

TPicture TPicture::FromBitmap(const QImage& image, const QByteArray& bmpFile) {
    TPicture p;
    if (image.isNull())
        return p;
    const QByteArray file = bmpFile.isEmpty() ? fileOf(image, "BMP") : bmpFile;
    p.FKind = TKind::Bitmap;
    p.FRaster = std::make_shared<const TRasterPicture>(file, TPictureKind::Bmp, image);
    p.FData = payload(TKind::Bitmap, file);
    return p;
}

TPicture TPicture::FromMetafile(std::shared_ptr<const TMetafile> metafile) {
    TPicture p;
    if (!metafile)
        return p;
    p.FKind = TKind::Metafile;
    p.FData = payload(TKind::Metafile, metafile->Bytes());
    p.FMetafile = std::move(metafile);
    return p;
}

TPicture TPicture::FromPng(const QByteArray& pngFile, const QImage& decoded) {
    TPicture p;
    p.FKind = TKind::PngImage;
    p.FRaster = std::make_shared<const TRasterPicture>(pngFile, TPictureKind::Png, decoded);
    p.FData = payload(TKind::PngImage, pngFile);
    return p;
}

TPicture TPicture::FromSvg(const QByteArray& svgFile) {
    TPicture p;
    p.FKind = TKind::SvgImage;
    p.FSvg = SvgRendererOf(svgFile, QString());
    p.FData = payload(TKind::SvgImage, svgFile);
    return p;
}

TPicture TPicture::LoadFromFile(const QString& fileName, bool iconsAsBitmaps) {
    const TPictureKind kind = PictureKindOf(fileName);
    switch (kind) {
    case TPictureKind::Wmf:
    case TPictureKind::Emf: {
        std::shared_ptr<const TMetafile> m = TMetafile::FromBytes(ReadPictureFile(fileName));
        if (!m)
            throw EPictureError(QStringLiteral("%1 does not hold a metafile, as its name says.")
                                    .arg(QFileInfo(fileName).fileName()));
        return FromMetafile(std::move(m));
    }
    case TPictureKind::Svg: {
        const QByteArray file = ReadPictureFile(fileName);
        SvgRendererOf(file, fileName); // the message names the file
        return FromSvg(file);
    }
    case TPictureKind::Png: {
        const QByteArray file = ReadPictureFile(fileName);
        return FromPng(file, DecodePicture(file, kind, fileName));
    }
    case TPictureKind::Webp: {
        const QImage image = LoadPictureFile(fileName);
        return FromPng(fileOf(image, "PNG"), image);
    }
    case TPictureKind::Icon: {
        const QByteArray file = ReadPictureFile(fileName);
        const QImage image = DecodePicture(file, kind, fileName);
        if (iconsAsBitmaps)
            return FromBitmap(OnWhite(image));
        TPicture p;
        p.FKind = TKind::Icon;
        p.FRaster = std::make_shared<const TRasterPicture>(file, kind, image);
        p.FData = payload(TKind::Icon, file);
        return p;
    }
    case TPictureKind::Bmp: {
        // A bitmap file is kept as it is; other kinds become bitmap files.
        const QByteArray file = ReadPictureFile(fileName);
        const QImage image = DecodePicture(file, kind, fileName);
        return FromBitmap(image, file.startsWith("BM") ? file : QByteArray());
    }
    default:
        return FromBitmap(LoadPictureFile(fileName));
    }
}

TPicture TPicture::FromData(const QByteArray& data) {
    TPicture p;
    if (data.isEmpty())
        return p;
    const int nameLength = quint8(data[0]);
    if (nameLength > kMaxKindName || data.size() < 1 + nameLength)
        damagedPayload();
    const TKind kind = kindNamed(data.mid(1, nameLength));
    if (kind == TKind::Empty)
        damagedPayload();
    QByteArray bytes = data.mid(1 + nameLength);
    if (kind != TKind::Icon) {
        if (bytes.size() < 4 || qFromLittleEndian<quint32>(bytes.constData()) != bytes.size() - 4)
            damagedPayload();
        bytes.remove(0, 4);
    }
    p.FKind = kind;
    p.FData = data;
    try {
        switch (kind) {
        case TKind::Bitmap:
            if (!bytes.isEmpty())
                p.FRaster = std::make_shared<const TRasterPicture>(bytes, TPictureKind::Bmp);
            break;
        case TKind::Icon:
            p.FRaster = std::make_shared<const TRasterPicture>(bytes, TPictureKind::Icon);
            break;
        case TKind::PngImage:
            p.FRaster = std::make_shared<const TRasterPicture>(bytes, TPictureKind::Png);
            break;
        case TKind::Metafile:
            p.FMetafile = TMetafile::FromBytes(bytes);
            break;
        case TKind::SvgImage:
            p.FSvg = SvgRendererOf(bytes, QString());
            break;
        case TKind::Empty:
            break;
        }
    } catch (const EPictureError&) {
        // Kept as bytes: the design still holds them, unchanged.
    }
    return p;
}

bool TPicture::IsDrawable() const {
    return (FRaster && !FRaster->Failed()) || FMetafile || FSvg;
}

QImage TPicture::Pixels(const QSize& atMost) const {
    return FRaster ? FRaster->Pixels(atMost) : QImage();
}

QSize TPicture::Size() const {
    if (FMetafile)
        return FMetafile->Size();
    if (FSvg)
        return FSvg->defaultSize();
    if (FRaster && !FRaster->Failed())
        return FRaster->Size();
    return {};
}

void TPicture::Draw(QPainter& painter, const QRectF& target) const {
    if (FMetafile)
        FMetafile->Draw(painter, target);
    else if (FSvg)
        FSvg->render(&painter, target);
    else if (FRaster)
        FRaster->Draw(painter, target);
}
