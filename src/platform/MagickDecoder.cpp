#include "platform/MagickDecoder.h"

#include "platform/PictureFile.h"

#include <Magick++.h>

#include <mutex>

namespace {

void initialise() {
    static std::once_flag once;
    std::call_once(once, [] {
        Magick::InitializeMagick(nullptr);
        // The same bounds as the header check, so that a lying header gets no further; no
        // pixel cache on disk and no worker threads.
        MagickLib::SetMagickResourceLimit(MagickLib::WidthResource, MaxPictureSide);
        MagickLib::SetMagickResourceLimit(MagickLib::HeightResource, MaxPictureSide);
        MagickLib::SetMagickResourceLimit(MagickLib::PixelsResource, MaxPictureBytes / 4);
        MagickLib::SetMagickResourceLimit(MagickLib::DiskResource, 0);
        MagickLib::SetMagickResourceLimit(MagickLib::ThreadsResource, 1);
    });
}

} // namespace

std::optional<QImage> MagickDecode(const QByteArray& bytes, const char* format, QSize size) {
    initialise();
    try {
        Magick::Image image;
        image.magick(format);
        try {
            image.read(Magick::Blob(bytes.constData(), size_t(bytes.size())));
        } catch (const Magick::Warning&) {
            // A warning still leaves a picture (a short palette, an odd field).
        }
        if (image.columns() == 0 || image.rows() == 0 ||
            image.columns() > unsigned(MaxPictureSide) || image.rows() > unsigned(MaxPictureSide))
            return std::nullopt;
        if (size.isValid() &&
            (unsigned(size.width()) < image.columns() || unsigned(size.height()) < image.rows())) {
            Magick::Geometry reduced(unsigned(size.width()), unsigned(size.height()));
            reduced.aspect(true);
            image.scale(reduced);
        }
        const unsigned w = image.columns(), h = image.rows();
        QImage result(int(w), int(h), QImage::Format_ARGB32);
        if (result.isNull())
            return std::nullopt;
        // ARGB32 lies in memory as blue, green, red, alpha on this little-endian machine.
        for (unsigned y = 0; y < h; ++y)
            image.write(0, int(y), w, 1, "BGRA", Magick::CharPixel, result.scanLine(int(y)));
        return result;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}
