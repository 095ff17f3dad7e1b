// Drawings placed on the pages of a finished PDF file: files written from the format's text,
// joined, and read back by another program's renderer; and a print run whose repeated card
// is stored once.
#include "support/TestSupport.h"

#include "effects/DiduzOvoz.h"
#include "effects/EffectObjects.h"
#include "printing/CardPrinting.h"
#include "printing/LabelPrintRun.h"
#include "report/PdfPlacedPages.h"
#include "report/ReportJob.h"
#include "report/ReportPrinter.h"
#include "surface/BasePanel.h"

#include <QProcess>
#include <QtTest>

namespace {

// A PDF file laid out as the format describes it: header, numbered objects, a classic
// cross-reference table of 20-byte entries, trailer and startxref. Streams are given as
// their data; their dictionaries get the length.
QByteArray pdfOf(const QList<QByteArray>& objects, const QByteArray& trailer) {
    QByteArray pdf = "%PDF-1.4\n";
    QList<qsizetype> offsets;
    for (int i = 0; i < objects.size(); ++i) {
        offsets << pdf.size();
        QByteArray body = objects[i];
        if (body.startsWith("stream:")) {
            const QByteArray data = body.mid(7);
            body = "<< /Length " + QByteArray::number(data.size()) + " >>\nstream\n" + data +
                   "\nendstream";
        }
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + body + "\nendobj\n";
    }
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (qsizetype o : offsets)
        pdf += QByteArray::number(o).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) + ' ' + trailer +
           " >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

// Two pages of 288 x 216 points. The first page's content leaves its state changed: a
// scale of two and a grey fill, never restored.
QByteArray sheets() {
    return pdfOf({"<< /Type /Catalog /Pages 2 0 R >>",
                  "<< /Type /Pages /Kids [3 0 R 5 0 R] /Count 2 >>",
                  "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 288 216] /Contents 4 0 R "
                  "/Resources 6 0 R >>",
                  "stream:q 2 0 0 2 0 0 cm 0.5 g",
                  "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 288 216] /Contents 7 0 R "
                  "/Resources 6 0 R >>",
                  "<< /ProcSet [/PDF] >>", "stream:"},
                 "/Root 1 0 R");
}

// One page of 72 x 36 points filled black through a named graphics state, whose object
// comes before the page so that renumbering is needed.
QByteArray drawing() {
    return pdfOf({"<< /Type /ExtGState /ca 1 >>", "<< /Type /Catalog /Pages 3 0 R >>",
                  "<< /Type /Pages /Kids [4 0 R] /Count 1 >>",
                  "<< /Type /Page /Parent 3 0 R /MediaBox [0 0 72 36] /Contents 5 0 R "
                  "/Resources << /ExtGState << /Solid 1 0 R >> >> >>",
                  "stream:/Solid gs 0 g 0 0 72 36 re f"},
                 "/Root 2 0 R");
}

// A page of a PDF file at 72 dots per inch (a pixel a point), in grey levels.
QImage render(const QString& pdf, int page, const QString& folder) {
    QProcess p;
    p.start(QStringLiteral("pdftoppm"),
            {"-r", "72", "-gray", "-aa", "no", "-aaVector", "no", "-f", QString::number(page), "-l",
             QString::number(page), "-png", "-singlefile", pdf, folder + "/page"});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return QImage(folder + "/page.png");
}

bool black(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 40;
}

bool white(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) > 215;
}

} // namespace

class TestPdfPlacement : public QObject {
    Q_OBJECT
private slots:
    void drawingsLandWhereTheyArePlaced() {
        QTemporaryDir dir;
        const QByteArray original = sheets();
        // Page 1 at one inch and at (2.5, 2) inches; page 2 at its corner.
        const QByteArray placed =
            PlacePdfPages(original, {drawing()},
                          {{0, 0, QPointF(1, 1)}, {0, 0, QPointF(2.5, 2)}, {1, 0, QPointF(0, 0)}});
        QVERIFY(placed.startsWith(original));
        const QString pdf = dir.filePath("placed.pdf");
        QVERIFY(WriteTestFile(pdf, placed));

        const QImage first = render(pdf, 1, dir.path());
        QCOMPARE(first.size(), QSize(288, 216));
        // The drawing is 72 x 36 pixels at each place, whatever state the page left.
        QVERIFY(black(first, 72 + 1, 72 + 1) && black(first, 72 + 70, 72 + 34));
        QVERIFY(white(first, 72 + 74, 72 + 18) && white(first, 72 + 36, 72 + 38));
        QVERIFY(black(first, 180 + 1, 144 + 1) && black(first, 180 + 70, 144 + 34));
        QVERIFY(white(first, 36, 36) && white(first, 180 - 2, 144 + 18));
        const QImage second = render(pdf, 2, dir.path());
        QVERIFY(black(second, 1, 1) && black(second, 70, 34) && white(second, 74, 18));

        // The drawing is stored once however often it is placed.
        QCOMPARE(placed.count("/Subtype /Form"), 1);
        QCOMPARE(placed.count("/Type /ExtGState"), 1);

        // What is not a PDF with a classic table gives nothing, never a broken file.
        QVERIFY(PlacePdfPages("GIF89a", {drawing()}, {{0, 0, {}}}).isEmpty());
        QVERIFY(PlacePdfPages(original, {"%PDF-1.4\n"}, {{0, 0, {}}}).isEmpty());
    }

    void repeatedCardIsStoredOnceAndPrintedOnEveryPosition() {
        RegisterEffectObjects();
        QTemporaryDir dir;
        TGBasePanel panel;
        panel.resize(336, 192);
        auto* o = static_cast<TGDiduzOvoz*>(panel.AddObject(std::make_unique<TGDiduzOvoz>()));
        o->Loaded();
        o->SetBounds(10, 10, 300, 100);
        o->SetCaption(QStringLiteral("Pentavo"));
        o->SetShadowDepth(3);
        TPrintRunSettings settings;
        settings.Copies = 3;
        const QString pdf = dir.filePath("cards.pdf");
        QVERIFY(PrintToPdf(panel, settings, pdf, nullptr));
        const QByteArray bytes = ReadTestFile(pdf);
        QCOMPARE(bytes.count("/Subtype /Form"), 1);
        // Every position of the default layout (two across, five down, 3.5 x 2 inches from
        // 0.75, 0.5) shows the first card's ink, on each of the three sheets.
        for (int sheet = 1; sheet <= 3; ++sheet) {
            const QImage page = render(pdf, sheet, dir.path());
            QCOMPARE(page.size(), QSize(612, 792));
            const QImage firstCard = page.copy(54, 36, 252, 144);
            int inked = 0;
            for (int y = 0; y < firstCard.height(); ++y)
                for (int x = 0; x < firstCard.width(); ++x)
                    inked += qGray(firstCard.pixel(x, y)) < 128;
            QVERIFY(inked > 500);
            for (int position = 1; position < 10; ++position)
                QCOMPARE(page.copy(54 + (position % 2) * 252, 36 + (position / 2) * 144, 252, 144),
                         firstCard);
        }
        const QImage whole = render(pdf, 1, dir.path());

        // Printing only the second sheet of three: its cards land on the file's one page.
        TReportPrinter printer;
        printer.SetPrinterName(TReportPrinter::PdfPrinterName());
        const QString second = dir.filePath("second.pdf");
        printer.SetOutputFileName(second);
        std::unique_ptr<TReportJob> job = printer.CreateJob();
        job->FromPage = job->ToPage = 2;
        TLabelPrintRun run(panel, settings);
        job->OnPrint = [&run](TReportJob& r) { run.PrintLabels(r); };
        QVERIFY(job->Execute());
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {second});
        QVERIFY(info.waitForFinished(30000));
        QVERIFY(QString::fromUtf8(info.readAllStandardOutput())
                    .contains(QRegularExpression(QStringLiteral("Pages:\\s+1\n"))));
        QCOMPARE(render(second, 1, dir.path()), whole);
    }
};

QTEST_MAIN(TestPdfPlacement)
#include "test_pdf_placement.moc"
