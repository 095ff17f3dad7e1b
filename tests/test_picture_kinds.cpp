#include "support/LimitedRun.h"
#include "support/MetafileSamples.h"
#include "support/ObjectTestSupport.h"
#include "support/PictureBytes.h"
#include "support/PictureMessage.h"
#include "support/TestSupport.h"

#include "app/ObjectKinds.h"
#include "objects/Image.h"
#include "platform/Picture.h"
#include "platform/PictureBudget.h"
#include "platform/PictureFile.h"
#include "surface/BasePanel.h"

#include <QBuffer>
#include <QProcess>
#include <QtTest>

namespace {

const QString kData = QStringLiteral(PENTAVO_TEST_DATA "/pictures/");

QByteArray pngWithHeader(quint32 w, quint32 h) {
    QByteArray ihdr;
    PictureBytes::put32be(ihdr, w);
    PictureBytes::put32be(ihdr, h);
    ihdr.append("\x08\x06\x00\x00\x00", 5);
    return QByteArray("\x89PNG\r\n\x1A\n", 8) + PictureBytes::PngChunk("IHDR", ihdr) +
           PictureBytes::PngChunk("IDAT", PictureBytes::ZlibStored(QByteArray(64, 0)));
}

QImage solid(int w, int h, QColor color) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// Runs a program and gives its standard output; empty when it failed.
QByteArray outputOf(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return p.readAllStandardOutput();
}

} // namespace

class TestPictureKinds : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterObjectKinds(); }
    void pngWebpAndSvgKeepTheirTransparency();
    void headersOfTodayAreBoundedAndSafe();
    void tgaUprightFromEveryOrigin();
    void picturesDecodeAtTheSizeAsked();
    void budgetGivesReducedCopiesNeverNothing();
    void filesBecomeTheirOwnKinds();
    void cardShowsThroughPngAndSvgAtAnyZoom();
    void printedPicturesKeepTheirPixelsAndSvgStaysVector();
};

void TestPictureKinds::pngWebpAndSvgKeepTheirTransparency() {
    const QImage png = DecodePicture(PictureBytes::PngRgba(), TPictureKind::Png, "a.png")
                           .convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(png.size(), QSize(2, 2));
    QCOMPARE(png.pixel(0, 0), qRgba(255, 0, 0, 255));
    QCOMPARE(qAlpha(png.pixel(1, 0)), 0);
    QCOMPARE(png.pixel(0, 1), qRgba(0, 0, 255, 128));
    QCOMPARE(png.pixel(1, 1), qRgba(0, 255, 0, 255));
    // Files ImageMagick wrote: a red pixel, a half-transparent blue one, the rest clear.
    for (const char* name : {"imagemagick-alpha.webp", "imagemagick-alpha.png"}) {
        const QImage image = LoadPictureFile(kData + name).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), QSize(3, 2));
        QCOMPARE(image.pixel(0, 0), qRgba(255, 0, 0, 255));
        QCOMPARE(qAlpha(image.pixel(1, 1)), 0);
        QCOMPARE(image.pixel(2, 1), qRgba(0, 0, 255, 127));
    }
    const QImage svg = DecodePicture(PictureBytes::SvgHalfBlue(), TPictureKind::Svg, "a.svg")
                           .convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(svg.size(), QSize(40, 20));
    QCOMPARE(svg.pixel(5, 5), qRgba(0, 0, 255, 255));
    QCOMPARE(qAlpha(svg.pixel(30, 5)), 0);
}

void TestPictureKinds::headersOfTodayAreBoundedAndSafe() {
    QCOMPARE(PictureSizeOf(PictureBytes::PngRgba(), TPictureKind::Png, "a.png"), QSize(2, 2));
    QCOMPARE(
        PictureSizeOf(ReadTestFile(kData + "imagemagick-alpha.webp"), TPictureKind::Webp, "a.webp"),
        QSize(3, 2));
    QCOMPARE(PictureMessageOf(pngWithHeader(60000, 60000), TPictureKind::Png, "big.png"),
             "The picture in big.png is too large (60000 x 60000 pixels). Pictures up to "
             "16384 x 16384 pixels and 256 MB can be loaded.");
    // Within the limits, but a few bytes can never inflate to 8000 x 8000 pixels.
    QCOMPARE(PictureMessageOf(pngWithHeader(8000, 8000), TPictureKind::Png, "cut.png"),
             "The picture in cut.png is damaged and cannot be read.");
    QCOMPARE(PictureMessageOf(PictureBytes::PngRgba(), TPictureKind::Webp, "a.webp"),
             "a.webp does not hold a WebP picture, as its name says.");
    QCOMPARE(PictureMessageOf("<html></html>", TPictureKind::Svg, "a.svg"),
             "a.svg does not hold a SVG picture, as its name says.");
    // An image element that names a file would have the renderer open it (a device, a pipe):
    // refused. Pixels carried inline are fine.
    const QByteArray outside = "<svg xmlns=\"http://www.w3.org/2000/svg\" "
                               "xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"4\" "
                               "height=\"4\"><image width=\"4\" height=\"4\" "
                               "xlink:href=\"/dev/zero\"/></svg>";
    QCOMPARE(PictureMessageOf(outside, TPictureKind::Svg, "a.svg"),
             "a.svg does not hold a SVG picture, as its name says.");
    QByteArray inline_ = outside;
    inline_.replace("/dev/zero", "data:image/png;base64," + PictureBytes::PngRgba().toBase64());
    QCOMPARE(DecodePicture(inline_, TPictureKind::Svg, "a.svg").size(), QSize(4, 4));
}

void TestPictureKinds::tgaUprightFromEveryOrigin() {
    for (const bool runLength : {false, true})
        for (const bool rightToLeft : {false, true})
            for (const bool topDown : {false, true}) {
                const QByteArray tga =
                    PictureBytes::Tga24FromOrigin(rightToLeft, topDown, runLength);
                const QImage image = DecodePicture(tga, TPictureKind::Tga, "a.tga");
                const QString origin = QString("rle %1 right-to-left %2 top-down %3")
                                           .arg(runLength)
                                           .arg(rightToLeft)
                                           .arg(topDown);
                QVERIFY2(image.pixel(0, 0) == qRgb(255, 0, 0), qPrintable(origin));
                QVERIFY2(image.pixel(1, 0) == qRgb(0, 255, 0), qPrintable(origin));
                QVERIFY2(image.pixel(0, 1) == qRgb(0, 0, 255), qPrintable(origin));
                QVERIFY2(image.pixel(1, 1) == qRgb(255, 255, 255), qPrintable(origin));
            }
    // ImageMagick's default TGA names the bottom-left origin, so its first stored row
    // (red, green, white) is the picture's bottom row, as netpbm's tgatoppm reads it too.
    for (const char* name : {"imagemagick-default.tga", "imagemagick-rle.tga"}) {
        const QImage image = LoadPictureFile(kData + name);
        QCOMPARE(image.size(), QSize(3, 2));
        QCOMPARE(image.pixel(0, 1), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(1, 1), qRgb(0, 255, 0));
        QCOMPARE(image.pixel(0, 0), qRgb(0, 0, 255));
        QCOMPARE(image.pixel(2, 0), qRgb(255, 255, 255));
    }
}

void TestPictureKinds::picturesDecodeAtTheSizeAsked() {
    // Palette, run-length, through the external library, and scaled while decoding.
    const QImage rle =
        DecodePicture(PictureBytes::Rle8Solid(4000, 3000), TPictureKind::Rle, "", QSize(40, 30));
    QCOMPARE(rle.size(), QSize(40, 30));
    QCOMPARE(rle.pixel(20, 15), qRgb(0, 0, 255));
    const QImage tga = DecodePicture(PictureBytes::Tga24FromOrigin(false, false), TPictureKind::Tga,
                                     "", QSize(1, 5));
    QCOMPARE(tga.size(), QSize(1, 2));
    QBuffer jpeg;
    jpeg.open(QIODevice::WriteOnly);
    solid(800, 400, Qt::red).save(&jpeg, "JPEG");
    const QImage small = DecodePicture(jpeg.data(), TPictureKind::Jpg, "", QSize(100, 1000));
    QCOMPARE(small.size(), QSize(100, 400));
    QCOMPARE(DecodePicture(jpeg.data(), TPictureKind::Jpg, "", QSize()).size(), QSize(800, 400));
    // Drawn, a picture is decoded at the size its target covers on the device.
    const TPicture picture =
        TPicture::FromData(QByteArray("\x07TBitmap") + TLeBytes().u32(0).B + QByteArray());
    QVERIFY(!picture.IsDrawable());
    const QByteArray bmp = PictureBytes::Rle8Solid(2000, 1000);
    const TPicture big =
        TPicture::FromData(QByteArray("\x07TBitmap") + TLeBytes().u32(quint32(bmp.size())).B + bmp);
    QCOMPARE(big.Size(), QSize(2000, 1000));
    QImage target(50, 40, QImage::Format_RGB32);
    target.fill(Qt::white);
    const qint64 before = PictureBudget::Held();
    QPainter p(&target);
    big.Draw(p, QRectF(0, 0, 50, 40));
    p.end();
    QCOMPARE(target.pixel(25, 20), qRgb(0, 0, 255));
    QCOMPARE(PictureBudget::Held() - before, 50 * 40);
}

void TestPictureKinds::budgetGivesReducedCopiesNeverNothing() {
    const qint64 previous = PictureBudget::SetLimit(200000);
    {
        auto first = std::make_unique<TPicture>(TPicture::FromBitmap(solid(400, 400, Qt::red)));
        const TPicture second = TPicture::FromBitmap(solid(400, 400, Qt::green));
        QCOMPARE(first->Image().size(), QSize(400, 400));
        // Past the budget: a reduced copy, not a failure.
        const QImage reduced = second.Image();
        QCOMPARE(reduced.size(), QSize(256, 256));
        QCOMPARE(reduced.pixel(100, 100), qRgb(0, 255, 0));
        // Once the first is gone its pixels are free again.
        first.reset();
        QCOMPARE(second.Image().size(), QSize(400, 400));
        QCOMPARE(PictureBudget::Held(), 400 * 400);
    }
    QCOMPARE(PictureBudget::Held(), 0);
    PictureBudget::SetLimit(previous);
}

void TestPictureKinds::filesBecomeTheirOwnKinds() {
    QTemporaryDir dir;
    const QString png = dir.filePath("logo.png"), svg = dir.filePath("logo.SVG");
    QVERIFY(WriteTestFile(png, PictureBytes::PngRgba()));
    QVERIFY(WriteTestFile(svg, PictureBytes::SvgHalfBlue()));
    const TPicture fromPng = TPicture::LoadFromFile(png, true);
    QCOMPARE(fromPng.Kind(), TPicture::TKind::PngImage);
    QCOMPARE(fromPng.Data(), QByteArray("\x09TPngImage") +
                                 TLeBytes().u32(quint32(PictureBytes::PngRgba().size())).B +
                                 PictureBytes::PngRgba());
    const TPicture fromSvg = TPicture::LoadFromFile(svg, true);
    QCOMPARE(fromSvg.Kind(), TPicture::TKind::SvgImage);
    QVERIFY(fromSvg.IsVector());
    QCOMPARE(fromSvg.Size(), QSize(40, 20));
    QVERIFY(fromSvg.Data().endsWith(PictureBytes::SvgHalfBlue()));
    // A WebP is kept as a PNG of its pixels, transparency and all.
    const TPicture fromWebp = TPicture::LoadFromFile(kData + "imagemagick-alpha.webp", true);
    QCOMPARE(fromWebp.Kind(), TPicture::TKind::PngImage);
    const QImage pixels = fromWebp.Image().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(pixels.pixel(2, 1), qRgba(0, 0, 255, 127));
    QVERIFY(WriteTestFile(dir.filePath("fake.png"), PictureBytes::Gif()));
    try {
        TPicture::LoadFromFile(dir.filePath("fake.png"), true);
        QFAIL("a GIF named .png was taken");
    } catch (const EPictureError& e) {
        QCOMPARE(e.Message(), "fake.png does not hold a PNG picture, as its name says.");
    }
}

void TestPictureKinds::cardShowsThroughPngAndSvgAtAnyZoom() {
    TGImage png;
    png.SetPicture(TPicture::FromPng(PictureBytes::PngRgba()));
    png.SetBounds(0, 0, 20, 20);
    QImage painted = PaintAlone(png, Qt::yellow);
    QCOMPARE(painted.pixel(5, 5), qRgb(255, 0, 0));
    QCOMPARE(painted.pixel(15, 5), qRgb(255, 255, 0)); // the card through the clear pixel
    QCOMPARE(painted.pixel(15, 15), qRgb(0, 255, 0));
    // A bitmap still covers its box.
    TGImage bitmap;
    bitmap.SetPicture(TPicture::FromBitmap(solid(2, 2, Qt::red)));
    bitmap.SetBounds(0, 0, 20, 20);
    QCOMPARE(PaintAlone(bitmap, Qt::yellow).pixel(15, 5), qRgb(255, 0, 0));
    // An SVG is drawn anew at each size: at 150 % its edge is still one sharp step.
    for (const int scale : {2, 3}) {
        TGImage svg;
        svg.SetPicture(TPicture::FromSvg(PictureBytes::SvgHalfBlue()));
        svg.SetBounds(0, 0, 40 * scale / 2, 20 * scale / 2);
        painted = PaintAlone(svg, Qt::yellow);
        const int edge = 10 * scale; // half the width
        QCOMPARE(painted.pixel(edge - 1, 5), qRgb(0, 0, 255));
        QCOMPARE(painted.pixel(edge, 5), qRgb(255, 255, 0));
    }
}

void TestPictureKinds::printedPicturesKeepTheirPixelsAndSvgStaysVector() {
    QTemporaryDir dir;
    // Two colours in a pattern a lossy encoder would smear.
    QImage pattern(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            pattern.setPixel(x, y, (x + y) % 2 ? qRgb(0, 0, 255) : qRgb(255, 255, 0));
    TGBasePanel panel;
    auto add = [&](const TPicture& picture, int left) {
        auto* image = static_cast<TGImage*>(panel.AddObject(std::make_unique<TGImage>()));
        image->SetName(QStringLiteral("Image%1").arg(left));
        image->SetPicture(picture);
        image->SetBounds(left, 20, 64, 64);
    };
    add(TPicture::FromBitmap(pattern), 10);
    add(TPicture::FromPng(PictureBytes::PngRgba()), 100);
    add(TPicture::FromSvg(PictureBytes::SvgHalfBlue()), 200);
    const QString design = dir.filePath("logos.ptv"), pdf = dir.filePath("logos.pdf");
    panel.SaveToFile(design);
    const TLimitedRun r = RunToolLimited({"print", design, pdf, "--cards", "1"});
    QCOMPARE(r.Err, QByteArray());
    QCOMPARE(r.Status, 0);
    // One bitmap, one PNG with its alpha as a soft mask, and nothing for the SVG.
    const QList<QByteArray> rows = outputOf("pdfimages", {"-list", pdf}).split('\n').mid(2);
    QStringList kinds;
    for (const QByteArray& row : rows) {
        const QList<QByteArray> cells = row.simplified().split(' ');
        if (cells.size() > 8)
            kinds << QString("%1 %2x%3 %4").arg(cells[2], cells[3], cells[4], cells[8]);
    }
    QCOMPARE(kinds, QStringList({"image 8x8 image", "image 2x2 image", "smask 2x2 image"}));
    QVERIFY(!outputOf("pdfimages", {"-list", pdf}).contains("jpeg"));
    QCOMPARE(QProcess::execute("pdfimages", {"-png", pdf, dir.filePath("x")}), 0);
    QCOMPARE(QImage(dir.filePath("x-000.png")).convertToFormat(QImage::Format_RGB32), pattern);
    const QImage png = QImage(dir.filePath("x-001.png")).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(png.pixel(0, 0), qRgb(255, 0, 0));
    QCOMPARE(png.pixel(0, 1), qRgb(0, 0, 255));
    const QImage mask =
        QImage(dir.filePath("x-002.png")).convertToFormat(QImage::Format_Grayscale8);
    QCOMPARE(qGray(mask.pixel(0, 0)), 255);
    QCOMPARE(qGray(mask.pixel(1, 0)), 0);
    QCOMPARE(qGray(mask.pixel(0, 1)), 128);
}

QTEST_MAIN(TestPictureKinds)
#include "test_picture_kinds.moc"
