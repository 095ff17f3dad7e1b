// Two-sided cards on paper: every card's back behind its own front on the back of the sheet,
// for each card stock, flip and merge, measured in the PDF the print run writes; the order of
// the pages; and the alignment sheet's marks against the numbers it asks the user to type.
#include "support/LimitedRun.h"
#include "support/TestSupport.h"

#include "app/BackSide.h"
#include "app/ObjectKinds.h"
#include "merge/CsvReader.h"
#include "objects/PLabel.h"
#include "printing/CardPrinting.h"
#include "report/StreamJob.h"
#include "richtext/WPRichText.h"
#include "surface/BasePanel.h"

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <cmath>

namespace {

struct TWord {
    QString Text;
    double XMin, YMin, XMax, YMax; // points from the page's top-left corner
};

struct TPdfPage {
    double Width = 0, Height = 0; // points
    QList<TWord> Words;
};

// The words of every page with their boxes, as pdftotext measures them.
QList<TPdfPage> PdfWords(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {"-bbox", pdf, "-"});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression tag(
        R"x(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)" )x"
        R"x(xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)x");
    QList<TPdfPage> pages;
    QRegularExpressionMatchIterator it = tag.globalMatch(html);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        if (!m.captured(1).isEmpty()) {
            pages.append({m.captured(1).toDouble(), m.captured(2).toDouble(), {}});
        } else if (!pages.isEmpty()) {
            QString text = m.captured(7);
            text.replace(QLatin1String("&amp;"), QLatin1String("&"));
            pages.last().Words.append({text, m.captured(3).toDouble(), m.captured(4).toDouble(),
                                       m.captured(5).toDouble(), m.captured(6).toDouble()});
        }
    }
    return pages;
}

// The layouts of the card stocks the layout dialog offers, each geometry once.
QList<TCardLayout> StockLayouts() {
    QList<TCardLayout> layouts;
    for (int i = 0; i < int(PredefinedCardStocks().size()); ++i) {
        TCardLayout l;
        ApplyPredefinedLayout(l, i);
        l.PredefLayout = 0;
        if (!layouts.contains(l))
            layouts.append(l);
    }
    return layouts;
}

// The settings file the tool prints with: the layout and every nudge, back nudges included.
QByteArray SettingsFor(const TCardLayout& l, const TPrinterNudges& n) {
    auto thousandths = [](float inches) {
        return QByteArray::number(qRound(double(inches) * 1000));
    };
    return "[Layout]\r\nHeight=" + thousandths(l.Height) + "\r\nWidth=" + thousandths(l.Width) +
           "\r\nAcross=" + QByteArray::number(l.Across) + "\r\nDown=" + QByteArray::number(l.Down) +
           "\r\nTopMargin=" + thousandths(l.TopMargin) +
           "\r\nLeftMargin=" + thousandths(l.LeftMargin) + "\r\nHPitch=" + thousandths(l.HPitch) +
           "\r\nVPitch=" + thousandths(l.VPitch) +
           "\r\nPapersize=" + QByteArray::number(l.Papersize) +
           "\r\n[Printer]\r\nTopMarginNudge=" + QByteArray::number(n.TopMarginNudge) +
           "\r\nLeftMarginNudge=" + QByteArray::number(n.LeftMarginNudge) +
           "\r\nVerticalSpacing=" + QByteArray::number(n.VerticalSpacing) +
           "\r\nHorizontalSpacing=" + QByteArray::number(n.HorizontalSpacing) +
           "\r\nBackLeftNudge=" + QByteArray::number(n.BackLeftNudge) +
           "\r\nBackTopNudge=" + QByteArray::number(n.BackTopNudge) + "\r\n";
}

// A card's box on the front of the sheet in inches (left, top), from the layout's numbers.
QPointF FrontCorner(const TCardLayout& l, const TPrinterNudges& n, int position) {
    const int col = position % l.Across, row = position / l.Across;
    return {col * (l.HPitch + n.HorizontalSpacing / 32.0) + l.LeftMargin + n.LeftMarginNudge / 32.0,
            row * (l.VPitch + n.VerticalSpacing / 32.0) + l.TopMargin + n.TopMarginNudge / 32.0};
}

// Its back's box on the back of a sheet of the given size: mirrored across the centre line
// the sheet turns on, then moved by the back nudges.
QPointF BackCorner(const TCardLayout& l, const TPrinterNudges& n, int position, bool longEdge,
                   QSizeF sheet) {
    const QPointF f = FrontCorner(l, n, position);
    const double x = longEdge ? sheet.width() - f.x() - l.Width : f.x();
    const double y = longEdge ? f.y() : sheet.height() - f.y() - l.Height;
    return {x + n.BackLeftNudge / 32.0, y + n.BackTopNudge / 32.0};
}

// One word on a page at the given corner plus the word's offset in its card; the text is
// checked too. Far less than 1/32 inch (2.25 points) apart counts as the same place.
bool WordAt(const TPdfPage& page, const QString& text, QPointF cornerInches, QPointF offset) {
    const double x = cornerInches.x() * 72 + offset.x(), y = cornerInches.y() * 72 + offset.y();
    for (const TWord& w : page.Words)
        if (std::abs(w.XMin - x) < 0.1 && std::abs(w.YMin - y) < 0.1)
            return w.Text == text;
    return false;
}

TGPLabel* AddLabel(TGBasePanel& panel, const QString& caption) {
    auto* label = static_cast<TGPLabel*>(panel.AddObject(std::make_unique<TGPLabel>()));
    label->SetBounds(20, 30, 200, 18);
    label->SetCaption(caption);
    return label;
}

// A design whose front says F and whose back says B, each with the record's name.
struct TTwoSidedDesign {
    QTemporaryDir Dir;
    QString Design = Dir.filePath(QStringLiteral("card.ptv"));
    QString People = Dir.filePath(QStringLiteral("people.csv"));

    TTwoSidedDesign() {
        TGBasePanel front, back;
        AddLabel(front, QStringLiteral("F${Name}"));
        AddLabel(back, QStringLiteral("B${Name}"));
        front.SaveToFile(Design);
        back.SaveToFile(BackSideFileName(Design));
        WriteTestFile(People, "Name\nP1\nP2\nP3\nP4\nP5\n");
    }
    QList<TPdfPage> Print(const QStringList& options) const {
        const QString pdf = Dir.filePath(QStringLiteral("out.pdf"));
        QFile::remove(pdf);
        const TLimitedRun r = RunToolLimited(QStringList{"print", Design, pdf} + options);
        if (r.Status != 0)
            qWarning() << r.Err;
        return r.Status == 0 ? PdfWords(pdf) : QList<TPdfPage>();
    }
};

TPrintRunSettings RunWith(const TPrinterNudges& nudges, TFlipEdge flip) {
    TPrintRunSettings s;
    s.Nudges = nudges;
    s.AlignmentSheet = true;
    s.Sides.Sides = TPrintSides::Both;
    s.Sides.Flip = flip;
    return s;
}

} // namespace

class TestTwoSided : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        RegisterObjectKinds();
        CreateMasterRichText(nullptr);
    }
    void backsLandBehindTheirFronts();
    void sidesChooseThePages();
    void manualDuplexBacksComeLastSheetFirst();
    void alignmentSheetReadsTheNudgeToType();
    void badOptionsAreRefused();
};

void TestTwoSided::backsLandBehindTheirFronts() {
    const TTwoSidedDesign d;
    TPrinterNudges n;
    n.TopMarginNudge = 2;
    n.LeftMarginNudge = -1;
    n.VerticalSpacing = 1;
    n.HorizontalSpacing = -1;
    n.BackLeftNudge = 3;
    n.BackTopNudge = -2;
    const QList<int> positions{0, 3, 4}; // --cards 1,4,5: a partly used sheet
    for (const TCardLayout& l : StockLayouts()) {
        const QString ini = d.Dir.filePath(QStringLiteral("PTV.INI"));
        QVERIFY(WriteTestFile(ini, SettingsFor(l, n)));
        for (const bool longEdge : {true, false}) {
            for (const bool merged : {false, true}) {
                const QString what = QStringLiteral("%1 x %2 on paper %3, %4 edge%5")
                                         .arg(l.Width)
                                         .arg(l.Height)
                                         .arg(l.Papersize)
                                         .arg(longEdge ? "long" : "short")
                                         .arg(merged ? ", merged" : "");
                QStringList options{"--settings", ini,    "--cards", "1,4,5",
                                    "--sides",    "both", "--flip",  longEdge ? "long" : "short"};
                if (merged)
                    options << "--merge" << d.People;
                const QList<TPdfPage> pages = d.Print(options);
                // Five people on three positions fill two sheets: front, back, front, back.
                QVERIFY2(pages.size() == (merged ? 4 : 2), qPrintable(what));
                const QSizeF sheet(pages[0].Width / 72, pages[0].Height / 72);
                // Where the word sits in its card, taken from the first front.
                const TWord& first = pages[0].Words.value(0);
                const QPointF corner = FrontCorner(l, n, positions[0]);
                const QPointF offset(first.XMin - corner.x() * 72, first.YMin - corner.y() * 72);
                int card = 0;
                for (int sheetNo = 0; sheetNo < pages.size() / 2; ++sheetNo) {
                    const TPdfPage& front = pages[2 * sheetNo];
                    const TPdfPage& back = pages[2 * sheetNo + 1];
                    int onSheet = 0;
                    for (int p : positions) {
                        if (merged && card == 5)
                            break;
                        const QString name = merged ? QStringLiteral("P%1").arg(card + 1)
                                                    : QStringLiteral("${Name}");
                        QVERIFY2(WordAt(front, "F" + name, FrontCorner(l, n, p), offset),
                                 qPrintable(what + QStringLiteral(", front %1").arg(p)));
                        QVERIFY2(
                            WordAt(back, "B" + name, BackCorner(l, n, p, longEdge, sheet), offset),
                            qPrintable(what + QStringLiteral(", back %1").arg(p)));
                        ++card;
                        ++onSheet;
                    }
                    QCOMPARE(front.Words.size(), onSheet);
                    QCOMPARE(back.Words.size(), onSheet);
                }
            }
        }
    }
}

void TestTwoSided::sidesChooseThePages() {
    const TTwoSidedDesign d;
    auto texts = [](const QList<TPdfPage>& pages) {
        QStringList t;
        for (const TPdfPage& p : pages) {
            QStringList words;
            for (const TWord& w : p.Words)
                words << w.Text;
            t << words.join(' ');
        }
        return t;
    };
    // Without --sides the fronts print as they always did, the back file or not.
    QCOMPARE(texts(d.Print({"--cards", "2"})), QStringList{"F${Name}"});
    QCOMPARE(texts(d.Print({"--cards", "2", "--sides", "back"})), QStringList{"B${Name}"});
    // Copies of a two-sided sheet are sheet pairs in duplex order.
    QCOMPARE(texts(d.Print({"--cards", "2", "--sides", "both", "--copies", "2"})),
             (QStringList{"F${Name}", "B${Name}", "F${Name}", "B${Name}"}));
    // A design without a back prints blank backs.
    QFile::remove(BackSideFileName(d.Design));
    QCOMPARE(texts(d.Print({"--cards", "2", "--sides", "both"})), (QStringList{"F${Name}", ""}));
    // A damaged back is refused with the program's message, and no PDF is written.
    QVERIFY(WriteTestFile(BackSideFileName(d.Design), "\x01TPF1"));
    const QString pdf = d.Dir.filePath(QStringLiteral("bad.pdf"));
    const TLimitedRun r = RunToolLimited({"print", d.Design, pdf, "--sides", "both"});
    QCOMPARE(r.Status, 1);
    QCOMPARE(r.Err, QByteArray("Invalid stream format\n"));
    QVERIFY(!QFileInfo::exists(pdf));
}

void TestTwoSided::manualDuplexBacksComeLastSheetFirst() {
    // The backs' pass of a manual duplex run prints on the stack the fronts' pass left, so
    // its sheets come in reverse order, each back still carrying its own record.
    TGBasePanel front, back;
    AddLabel(front, QStringLiteral("F${Name}"));
    AddLabel(back, QStringLiteral("B${Name}"));
    const TMergeList list = ReadCsvList("Name\nP1\nP2\nP3\nP4\nP5\n");
    TPrintRunSettings s;
    s.MergeList = &list;
    s.MergeRecords = {0, 1, 2, 3, 4};
    for (int p = 3; p < s.Selection.Size(); ++p)
        s.Selection.Set(p, false);
    s.BackPanel = &back;
    s.Sides.Sides = TPrintSides::Back;
    s.LastSheetFirst = true;
    TPageStream stream;
    TStreamJob job(stream);
    TLabelPrintRun run(front, s);
    job.OnBeforePrint = [&](TReportJob& r) { run.BeforePrintLabels(r); };
    job.OnPrint = [&](TReportJob& r) { run.PrintLabels(r); };
    QVERIFY(job.Execute());
    QStringList pages;
    for (const TReportPage& page : stream.Pages) {
        QStringList texts;
        for (const TReportOp& op : page)
            if (op.Kind == TReportOpKind::TextRect)
                texts << op.Text;
        pages << texts.join(' ');
    }
    QCOMPARE(pages, (QStringList{"BP4 BP5", "BP1 BP2 BP3"}));
    // The panels show what they showed before.
    QVERIFY(front.MergeRecord().IsEmpty());
    QVERIFY(back.MergeRecord().IsEmpty());
}

void TestTwoSided::alignmentSheetReadsTheNudgeToType() {
    // The alignment sheet is printed with the nudges the dialog holds. Where a back's line
    // crosses a scale, the number printed there is the nudge that brings the line to the
    // scale's zero: printing with that number moves the line by exactly that tick.
    QTemporaryDir dir;
    TGBasePanel panel;
    TCardLayout l; // Letter, 2 x 5
    for (const TFlipEdge flip : {TFlipEdge::Long, TFlipEdge::Short}) {
        TPrinterNudges n;
        n.BackLeftNudge = 3;
        n.BackTopNudge = -2;
        n.TopMarginNudge = 1;
        auto print = [&](const TPrinterNudges& nudges) {
            const QString pdf = dir.filePath(QStringLiteral("align.pdf"));
            QString error;
            if (!PrintToPdf(panel, RunWith(nudges, flip), pdf, &error))
                qWarning() << error;
            return PdfWords(pdf);
        };
        const QList<TPdfPage> sheet = print(n);
        QCOMPARE(sheet.size(), 2);
        const bool longEdge = flip == TFlipEdge::Long;
        const QSizeF paper(sheet[0].Width / 72, sheet[0].Height / 72);
        // "Front N" and "Back N" name every position, each at its card's corner; the back's
        // where the cards' backs print.
        auto find = [](const TPdfPage& page, const QString& text, int nth = 0) -> const TWord* {
            for (const TWord& w : page.Words)
                if (w.Text == text && nth-- == 0)
                    return &w;
            return nullptr;
        };
        const TWord* front1 = find(sheet[0], "Front");
        QVERIFY(front1);
        const QPointF offset(front1->XMin - FrontCorner(l, n, 0).x() * 72,
                             front1->YMin - FrontCorner(l, n, 0).y() * 72);
        for (int p = 0; p < l.PositionCount(); ++p) {
            const QString what = QStringLiteral("back %1").arg(p);
            QVERIFY2(WordAt(sheet[1], "Back", BackCorner(l, n, p, longEdge, paper), offset),
                     qPrintable(what));
            // Its number follows it on the same line.
            const QList<TWord>& words = sheet[1].Words;
            const QPointF c = BackCorner(l, n, p, longEdge, paper);
            bool numbered = false;
            for (qsizetype i = 0; i + 1 < words.size(); ++i)
                if (std::abs(words[i].XMin - (c.x() * 72 + offset.x())) < 0.1 &&
                    std::abs(words[i].YMin - (c.y() * 72 + offset.y())) < 0.1)
                    numbered = words[i + 1].Text == QString::number(p + 1);
            QVERIFY2(numbered, qPrintable(what));
        }
        // The labels of the first card's scales: across below its centre, down to its right.
        const QPointF corner = FrontCorner(l, n, 0);
        const double cx = (corner.x() + l.Width / 2) * 72, cy = (corner.y() + l.Height / 2) * 72;
        auto labelAcross = [&](const TPdfPage& page, int tick) -> QString {
            const double x = cx + tick * 72 / 32.0;
            for (const TWord& w : page.Words)
                if (std::abs((w.XMin + w.XMax) / 2 - x) < 0.5 && w.YMin > cy && w.YMin < cy + 50)
                    return w.Text;
            return {};
        };
        auto labelDown = [&](const TPdfPage& page, int tick) -> QString {
            const double y = cy + tick * 72 / 32.0;
            for (const TWord& w : page.Words)
                if (std::abs((w.YMin + w.YMax) / 2 - y) < 0.5 && w.XMin > cx && w.XMin < cx + 90)
                    return w.Text;
            return {};
        };
        QCOMPARE(labelAcross(sheet[0], 0), QStringLiteral("3"));
        QCOMPARE(labelDown(sheet[0], 0), QStringLiteral("-2"));
        const TWord* backOne = find(sheet[1], "Back");
        // The back's cross as seen from the front: mirrored back onto the front's side.
        auto seenFromFront = [&](const TWord& w) {
            const double x = longEdge ? paper.width() * 72 - w.XMin : w.XMin;
            const double y = longEdge ? w.YMin : paper.height() * 72 - w.YMin;
            return QPointF(x, y);
        };
        for (int tick : {-8, -4, 4, 8}) {
            TPrinterNudges typed = n;
            typed.BackLeftNudge = labelAcross(sheet[0], tick).toInt();
            typed.BackTopNudge = labelDown(sheet[0], tick).toInt();
            const QList<TPdfPage> again = print(typed);
            QCOMPARE(again.size(), 2);
            const QPointF moved = seenFromFront(*find(again[1], "Back")) - seenFromFront(*backOne);
            // The line that crossed at `tick` moves back to zero: by -tick, in points.
            QVERIFY2(std::abs(moved.x() + tick * 72 / 32.0) < 0.1 &&
                         std::abs(moved.y() + tick * 72 / 32.0) < 0.1,
                     qPrintable(QStringLiteral("tick %1, flip %2").arg(tick).arg(int(flip))));
        }
    }
}

void TestTwoSided::badOptionsAreRefused() {
    const TTwoSidedDesign d;
    const QString pdf = d.Dir.filePath(QStringLiteral("x.pdf"));
    TLimitedRun r = RunToolLimited({"print", d.Design, pdf, "--sides", "middle"});
    QCOMPARE(r.Status, 1);
    QCOMPARE(r.Err, QByteArray("The sides must be front, back or both\n"));
    r = RunToolLimited({"print", d.Design, pdf, "--flip", "diagonal"});
    QCOMPARE(r.Status, 1);
    QCOMPARE(r.Err, QByteArray("The flip must be long or short\n"));
    QVERIFY(!QFileInfo::exists(pdf));
}

QTEST_MAIN(TestTwoSided)
#include "test_two_sided.moc"
