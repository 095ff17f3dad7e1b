#include "support/PictureBytes.h"
#include "support/PictureMessage.h"
#include "support/TestSupport.h"

#include "platform/PictureFile.h"

#include <QBuffer>
#include <QDir>
#include <QtTest>

namespace {

QByteArray written(const QImage& image, const char* format) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return buffer.data();
}

QImage sample() {
    QImage image(5, 3, QImage::Format_RGB32);
    image.fill(QColor(10, 200, 30));
    image.setPixel(0, 0, qRgb(255, 0, 0));
    return image;
}

} // namespace

class TestPictureFile : public QObject {
    Q_OBJECT
private slots:
    void kindComesFromTheLastExtension() {
        QCOMPARE(PictureKindOf("photo.final.jpg"), TPictureKind::Jpg);
        QCOMPARE(PictureKindOf("/a.b/WOOD.Pcx"), TPictureKind::Pcx);
        QCOMPARE(PictureKindOf("x.tga"), TPictureKind::Tga);
        QCOMPARE(PictureKindOf("x.jif"), TPictureKind::Jif);
        QCOMPARE(PictureKindOf("x.ico"), TPictureKind::Icon);
        QCOMPARE(PictureKindOf("x.jpg.png"), TPictureKind::Png);
        QCOMPARE(PictureKindOf("logo.Svg"), TPictureKind::Svg);
        QCOMPARE(PictureKindOf("logo.webp"), TPictureKind::Webp);
        QCOMPARE(PictureKindOf("x.png.txt"), TPictureKind::Unknown);
        QCOMPARE(PictureKindOf("/folder.bmp/noextension"), TPictureKind::Unknown);
    }

    void everyKindDecodes() {
        const QImage bmp = DecodePicture(written(sample(), "bmp"), TPictureKind::Bmp, "a.bmp");
        QCOMPARE(bmp.size(), QSize(5, 3));
        QCOMPARE(bmp.pixel(0, 0), qRgb(255, 0, 0));
        // A .DIB file with its file header, and a bare one that starts at the info header.
        QCOMPARE(DecodePicture(written(sample(), "bmp"), TPictureKind::Dib, "a.dib").size(),
                 QSize(5, 3));
        const QImage bare =
            DecodePicture(written(sample(), "bmp").mid(14), TPictureKind::Dib, "a.dib");
        QCOMPARE(bare.pixel(4, 2), qRgb(10, 200, 30));
        const QImage rle = DecodePicture(PictureBytes::Rle8(), TPictureKind::Rle, "a.rle");
        QCOMPARE(rle.size(), QSize(2, 1));
        QCOMPARE(rle.pixel(1, 0), qRgb(0, 255, 0));
        QCOMPARE(DecodePicture(written(sample(), "jpeg"), TPictureKind::Jif, "a.jif").size(),
                 QSize(5, 3));
        const QImage gif = DecodePicture(PictureBytes::Gif(), TPictureKind::Gif, "a.gif");
        QCOMPARE(gif.size(), QSize(1, 1));
        QCOMPARE(DecodePicture(written(sample(), "ico"), TPictureKind::Icon, "a.ico").size(),
                 QSize(5, 3));
    }

    void pcxAndTgaComeThroughTheExternalLibrary() {
        const QImage pcx = DecodePicture(PictureBytes::Pcx(), TPictureKind::Pcx, "a.pcx");
        QCOMPARE(pcx.size(), QSize(4, 2));
        QCOMPARE(pcx.pixel(3, 0), qRgb(255, 0, 0));
        QCOMPARE(pcx.pixel(0, 1), qRgb(0, 0, 255));
        // Neither TGA has the 2.0 footer; the second is run-length encoded.
        const QImage tga = DecodePicture(PictureBytes::Tga24(), TPictureKind::Tga, "a.tga");
        QCOMPARE(tga.size(), QSize(2, 2));
        QCOMPARE(tga.pixel(0, 0), qRgb(255, 0, 0));
        QCOMPARE(tga.pixel(1, 0), qRgb(0, 255, 0));
        QCOMPARE(tga.pixel(0, 1), qRgb(0, 0, 255));
        const QImage rle = DecodePicture(PictureBytes::TgaRle(), TPictureKind::Tga, "b.tga");
        QCOMPARE(rle.size(), QSize(3, 1));
        QCOMPARE(rle.pixel(2, 0), qRgb(255, 0, 0));
    }

    void contentMustAgreeWithTheName() {
        const QByteArray png = written(sample(), "png");
        QCOMPARE(PictureMessageOf(png, TPictureKind::Jpg, "/x/photo.jpg"),
                 "photo.jpg does not hold a JPEG picture, as its name says.");
        QCOMPARE(PictureMessageOf(PictureBytes::Gif(), TPictureKind::Bmp, "a.bmp"),
                 "a.bmp does not hold a bitmap picture, as its name says.");
        QCOMPARE(PictureMessageOf(png, TPictureKind::Tga, "a.tga"),
                 "a.tga does not hold a TGA picture, as its name says.");
        QCOMPARE(PictureMessageOf(png, TPictureKind::Pcx, "a.pcx"),
                 "a.pcx does not hold a PCX picture, as its name says.");
        QCOMPARE(PictureMessageOf(png, TPictureKind::Unknown, "a.txt"),
                 "a.txt is not a kind of picture this program can read.");
    }

    void hugeHeadersAreRefusedBeforeDecoding() {
        const QString tooLarge = "The picture in %1 is too large (60000 x 60000 pixels). "
                                 "Pictures up to 16384 x 16384 pixels and 256 MB can be loaded.";
        QCOMPARE(
            PictureMessageOf(PictureBytes::BmpHeaderOnly(60000, 60000), TPictureKind::Bmp, "a.bmp"),
            tooLarge.arg("a.bmp"));
        QByteArray tga = PictureBytes::TgaHeader(2, 60000, 60000, 24);
        QCOMPARE(PictureMessageOf(tga, TPictureKind::Tga, "a.tga"), tooLarge.arg("a.tga"));
        QByteArray pcx = PictureBytes::Pcx();
        qToLittleEndian<quint16>(59999, pcx.data() + 8);
        qToLittleEndian<quint16>(59999, pcx.data() + 10);
        QCOMPARE(PictureMessageOf(pcx, TPictureKind::Pcx, "a.pcx"), tooLarge.arg("a.pcx"));
        // Within each side's limit but beyond the decoded size.
        QVERIFY(
            PictureMessageOf(PictureBytes::BmpHeaderOnly(16384, 8193), TPictureKind::Bmp, "b.bmp")
                .contains("too large"));
    }

    void damagedPicturesGiveAMessage() {
        const QString damaged = "The picture in %1 is damaged and cannot be read.";
        QCOMPARE(PictureMessageOf(written(sample(), "jpeg").left(20), TPictureKind::Jpg, "a.jpg"),
                 damaged.arg("a.jpg"));
        QCOMPARE(PictureMessageOf(PictureBytes::Tga24().left(20), TPictureKind::Tga, "a.tga"),
                 damaged.arg("a.tga"));
        QCOMPARE(PictureMessageOf(PictureBytes::BmpHeaderOnly(4, 4), TPictureKind::Bmp, "a.bmp"),
                 damaged.arg("a.bmp"));
        // Headers that announce more pixels than their few bytes could ever unpack to: a
        // run-length TGA of 16191 x 4103 and a PCX of 8000 x 8000 in their bare headers.
        const QByteArray tga = PictureBytes::TgaHeader(10, 16191, 4103, 15) + "??";
        QCOMPARE(PictureMessageOf(tga, TPictureKind::Tga, "big.tga"), damaged.arg("big.tga"));
        QByteArray pcx = PictureBytes::Pcx().left(128);
        qToLittleEndian<quint16>(7999, pcx.data() + 8);
        qToLittleEndian<quint16>(7999, pcx.data() + 10);
        QCOMPARE(PictureMessageOf(pcx + QByteArray(64, '\xC1'), TPictureKind::Pcx, "big.pcx"),
                 damaged.arg("big.pcx"));
    }

    void filesAreCheckedBeforeReading() {
        QTemporaryDir dir;
        const QString path = dir.filePath("wood.final.PCX");
        QVERIFY(WriteTestFile(path, PictureBytes::Pcx()));
        QCOMPARE(LoadPictureFile(path).size(), QSize(4, 2));
        auto message = [](const QString& file) {
            try {
                LoadPictureFile(file);
            } catch (const EPictureError& e) {
                return e.Message();
            }
            return QString();
        };
        QCOMPARE(message(dir.filePath("gone.bmp")),
                 "The picture file " + dir.filePath("gone.bmp") + " was not found.");
        QVERIFY(QDir(dir.path()).mkdir("folder.bmp"));
        QCOMPARE(message(dir.filePath("folder.bmp")),
                 "folder.bmp is not a picture file this program can read.");
    }
};

QTEST_GUILESS_MAIN(TestPictureFile)
#include "test_picture_file.moc"
