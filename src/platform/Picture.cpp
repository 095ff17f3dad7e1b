#include "platform/Picture.h"

#include "platform/PictureFile.h"
#include "platform/RegularFile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QtEndian>

namespace {

constexpr int kMaxKindName = 63;

QByteArray kindName(TPicture::TKind kind) {
    switch (kind) {
    case TPicture::TKind::Bitmap:
        return "TBitmap";
    case TPicture::TKind::Icon:
        return "TIcon";
    case TPicture::TKind::Metafile:
        return "TMetafile";
    case TPicture::TKind::Empty:
        break;
    }
    return {};
}

// Kind name, then a 32-bit byte count and the bytes (bitmaps and metafiles) or the bytes
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

QByteArray bmpFileOf(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

[[noreturn]] void damagedPayload() {
    throw EPictureError(QStringLiteral("The picture stored in the design is damaged."));
}

QByteArray readFile(const QString& fileName) {
    const QFileInfo info(fileName);
    if (!info.exists())
        throw EPictureError(QStringLiteral("The picture file %1 was not found.").arg(fileName));
    TFileBytes file = ReadRegularFile(fileName, MaxPictureBytes);
    if (file.Result != TFileRead::Read || file.Truncated)
        throw EPictureError(QStringLiteral("Cannot open file %1").arg(fileName));
    return std::move(file.Bytes);
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
    p.FKind = TKind::Bitmap;
    p.FImage = image;
    p.FData = payload(TKind::Bitmap, bmpFile.isEmpty() ? bmpFileOf(image) : bmpFile);
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

TPicture TPicture::LoadFromFile(const QString& fileName, bool iconsAsBitmaps) {
    const QString ext = QFileInfo(fileName).suffix().toUpper();
    if (ext == QLatin1String("WMF") || ext == QLatin1String("EMF")) {
        std::shared_ptr<const TMetafile> m = TMetafile::FromBytes(readFile(fileName));
        if (!m)
            throw EPictureError(QStringLiteral("%1 does not hold a metafile, as its name says.")
                                    .arg(QFileInfo(fileName).fileName()));
        return FromMetafile(std::move(m));
    }
    const QImage image = LoadPictureFile(fileName);
    if (ext == QLatin1String("ICO")) {
        if (iconsAsBitmaps)
            return FromBitmap(OnWhite(image));
        TPicture p;
        p.FKind = TKind::Icon;
        p.FImage = image;
        p.FData = payload(TKind::Icon, readFile(fileName));
        return p;
    }
    // A bitmap file is kept as it is; other kinds become bitmap files.
    if (ext == QLatin1String("BMP")) {
        const QByteArray file = readFile(fileName);
        if (file.startsWith("BM"))
            return FromBitmap(image, file);
    }
    return FromBitmap(image);
}

TPicture TPicture::FromData(const QByteArray& data) {
    TPicture p;
    if (data.isEmpty())
        return p;
    const int nameLength = quint8(data[0]);
    if (nameLength > kMaxKindName || data.size() < 1 + nameLength)
        damagedPayload();
    const QByteArray name = data.mid(1, nameLength);
    QByteArray bytes = data.mid(1 + nameLength);
    if (name == "TBitmap" || name == "TMetafile") {
        if (bytes.size() < 4 || qFromLittleEndian<quint32>(bytes.constData()) != bytes.size() - 4)
            damagedPayload();
        bytes.remove(0, 4);
    }
    p.FData = data;
    try {
        if (name == "TBitmap") {
            p.FKind = TKind::Bitmap;
            if (!bytes.isEmpty())
                p.FImage = DecodePicture(bytes, TPictureKind::Bmp, QString());
        } else if (name == "TIcon") {
            p.FKind = TKind::Icon;
            p.FImage = DecodePicture(bytes, TPictureKind::Icon, QString());
        } else if (name == "TMetafile") {
            p.FKind = TKind::Metafile;
            p.FMetafile = TMetafile::FromBytes(bytes);
        } else {
            damagedPayload();
        }
    } catch (const EPictureError&) {
        if (p.FKind == TKind::Empty)
            throw;
        // Kept as bytes: the design still holds them, unchanged.
    }
    return p;
}

QSize TPicture::Size() const {
    if (FMetafile)
        return FMetafile->Size();
    return FImage.size();
}

void TPicture::Draw(QPainter& painter, const QRectF& target) const {
    if (FMetafile)
        FMetafile->Draw(painter, target);
    else if (!FImage.isNull())
        painter.drawImage(target, FImage);
}
