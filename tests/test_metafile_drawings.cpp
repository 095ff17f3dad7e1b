#include "support/LimitedRun.h"
#include "support/MetafileSamples.h"
#include "support/TestSupport.h"

#include "objects/Image.h"
#include "platform/Metafile.h"
#include "platform/Picture.h"
#include "surface/BasePanel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

// Metafiles a drawing program wrote (open clip art exported as WMF and EMF), each with that
// program's own rendering of it beside it, reduced to at most 128 pixels a side. Our drawing,
// reduced the same way, must cover the same ink in the same colours.

namespace {

constexpr double kAlike = 0.8;
constexpr int kNearWhite = 235, kColourTolerance = 64;

bool ink(QRgb c) {
    return qRed(c) < kNearWhite || qGreen(c) < kNearWhite || qBlue(c) < kNearWhite;
}

// The share of the pixels inked in either picture that both ink in about the same colour.
double inkOverlap(const QImage& a, const QImage& b) {
    qint64 either = 0, both = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const bool inkA = ink(p), inkB = ink(q);
            either += inkA || inkB;
            both += inkA && inkB && qAbs(qRed(p) - qRed(q)) <= kColourTolerance &&
                    qAbs(qGreen(p) - qGreen(q)) <= kColourTolerance &&
                    qAbs(qBlue(p) - qBlue(q)) <= kColourTolerance;
        }
    return either == 0 ? 1.0 : double(both) / double(either);
}

QString dataDir() {
    return QStringLiteral(PENTAVO_TEST_DATA "/metafiles");
}

// An 8192 x 8192 bitmap, 8 bits run-length, in stripes of two colours, drawn with
// StretchDIBits over an inch square.
QByteArray HugeBitmapRecord() {
    constexpr int side = 8192;
    TLeBytes bits;
    for (int row = 0; row < side; ++row) {
        for (int done = 0; done < side; done += 255)
            bits.u8(qMin(255, side - done)).u8(row / 512 % 2);
        bits.u8(0).u8(row + 1 == side ? 1 : 0);
    }
    TLeBytes p;
    p.longs({0, 0, 0, 0, 0, 0, 0, 0, side, side, 80, 48, 128, qint32(bits.B.size()), 0, 0x00CC0020,
             254, 254});
    p.u32(40).i32(side).i32(side).u16(1).u16(8).u32(1).longs({0, 0, 0, 2, 0});
    p.u32(0x0000FF).u32(0xFFCC00);
    return EmfRecord(81, p.B + bits.B);
}

} // namespace

class TestMetafileDrawings : public QObject {
    Q_OBJECT
private slots:
    void drawnAsTheirProgramDrawsThem_data();
    void drawnAsTheirProgramDrawsThem();
    void hugeBitmapsPrintAtTheSizeTheyShow();
};

void TestMetafileDrawings::drawnAsTheirProgramDrawsThem_data() {
    QTest::addColumn<QString>("file");
    const QStringList files =
        QDir(dataDir()).entryList({"*.wmf", "*.emf"}, QDir::Files, QDir::Name);
    QCOMPARE(files.size(), 38); // 19 drawings, each in both kinds
    for (const QString& f : files)
        QTest::newRow(qPrintable(f)) << f;
}

void TestMetafileDrawings::drawnAsTheirProgramDrawsThem() {
    QFETCH(QString, file);
    QFile in(dataDir() + '/' + file);
    QVERIFY(in.open(QIODevice::ReadOnly));
    const std::shared_ptr<const TMetafile> metafile = TMetafile::FromBytes(in.readAll());
    QVERIFY(metafile);
    const QImage reference =
        QImage(dataDir() + '/' + file + ".png").convertToFormat(QImage::Format_RGB32);
    QVERIFY(!reference.isNull());
    // Drawn at the picture's own size, then reduced as the reference was.
    QImage drawn(metafile->Size(), QImage::Format_RGB32);
    drawn.fill(Qt::white);
    {
        QPainter painter(&drawn);
        metafile->Draw(painter, QRectF(QPointF(0, 0), metafile->Size()));
    }
    const QImage reduced =
        drawn.scaled(reference.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const double overlap = inkOverlap(reduced, reference);
    QVERIFY2(overlap >= kAlike, qPrintable(QString::number(overlap)));
}

void TestMetafileDrawings::hugeBitmapsPrintAtTheSizeTheyShow() {
    // Twenty records, each with its own 8192 x 8192 bitmap, in a one-inch clip-art box:
    // on paper each shows at about 600 dots per inch, so the whole sheet prints quickly in
    // little memory and the PDF stays small. Before, a sheet took minutes and 210 MB.
    QByteArray records;
    const QByteArray one = HugeBitmapRecord();
    for (int k = 0; k < 20; ++k)
        records += one;
    QTemporaryDir dir;
    const QString in = dir.filePath("huge.ptv"), pdf = dir.filePath("huge.pdf");
    {
        TGBasePanel panel;
        panel.resize(336, 192);
        auto* image = static_cast<TGImage*>(panel.AddObject(std::make_unique<TGImage>()));
        image->SetName(QStringLiteral("Image1"));
        image->SetPicture(
            TPicture::FromMetafile(TMetafile::FromBytes(Emf(2540, 2540, 1, records))));
        image->SetBounds(20, 20, 96, 96);
        panel.SaveToFile(in);
    }
    const TLimitedRun r = RunToolLimited({"print", in, pdf}, qint64(1) << 30, 30000);
    QVERIFY(!r.TimedOut);
    QCOMPARE(r.Err, QByteArray());
    QCOMPARE(r.Status, 0);
    QVERIFY2(QFileInfo(pdf).size() < 20 * 1024 * 1024,
             qPrintable(QString::number(QFileInfo(pdf).size())));
}

QTEST_MAIN(TestMetafileDrawings)
#include "test_metafile_drawings.moc"
