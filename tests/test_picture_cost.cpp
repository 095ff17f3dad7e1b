#include "support/LimitedRun.h"
#include "support/MetafileSamples.h"
#include "support/PictureBytes.h"
#include "support/TestSupport.h"

#include "app/ObjectKinds.h"
#include "objects/Image.h"
#include "surface/BasePanel.h"

#include <QtTest>

// Small designs whose pictures ask for huge work, rendered and printed by pentavo-tool in a
// child process under a memory limit and a time-out: a regression fails here fast instead of
// freezing or exhausting the machine.
namespace {

QByteArray bitmapPayload(const QByteArray& bmp) {
    return QByteArray("\x07TBitmap") + TLeBytes().u32(quint32(bmp.size())).B + bmp;
}

// A design of `count` clip-art objects in boxes of the given size, each holding `bmp`.
QString designOf(const QTemporaryDir& dir, const QByteArray& bmp, int count, QSize box) {
    TGBasePanel panel;
    const TPicture picture = TPicture::FromData(bitmapPayload(bmp));
    for (int i = 0; i < count; ++i) {
        auto* image = static_cast<TGImage*>(panel.AddObject(std::make_unique<TGImage>()));
        image->SetName(QStringLiteral("Image%1").arg(i + 1));
        image->SetPicture(picture);
        image->SetBounds(i % 4 * 80, i / 4 * 45, box.width(), box.height());
    }
    const QString path = dir.filePath(QStringLiteral("design%1.ptv").arg(count));
    panel.SaveToFile(path);
    return path;
}

} // namespace

class TestPictureCost : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterObjectKinds(); }
    void largePicturesRenderAndPrintWithinLimits_data();
    void largePicturesRenderAndPrintWithinLimits();
};

void TestPictureCost::largePicturesRenderAndPrintWithinLimits_data() {
    QTest::addColumn<QByteArray>("bmp");
    QTest::addColumn<int>("count");
    QTest::addColumn<QSize>("box");
    QTest::addColumn<QRgb>("shown"); // at the card's pixel (20, 20)
    // A 4 x 4 bitmap stretched over a box of 30000 x 30000.
    QByteArray tiny = PictureBytes::BmpHeaderOnly(4, 4);
    for (int i = 0; i < 16; ++i)
        tiny.append("\x00\x00\xFF", 3); // red, stored blue-green-red
    QTest::newRow("4 x 4 in 30000 x 30000") << tiny << 1 << QSize(30000, 30000) << qRgb(255, 0, 0);
    // Run-length bitmaps of 8192 x 8192 (some 558 KB each) in small boxes.
    const QByteArray large = PictureBytes::Rle8Solid(8192, 8192);
    QTest::newRow("four 8192 x 8192") << large << 4 << QSize(100, 60) << qRgb(0, 0, 255);
    QTest::newRow("sixteen 8192 x 8192") << large << 16 << QSize(100, 60) << qRgb(0, 0, 255);
}

void TestPictureCost::largePicturesRenderAndPrintWithinLimits() {
    QFETCH(QByteArray, bmp);
    QFETCH(int, count);
    QFETCH(QSize, box);
    QFETCH(QRgb, shown);
    QTemporaryDir dir;
    const QString design = designOf(dir, bmp, count, box);
    const QString png = dir.filePath("card.png"), pdf = dir.filePath("sheet.pdf");
    TLimitedRun r = RunToolLimited({"render", design, png});
    QCOMPARE(r.TimedOut, false);
    QCOMPARE(r.Err, QByteArray());
    QCOMPARE(r.Status, 0);
    QCOMPARE(QImage(png).pixel(20, 20), shown);
    r = RunToolLimited({"print", design, pdf});
    QCOMPARE(r.TimedOut, false);
    QCOMPARE(r.Err, QByteArray());
    QCOMPARE(r.Status, 0);
    QVERIFY(ReadTestFile(pdf).startsWith("%PDF"));
}

QTEST_MAIN(TestPictureCost)
#include "test_picture_cost.moc"
