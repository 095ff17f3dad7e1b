#include "support/LimitedRun.h"
#include "support/TestSupport.h"

#include "app/ObjectKinds.h"
#include "effects/DiduzOvoz.h"
#include "effects/RirizIzadu.h"
#include "richtext/WPRichText.h"
#include "surface/BasePanel.h"
#include "surface/ClassRegistry.h"
#include "surface/GraphicControl.h"
#include "surface/ObjectFiler.h"
#include "surface/ObjectStreamReader.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

TLimitedRun tool(const QStringList& args) {
    return RunToolLimited(args);
}

} // namespace

class TestTool : public QObject {
    Q_OBJECT
private slots:
    void dumpShowsEveryKindOfValue();
    void failuresGiveTheMessageAndStatus1_data();
    void failuresGiveTheMessageAndStatus1();
    void resaveOfEmptyDesign();
    void resaveReproducesEveryKind();
    void renderPaintsTheCard();
    void renderAndPrintDrawLettering();
    void renderAndPrintDrawShapes();
};

void TestTool::dumpShowsEveryKindOfValue() {
    QTemporaryDir dir;
    QByteArray b("\x01TPF0\x05TTest\x01X", 13);
    b += QByteArray("\x0A"
                    "Font.Color\x07\x05"
                    "clRed",
                    18);
    b += QByteArray("\x01L\x01\x06\x01"
                    "a\x14\x02\x00\x00\x00\xC3\xA9\x00",
                    14);
    b += QByteArray("\x01P\x0A\x03\x00\x00\x00"
                    "abc",
                    10);
    b += QByteArray("\x01S\x0B\x06"
                    "fsBold\x00",
                    11);
    b += QByteArray("\x01"
                    "F\x05\x00\x00\x00\x00\x00\x00\x00\xC0\xFF\xBF",
                    13);
    b += QByteArray("\x01"
                    "C\x0E\x01\x01V\x09\x00\x00",
                    9);
    b += QByteArray("\x01N\x0D\x01W\x12\x01\x00\x00\x00\x41\x00\x00\x00\x00", 15);
    QVERIFY(WriteTestFile(dir.filePath("a.ptv"), b));
    const TLimitedRun r = tool({"dump", dir.filePath("a.ptv")});
    QCOMPARE(r.Status, 0);
    QCOMPARE(r.Err, QByteArray());
    const QByteArray expected =
        R"({"objects":[{"class":"TTest","name":"X","properties":[)"
        R"({"name":"Font.Color","type":"Identifier","value":"clRed"},)"
        R"({"name":"L","type":"ListStart","value":[{"type":"ShortText","value":"a"},)"
        R"({"type":"UTF8Text","value":"é"}]},)"
        R"({"name":"P","type":"BinaryData","value":{"size":3,"sha256":)"
        R"("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"}},)"
        R"({"name":"S","type":"SetValue","value":["fsBold"]},)"
        R"({"name":"F","type":"Float80","value":-1.5},)"
        R"({"name":"C","type":"CollectionStart","value":[[{"name":"V","type":"TrueValue","value":true}]]},)"
        R"({"name":"N","type":"NilValue","value":null},)"
        R"({"name":"W","type":"WideText","value":"A"}]}]})"
        "\n";
    QCOMPARE(r.Out, expected);
}

void TestTool::failuresGiveTheMessageAndStatus1_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("message");
    QTest::newRow("dump of no stream")
        << "dump" << QByteArray("BM\x00\x01", 4) << QByteArray("Invalid property value\n");
    QTest::newRow("dump cut short")
        << "dump" << QByteArray("\x01TPF0\x05", 6) << QByteArray("Stream read error\n");
    QTest::newRow("resave of an unknown class")
        << "resave" << QByteArray("\x01TPF0\x08TGNoSuch\x01X\x00\x00\x00", 19)
        << QByteArray("Class TGNoSuch not found\n");
    QTest::newRow("render of a bad signature")
        << "render" << QByteArray("\x01TPF9", 5) << QByteArray("Invalid stream format\n");
}

void TestTool::failuresGiveTheMessageAndStatus1() {
    QFETCH(QString, command);
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, message);
    QTemporaryDir dir;
    const QString in = dir.filePath("in.ptv");
    QVERIFY(WriteTestFile(in, bytes));
    QStringList args{command, in};
    if (command != "dump")
        args << dir.filePath(command == "render" ? "out.png" : "out.ptv");
    const TLimitedRun r = tool(args);
    QCOMPARE(r.Status, 1);
    QCOMPARE(r.Err, message);
    QVERIFY(!QFile::exists(dir.filePath("out.ptv")));
    const TLimitedRun missing = tool({"dump", dir.filePath("none.ptv")});
    QCOMPARE(missing.Status, 1);
    QCOMPARE(missing.Err, "Cannot open file " + dir.filePath("none.ptv").toUtf8() + "\n");
    const TLimitedRun usage = tool({"frobnicate"});
    QCOMPARE(usage.Status, 1);
    // The usage names every option the print command takes.
    for (const char* option : {"--settings", "--cards", "--copies", "--outline", "--merge LIST"})
        QVERIFY2(usage.Err.contains(option), option);
}

void TestTool::resaveOfEmptyDesign() {
    QTemporaryDir dir;
    QVERIFY(WriteTestFile(dir.filePath("in.ptv"), QByteArray("\x01\x00", 2)));
    const TLimitedRun r = tool({"resave", dir.filePath("in.ptv"), dir.filePath("out.ptv")});
    QCOMPARE(r.Status, 0);
    QCOMPARE(r.Err, QByteArray());
    QCOMPARE(ReadTestFile(dir.filePath("out.ptv")), QByteArray("\x01\x00", 2));
}

void TestTool::resaveReproducesEveryKind() {
    RegisterObjectKinds();
    const QStringList kinds = TClassRegistry::ClassNames();
    QVERIFY(!kinds.isEmpty());
    QTemporaryDir dir;
    TGBasePanel panel;
    CreateMasterRichText(&panel); // rich text objects paint through it
    panel.resize(336, 192);
    int n = 0;
    for (const QString& kind : kinds) {
        // As drawn: completed by Loaded, named "Special"+N.
        TGGraphicControl* o = panel.AddObject(TClassRegistry::Create(kind));
        o->Loaded();
        o->SetName(panel.UniqueName("Special"));
        o->SetBounds(10 + 20 * n, 10 + 10 * n, 120, 30);
        ++n;
    }
    const QString in = dir.filePath("kinds.ptv"), out = dir.filePath("again.ptv");
    panel.SaveToFile(in);
    // The tool's program folder holds the program's clipboard file; the tool leaves it.
    const QString clipboard =
        QFileInfo(QStringLiteral(PENTAVO_TOOL)).absolutePath() + "/Clipbrd.tmp";
    const bool ours = !QFile::exists(clipboard);
    if (ours)
        QVERIFY(WriteTestFile(clipboard, QByteArray("\x01\x00", 2)));
    const TLimitedRun r = tool({"resave", in, out});
    const bool kept = QFile::exists(clipboard);
    if (ours)
        QFile::remove(clipboard);
    QCOMPARE(r.Err, QByteArray());
    QCOMPARE(r.Status, 0);
    QVERIFY(kept);
    // As the program opens and saves a design: each record named "Component"+N, in order,
    // everything else as it was.
    const QByteArray before = ReadTestFile(in), after = ReadTestFile(out);
    const std::vector<TStreamObject> written = ReadStreamObjects(before.constData(), before.size());
    const std::vector<TStreamObject> again = ReadStreamObjects(after.constData(), after.size());
    QCOMPARE(again.size(), written.size());
    for (size_t i = 0; i < again.size(); ++i) {
        QCOMPARE(written[i].Name, "Special" + QString::number(i + 1));
        QCOMPARE(again[i].Name, "Component" + QString::number(i));
    }
    QByteArray renamed = before;
    for (size_t i = 0; i < again.size(); ++i) {
        const QByteArray from = written[i].Name.toLatin1(), to = again[i].Name.toLatin1();
        renamed.replace(char(from.size()) + from, char(to.size()) + to);
    }
    QCOMPARE(after, renamed);
}

void TestTool::renderPaintsTheCard() {
    QTemporaryDir dir;
    QVERIFY(WriteTestFile(dir.filePath("in.ptv"), QByteArray("\x01\x00", 2)));
    const QString png = dir.filePath("card.png");
    TLimitedRun r = tool({"render", dir.filePath("in.ptv"), png});
    QCOMPARE(r.Status, 0);
    QCOMPARE(r.Err, QByteArray());
    QImage card(png);
    QCOMPARE(card.size(), QSize(336, 192));
    QCOMPARE(card.pixel(0, 0), qRgb(0, 0, 0)); // dotted outline
    QCOMPARE(card.pixel(100, 100), qRgb(255, 255, 255));
    r = tool({"render", dir.filePath("in.ptv"), png, "--zoom", "1.5"});
    QCOMPARE(r.Status, 0);
    QCOMPARE(QImage(png).size(), QSize(504, 288));
    QCOMPARE(tool({"render", dir.filePath("in.ptv"), png, "--zoom", "x"}).Status, 1);
}

void TestTool::renderAndPrintDrawLettering() {
    QTemporaryDir dir;
    TGDiduzOvoz lettering;
    lettering.SetBounds(20, 20, 250, 90);
    lettering.SetCaption("Pentavo");
    lettering.SetSurfaceType(stBrushTransparent);
    lettering.SetFontColor(clRed);
    QBuffer design;
    design.open(QIODevice::WriteOnly);
    TGLabelObjectFiler::WriteObjects(design, {&lettering});
    QVERIFY(WriteTestFile(dir.filePath("in.ptv"), design.data()));
    auto redPixels = [](const QImage& img) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QColor c = img.pixelColor(x, y);
                n += c.red() > 200 && c.green() < 80 && c.blue() < 80;
            }
        return n;
    };
    const QString png = dir.filePath("card.png");
    QCOMPARE(tool({"render", dir.filePath("in.ptv"), png}).Status, 0);
    const int red100 = redPixels(QImage(png));
    QVERIFY(red100 > 300);
    QCOMPARE(tool({"render", dir.filePath("in.ptv"), png, "--zoom", "1.5"}).Status, 0);
    QVERIFY(redPixels(QImage(png)) > 2 * red100); // the lettering grows with the card
    const QString pdf = dir.filePath("sheet.pdf");
    const TLimitedRun printed = tool({"print", dir.filePath("in.ptv"), pdf});
    QCOMPARE(printed.Status, 0);
    QProcess render;
    render.start(QStringLiteral("pdftoppm"), {"-r", "96", "-f", "1", "-l", "1", "-png",
                                              "-singlefile", pdf, dir.filePath("page")});
    QVERIFY(render.waitForFinished(30000));
    QVERIFY(redPixels(QImage(dir.filePath("page.png"))) > 10 * red100); // on every card
}

void TestTool::renderAndPrintDrawShapes() {
    QTemporaryDir dir;
    TGBasePanel panel;
    panel.resize(336, 192);
    auto* shape = static_cast<TRirizIzadu*>(panel.AddObject(std::make_unique<TRirizIzadu>()));
    shape->SetName(QStringLiteral("Shape1"));
    shape->SetBounds(50, 40, 60, 40);
    shape->SetShape(gstEllipse);
    shape->SetSurfaceType(stGradientFill);
    shape->SetBackColor(clRed);
    shape->SetGradientToColor(clRed);
    const QString in = dir.filePath("shape.ptv"), png = dir.filePath("card.png");
    panel.SaveToFile(in);
    QCOMPARE(tool({"render", in, png, "--zoom", "1.5"}).Status, 0);
    const QImage card(png);
    QCOMPARE(card.pixel(120, 90), qRgb(255, 0, 0));
    QCOMPARE(card.pixel(76, 61), qRgb(255, 255, 255)); // outside the ellipse's corner
    const TLimitedRun r = tool({"print", in, dir.filePath("card.pdf"), "--cards", "1"});
    QCOMPARE(r.Err, QByteArray());
    QCOMPARE(r.Status, 0);
    // The gradient's bands are one strip of them.
    const QByteArray pdf = ReadTestFile(dir.filePath("card.pdf"));
    QVERIFY(pdf.startsWith("%PDF"));
    QCOMPARE(pdf.count("/Subtype /Image"), 1);
}

QTEST_MAIN(TestTool)
#include "test_tool.moc"
