// Printed barcodes read back: the PDF of a print run rasterised at 300 dpi, as a printer lays
// it down, and each card's code decoded with the barcode library's reader.
#include "support/BarcodeReading.h"
#include "support/ObjectTestSupport.h"
#include "support/TestSupport.h"

#include "merge/MergeList.h"
#include "objects/Barcode.h"
#include "objects/BarcodeKind.h"
#include "printing/CardPrinting.h"

#include <QProcess>
#include <QtTest>

namespace {

constexpr int Dpi = 300;

// Where the card at a sheet position of the default layout (two across, 3.5 x 2 inches from
// 0.75, 0.5) lies on a page rendered at Dpi.
QRect CardArea(int position) {
    const TCardLayout layout;
    const double left = layout.LeftMargin + (position % layout.Across) * layout.HPitch;
    const double top = layout.TopMargin + (position / layout.Across) * layout.VPitch;
    return QRectF(left * Dpi, top * Dpi, layout.Width * Dpi, layout.Height * Dpi).toRect();
}

QImage CardOnPage(const QImage& page, int position) {
    return page.copy(CardArea(position));
}

// Every page of a PDF at Dpi.
QList<QImage> RasterisePages(const QString& pdf, const QString& folder) {
    QProcess p;
    p.start(QStringLiteral("pdftoppm"),
            {"-r", QString::number(Dpi), "-gray", "-png", pdf, folder + "/sheet"});
    if (!p.waitForFinished(120000) || p.exitCode() != 0)
        return {};
    QList<QImage> pages;
    QDir dir(folder);
    for (const QString& name : dir.entryList({"sheet*.png"}, QDir::Files, QDir::Name))
        pages.append(QImage(dir.filePath(name)));
    return pages;
}

TMergeList Team(int count) {
    TMergeList list;
    list.Columns = {"Name", "Title"};
    for (int i = 1; i <= count; ++i)
        list.Records.append(
            {QStringLiteral("Person %1, Jr.").arg(i), QStringLiteral("Engineer; grade %1").arg(i)});
    return list;
}

QString ExamplePath(const char* name) {
    return QStringLiteral(PENTAVO_SOURCE_DIR "/examples/") + QLatin1String(name);
}

} // namespace

class TestBarcodePrint : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterBarcode(); }

    // Each symbology printed from a design shown at 100 % and at 150 %.
    void printedCodesRead_data() {
        QTest::addColumn<int>("symbology");
        QTest::addColumn<QString>("content");
        QTest::addColumn<float>("zoom");
        for (float zoom : {1.0f, 1.5f}) {
            const QByteArray z = zoom == 1.0f ? " 100%" : " 150%";
            QTest::newRow("QR" + z) << int(syQRCode) << "tel:+442079460000" << zoom;
            QTest::newRow("Data Matrix" + z) << int(syDataMatrix) << "Pentavo card" << zoom;
            QTest::newRow("Code 128" + z) << int(syCode128) << "PTV-2026/12" << zoom;
            QTest::newRow("EAN-13" + z) << int(syEAN13) << "5901234123457" << zoom;
        }
    }
    void printedCodesRead() {
        QFETCH(int, symbology);
        QFETCH(QString, content);
        QFETCH(float, zoom);
        TTestCardPanel panel;
        // Small boxes, as on a card: 0.75 inch square, or 2.5 x 0.7 inch for bars.
        const TBarcodeSymbology kind = TBarcodeSymbology(symbology);
        TGBarcode* b =
            AddBarcode(panel, kind, content,
                       IsLinearSymbology(kind) ? QRect(20, 40, 240, 67) : QRect(20, 40, 72, 72));
        panel.SetZoom(zoom);
        // The print commands print the design at 100 %, whatever it is shown at.
        panel.SetZoom(1.0f);
        TPrintRunSettings settings;
        QTemporaryDir dir;
        QVERIFY(PrintToPdf(panel, settings, dir.filePath("card.pdf"), nullptr));
        // The code's box on the card and a little around it, as a phone held over it sees.
        const QRect design = b->DesignBounds().adjusted(-20, -20, 20, 20);
        const QRect box = QRectF(design.left() * Dpi / 96.0, design.top() * Dpi / 96.0,
                                 design.width() * Dpi / 96.0, design.height() * Dpi / 96.0)
                              .toRect();
        for (int position : {0, 9}) {
            const QImage code = RasterisePdf(dir.filePath("card.pdf"), dir.path(), Dpi,
                                             box.translated(CardArea(position).topLeft()));
            QVERIFY(!code.isNull());
            QCOMPARE(ReadCode(code), content);
        }
    }

    // The command-line print of the team example with a 20-person list: two sheets of ten,
    // every card's code that person's contact.
    void teamExamplePrintsEachPersonsContact() {
        QTemporaryDir dir;
        const TMergeList team = Team(20);
        QByteArray csv = "Name,Title\n";
        for (const QStringList& r : team.Records)
            csv += '"' + r[0].toUtf8() + "\",\"" + r[1].toUtf8() + "\"\n";
        QVERIFY(WriteTestFile(dir.filePath("team.csv"), csv));
        QProcess tool;
        tool.start(QStringLiteral(PENTAVO_TOOL),
                   {"print", ExamplePath("team-qr.ptv"), dir.filePath("team.pdf"), "--merge",
                    dir.filePath("team.csv")});
        QVERIFY(tool.waitForFinished(120000));
        QCOMPARE(tool.exitCode(), 0);
        const QList<QImage> pages = RasterisePages(dir.filePath("team.pdf"), dir.path());
        QCOMPARE(pages.size(), 2);
        for (int n = 0; n < 20; ++n) {
            const QString expected = QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:%1\r\n"
                                                    "TITLE:%2\r\nEND:VCARD")
                                         .arg(QString(team.Records[n][0]).replace(',', "\\,"),
                                              QString(team.Records[n][1]).replace(';', "\\;"));
            QCOMPARE(ReadCode(CardOnPage(pages[n / 10], n % 10)), expected);
        }
    }

    void contactExampleCarriesTheOwnersContact() {
        QTemporaryDir dir;
        QProcess tool;
        tool.start(QStringLiteral(PENTAVO_TOOL), {"print", ExamplePath("contact-qr.ptv"),
                                                  dir.filePath("card.pdf"), "--cards", "1"});
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 0);
        const QString vcard =
            ReadCode(RasterisePdf(dir.filePath("card.pdf"), dir.path(), Dpi, CardArea(0)));
        const TContact contact = ParseVCard(vcard);
        QVERIFY2(vcard.startsWith("BEGIN:VCARD\r\nVERSION:3.0\r\n"), qPrintable(vcard));
        QVERIFY(!contact[cfName].isEmpty());
        QVERIFY(!contact[cfPhone1].isEmpty());
        QVERIFY(contact[cfEmail].contains('@'));
    }
};

QTEST_MAIN(TestBarcodePrint)
#include "test_barcode_print.moc"
