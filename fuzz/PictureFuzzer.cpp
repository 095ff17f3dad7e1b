// Picture bytes in: each kind the loader knows must end in a picture within the size limits
// or the loader's own message, whatever the bytes are.
#include "platform/PictureFile.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

namespace {

void setUp() {
    static bool done = false;
    if (done)
        return;
    done = true;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static int argc = 1;
    static char name[] = "fuzz_picture";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    setUp();
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
