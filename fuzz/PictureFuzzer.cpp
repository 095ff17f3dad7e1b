// Picture bytes in: each kind the loader knows must end in a picture within the size limits
// or the loader's own message, whatever the bytes are.
#include "FuzzApplication.h"
#include "platform/PictureFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    StartFuzzApplication("fuzz_picture");
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    for (int k = int(TPictureKind::Jpg); k <= int(TPictureKind::Icon); ++k) {
        try {
            const QImage image = DecodePicture(bytes, TPictureKind(k), QStringLiteral("fuzz"));
            if (image.isNull() || image.width() > MaxPictureSide || image.height() > MaxPictureSide)
                std::abort();
        } catch (const EPictureError&) {
        }
    }
    return 0;
}
