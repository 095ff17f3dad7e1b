// Merge printing: one card per record on the chosen positions, sheet after sheet, with the
// fields of every text kind filled in, and the design on screen left as it is.
#include "support/PrintTestSupport.h"
#include "support/TestSupport.h"

#include "effects/DiduzOvoz.h"
#include "merge/CsvReader.h"
#include "merge/DocumentMergeFields.h"
#include "objects/BusinessCardLabel.h"
#include "objects/MultiLineLabel.h"
#include "objects/PLabel.h"
#include "objects/RichBaseLabel.h"
#include "objects/RichTextBox.h"
#include "objects/SymbolLabel.h"
#include "printing/LabelPrintRun.h"
#include "report/StreamJob.h"
#include "richtext/RtfReader.h"
#include "richtext/WPRichText.h"
#include "surface/BasePanel.h"

#include <QPainter>
#include <QProcess>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

namespace {

struct TMergeFixture {
    TGBasePanel Panel;
    TPageStream Stream;
    TPrintRunSettings Settings;
    TMergeList List;
    QStringList Status;
    TGPLabel* Name = nullptr;

    explicit TMergeFixture(int people) {
        Stream.Metrics.XDPI = Stream.Metrics.YDPI = 600;
        QByteArray csv = "Name,Title\n";
        for (int i = 1; i <= people; ++i)
            csv += "Person " + QByteArray::number(i) + ",T" + QByteArray::number(i) + "\n";
        List = ReadCsvList(csv);
        Name = AddLabel<TGPLabel>("${Name}");
        Settings.MergeList = &List;
        for (int i = 0; i < List.Count(); ++i)
            Settings.MergeRecords.append(i);
    }
    template <class T> T* AddLabel(const QString& caption) {
        auto* label = static_cast<T*>(Panel.AddObject(std::make_unique<T>()));
        label->SetBounds(10, 10 + 20 * int(Panel.Objects().size()), 200, 18);
        label->SetCaption(caption);
        return label;
    }
    void Select(std::initializer_list<int> positions) {
        for (int p = 0; p < Settings.Selection.Size(); ++p)
            Settings.Selection.Set(p, false);
        for (int p : positions)
            Settings.Selection.Set(p, true);
    }
    void Run(int stopAfter = -1) {
        TStreamJob job(Stream);
        TLabelPrintRun run(Panel, Settings);
        run.CardShown = [&](const QString& text) {
            Status << text;
            if (Status.size() == stopAfter)
                run.Stopped = true;
        };
        job.OnBeforePrint = [&](TReportJob& r) { run.BeforePrintLabels(r); };
        job.OnPrint = [&](TReportJob& r) { run.PrintLabels(r); };
        job.Execute();
    }
    // The texts printed on a page, in order.
    QStringList Texts(size_t page) const {
        QStringList texts;
        for (const TReportOp& op : OpsOf(Stream.Pages.at(page), TReportOpKind::TextRect))
            texts << op.Text;
        return texts;
    }
};

} // namespace

class TestMergePrint : public QObject {
    Q_OBJECT
private slots:
    void recordsFillPartlyUsedSheets();
    void copiesRepeatTheWholeRunFromANewSheet();
    void everyTextKindTakesTheFields();
    void richTextFieldsMaySpanFormatting();
    void screenShowsARecordWithoutChangingTheDesign();
    void stopEndsTheRunAndTheScreenKeepsItsRecord();
    void toolPrintsOneCardPerPerson();
};

void TestMergePrint::recordsFillPartlyUsedSheets() {
    TMergeFixture f(10);
    f.Select({6, 7, 8, 9}); // the last two rows of a 2 x 5 sheet are still free
    f.Panel.AddObject(std::make_unique<TCardMarker>())->SetBounds(0, 0, 10, 10);
    f.Run();
    QCOMPARE(f.Stream.Pages.size(), size_t(3));
    QCOMPARE(f.Texts(0), (QStringList{"Person 1", "Person 2", "Person 3", "Person 4"}));
    QCOMPARE(f.Texts(2), (QStringList{"Person 9", "Person 10"}));
    // The cards go to the free positions: the fourth row, left then right, then the fifth.
    const std::vector<QPointF> origins = CardOrigins(f.Stream.Pages.at(0));
    QCOMPARE(origins.size(), size_t(4));
    QCOMPARE(origins[0], QPointF(0.75, 6.5));
    QCOMPARE(origins[3], QPointF(4.25, 8.5));
    QCOMPARE(f.Status.first(), QString("Record 1 of 10"));
    QCOMPARE(f.Status.last(), QString("Record 10 of 10"));
    // Unchecked records are left out, the rest keep their order.
    TMergeFixture g(5);
    g.Settings.MergeRecords = {4, 0, 2};
    g.Run();
    QCOMPARE(g.Texts(0), (QStringList{"Person 5", "Person 1", "Person 3"}));
    QCOMPARE(g.Status, (QStringList{"Record 1 of 3", "Record 2 of 3", "Record 3 of 3"}));
}

void TestMergePrint::copiesRepeatTheWholeRunFromANewSheet() {
    TMergeFixture f(5);
    f.Select({0, 1, 2, 3});
    f.Settings.Copies = 2;
    f.Settings.DriverMaxCopies = 99; // the driver must not be asked to repeat single sheets
    f.Run();
    QCOMPARE(f.Stream.Pages.size(), size_t(4));
    QCOMPARE(f.Texts(1), QStringList{"Person 5"});
    QCOMPARE(f.Texts(2), (QStringList{"Person 1", "Person 2", "Person 3", "Person 4"}));
    QCOMPARE(f.Texts(3), QStringList{"Person 5"});
}

void TestMergePrint::everyTextKindTakesTheFields() {
    TMergeFixture f(2);
    f.Panel.DeleteObject(f.Name);
    f.AddLabel<TGPLabel>("${Name}, ${title}");
    f.AddLabel<TGBusinessCardLabel>("Fax: ${Fax}");
    auto* lines =
        static_cast<TGMultiLineLabel*>(f.Panel.AddObject(std::make_unique<TGMultiLineLabel>()));
    lines->SetBounds(10, 100, 200, 60);
    lines->SetItems({"Dear ${Name}", "plain line"});
    f.Select({0});
    f.Run();
    QCOMPARE(f.Texts(0), (QStringList{"Person 1, T1", "Fax: ", "Dear Person 1", "plain line"}));
    QCOMPARE(f.Texts(1), (QStringList{"Person 2, T2", "Fax: ", "Dear Person 2", "plain line"}));
    // Lettering draws the record's values too, cut to its box like typed text.
    auto* lettering = static_cast<TGDiduzOvoz*>(f.Panel.AddObject(std::make_unique<TGDiduzOvoz>()));
    lettering->SetBounds(10, 150, 1200, 80);
    lettering->SetCaption(QStringLiteral("Hi ${Name}"));
    f.Panel.SetMergeRecord({&f.List, 1});
    QCOMPARE(lettering->VisibleCaption(), QString("Hi Person 2"));
    f.Panel.SetMergeRecord({});
    QCOMPARE(lettering->VisibleCaption(), QString("Hi ${Name}"));
    // A text without a record prints as typed.
    TMergeFixture plain(1);
    plain.Settings.MergeList = nullptr;
    plain.Select({0});
    plain.Run();
    QCOMPARE(plain.Texts(0), QStringList{"${Name}"});
}

void TestMergePrint::richTextFieldsMaySpanFormatting() {
    TMergeFixture f(2);
    // "${Name}" is half bold, half bold italic; the value takes the look of its "$".
    const QByteArray fields =
        "{\\rtf1\\ansi Dear {\\b $\\{Na{\\i me\\}}}, from $\\{Title\\}. $\\{Fax\\}}";
    QTextDocument doc;
    ReadRtf(fields, doc);
    FillMergeFields(doc, {&f.List, 1});
    QCOMPARE(doc.toPlainText(), QString("Dear Person 2, from T2. "));
    QTextCursor value(&doc);
    value.setPosition(int(doc.toPlainText().indexOf("Person")) + 3);
    QVERIFY(value.charFormat().fontWeight() == QFont::Bold && !value.charFormat().fontItalic());
    FillMergeFields(doc, {}); // no record: left as it is
    QCOMPARE(doc.toPlainText(), QString("Dear Person 2, from T2. "));

    // Printed, the record's card looks as if its values had been typed.
    f.Panel.DeleteObject(f.Name);
    auto* rich =
        static_cast<TGPRichBaseLabel*>(f.Panel.AddObject(std::make_unique<TGPRichBaseLabel>()));
    rich->SetBounds(10, 10, 300, 40);
    TWPRtfStorage text;
    text.SetRtf(fields);
    rich->SetRTFText(text);
    f.Select({0});
    f.Settings.MergeRecords = {1};
    f.Run();
    const std::vector<TReportOp> ops = OpsOf(f.Stream.Pages.at(0), TReportOpKind::StretchGraphic);
    QCOMPARE(ops.size(), size_t(1));
    auto draw = [](const TReportGraphic& graphic) {
        QImage image(300, 40, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        graphic.Draw(p, QRectF(0, 0, 300, 40));
        return image;
    };
    const TRichBox box{300, 40, true, clWhite, true};
    const QImage typed = draw(
        TRichTextGraphic("{\\rtf1\\ansi Dear {\\b Person 2}, from T2. }", box, TMergeRecord()));
    QCOMPARE(draw(*ops[0].Graphic), typed);
    QVERIFY(draw(TRichTextGraphic(fields, box, TMergeRecord())) != typed);

    // On screen, "Show record" shows the same, and the typed fields again without a record.
    CreateMasterRichText(&f.Panel);
    rich->Loaded();
    f.Panel.resize(343, 191);
    const QImage withFields = f.Panel.CardImage().copy();
    f.Panel.SetMergeRecord({&f.List, 1});
    const QImage shown = f.Panel.CardImage().copy();
    text.SetRtf("{\\rtf1\\ansi Dear {\\b Person 2}, from T2. }");
    rich->SetRTFText(text);
    f.Panel.SetMergeRecord({});
    QCOMPARE(shown, f.Panel.CardImage());
    QVERIFY(shown != withFields);
}

void TestMergePrint::screenShowsARecordWithoutChangingTheDesign() {
    for (const float zoom : {1.0f, 1.5f}) {
        TMergeFixture f(2);
        f.Panel.resize(343, 191);
        f.Panel.SetZoom(zoom);
        auto* turned = f.AddLabel<TGPLabel>("${Title} and more text");
        turned->SetAngle(90);
        turned->SetBounds(250, 10, 30, 170);
        const QImage typed = f.Panel.CardImage().copy(); // lays the texts out
        const QRect before = f.Name->BoundsRect(), turnedBefore = turned->BoundsRect();
        int changes = 0;
        f.Panel.LabelChangedEvent = [&](TGBasePanel*) { ++changes; };
        f.Panel.SetMergeRecord({&f.List, 1});
        const QImage shown = f.Panel.CardImage().copy();
        QVERIFY(shown != typed);
        QCOMPARE(f.Name->ShownCaption().Text, QString("Person 2"));
        QCOMPARE(f.Name->Caption(), QString("${Name}"));
        QCOMPARE(f.Name->BoundsRect(), before);
        QCOMPARE(turned->BoundsRect(), turnedBefore);
        QCOMPARE(changes, 0);
        f.Panel.SetMergeRecord({});
        QCOMPARE(f.Panel.CardImage(), typed);
    }
}

void TestMergePrint::stopEndsTheRunAndTheScreenKeepsItsRecord() {
    TMergeFixture f(30);
    f.Panel.SetMergeRecord({&f.List, 7});
    f.Settings.Printing = false;
    f.Run(3);
    QCOMPARE(f.Status.size(), 3);
    QCOMPARE(f.Texts(0).size(), 3);
    QCOMPARE(f.Panel.MergeRecord().Index, 7);
    QVERIFY(!f.Panel.Printing());
}

void TestMergePrint::toolPrintsOneCardPerPerson() {
    QTemporaryDir dir;
    TMergeFixture f(12);
    f.Panel.SaveToFile(dir.filePath("card.ptv"));
    QByteArray csv = "Name\n";
    for (int i = 1; i <= 12; ++i)
        csv += "Member " + QByteArray::number(i) + "\n";
    QVERIFY(WriteTestFile(dir.filePath("people.csv"), csv));
    QProcess tool;
    tool.start(QStringLiteral(PENTAVO_TOOL),
               {"print", dir.filePath("card.ptv"), dir.filePath("out.pdf"), "--merge",
                dir.filePath("people.csv"), "--cards", "9,10"});
    QVERIFY(tool.waitForFinished(30000));
    QCOMPARE(tool.exitCode(), 0);
    QProcess text;
    text.start("pdftotext", {dir.filePath("out.pdf"), "-"});
    QVERIFY(text.waitForFinished(30000));
    const QString out = QString::fromUtf8(text.readAllStandardOutput());
    QCOMPARE(out.count("Member "), 12);
    QCOMPARE(out.count(QChar('\f')), 6); // two cards a sheet
    QVERIFY(out.indexOf("Member 12") > out.indexOf("Member 11"));
    // A list that cannot be read: the reason, status 1 and no file.
    QVERIFY(WriteTestFile(dir.filePath("bad.csv"), "Name\n\"open\n"));
    tool.start(QStringLiteral(PENTAVO_TOOL),
               {"print", dir.filePath("card.ptv"), dir.filePath("bad.pdf"), "--merge",
                dir.filePath("bad.csv")});
    QVERIFY(tool.waitForFinished(30000));
    QCOMPARE(tool.exitCode(), 1);
    QVERIFY(tool.readAllStandardError().contains("Line 2: a quoted field is not closed"));
    QVERIFY(!QFile::exists(dir.filePath("bad.pdf")));
}

QTEST_MAIN(TestMergePrint)
#include "test_merge_print.moc"
