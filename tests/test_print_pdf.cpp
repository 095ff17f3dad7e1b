#include "support/PrintTestSupport.h"
#include "support/TestSupport.h"

#include "merge/MergeList.h"
#include "printing/CardPrinting.h"
#include "printing/LabelPrinter.h"
#include "report/ReportJob.h"
#include "report/ReportPrinter.h"
#include "report/StreamJob.h"
#include "surface/BasePanel.h"

#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QDir>
#include <QtTest>

#include <stdexcept>

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

// The number of pages pdfinfo finds in a PDF file; 0 when it is no PDF.
int PdfPages(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return 0;
    for (const QByteArray& line : p.readAllStandardOutput().split('\n'))
        if (line.startsWith("Pages:"))
            return line.mid(6).trimmed().toInt();
    return 0;
}

// A card object that lets the test act while the sheet is being printed: AtCard runs as
// each card is printed (counted from 1), before the card draws its frame.
class TCardHook : public TGGraphicControl {
public:
    QString ClassName() const override { return QStringLiteral("TCardHook"); }
    void PrintTo(TReportCanvas& report, double x, double y) override {
        if (AtCard)
            AtCard(++Printed);
        report.Rectangle({x, y, x + 1, y + 1});
    }
    std::function<void(int)> AtCard;
    int Printed = 0;
};

// A print run on the PDF printer, through the print status window, into a fresh folder: a
// merge run of twenty records, two sheets, each card drawn for its own record.
struct TPdfRun {
    QTemporaryDir Dir;
    TGBasePanel Panel;
    TReportPrinter Printer;
    TMergeList List;
    TPrintRunSettings Settings;
    QString Pdf = Dir.filePath(QStringLiteral("cards.pdf"));
    TCardHook* Card;
    std::unique_ptr<TReportJob> Job;
    std::unique_ptr<TLabelPrinter> Window;

    TPdfRun() {
        Printer.SetPrinterName(TReportPrinter::PdfPrinterName());
        Printer.SetOutputFileName(Pdf);
        Card = static_cast<TCardHook*>(Panel.AddObject(std::make_unique<TCardHook>()));
        List.Columns = {QStringLiteral("Name")};
        for (int i = 0; i < 20; ++i) {
            List.Records.append({QStringLiteral("Person %1").arg(i + 1)});
            Settings.MergeRecords.append(i);
        }
        Settings.MergeList = &List;
        Job = Printer.CreateJob();
        Window = std::make_unique<TLabelPrinter>(Panel, Settings, *Job);
        Window->OpenFailedMessage = QStringLiteral("The PDF file cannot be written.");
    }
    // Presses the status window's button while the given card is being printed.
    void PressButtonAt(int card) {
        Card->AtCard = [this, card](int n) {
            if (n == card)
                Window->CancelButtonClick();
        };
    }
    // Shows the window as the program does and runs the print.
    void Run() {
        Window->show();
        Window->Run();
    }
    QString Status() const { return Job->StatusLine(); }
};

} // namespace

class TestPrintPdf : public QObject {
    Q_OBJECT
private slots:
    void outlinePageLandsOnTheSheet();
    void repeatedPictureStoredOnceAndTextStaysText();
    void unwritableFileIsReported();
    void cancelledOrFailedRunLeavesNoFile();
    void escapeAndCloseBoxActAsTheButton();
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

void TestPrintPdf::cancelledOrFailedRunLeavesNoFile() {
    TScriptedInteraction ui;
    {
        // Yes to "Cancel Business Card Printing?" at the third card of the first sheet: the
        // cards already drawn never reach the file.
        TPdfRun run;
        ui.Answers = {true};
        run.PressButtonAt(3);
        run.Run();
        QCOMPARE(ui.Questions, QStringList{"Pentavo: Cancel Business Card Printing?"});
        QVERIFY(run.Window->Aborted());
        QCOMPARE(run.Status(), QStringLiteral("\rBusiness Card Print Canceled!"));
        QVERIFY(!QFileInfo::exists(run.Pdf));
    }
    {
        // A file of that name from before stays as it was, and nothing is left beside it.
        TPdfRun run;
        QVERIFY(WriteTestFile(run.Pdf, "previous"));
        ui.Answers = {true};
        run.PressButtonAt(12);
        run.Run();
        QVERIFY(run.Window->Aborted());
        QCOMPARE(ReadTestFile(run.Pdf), QByteArray("previous"));
        QCOMPARE(QDir(run.Dir.path()).entryList(QDir::Files), QStringList{"cards.pdf"});
    }
    {
        // An error on the second sheet ends the run in order; nothing is written.
        TPdfRun run;
        run.Card->AtCard = [](int card) {
            if (card == 14)
                throw std::runtime_error("The card could not be drawn.");
        };
        run.Run();
        QCOMPARE(ui.Messages, QStringList{"The card could not be drawn."});
        QVERIFY(run.Window->Aborted());
        QCOMPARE(run.Window->CancelButton->text(), QStringLiteral("OK"));
        QCOMPARE(run.Status(), QStringLiteral("\rBusiness Card Print Canceled!"));
        QVERIFY(!QFileInfo::exists(run.Pdf));
    }
    {
        // Answering No lets the run go on: both sheets arrive.
        TPdfRun run;
        ui.Answers = {false};
        run.PressButtonAt(3);
        run.Run();
        QVERIFY(!run.Window->Aborted());
        QCOMPARE(run.Status(), QStringLiteral("Print job completed and sent to printer!"));
        QCOMPARE(PdfPages(run.Pdf), 2);
    }
}

void TestPrintPdf::escapeAndCloseBoxActAsTheButton() {
    TScriptedInteraction ui;
    {
        // Escape while printing asks the cancel question; No goes on printing.
        TPdfRun run;
        run.Card->AtCard = [&](int card) {
            if (card == 2)
                QTest::keyClick(run.Window.get(), Qt::Key_Escape);
        };
        run.Run();
        QCOMPARE(ui.Questions, QStringList{"Pentavo: Cancel Business Card Printing?"});
        QVERIFY(run.Window->isVisible());
        QCOMPARE(PdfPages(run.Pdf), 2);
        // Once the run is over, Escape closes the window.
        QTest::keyClick(run.Window.get(), Qt::Key_Escape);
        QVERIFY(!run.Window->isVisible());
    }
    {
        // The close box while printing asks too; Yes cancels, and the window stays up to
        // show the outcome.
        TPdfRun run;
        ui.Answers = {true};
        run.Card->AtCard = [&](int card) {
            if (card == 2)
                run.Window->close();
        };
        run.Run();
        QCOMPARE(ui.Questions.size(), 2);
        QVERIFY(run.Window->isVisible());
        QVERIFY(!QFileInfo::exists(run.Pdf));
        QCOMPARE(run.Status(), QStringLiteral("\rBusiness Card Print Canceled!"));
    }
    {
        // In a preview Escape is Stop: no question, the preview is cancelled.
        TPdfRun run;
        run.Settings.Printing = false;
        TPageStream stream;
        TStreamJob job(stream);
        TLabelPrinter window(run.Panel, run.Settings, job);
        run.Card->AtCard = [&](int card) {
            if (card == 2)
                QTest::keyClick(&window, Qt::Key_Escape);
        };
        window.show();
        window.Run();
        QCOMPARE(ui.Questions.size(), 2);
        QVERIFY(window.Aborted());
        QVERIFY(window.isVisible());
        QCOMPARE(job.StatusLine(), QStringLiteral("\rBusiness Card Preview Canceled!"));
    }
}

QTEST_MAIN(TestPrintPdf)
#include "test_print_pdf.moc"
