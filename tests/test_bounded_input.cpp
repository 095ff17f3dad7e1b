// Small or strange inputs that ask for huge work: each is made here at its full size and given
// to pentavo-tool in a child process under a memory limit and a time-out, so that a
// regression fails fast instead of freezing or exhausting the machine.
#include "support/LimitedRun.h"
#include "support/TestSupport.h"

#include "app/MergeChoice.h"
#include "effects/DiduzOvoz.h"
#include "effects/RirizIzadu.h"
#include "objects/EditWrap.h"
#include "objects/MultiLineLabel.h"
#include "objects/PLabel.h"
#include "objects/RichBaseLabel.h"
#include "objects/ShownText.h"
#include "platform/RegularFile.h"
#include "richtext/LayoutBounds.h"
#include "richtext/RtfDocument.h"
#include "surface/ObjectFiler.h"

#include <QBuffer>
#include <QImage>
#include <QtTest>

#include <memory>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// What a hostile file may cost. Each input takes a second or two and well under 400 MB on
// a quiet machine; the time-out is loose for a loaded one.
constexpr qint64 kMemory = qint64(1) << 30;
constexpr int kTimeoutMs = 60000;

TLimitedRun tool(const QStringList& args) {
    return RunToolLimited(args, kMemory, kTimeoutMs);
}

QByteArray designOf(const std::vector<std::unique_ptr<TGGraphicControl>>& objects) {
    std::vector<TGGraphicControl*> list;
    for (const auto& o : objects)
        list.push_back(o.get());
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TGLabelObjectFiler::WriteObjects(buffer, list);
    return buffer.data();
}

// A design of the one object, placed at (10, 10) in a box of w x h.
QByteArray designOfOne(std::unique_ptr<TGGraphicControl> o, int w, int h) {
    o->SetName(QStringLiteral("Object1"));
    o->SetBounds(10, 10, w, h);
    std::vector<std::unique_ptr<TGGraphicControl>> objects;
    objects.push_back(std::move(o));
    return designOf(objects);
}

QByteArray shapeDesign(TSurfaceType surface) {
    auto shape = std::make_unique<TRirizIzadu>();
    shape->SetSurfaceType(surface);
    shape->SetBackColor(clRed);
    shape->SetGradientToColor(clRed);
    return designOfOne(std::move(shape), 30000, 30000);
}

QString words(qsizetype bytes) {
    return QString(QStringLiteral("Pentavo card ")).repeated(bytes / 13);
}

QByteArray letteringDesign() {
    auto lettering = std::make_unique<TGDiduzOvoz>();
    lettering->SetCaption(words(5 << 20));
    return designOfOne(std::move(lettering), 300, 100);
}

QByteArray captionDesign() {
    auto text = std::make_unique<TGPLabel>();
    text->SetCaption(words(4 << 20));
    return designOfOne(std::move(text), 300, 30);
}

QByteArray wrappedLineDesign() {
    auto text = std::make_unique<TGMultiLineLabel>();
    text->SetWordWrap(true);
    text->SetItems({words(4 << 20)});
    return designOfOne(std::move(text), 300, 150);
}

QByteArray manyTextsDesign() {
    std::vector<std::unique_ptr<TGGraphicControl>> objects;
    const QString caption = words(4000);
    for (int i = 0; i < 10000; ++i) {
        auto text = std::make_unique<TGPLabel>();
        text->SetName(QStringLiteral("Text%1").arg(i + 1));
        text->SetBounds(i % 300, i % 180, 200, 20);
        text->SetCaption(caption);
        objects.push_back(std::move(text));
    }
    return designOf(objects);
}

QByteArray richTextDesign(const QByteArray& body) {
    auto rich = std::make_unique<TGPRichBaseLabel>();
    TWPRtfStorage text;
    text.SetRtf("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 " + body + "}");
    rich->SetRTFText(text);
    return designOfOne(std::move(rich), 300, 150);
}

// A record whose property is a list of lists holding nothing but empty lists: two bytes
// each, 20 MB in all. No list holds more than the reader's bound on items.
QByteArray emptyListsDesign() {
    QByteArray b("\x01TPF0\x05TTest\x01X\x01L\x01", 16);
    const int lists = 10, each = 1 << 20;
    b.reserve(b.size() + lists * (2 + 2 * each) + 4);
    for (int i = 0; i < lists; ++i) {
        b += '\x01';
        b += QByteArray("\x01\x00", 2).repeated(each);
        b += '\x00';
    }
    b += QByteArray("\x00\x00\x00\x00", 4); // the list, the properties, the children, the file
    return b;
}

bool makeFifo(const QString& path) {
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

// The share of the card's pixels that are not white.
double inkShare(const QImage& card) {
    qint64 ink = 0;
    for (int y = 0; y < card.height(); ++y)
        for (int x = 0; x < card.width(); ++x)
            ink += card.pixel(x, y) != qRgb(255, 255, 255);
    return double(ink) / (qint64(card.width()) * card.height());
}

} // namespace

class TestBoundedInput : public QObject {
    Q_OBJECT
private slots:
    void longTextsAreCutToWhatShows();
    void shownRichTextIsBounded();
    void designsCostWhatShows_data();
    void designsCostWhatShows();
    void readersAreLinear();
    void onlyRegularFilesAreRead();
    void readingStopsAtTheLimit();
    void zoomMustBeANumberInRange();
};

void TestBoundedInput::longTextsAreCutToWhatShows() {
    const QFontMetrics m(QFont(QStringLiteral("Liberation Sans"), 10));
    const QString shortText = QStringLiteral("Short enough to be measured whole");
    QCOMPARE(ShownPart(m, shortText, 5, TShownEnd::End), shortText);
    const QString text = words(4 << 20);
    const QString start = ShownPart(m, text, 300, TShownEnd::Start);
    const QString end = ShownPart(m, text, 300, TShownEnd::End);
    const QString middle = ShownPart(m, text, 300, TShownEnd::Middle);
    for (const QString& part : {start, end, middle}) {
        QVERIFY(m.horizontalAdvance(part) > 300);
        QVERIFY(part.size() < 4096);
    }
    QVERIFY(text.startsWith(start));
    QVERIFY(text.endsWith(end));
    const qsizetype at = (text.size() - middle.size()) / 2;
    QCOMPARE(text.mid(at, middle.size()), middle);
    // A text that fits comes back whole, however many characters it has.
    const QString narrow = QString(600, QChar(0x200B));
    QCOMPARE(ShownPart(m, narrow, 300), narrow);
    // Characters outside the basic plane are never cut in two.
    const QString faces = QString::fromUtf8("\xF0\x9F\x98\x80").repeated(3000);
    for (TShownEnd e : {TShownEnd::Start, TShownEnd::End, TShownEnd::Middle}) {
        const QString part = ShownPart(m, faces, 100, e);
        QVERIFY(part.size() % 2 == 0 && part.front().isHighSurrogate());
    }

    // Wrapping stops at the lines asked for, which are the first lines of the whole wrap.
    const QStringList lines{words(3000), QString(), words(200)};
    const QStringList whole = WrapLikeEdit(lines, m, 150);
    QVERIFY(whole.size() > 20);
    for (qsizetype n : {0, 1, 7, 20})
        QCOMPARE(WrapLikeEdit(lines, m, 150, n), whole.mid(0, n));
    QCOMPARE(WrapLikeEdit({text}, m, 150, 10), WrapLikeEdit({text.left(2000)}, m, 150, 10));
}

void TestBoundedInput::shownRichTextIsBounded() {
    const QChar zeroWidthSpace(0x200B);
    TRtfCharFormat bold;
    bold.Family = QStringLiteral("Arial");
    bold.Bold = true;
    TRtfCharFormat plain = bold;
    plain.Bold = false;
    // One word of 8000 characters over two runs, then a word of 2048: the long word gets a
    // break after every 2048 characters, counted across the runs; the other stays whole.
    TRtfDocument doc;
    TRtfParagraph& p = doc.Paragraphs.emplace_back();
    p.Runs.push_back({bold, QString(5000, 'a')});
    p.Runs.push_back({plain, QString(3000, 'b') + ' ' + QString(2048, 'c')});
    BoundForLayout(doc);
    QCOMPARE(doc.Paragraphs[0].Runs.size(), size_t(2));
    const QString first = doc.Paragraphs[0].Runs[0].Text, second = doc.Paragraphs[0].Runs[1].Text;
    QCOMPARE(first, QString(2048, 'a') + zeroWidthSpace + QString(2048, 'a') + zeroWidthSpace +
                        QString(904, 'a'));
    QCOMPARE(second,
             QString(1144, 'b') + zeroWidthSpace + QString(1856, 'b') + ' ' + QString(2048, 'c'));

    // Runs, paragraphs and characters far beyond a card are bounded; the text kept reads on.
    TRtfDocument many;
    TRtfParagraph& runs = many.Paragraphs.emplace_back();
    for (int i = 0; i < 150000; ++i) {
        runs.Runs.push_back({bold, QStringLiteral("a ")});
        runs.Runs.push_back({plain, QStringLiteral("b ")});
    }
    for (int i = 0; i < 100000; ++i)
        many.Paragraphs.push_back({TRtfAlign::Left, 0, 0, 0, 0, 0, plain, {{plain, "line"}}});
    BoundForLayout(many);
    QCOMPARE(many.Paragraphs[0].Runs.size(), size_t(2000));
    QCOMPARE(many.Paragraphs[0].Runs[1998].Format, bold);
    QVERIFY(many.Paragraphs[0].Runs[1999].Text.startsWith("b a b a "));
    QVERIFY(many.Paragraphs.size() <= 4000);
    qsizetype characters = 0;
    for (const TRtfParagraph& q : many.Paragraphs)
        for (const TRtfRun& r : q.Runs)
            characters += r.Text.size();
    QVERIFY(characters <= 256 * 1024);
}

void TestBoundedInput::designsCostWhatShows_data() {
    QTest::addColumn<QByteArray>("design");
    QTest::addColumn<QString>("zoom");
    QTest::addColumn<double>("minInk"); // the share of the card the design must still cover
    QTest::newRow("solid shape 30000 x 30000") << shapeDesign(stBrushPattern) << "1" << 0.9;
    QTest::newRow("gradient shape 30000 x 30000 at 150 %")
        << shapeDesign(stGradientFill) << "1.5" << 0.9;
    QTest::newRow("lettering of 5 MB") << letteringDesign() << "1" << 0.01;
    QTest::newRow("caption of 4 MB") << captionDesign() << "1.5" << 0.01;
    QTest::newRow("wrapped line of 4 MB") << wrappedLineDesign() << "1" << 0.02;
    QTest::newRow("10,000 texts, 40 MB") << manyTextsDesign() << "1" << 0.1;
    QTest::newRow("rich text: one word of 400 KB")
        << richTextDesign(QByteArray("a").repeated(400 << 10)) << "1" << 0.02;
    QTest::newRow("rich text: 300,000 runs")
        << richTextDesign(QByteArray("{\\b a}{\\i b}").repeated(150000)) << "1" << 0.02;
    QTest::newRow("rich text: 4 MB")
        << richTextDesign(words(4 << 20).toLatin1().replace("card ", "card\\par ")) << "1.5"
        << 0.02;
}

void TestBoundedInput::designsCostWhatShows() {
    QFETCH(QByteArray, design);
    QFETCH(QString, zoom);
    QFETCH(double, minInk);
    QTemporaryDir dir;
    const QString in = dir.filePath("in.ptv"), png = dir.filePath("card.png");
    QVERIFY(WriteTestFile(in, design));
    const TLimitedRun r = tool({"render", in, png, "--zoom", zoom});
    QVERIFY2(!r.TimedOut, "render did not finish");
    QCOMPARE(r.Err, QByteArray());
    QCOMPARE(r.Status, 0);
    // What can show is drawn, not dropped to save the work.
    QVERIFY(inkShare(QImage(png)) >= minInk);
    // A sheet of ten such cards holds what shows on them, not the whole text again.
    const QString pdf = dir.filePath("sheet.pdf");
    const TLimitedRun printed = tool({"print", in, pdf});
    QVERIFY2(!printed.TimedOut, "print did not finish");
    QCOMPARE(printed.Err, QByteArray());
    QCOMPARE(printed.Status, 0);
    QVERIFY2(QFileInfo(pdf).size() < 2 << 20, qPrintable(QString::number(QFileInfo(pdf).size())));
}

void TestBoundedInput::readersAreLinear() {
    QTemporaryDir dir;
    const QString design = dir.filePath("card.ptv");
    auto text = std::make_unique<TGPLabel>();
    text->SetCaption(QStringLiteral("${Full Name}"));
    QVERIFY(WriteTestFile(design, designOfOne(std::move(text), 200, 30)));

    // A line marked quoted-printable that has no value, continued by 200,000 soft breaks.
    const QString cards = dir.filePath("cards.vcf");
    QVERIFY(WriteTestFile(cards, "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:Ann\r\n"
                                 "NOTE;ENCODING=QUOTED-PRINTABLE=\r\n" +
                                     QByteArray("a=\r\n").repeated(200000) + "b\r\nEND:VCARD\r\n"));
    TLimitedRun r = tool({"print", design, dir.filePath("cards.pdf"), "--merge", cards});
    QVERIFY2(!r.TimedOut, "the list was not read");
    QCOMPARE(r.Err, QByteArray());
    QCOMPARE(r.Status, 0);

    // 16 MB of short lines and a 16 MB line of empty fields.
    const QString csv = dir.filePath("list.csv");
    QVERIFY(WriteTestFile(csv, "Full Name,Note\r\n" +
                                   QByteArray("Ann,\"a\"\"b\"\r\n").repeated(1 << 20) +
                                   QByteArray(",").repeated(16 << 20)));
    r = tool({"print", design, dir.filePath("list.pdf"), "--merge", csv});
    QVERIFY2(!r.TimedOut, "the list was not read");
    QVERIFY(r.Err.contains("Line 1048578 has more than 1024 fields"));
    QCOMPARE(r.Status, 1);

    // The dump of 20 MB of empty lists, written straight to a file.
    const QString lists = dir.filePath("lists.ptv"), json = dir.filePath("lists.json");
    QVERIFY(WriteTestFile(lists, emptyListsDesign()));
    r = RunLimited(
        QStringLiteral("/bin/sh"),
        {"-c", "exec \"$0\" dump \"$1\" >\"$2\"", QStringLiteral(PENTAVO_TOOL), lists, json},
        kMemory, kTimeoutMs);
    QVERIFY2(!r.TimedOut, "dump did not finish");
    QCOMPARE(r.Err, QByteArray());
    QCOMPARE(r.Status, 0);
    QFile out(json);
    QVERIFY(out.open(QIODevice::ReadOnly));
    // Read back piece by piece: the text is 330 MB.
    const QByteArray empty = R"({"type":"ListStart","value":[]})";
    const QByteArray inner = "{\"type\":\"ListStart\",\"value\":[" +
                             (empty + ',').repeated((1 << 20) - 1) + empty + "]}";
    const QByteArray head = R"({"objects":[{"class":"TTest","name":"X","properties":[)"
                            R"({"name":"L","type":"ListStart","value":[)";
    const QByteArray tail = "]}]}]}\n";
    QCOMPARE(out.size(), head.size() + 10 * inner.size() + 9 + tail.size());
    QCOMPARE(out.read(head.size()), head);
    for (int i = 0; i < 10; ++i) {
        QVERIFY(out.read(inner.size()) == inner);
        QCOMPARE(out.read(1), QByteArray(i < 9 ? "," : "]"));
    }
    QCOMPARE(out.readAll(), tail.mid(1));
}

void TestBoundedInput::onlyRegularFilesAreRead() {
    QTemporaryDir dir;
    const QString pipe = dir.filePath("pipe.ptv");
    QVERIFY(makeFifo(pipe));
    // Devices, folders and pipes are refused at once with the program's message.
    for (const QString& name : {QStringLiteral("/dev/zero"), dir.path(), pipe}) {
        for (const QString& command : {QStringLiteral("dump"), QStringLiteral("render")}) {
            QStringList args{command, name};
            if (command == "render")
                args << dir.filePath("card.png");
            const TLimitedRun r = tool(args);
            QVERIFY2(!r.TimedOut, qPrintable(command + ' ' + name));
            QCOMPARE(r.Status, 1);
            QCOMPARE(r.Err, "Cannot open file " + name.toUtf8() + '\n');
        }
    }

    // A design whose companion files and list are pipes: the pictures' and the list's
    // pipes are not waited on either.
    const QString design = dir.filePath("card.ptv");
    QVERIFY(WriteTestFile(design, QByteArray("\x01\x00", 2)));
    QVERIFY(makeFifo(dir.filePath("card.PTX")));
    QVERIFY(makeFifo(dir.filePath("card.PTM")));
    QVERIFY(makeFifo(dir.filePath("list.csv")));
    QVERIFY(makeFifo(dir.filePath("PTV.INI")));
    TLimitedRun r = tool({"render", design, dir.filePath("card.png")});
    QVERIFY(!r.TimedOut);
    QCOMPARE(r.Status, 0);
    r = tool({"print", design, dir.filePath("card.pdf"), "--merge", dir.filePath("list.csv")});
    QVERIFY(!r.TimedOut);
    QCOMPARE(r.Status, 1);
    QVERIFY(r.Err.contains("Cannot open the list"));
    r = tool({"print", design, dir.filePath("card.pdf"), "--settings", dir.filePath("PTV.INI")});
    QVERIFY(!r.TimedOut);
    QCOMPARE(r.Status, 1);
    // The remembered list choice is read in this process; a wait would end it by the alarm.
    ::alarm(10);
    const TMergeChoice choice = ReadMergeChoice(design);
    ::alarm(0);
    QVERIFY(choice.ListFile.isEmpty());
}

void TestBoundedInput::readingStopsAtTheLimit() {
    QTemporaryDir dir;
    const QString name = dir.filePath("ten.bin");
    QVERIFY(WriteTestFile(name, "0123456789"));
    TFileBytes file = ReadRegularFile(name, 10);
    QCOMPARE(file.Result, TFileRead::Read);
    QCOMPARE(file.Bytes, QByteArray("0123456789"));
    QVERIFY(!file.Truncated);
    file = ReadRegularFile(name, 4);
    QCOMPARE(file.Result, TFileRead::Read);
    QCOMPARE(file.Bytes, QByteArray("0123"));
    QVERIFY(file.Truncated);
    QCOMPARE(ReadRegularFile(dir.filePath("none"), 4).Result, TFileRead::Missing);
    QCOMPARE(ReadRegularFile(dir.path(), 4).Result, TFileRead::NotRegular);
    QCOMPARE(ReadRegularFile(QStringLiteral("/dev/zero"), 4).Result, TFileRead::NotRegular);
    QVERIFY(QFile::setPermissions(name, QFileDevice::Permissions()));
    if (::geteuid() != 0) // root reads whatever the permissions say
        QCOMPARE(ReadRegularFile(name, 10).Result, TFileRead::Failed);
}

void TestBoundedInput::zoomMustBeANumberInRange() {
    QTemporaryDir dir;
    const QString in = dir.filePath("in.ptv");
    QVERIFY(WriteTestFile(in, QByteArray("\x01\x00", 2)));
    for (const char* zoom : {"nan", "-nan", "inf", "-inf", "1e400", "0.05", "11"}) {
        const TLimitedRun r = tool({"render", in, dir.filePath("card.png"), "--zoom", zoom});
        QCOMPARE(r.Status, 1);
        QCOMPARE(r.Err, QByteArray("The zoom must be a number from 0.1 to 10\n"));
        QVERIFY(!QFile::exists(dir.filePath("card.png")));
    }
}

QTEST_MAIN(TestBoundedInput)
#include "test_bounded_input.moc"
