#include "support/PrintTestSupport.h"
#include "support/TestSupport.h"

#include "printing/CardPrinting.h"
#include "printing/LabelPrintRun.h"
#include "printing/LabelPrinter.h"
#include "printing/PreviewForm.h"
#include "printing/SelectSpecificLabels.h"
#include "printing/WarnBottomMargin.h"
#include "report/PagePreview.h"
#include "report/ReportPrinter.h"
#include "report/StreamJob.h"
#include "surface/BasePanel.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

struct TRunFixture {
    TGBasePanel Panel;
    TPageStream Stream;
    TPrintRunSettings Settings;
    QStringList CardsShown;

    TRunFixture() {
        Stream.Metrics.XDPI = Stream.Metrics.YDPI = 600;
        Panel.AddObject(std::make_unique<TCardMarker>())->SetBounds(10, 20, 96, 48);
    }
    // Runs the card-position loop into the stream; returns the job's driver copies.
    int Run() {
        TStreamJob job(Stream);
        TLabelPrintRun run(Panel, Settings);
        run.CardShown = [this](const QString& c) { CardsShown << c; };
        run.LoadBackGround();
        job.OnBeforePrint = [&](TReportJob& r) { run.BeforePrintLabels(r); };
        job.OnPrint = [&](TReportJob& r) { run.PrintLabels(r); };
        job.Execute();
        return job.Copies();
    }
};

bool Near(double a, double b) {
    return std::abs(a - b) < 1e-9;
}

} // namespace

class TestPrintRun : public QObject {
    Q_OBJECT
private slots:
    void cardPositions_data();
    void cardPositions();
    void copies_data();
    void copies();
    void onlyLastTwoCards();
    void backgroundKeepsItsBox();
    void outlinePageHasOnlyRectangles();
    void previewAddsGreyOutline();
    void printingFlagOnlyDuringRun();
    void largeSheetPrintsEveryPosition();
    void statusWindowTexts();
    void stopEndsPreview();
    void bottomMarginWarningFlow();
    void cancelledCardChoicePrintsNothing();
    void previewRunShowsPreviewWindow();
};

void TestPrintRun::cardPositions_data() {
    QTest::addColumn<int>("topNudge");
    QTest::addColumn<int>("vSpacing");
    QTest::addColumn<int>("position");
    QTest::addColumn<QPointF>("origin");
    QTest::newRow("first") << 0 << 0 << 0 << QPointF(0.75, 0.5);
    QTest::newRow("second") << 0 << 0 << 1 << QPointF(4.25, 0.5);
    QTest::newRow("tenth") << 0 << 0 << 9 << QPointF(4.25, 8.5);
    QTest::newRow("top nudge 2") << 2 << 0 << 0 << QPointF(0.75, 0.5625);
    QTest::newRow("top nudge 2, last row") << 2 << 0 << 9 << QPointF(4.25, 8.5625);
    QTest::newRow("spacing 1, second row") << 0 << 1 << 2 << QPointF(0.75, 2.53125);
    QTest::newRow("spacing 1, bottom row") << 0 << 1 << 9 << QPointF(4.25, 8.625);
}

void TestPrintRun::cardPositions() {
    QFETCH(int, topNudge);
    QFETCH(int, vSpacing);
    QFETCH(int, position);
    QFETCH(QPointF, origin);
    TRunFixture f;
    f.Settings.Nudges.TopMarginNudge = topNudge;
    f.Settings.Nudges.VerticalSpacing = vSpacing;
    f.Run();
    QCOMPARE(f.Stream.Pages.size(), size_t(1));
    const auto origins = CardOrigins(f.Stream.Pages[0]);
    QCOMPARE(origins.size(), size_t(10));
    QVERIFY2(Near(origins[position].x(), origin.x()) && Near(origins[position].y(), origin.y()),
             qPrintable(
                 QStringLiteral("(%1, %2)").arg(origins[position].x()).arg(origins[position].y())));
    // The object prints at its own place on the card: 10 and 20 pixels in.
    const auto rects = OpsOf(f.Stream.Pages[0], TReportOpKind::Rectangle);
    QVERIFY(Near(rects[position].Rect.Left, origin.x() + 10 / 96.0));
    QVERIFY(Near(rects[position].Rect.Top, origin.y() + 20 / 96.0));
}

void TestPrintRun::copies_data() {
    QTest::addColumn<int>("driverCopies");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("jobCopies");
    QTest::newRow("driver makes copies") << 999 << 1 << 3;
    QTest::newRow("driver cannot") << 1 << 3 << 1;
}

void TestPrintRun::copies() {
    QFETCH(int, driverCopies);
    QFETCH(int, pages);
    QFETCH(int, jobCopies);
    TRunFixture f;
    f.Settings.Copies = 3;
    f.Settings.DriverMaxCopies = driverCopies;
    QCOMPARE(f.Run(), jobCopies);
    QCOMPARE(int(f.Stream.Pages.size()), pages);
    for (const TReportPage& page : f.Stream.Pages)
        QCOMPARE(CardOrigins(page).size(), size_t(10));
}

void TestPrintRun::onlyLastTwoCards() {
    TRunFixture f;
    for (int i = 0; i < 8; ++i)
        f.Settings.Selection.Set(i, false);
    f.Run();
    QCOMPARE(f.Stream.Pages.size(), size_t(1));
    QCOMPARE(f.CardsShown, QStringList({"Card 9", "Card 10"}));
    const auto origins = CardOrigins(f.Stream.Pages[0]);
    QCOMPARE(origins.size(), size_t(2));
    QVERIFY(Near(origins[0].x(), 0.75) && Near(origins[0].y(), 8.5));
}

void TestPrintRun::backgroundKeepsItsBox() {
    QTemporaryDir dir;
    const QString art = dir.filePath("art.bmp");
    QImage image(35, 20, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QVERIFY(image.save(art, "BMP"));
    TRunFixture f;
    ApplyPredefinedLayout(f.Settings.Layout, 12); // A4, 3.543 x 2.126 in cards
    f.Settings.BackgroundFile = art;
    f.Run();
    const auto bitmaps = OpsOf(f.Stream.Pages[0], TReportOpKind::StretchBitmap);
    QCOMPARE(bitmaps.size(), size_t(10));
    const TInchRect r = bitmaps[1].Rect;
    const double x = double(3.543f) + double(0.591f), y = 0.531f;
    QVERIFY(Near(r.Left, x) && Near(r.Top, y));
    QVERIFY(Near(r.Right - r.Left, 3.5) && Near(r.Bottom - r.Top, 2.0));
    // Art that cannot be read is left out silently.
    TRunFixture g;
    g.Settings.BackgroundFile = dir.filePath("missing.bmp");
    g.Run();
    QVERIFY(OpsOf(g.Stream.Pages[0], TReportOpKind::StretchBitmap).empty());
}

void TestPrintRun::outlinePageHasOnlyRectangles() {
    TRunFixture f;
    f.Settings.OutlineOnly = true;
    f.Settings.BackgroundFile = "whatever.bmp";
    f.Run();
    const TReportPage& page = f.Stream.Pages[0];
    QCOMPARE(page.size(), size_t(10));
    for (const TReportOp& op : page)
        QCOMPARE(int(op.Kind), int(TReportOpKind::Rectangle));
    QVERIFY(Near(page[9].Rect.Left, 4.25) && Near(page[9].Rect.Top, 8.5));
    QVERIFY(Near(page[9].Rect.Right, 7.75) && Near(page[9].Rect.Bottom, 10.5));
}

void TestPrintRun::previewAddsGreyOutline() {
    TRunFixture f;
    f.Settings.Printing = false;
    f.Run();
    const TReportPage& page = f.Stream.Pages[0];
    const auto pens = OpsOf(page, TReportOpKind::SetPen);
    QCOMPARE(pens.size(), size_t(10));
    QCOMPARE(pens[0].Color, RGBColor(192, 192, 192));
    QCOMPARE(pens[0].Width, -1);
    QCOMPARE(OpsOf(page, TReportOpKind::SetBrush)[0].Style, int(bsClear));
    // Outline, then the object's own rectangle, for every card.
    const auto rects = OpsOf(page, TReportOpKind::Rectangle);
    QCOMPARE(rects.size(), size_t(20));
    QVERIFY(Near(rects[0].Rect.Right, 4.25) && Near(rects[0].Rect.Bottom, 2.5));
}

void TestPrintRun::printingFlagOnlyDuringRun() {
    TRunFixture f;
    bool seen = false;
    auto* marker = static_cast<TCardMarker*>(f.Panel.Objects()[0]);
    int changes = 0;
    f.Panel.LabelChangedEvent = [&](TGBasePanel*) { ++changes; };
    TStreamJob job(f.Stream);
    TLabelPrintRun run(f.Panel, f.Settings);
    job.OnPrint = [&](TReportJob& r) {
        run.PrintLabels(r);
        seen = true;
    };
    run.CardShown = [&](const QString&) {
        QVERIFY(f.Panel.Printing());
        marker->NotifyChanged();
    };
    job.Execute();
    QVERIFY(seen);
    QVERIFY(!f.Panel.Printing());
    QCOMPARE(changes, 0);
}

void TestPrintRun::largeSheetPrintsEveryPosition() {
    TRunFixture f;
    f.Settings.Layout.Down = 8;
    f.Settings.Selection.FitTo(f.Settings.Layout);
    f.Run();
    QCOMPARE(CardOrigins(f.Stream.Pages[0]).size(), size_t(16));
    QCOMPARE(f.CardsShown.last(), QStringLiteral("Card 16"));
}

void TestPrintRun::statusWindowTexts() {
    struct TCase {
        bool Printing;
        QString ClassName;
        QString Status;
    };
    const TCase cases[] = {
        {true, "TCardMarker", "Print job completed and sent to printer!"},
        {false, "TCardMarker", "\rBusiness Card preview ready!"},
        {false, "TRirizIzadu",
         "Business Card preview ready to view!\r\rNote: This design contains complex shapes or "
         "text.\rPlease be patient while the previewer prepares\rthe viewing page"},
        {true, "TGDiduzOvoz",
         "Print job completed and sent to printer!\r\rNote: this design contains complex shapes "
         "or text.\rPlease be patient while the printer produces its\routput..."},
    };
    for (const TCase& c : cases) {
        TRunFixture f;
        static_cast<TCardMarker*>(f.Panel.Objects()[0])->ClassNameOverride = c.ClassName;
        f.Settings.Printing = c.Printing;
        TStreamJob job(f.Stream);
        TLabelPrinter window(f.Panel, f.Settings, job);
        QCOMPARE(window.CancelButton->text(), c.Printing ? "Cancel" : "Stop");
        window.Run();
        QCOMPARE(window.windowTitle(), c.Printing ? "Print Status " : "Preview Status");
        QCOMPARE(job.StatusLine(), c.Status);
        QCOMPARE(window.RStatusLabel->text(), QString(c.Status).replace('\r', '\n'));
        QCOMPARE(window.CancelButton->text(), QStringLiteral("OK"));
        QVERIFY(window.Extralabel->text().isEmpty());
    }
}

void TestPrintRun::stopEndsPreview() {
    TRunFixture f;
    f.Settings.Printing = false;
    TStreamJob job(f.Stream);
    TLabelPrinter window(f.Panel, f.Settings, job);
    QStringList statuses;
    job.OnBeforePrint = [&](TReportJob& r) {
        TLabelPrintRun(f.Panel, f.Settings).BeforePrintLabels(r);
        statuses << r.StatusFormat;
    };
    // Stop before the first card: the loop ends at its next position.
    int cards = 0;
    const auto print = job.OnPrint;
    job.OnPrint = [&](TReportJob& r) {
        window.CancelButtonClick();
        QCOMPARE(r.StatusLine(), QStringLiteral("\rCancelling...!"));
        print(r);
        cards = int(CardOrigins(f.Stream.Pages[0]).size());
    };
    window.Run();
    QCOMPARE(statuses, QStringList{"Preparing Preview Page %p\r%0\r%1"});
    QCOMPARE(cards, 0);
    QVERIFY(window.Aborted());
    QCOMPARE(job.StatusLine(), QStringLiteral("\rBusiness Card Preview Canceled!"));
}

void TestPrintRun::bottomMarginWarningFlow() {
    // The PDF printer has no bottom strip, so the warning never shows there; the decision
    // and the dialog's texts are checked on their own.
    QVERIFY(BottomMarginWarningNeeded(0.667, true, true, true));
    QVERIFY(!BottomMarginWarningNeeded(0.667, true, false, true));
    QVERIFY(!BottomMarginWarningNeeded(0.667, true, true, false));
    QVERIFY(!BottomMarginWarningNeeded(0.5, true, true, true));
    TWarnBottomMargin w(0.667);
    QVERIFY(w.BotMarg->text().endsWith("of : 0.667 inches"));
    QVERIFY(w.Difference->text().endsWith("approximately: 0.167 inches"));
    QCOMPARE(w.windowTitle(), QStringLiteral("ALERT"));
}

void TestPrintRun::cancelledCardChoicePrintsNothing() {
    TScriptedInteraction ui;
    TGBasePanel panel;
    TReportPrinter printer;
    TPrintStateStore state;
    TCardPrinting printing(panel, printer, state.State(), nullptr);
    QStringList dialogs;
    ui.OnExec = [&](QDialog& d) {
        dialogs << d.windowTitle();
        if (auto* s = qobject_cast<TSelectSpecificLabels*>(&d)) {
            s->NoneButtonClick();
            s->OkButtonClick(); // refused: nothing chosen
            return int(d.result());
        }
        return int(QDialog::Rejected);
    };
    QVERIFY(!printing.Print());
    QCOMPARE(dialogs, QStringList{"Print Cards"});
    QCOMPARE(ui.Messages, QStringList{"You must select at least one card to print"});
    QVERIFY(state.CardSelection[0]); // unchanged
}

void TestPrintRun::previewRunShowsPreviewWindow() {
    TScriptedInteraction ui;
    TGBasePanel panel;
    panel.AddObject(std::make_unique<TCardMarker>())->SetBounds(0, 0, 10, 10);
    panel.SetZoom(1.5f);
    TReportPrinter printer;
    TPrintStateStore state;
    for (int i = 1; i < 10; ++i)
        state.CardSelection.Set(i, false);
    TCardPrinting printing(panel, printer, state.State(), nullptr);
    QStringList titles;
    int pages = 0;
    float runZoom = 0;
    ui.OnExec = [&](QDialog& d) {
        if (auto* s = qobject_cast<TLabelPrinter*>(&d)) {
            runZoom = panel.Zoom();
            s->Run();
        } else if (auto* p = qobject_cast<TPreviewForm*>(&d)) {
            titles << p->windowTitle();
            p->FormActivate();
            titles << p->windowTitle();
            pages = p->FilePreview1->PageCount();
        }
        titles << d.windowTitle();
        return int(QDialog::Accepted);
    };
    printing.Preview();
    QCOMPARE(titles, QStringList({"Preview Status", "Preview Business Cards", "Preview Page 1 of 1",
                                  "Preview Page 1 of 1"}));
    QCOMPARE(pages, 1);
    QCOMPARE(runZoom, 1.0f);
    QCOMPARE(panel.Zoom(), 1.5f);
}

QTEST_MAIN(TestPrintRun)
#include "test_print_run.moc"
