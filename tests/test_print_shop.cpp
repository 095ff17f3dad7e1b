#include "support/LimitedRun.h"
#include "support/TestSupport.h"

#include "app/ObjectKinds.h"
#include "effects/RirizIzadu.h"
#include "report/PdfPageBoxes.h"
#include "surface/BasePanel.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

namespace {

// What the program wrote on its standard output; nothing when it failed.
std::optional<QString> run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A box of `pdfinfo -box` for page 1, in points: "TrimBox", "BleedBox", "MediaBox".
QRectF pdfBox(const QString& pdf, const QString& name) {
    const QString info = run(QStringLiteral("pdfinfo"), {"-box", pdf}).value_or(QString());
    const QRegularExpression line(QStringLiteral("(?:Page\\s+1\\s+)?%1:\\s+([\\d.]+)\\s+([\\d.]+)"
                                                 "\\s+([\\d.]+)\\s+([\\d.]+)")
                                      .arg(name));
    const QRegularExpressionMatch m = line.match(info);
    if (!m.hasMatch())
        return {};
    return QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                  QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
}

int pdfPages(const QString& pdf) {
    const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
    return pages.match(run(QStringLiteral("pdfinfo"), {pdf}).value_or(QString()))
        .captured(1)
        .toInt();
}

QImage renderPage(const QString& pdf, int dpi, int page = 1) {
    const QString stem = pdf + QStringLiteral(".page");
    if (!run(QStringLiteral("pdftoppm"),
             {"-r", QString::number(dpi), "-f", QString::number(page), "-l", QString::number(page),
              "-png", "-singlefile", pdf, stem}))
        return {};
    return QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

// A design: a red Solid rectangle that covers the whole 3.5 x 2 inch card, and a small
// blue one well inside it.
QString writeEdgeDesign(const QString& dir) {
    TGBasePanel panel;
    panel.resize(336, 192);
    for (const QRect& r : {QRect(0, 0, 336, 192), QRect(150, 80, 30, 30)}) {
        auto* o = static_cast<TRirizIzadu*>(panel.AddObject(std::make_unique<TRirizIzadu>()));
        o->SetBounds(r.x(), r.y(), r.width(), r.height());
        o->SetSurfaceType(stBrushPattern);
        o->SetBackColor(r.x() ? clBlue : clRed);
        o->SetOutlineStyle(5); // psClear
    }
    const QString file = dir + QStringLiteral("/edge.ptv");
    panel.SaveToFile(file);
    return file;
}

bool reddish(QRgb c) {
    return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60;
}

// A hand-written PDF of two pages, as the format lays it out: header, objects, a classic
// cross-reference table whose entries are 20 bytes, trailer, startxref.
QByteArray handWrittenPdf() {
    QList<QByteArray> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R 4 0 R] /Count 2 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 100] /Resources << >> >>",
        "<<\n/Type /Page\n/Parent 2 0 R\n/MediaBox [0 0 200 100]\n>>",
    };
    QByteArray pdf = "%PDF-1.4\n";
    QList<qsizetype> offsets;
    for (int i = 0; i < objects.size(); ++i) {
        offsets << pdf.size();
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 5\n0000000000 65535 f \n";
    for (qsizetype o : offsets)
        pdf += QByteArray::number(o).rightJustified(10, '0') + " 00000 n \n";
    pdf +=
        "trailer\n<< /Size 5 /Root 1 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

} // namespace

class TestPrintShop : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterObjectKinds(); }

    void pageBoxesJoinAnyClassicPdf() {
        QTemporaryDir dir;
        const QByteArray original = handWrittenPdf();
        const QByteArray boxed =
            AddPageBoxes(original, QRectF(20, 10, 160, 80), QRectF(10, 5, 180, 90));
        // The file is kept as it was and grows by an update.
        QVERIFY(boxed.startsWith(original));
        const QString pdf = dir.filePath("boxed.pdf");
        QVERIFY(WriteTestFile(pdf, boxed));
        QCOMPARE(pdfPages(pdf), 2);
        for (int page : {1, 2}) {
            const QString info =
                run(QStringLiteral("pdfinfo"),
                    {"-box", "-f", QString::number(page), "-l", QString::number(page), pdf})
                    .value_or(QString());
            QVERIFY2(info.contains(QRegularExpression("TrimBox:\\s+20\\.00\\s+10\\.00\\s+180\\.00"
                                                      "\\s+90\\.00")),
                     qPrintable(info));
            QVERIFY(info.contains(
                QRegularExpression("BleedBox:\\s+10\\.00\\s+5\\.00\\s+190\\.00\\s+95\\.00")));
        }
        // Every entry of the new table points at its object.
        const qsizetype table = boxed.lastIndexOf("\nxref\n") + 1;
        const QList<QByteArray> lines = boxed.mid(table).split('\n');
        int entries = 0;
        for (int i = 1; i + 1 < lines.size() && lines[i] != "trailer"; i += 2) {
            const int number = lines[i].split(' ').value(0).toInt();
            const qsizetype offset = lines[i + 1].left(10).toLongLong();
            QCOMPARE(lines[i + 1].size() + 1, 20);
            QVERIFY(boxed.mid(offset).startsWith(QByteArray::number(number) + " 0 obj"));
            ++entries;
        }
        QCOMPARE(entries, 2);
        QVERIFY(boxed.contains("/Prev " + QByteArray::number(original.indexOf("xref\n0 5"))));

        // No PDF, or one whose cross-references are a stream: nothing to give boxes to.
        QVERIFY(AddPageBoxes("GIF89a", {}, {}).isEmpty());
        QByteArray stream = original;
        stream.replace("startxref\n", "startxref\n1");
        QVERIFY(AddPageBoxes(stream, {}, {}).isEmpty());
    }

    void exportHasBoxesCropMarksAndBleed() {
        QTemporaryDir dir;
        const QString design = writeEdgeDesign(dir.path());
        const QString pdf = dir.filePath("shop.pdf");
        TLimitedRun r = RunToolLimited({"export", design, pdf, "--crop-marks"});
        QVERIFY2(r.Status == 0, r.Err.constData());
        QCOMPARE(r.Err, QByteArray());
        // Card 3.5 x 2 in, bleed 0.125 in, 0.375 in for the marks: 4.5 x 3 in.
        QCOMPARE(pdfBox(pdf, "MediaBox"), QRectF(0, 0, 324, 216));
        QCOMPARE(pdfBox(pdf, "TrimBox"), QRectF(36, 36, 252, 144));
        QCOMPARE(pdfBox(pdf, "BleedBox"), QRectF(27, 27, 270, 162));

        // At 96 dpi: the card from 48 to 384 across and 48 to 240 down, the bleed 12 more.
        const QImage page = renderPage(pdf, 96);
        QCOMPARE(page.size(), QSize(432, 288));
        // The red of the card's edge carries on to the bleed's edge, corners too; the blue
        // inside the card does not.
        for (const QPoint p : {QPoint(37, 100), QPoint(200, 37), QPoint(394, 200), QPoint(200, 250),
                               QPoint(37, 37), QPoint(394, 250), QPoint(200, 100)})
            QVERIFY2(reddish(page.pixel(p)), qPrintable(QString("%1,%2").arg(p.x()).arg(p.y())));
        // Beyond the bleed: white paper but for the crop marks on the lines of the trim.
        auto dark = [&page](int x, int y) { return qGray(page.pixel(x, y)) < 160; };
        for (int y = 8; y < 30; ++y) {
            QVERIFY(dark(48, y) || dark(47, y));
            QVERIFY(dark(384, y) || dark(383, y));
            QVERIFY(!dark(100, y));
        }
        for (int x = 8; x < 30; ++x)
            QVERIFY(dark(x, 48) || dark(x, 47));
        // Nothing of the marks reaches into the bleed.
        auto black = [&page](int x, int y) {
            const QRgb c = page.pixel(x, y);
            return qRed(c) < 100 && qGreen(c) < 100 && qBlue(c) < 100;
        };
        for (int y = 33; y < 48; ++y)
            QVERIFY(!black(48, y) && !black(47, y));
        QVERIFY(!dark(2, 2) && !dark(430, 286));
    }

    void exportWithoutMarksIsCardAndBleed() {
        QTemporaryDir dir;
        const QString design = writeEdgeDesign(dir.path());
        const QString pdf = dir.filePath("shop.pdf");
        QCOMPARE(RunToolLimited({"export", design, pdf, "--bleed", "0.25"}).Status, 0);
        QCOMPARE(pdfBox(pdf, "MediaBox"), QRectF(0, 0, 288, 180));
        QCOMPARE(pdfBox(pdf, "BleedBox"), QRectF(0, 0, 288, 180));
        QCOMPARE(pdfBox(pdf, "TrimBox"), QRectF(18, 18, 252, 144));
        const QImage page = renderPage(pdf, 96);
        QVERIFY(reddish(page.pixel(1, 1)) && reddish(page.pixel(382, 238)));

        for (const char* bad : {"-0.1", "1.5", "nan", "inf", "x"}) {
            const TLimitedRun r = RunToolLimited({"export", design, pdf, "--bleed", bad});
            QCOMPARE(r.Status, 1);
            QVERIFY(r.Err.startsWith("The bleed must be a number of inches from 0 to 1"));
        }
        QCOMPARE(RunToolLimited({"export", design}).Status, 1);
    }

    void exportPutsEachRecordOnItsPageWithFontsEmbedded() {
        QTemporaryDir dir;
        const QString example = QStringLiteral(PENTAVO_SOURCE_DIR "/examples/business-card.ptv");
        const QString list = dir.filePath("people.csv");
        QVERIFY(WriteTestFile(list, "Name,Title\nAnn,Chef\nBob,Baker\nCyd,Cook\n"));
        const QString pdf = dir.filePath("shop.pdf");
        const TLimitedRun r = RunToolLimited({"export", example, pdf, "--merge", list});
        QVERIFY2(r.Status == 0, r.Err.constData());
        QCOMPARE(pdfPages(pdf), 3);
        const QString fonts = run(QStringLiteral("pdffonts"), {pdf}).value_or(QString());
        const QStringList rows = fonts.split('\n', Qt::SkipEmptyParts).mid(2);
        QVERIFY(!rows.isEmpty());
        for (const QString& row : rows)
            QVERIFY2(row.contains(QRegularExpression("\\s+yes\\s+(yes|no)\\s+(yes|no)\\s+\\d+")),
                     qPrintable(row));
    }

    void exportGivesFrontsBacksOrBothInTurn() {
        QTemporaryDir dir;
        const QString example = QStringLiteral(PENTAVO_SOURCE_DIR "/examples/two-sided.ptv");
        const QString list = QStringLiteral(PENTAVO_SOURCE_DIR "/examples/two-sided.csv");
        const QString pdf = dir.filePath("shop.pdf");
        auto pageText = [&](int page) {
            return run(QStringLiteral("pdftotext"),
                       {"-f", QString::number(page), "-l", QString::number(page), pdf, "-"})
                .value_or(QString())
                .simplified();
        };
        TLimitedRun r =
            RunToolLimited({"export", example, pdf, "--sides", "both", "--merge", list});
        QVERIFY2(r.Status == 0, r.Err.constData());
        // Each record's front, then its back on the next page: the print shop's order.
        QCOMPARE(pdfPages(pdf), 6);
        QCOMPARE(pageText(1), QStringLiteral("FRONT Ada Lovelace"));
        QCOMPARE(pageText(2), QStringLiteral("BACK"));
        QCOMPARE(pageText(3), QStringLiteral("FRONT Grace Hopper"));
        QCOMPARE(pageText(4), QStringLiteral("BACK"));
        QCOMPARE(pdfBox(pdf, "TrimBox").size(), QSizeF(252, 144));

        QCOMPARE(RunToolLimited({"export", example, pdf, "--sides", "back"}).Status, 0);
        QCOMPARE(pdfPages(pdf), 1);
        QCOMPARE(pageText(1), QStringLiteral("BACK"));
        QCOMPARE(RunToolLimited({"export", example, pdf}).Status, 0);
        QCOMPARE(pdfPages(pdf), 1);
        QVERIFY(pageText(1).startsWith(QStringLiteral("FRONT")));

        r = RunToolLimited({"export", example, pdf, "--sides", "sideways"});
        QCOMPARE(r.Status, 1);
        QCOMPARE(r.Err, QByteArray("The sides must be front, back or both\n"));
    }

    void pictureAtDpiIsThePrintedCard() {
        QTemporaryDir dir;
        const QString example = QStringLiteral(PENTAVO_SOURCE_DIR "/examples/business-card.ptv");
        const QString png = dir.filePath("card.png");
        TLimitedRun r = RunToolLimited({"render", example, png, "--dpi", "300"});
        QVERIFY2(r.Status == 0, r.Err.constData());
        const QImage picture = QImage(png).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(picture.size(), QSize(1050, 600));

        // The first card of a printed sheet sits at 0.75, 0.5 inch.
        const QString pdf = dir.filePath("sheet.pdf");
        QCOMPARE(RunToolLimited({"print", example, pdf, "--cards", "1"}).Status, 0);
        const QImage page = renderPage(pdf, 300).copy(225, 150, 1050, 600);
        qint64 total = 0, far = 0, ink = 0;
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 1050; ++x) {
                const int a = qGray(picture.pixel(x, y)), b = qGray(page.pixel(x, y));
                total += qAbs(a - b);
                far += qAbs(a - b) > 64;
                ink += b < 128;
            }
        // The same ink in the same places: only the smoothing of edges differs (lines set a
        // few pixels longer or shorter fail).
        QVERIFY(ink > 5000); // the card is not blank
        QVERIFY2(total < 4 * 1050 * 600, qPrintable(QString::number(total)));
        QVERIFY2(far < 1050 * 600 / 50, qPrintable(QString::number(far)));

        QCOMPARE(RunToolLimited({"render", example, png, "--dpi"}).Status, 0);
        QCOMPARE(QImage(png).size(), QSize(1050, 600));
        QCOMPARE(RunToolLimited({"render", example, png, "--dpi", "96"}).Status, 0);
        QCOMPARE(QImage(png).size(), QSize(336, 192));
        for (const char* bad : {"0", "5000", "nan", "1e3"}) {
            r = RunToolLimited({"render", example, png, "--dpi", bad});
            QCOMPARE(r.Status, 1);
            QVERIFY(r.Err.startsWith("The resolution must be a whole number from 10 to 1200"));
        }
    }
};

QTEST_MAIN(TestPrintShop)
#include "test_print_shop.moc"
