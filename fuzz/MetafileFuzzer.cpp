// Metafile bytes in: the header check and the player must end without reading outside the
// bytes, whatever the records say. No widgets: a small image is the only device.
#include "FuzzApplication.h"
#include "platform/Metafile.h"

#include <QImage>
#include <QPainter>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    StartFuzzApplication("fuzz_metafile");
    const std::shared_ptr<const TMetafile> metafile = TMetafile::FromBytes(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!metafile)
        return 0;
    static QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    metafile->Draw(painter, QRectF(2, 2, 28, 28));
    return 0;
}
