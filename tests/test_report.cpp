#include "support/ObjectTestSupport.h"

#include "report/PainterCanvas.h"
#include "report/RecordingCanvas.h"
#include "report/StreamJob.h"

#include <QLabel>
#include <QtTest>

namespace {

// A white page image at `dpi` whose device origin lies at the given offsets.
struct TPageImage {
    TPageMetrics Metrics;
    QImage Image;
    TPageImage(double dpi, double left, double top) {
        Metrics.XDPI = Metrics.YDPI = dpi;
        Metrics.LeftOffset = left;
        Metrics.TopOffset = top;
        Image = QImage(int(3 * dpi), int(3 * dpi), QImage::Format_RGB32);
        Image.fill(Qt::white);
    }
};

} // namespace

class TestReport : public QObject {
    Q_OBJECT
private slots:
    void deviceConversions_data();
    void deviceConversions();
    void penWidths_data();
    void penWidths();
    void rectangleCompensatesOffsets();
    void textIsSizedInDevicePixels();
    void rotatedTextTurnsAboutItsPosition();
    void clipStackLimitsDrawing();
    void textRectCutsOnlyWhatOverflows();
    void glyphPathClipsFill();
    void replayDrawsWhatWasRecorded();
    void statusLine();
    void abortedJobOutputsNothingMore();
    void copiesAreKnownWhenTheDeviceOpens();
};

void TestReport::deviceConversions_data() {
    QTest::addColumn<double>("offset");
    QTest::addColumn<QRect>("device");
    QTest::addColumn<double>("row100");
    QTest::newRow("no offsets") << 0.0 << QRect(QPoint(750, 500), QPoint(4249, 2499)) << 0.1;
    QTest::newRow("quarter inch") << 0.25 << QRect(QPoint(500, 250), QPoint(3999, 2249)) << 0.35;
}

void TestReport::deviceConversions() {
    QFETCH(double, offset);
    QFETCH(QRect, device);
    QFETCH(double, row100);
    TPageMetrics m;
    m.XDPI = m.YDPI = 1000;
    m.LeftOffset = m.TopOffset = offset;
    QCOMPARE(m.DeviceRect({0.75, 0.5, 4.25, 2.5}), device);
    QCOMPARE(m.DeviceRowToInches(100), row100);
}

void TestReport::penWidths_data() {
    QTest::addColumn<double>("dpi");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("pixels");
    QTest::newRow("1/100 in at 1200 dpi") << 1200.0 << -1 << 12;
    QTest::newRow("3/100 in at 600 dpi") << 600.0 << -3 << 18;
    QTest::newRow("1/100 in at 72 dpi: at least one") << 72.0 << -1 << 1;
    QTest::newRow("positive: device pixels") << 1200.0 << 3 << 3;
}

void TestReport::penWidths() {
    QFETCH(double, dpi);
    QFETCH(int, width);
    QFETCH(int, pixels);
    TPageMetrics m;
    m.XDPI = m.YDPI = dpi;
    QCOMPARE(m.PenPixels(width), pixels);
}

void TestReport::rectangleCompensatesOffsets() {
    TPageImage page(100, 0.25, 0.5);
    QPainter p(&page.Image);
    TPainterCanvas c(p, page.Metrics);
    c.SetPen(clBlack, 0, 1, 4);
    c.SetBrush(clBlack, 0);
    c.Rectangle({1.0, 1.0, 2.0, 1.5});
    p.end();
    // One inch from the sheet's corner is 75 and 50 pixels from the printable corner.
    const QRect ink = Ink(page.Image);
    QVERIFY2(std::abs(ink.left() - 75) <= 1 && std::abs(ink.top() - 50) <= 1,
             qPrintable(QString("%1,%2").arg(ink.left()).arg(ink.top())));
    QVERIFY(std::abs(ink.width() - 100) <= 1 && std::abs(ink.height() - 50) <= 1);
}

void TestReport::textIsSizedInDevicePixels() {
    for (double dpi : {96.0, 300.0}) {
        TPageImage page(dpi, 0, 0);
        QPainter p(&page.Image);
        TPainterCanvas c(p, page.Metrics);
        c.SetFont(QStringLiteral("Liberation Sans"), 36);
        c.SetFontColor(clBlack);
        c.TextOut(0.5, 0.5, QStringLiteral("H"));
        p.end();
        // A capital H of Liberation Sans is 0.716 em high: 36 pt = 0.5 in, so 0.358 in.
        const QRect ink = Ink(page.Image);
        QVERIFY2(std::abs(ink.height() / dpi - 0.358) < 0.02,
                 qPrintable(QString("%1 dpi: %2 px").arg(dpi).arg(ink.height())));
        QVERIFY(std::abs(c.LineHeight() - 0.6) < 1e-12);
        // The text width agrees between the printer's and the recorder's measurement.
        TPageStream stream;
        stream.Metrics = page.Metrics;
        TRecordingCanvas r(stream);
        r.SetFont(QStringLiteral("Liberation Sans"), 36);
        QCOMPARE(r.TextWidth("Pentavo"), c.TextWidth("Pentavo"));
    }
}

void TestReport::rotatedTextTurnsAboutItsPosition() {
    TPageImage page(100, 0, 0);
    QPainter p(&page.Image);
    TPainterCanvas c(p, page.Metrics);
    c.SetFont(QStringLiteral("Liberation Sans"), 24);
    c.SetFontRotation(450); // kept modulo 360: 90 degrees
    c.TextOut(1.0, 2.0, QStringLiteral("Rotated"));
    p.end();
    // Turned counter-clockwise about (1, 2) in: the line runs upward from there and its
    // cell lies to the right of x = 1 in.
    const QRect ink = Ink(page.Image);
    QVERIFY(ink.height() > ink.width());
    QVERIFY(ink.bottom() <= 200 && ink.bottom() > 185);
    QVERIFY(ink.left() >= 100 && ink.right() < 100 + 24 * 100 / 72 + 2);
}

void TestReport::clipStackLimitsDrawing() {
    TPageImage page(100, 0, 0);
    QPainter p(&page.Image);
    TPainterCanvas c(p, page.Metrics);
    c.SetBrush(clBlack, 0);
    c.SetPen(clBlack, 5, 1, 4);
    c.PushClipRect({0.5, 0.5, 1.0, 1.0});
    c.PushClipEllipse({2.0, 2.0, 2.5, 2.5});
    c.PopClip();
    c.SelectClip();
    c.FillDeviceRect(QRect(0, 0, 300, 300));
    c.ClearClip();
    c.PopClip();
    c.FillDeviceRect(QRect(280, 280, 10, 10));
    p.end();
    QCOMPARE(Ink(page.Image), QRect(50, 50, 240, 240)); // the clip, then the unclipped fill
    QCOMPARE(qGray(page.Image.pixel(150, 150)), 255);
}

void TestReport::textRectCutsOnlyWhatOverflows() {
    TPageImage page(100, 0, 0);
    QPainter p(&page.Image);
    TPainterCanvas c(p, page.Metrics);
    c.SetFont(QStringLiteral("Liberation Sans"), 36);
    c.SetFontColor(clBlack);
    c.SetTextTransparent(true);
    // A word that fits its box is drawn whole; the long one is cut at the box's right edge.
    c.TextRect(QRect(20, 20, 200, 60), 0.2, 0.2, QStringLiteral("Fit"));
    const QRect whole = Ink(page.Image);
    QVERIFY(whole.left() >= 20 && whole.right() < 120);
    c.TextRect(QRect(20, 120, 100, 60), 0.2, 1.2, QStringLiteral("Overflowing text"));
    // Nothing of the second line passes x = 119; the clip does not outlive the text.
    for (int y = 120; y < 180; ++y)
        for (int x = 120; x < 300; ++x)
            QCOMPARE(qGray(page.Image.pixel(x, y)), 255);
    c.SetBrush(clBlack, 0);
    c.FillDeviceRect(QRect(280, 280, 10, 10));
    p.end();
    QCOMPARE(qGray(page.Image.pixel(285, 285)), 0);
    // The same words in a turned font keep their clip too.
    TPageImage turned(100, 0, 0);
    QPainter q(&turned.Image);
    TPainterCanvas t(q, turned.Metrics);
    t.SetFont(QStringLiteral("Liberation Sans"), 36);
    t.SetFontRotation(90);
    t.TextRect(QRect(20, 150, 60, 100), 0.2, 2.5, QStringLiteral("Overflowing text"));
    q.end();
    const QRect cut = Ink(turned.Image);
    QVERIFY(cut.top() >= 150 && cut.bottom() < 250);
}

void TestReport::glyphPathClipsFill() {
    TPageImage page(100, 0, 0);
    QPainter p(&page.Image);
    TPainterCanvas c(p, page.Metrics);
    c.SetFont(QStringLiteral("Liberation Sans"), 72);
    c.BeginPath();
    c.TextOut(0.2, 0.2, QStringLiteral("I"));
    c.EndPath();
    QVERIFY(Ink(page.Image).isNull()); // a path leaves no ink
    c.ClipToPath();
    c.SetBrush(clBlack, 0);
    c.FillDeviceRect(QRect(0, 0, 300, 300));
    c.ClearClip();
    p.end();
    const QRect ink = Ink(page.Image);
    QVERIFY(ink.width() > 5 && ink.width() < 30);
    QVERIFY(ink.height() > 60 && ink.height() < 80);
}

void TestReport::replayDrawsWhatWasRecorded() {
    auto draw = [](TReportCanvas& c) {
        c.SetPen(clRed, 0, -2, 4);
        c.SetBrush(clBlue, 0);
        c.Ellipse({0.5, 0.5, 1.5, 1.0});
        c.MoveTo(0.1, 2.5);
        c.LineTo(2.9, 2.5);
        c.Polygon(QPolygon({QPoint(200, 10), QPoint(290, 10), QPoint(245, 90)}));
    };
    TPageStream stream;
    stream.Metrics.XDPI = stream.Metrics.YDPI = 100;
    TRecordingCanvas rec(stream);
    draw(rec);
    QCOMPARE(stream.Pages.size(), size_t(1));
    QCOMPARE(stream.Pages[0].size(), size_t(6));

    TPageImage direct(100, 0, 0), replayed(100, 0, 0);
    {
        QPainter p(&direct.Image);
        TPainterCanvas c(p, direct.Metrics);
        draw(c);
    }
    {
        QPainter p(&replayed.Image);
        TPainterCanvas c(p, replayed.Metrics);
        Replay(stream.Pages[0], c);
    }
    QCOMPARE(replayed.Image, direct.Image);
    QVERIFY(replayed.Image.pixel(100, 75) == qRgb(0, 0, 255));
}

void TestReport::statusLine() {
    TPageStream stream;
    TStreamJob job(stream);
    QLabel label;
    job.StatusLabel = &label;
    job.StatusFormat = QStringLiteral("Printing Page %p\r%0\r%1");
    job.StatusText << "first"
                   << "second";
    job.OnPrint = [](TReportJob& r) {
        r.NewPage();
        r.NewPage();
    };
    QVERIFY(job.Execute());
    QCOMPARE(job.CurrentPage(), 3);
    QCOMPARE(job.StatusLine(), QStringLiteral("Printing Page 3\rfirst\rsecond"));
    QCOMPARE(label.text(), QStringLiteral("Printing Page 3\nfirst\nsecond"));
    QCOMPARE(stream.Pages.size(), size_t(3));
    QCOMPARE(job.Title, QStringLiteral("Pentavo"));
}

void TestReport::abortedJobOutputsNothingMore() {
    TPageStream stream;
    TStreamJob job(stream);
    job.OnPrint = [](TReportJob& r) {
        r.Canvas().MoveTo(1, 1);
        r.Abort();
        r.Canvas().MoveTo(2, 2);
        r.NewPage(); // counted, but no page is begun
        r.Canvas().MoveTo(3, 3);
    };
    job.Execute();
    QVERIFY(job.Aborted());
    QCOMPARE(job.CurrentPage(), 2);
    QCOMPARE(stream.Pages.size(), size_t(1));
    QCOMPARE(stream.Pages[0].size(), size_t(1));
}

void TestReport::copiesAreKnownWhenTheDeviceOpens() {
    // A device that notes the copies it was opened with.
    class TCopyJob : public TStreamJob {
    public:
        using TStreamJob::TStreamJob;
        int OpenedWith = 0;

    protected:
        bool BeginJob() override {
            OpenedWith = Copies();
            return TStreamJob::BeginJob();
        }
    };
    TPageStream stream;
    TCopyJob job(stream);
    job.OnBeforePrint = [](TReportJob& r) { r.SetCopies(3); };
    job.Execute();
    QCOMPARE(job.OpenedWith, 3);
}

QTEST_MAIN(TestReport)
#include "test_report.moc"
