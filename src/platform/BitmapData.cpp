#include "platform/BitmapData.h"

#include "platform/PictureFile.h"

#include <QBuffer>
#include <QtEndian>

TBitmap TBitmap::FromData(const QByteArray& data) {
    const quint32 count = data.size() < 4 ? 0 : qFromLittleEndian<quint32>(data.constData());
    if (data.size() < 4 || count > quint32(data.size() - 4))
        throw EPictureError(QStringLiteral("The stored bitmap is damaged and cannot be read."));
    TBitmap bitmap;
    if (count > 0)
        bitmap.FImage = DecodePicture(data.mid(4, count), TPictureKind::Bmp,
                                      QStringLiteral("the stored bitmap"));
    bitmap.FData = data;
    return bitmap;
}

QByteArray TBitmap::Data() const {
    if (!FData.isEmpty())
        return FData;
    QByteArray file;
    if (!Empty()) {
        QBuffer buffer(&file);
        buffer.open(QIODevice::WriteOnly);
        FImage.convertToFormat(QImage::Format_RGB32).save(&buffer, "BMP");
    }
    QByteArray data(4, 0);
    qToLittleEndian<quint32>(quint32(file.size()), data.data());
    return data + file;
}
