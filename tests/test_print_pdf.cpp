#include "support/PrintTestSupport.h"
#include "support/TestSupport.h"

#include "printing/CardPrinting.h"
#include "surface/BasePanel.h"

#include <QProcess>
#include <QtTest>

namespace {

// Prints a line of text at the card's top-left corner.
class TTextMarker : public TGGraphicControl {
public:
    QString ClassName() const override { return QStringLiteral("TTextMarker"); }
    void PrintTo(TReportCanvas& report, double x, double y) override {
        report.SetFont(QStringLiteral("Liberation Sans"), 12);
        report.SetFontColor(clBlack);
        report.TextOut(x + 0.1, y + 0.1, QStringLiteral("Pentavo card"));
    }
};

// Renders the PDF's first page at 96 pixels per inch in grey levels.
QImage Render(const QString& pdf, const QString& dir) {
    QProcess p;
    p.start(QStringLiteral("pdftoppm"),
            {"-r", "96", "-gray", "-aa", "no", "-aaVector", "no", "-f", "1", "-l", "1", "-png",
             "-singlefile", pdf, dir + "/page"});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QImage(dir + "/page.png");
}

bool Dark(const QImage& img, int x, int y) {
    return qGray(img.pixel(x, y)) < 128;
}

} // namespace

class TestPrintPdf : public QObject {
    Q_OBJECT
private slots:
    void outlinePageLandsOnTheSheet();
    void repeatedPictureStoredOnceAndTextStaysText();
    void unwritableFileIsReported();
};

void TestPrintPdf::outlinePageLandsOnTheSheet() {
    QTemporaryDir dir;
    TGBasePanel panel;
    TPrintRunSettings s;
    s.OutlineOnly = true;
    const QString pdf = dir.filePath("outline.pdf");
    QString error;
    QVERIFY2(PrintToPdf(panel, s, pdf, &error), qPrintable(error));
    const QImage img = Render(pdf, dir.path());
    QVERIFY(!img.isNull());
    QCOMPARE(img.size(), QSize(816, 1056)); // Letter at 96 pixels per inch
    // Card edges at x = 0.75, 4.25, 7.75 in and y = 0.5 + 2k in.
    for (int x : {72, 408, 744}) {
        QVERIFY2(Dark(img, x, 150) || Dark(img, x - 1, 150) || Dark(img, x + 1, 150),
                 qPrintable(QString("column %1").arg(x)));
        QVERIFY(!Dark(img, x - 3, 150) && !Dark(img, x + 3, 150));
    }
    for (int y : {48, 240, 432, 624, 816, 1008}) {
        QVERIFY2(Dark(img, 200, y) || Dark(img, 200, y - 1) || Dark(img, 200, y + 1),
                 qPrintable(QString("row %1").arg(y)));
        QVERIFY(!Dark(img, 200, y - 3) && !Dark(img, 200, y + 3));
    }
    // Nothing between the cards' rows or beyond the last one.
    QVERIFY(!Dark(img, 30, 150));
    QVERIFY(!Dark(img, 200, 1030));
}

void TestPrintPdf::repeatedPictureStoredOnceAndTextStaysText() {
    QTemporaryDir dir;
    const QString art = dir.filePath("art.bmp");
    QImage image(64, 32, QImage::Format_RGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x)
            image.setPixel(x, y, qRgb(x * 4, y * 8, 128));
    QVERIFY(image.save(art, "BMP"));
    TGBasePanel panel;
    panel.AddObject(std::make_unique<TTextMarker>());
    TPrintRunSettings s;
    s.BackgroundFile = art;
    s.Copies = 2;
    const QString pdf = dir.filePath("cards.pdf");
    QVERIFY(PrintToPdf(panel, s, pdf, nullptr));
    QFile f(pdf);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QCOMPARE(bytes.count("/Subtype /Image"), 1); // twenty cards, one picture
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, "-"});
    QVERIFY(text.waitForFinished(30000));
    QCOMPARE(QString::fromUtf8(text.readAllStandardOutput()).count("Pentavo card"), 20);
}

void TestPrintPdf::unwritableFileIsReported() {
    TGBasePanel panel;
    QString error;
    QVERIFY(!PrintToPdf(panel, TPrintRunSettings(), "/nonexistent-folder/x.pdf", &error));
    QCOMPARE(error,
             QStringLiteral("The PDF file \"/nonexistent-folder/x.pdf\" cannot be written."));
}

QTEST_MAIN(TestPrintPdf)
#include "test_print_pdf.moc"
