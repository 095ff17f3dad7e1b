// Reading people lists for merge printing: CSV as RFC 4180 writes it (and as spreadsheets
// export it), vCard 2.1/3.0/4.0 contact files, and the ${Column} fields they fill.
#include "app/MergeChoice.h"
#include "app/MergeListDialog.h"
#include "merge/CsvReader.h"
#include "merge/MergeFields.h"
#include "merge/MergeList.h"
#include "merge/VCardReader.h"
#include "support/TestSupport.h"

#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

class TestMergeList : public QObject {
    Q_OBJECT
private slots:
    void csvFields_data();
    void csvFields();
    void csvEncodings();
    void csvErrorsNameTheLine_data();
    void csvErrorsNameTheLine();
    void vcardVersions();
    void vcard21FoldingAndQuotedPrintable();
    void vcardPreferredAndTypedValues();
    void vcardErrors_data();
    void vcardErrors();
    void fieldsTakeTheRecordsValues();
    void loadingChoosesByExtension();
    void choiceFileBesideTheDesign();
    void dialogChecksAndReportsBadLists();
};

namespace {

QStringList row(const TMergeList& list, int i) {
    QStringList values;
    for (int c = 0; c < list.Columns.size(); ++c)
        values.append(list.Value(i, c));
    return values;
}

QString errorOf(const std::function<void()>& read) {
    try {
        read();
    } catch (const EMergeListError& e) {
        return e.Message();
    }
    return {};
}

} // namespace

void TestMergeList::csvFields_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<QStringList>("last");
    QTest::addColumn<int>("count");
    QTest::newRow("plain") << QByteArray("Name,Phone\r\nAnn,555\r\nBob,556\r\n")
                           << QStringList{"Name", "Phone"} << QStringList{"Bob", "556"} << 2;
    QTest::newRow("no final line break")
        << QByteArray("Name,Phone\nAnn,555") << QStringList{"Name", "Phone"}
        << QStringList{"Ann", "555"} << 1;
    QTest::newRow("quoted comma, quote and line break")
        << QByteArray("Name,Address\r\n\"Smith, Ann\",\"12 \"\"Oak\"\" St\r\nSpringfield\"\r\n")
        << QStringList{"Name", "Address"}
        << QStringList{"Smith, Ann", "12 \"Oak\" St\r\nSpringfield"} << 1;
    QTest::newRow("semicolons") << QByteArray("Name;Title\nAnn;Boss, Sales\n")
                                << QStringList{"Name", "Title"} << QStringList{"Ann", "Boss, Sales"}
                                << 1;
    QTest::newRow("tabs") << QByteArray("Name\tTitle\nAnn\tBoss, Sales\n")
                          << QStringList{"Name", "Title"} << QStringList{"Ann", "Boss, Sales"} << 1;
    QTest::newRow("blank lines, short rows, trailing empty fields")
        << QByteArray("Name,Phone,Email\n\nAnn\n\nBob,1,b@x,,\n")
        << QStringList{"Name", "Phone", "Email"} << QStringList{"Bob", "1", "b@x"} << 2;
    QTest::newRow("empty header names")
        << QByteArray("Name,,\nAnn,1,2\n") << QStringList{"Name", "Column 2", "Column 3"}
        << QStringList{"Ann", "1", "2"} << 1;
    QTest::newRow("header only") << QByteArray("Name,Phone\n") << QStringList{"Name", "Phone"}
                                 << QStringList{"", ""} << 0;
}

void TestMergeList::csvFields() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, columns);
    QFETCH(QStringList, last);
    QFETCH(int, count);
    const TMergeList list = ReadCsvList(bytes);
    QCOMPARE(list.Columns, columns);
    QCOMPARE(list.Count(), count);
    QCOMPARE(row(list, count - 1), last);
}

void TestMergeList::csvEncodings() {
    // UTF-8 with its byte-order mark: the mark is not part of the first column's name.
    TMergeList list = ReadCsvList(QByteArray("\xEF\xBB\xBFName\nJos\xC3\xA9\n"));
    QCOMPARE(list.Columns, QStringList{"Name"});
    QCOMPARE(list.Value(0, 0), QString::fromUtf8("José"));
    // UTF-8 without the mark.
    list = ReadCsvList(QByteArray("Name\n\xE2\x82\xAC 5\n"));
    QCOMPARE(list.Value(0, 0), QString::fromUtf8("€ 5"));
    // Windows-1252: E9 is é and 80 the euro sign.
    list = ReadCsvList(QByteArray("Name\nJos\xE9 \x80\n"));
    QCOMPARE(list.Value(0, 0), QString::fromUtf8("José €"));
}

void TestMergeList::csvErrorsNameTheLine_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("open quote") << QByteArray("Name,Note\nAnn,ok\nBob,\"never\nclosed\n")
                                << "Line 3: a quoted field is not closed";
    QTest::newRow("text after quote")
        << QByteArray("Name\n\"Ann\"x\n") << "Line 2: text follows the closing quote of a field";
    QTest::newRow("too many fields") << QByteArray("Name,Phone\n\"A\nB\",1\nBob,2,extra\n")
                                     << "Line 4 has 3 fields, but the first line names 2 columns";
    QTest::newRow("empty") << QByteArray("\n\n")
                           << "The list is empty: its first line must name the columns";
}

void TestMergeList::csvErrorsNameTheLine() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QCOMPARE(errorOf([&] { ReadCsvList(bytes); }), message);
}

void TestMergeList::vcardVersions() {
    const QByteArray bytes = "BEGIN:VCARD\r\n"
                             "VERSION:3.0\r\n"
                             "N:Smith;Ann;Q.;Dr.;PhD\r\n"
                             "FN:Dr. Ann Smith\r\n"
                             "ORG:Acme\\, Inc.;Sales;East\r\n"
                             "TITLE:Head of Sales\r\n"
                             "TEL;TYPE=WORK,VOICE:+1 555 0100\r\n"
                             "EMAIL;TYPE=INTERNET:ann@acme.example\r\n"
                             "ADR;TYPE=WORK:;Suite 4;12 Oak St;Springfield;IL;62701;USA\r\n"
                             "URL:https://acme.example\r\n"
                             "NOTE:Line one\\nLine two\r\n"
                             "END:VCARD\r\n"
                             "BEGIN:VCARD\r\n"
                             "VERSION:4.0\r\n"
                             "N:Jones;Bob;;;\r\n"
                             "TEL;VALUE=uri;TYPE=\"cell,voice\":tel:+1-555-0199\r\n"
                             "item1.EMAIL:mailto:bob@example.org\r\n"
                             "END:VCARD\r\n";
    const TMergeList list = ReadVCardList(bytes);
    const QStringList expectedColumns{
        "Full Name",    "First Name", "Last Name",   "Middle Name", "Prefix",  "Suffix",   "Title",
        "Organization", "Department", "Phone",       "Work Phone",  "Mobile",  "Email",    "Street",
        "City",         "Region",     "Postal Code", "Country",     "Address", "Web Site", "Note"};
    QCOMPARE(list.Columns, expectedColumns);
    QCOMPARE(list.Count(), 2);
    auto value = [&](int r, const char* column) {
        return list.Value(r, list.ColumnIndex(QLatin1String(column)));
    };
    QCOMPARE(value(0, "Full Name"), QString("Dr. Ann Smith"));
    QCOMPARE(value(0, "Suffix"), QString("PhD"));
    QCOMPARE(value(0, "Organization"), QString("Acme, Inc."));
    QCOMPARE(value(0, "Department"), QString("Sales, East"));
    QCOMPARE(value(0, "Work Phone"), QString("+1 555 0100"));
    QCOMPARE(value(0, "Phone"), QString("+1 555 0100"));
    QCOMPARE(value(0, "Street"), QString("Suite 4, 12 Oak St"));
    QCOMPARE(value(0, "Address"), QString("Suite 4, 12 Oak St, Springfield, IL, 62701, USA"));
    QCOMPARE(value(0, "Note"), QString("Line one\nLine two"));
    // A card without FN gets its full name from N; tel: and mailto: are not shown.
    QCOMPARE(value(1, "Full Name"), QString("Bob Jones"));
    QCOMPARE(value(1, "Mobile"), QString("+1-555-0199"));
    QCOMPARE(value(1, "Email"), QString("bob@example.org"));
    QCOMPARE(value(1, "Title"), QString());
}

void TestMergeList::vcard21FoldingAndQuotedPrintable() {
    const QByteArray bytes = "BEGIN:VCARD\n"
                             "VERSION:2.1\n"
                             "N;CHARSET=ISO-8859-1:M\xFCller;J\xFCrgen\n"
                             "TITLE:Very long title that a\n"
                             "  program folded\n"
                             "NOTE;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:Caf=C3=A9=0D=0A=\n"
                             "second line =3D ok\n"
                             "ADR;WORK;QUOTED-PRINTABLE:;;1 Main=\n"
                             " St;Town;;;\n"
                             "TEL;WORK;FAX:555-1\n"
                             "TEL;CELL:555-2\n"
                             "END:VCARD\n";
    const TMergeList list = ReadVCardList(bytes);
    auto value = [&](const char* column) {
        return list.Value(0, list.ColumnIndex(QLatin1String(column)));
    };
    QCOMPARE(value("Full Name"), QString::fromUtf8("Jürgen Müller"));
    QCOMPARE(value("Title"), QString("Very long title that a program folded"));
    QCOMPARE(value("Note"), QString::fromUtf8("Café\r\nsecond line = ok"));
    QCOMPARE(value("Street"), QString("1 Main St"));
    QCOMPARE(value("Fax"), QString("555-1"));
    QCOMPARE(value("Mobile"), QString("555-2"));
    QCOMPARE(list.ColumnIndex("Work Phone"), -1); // a work fax is a fax
}

void TestMergeList::vcardPreferredAndTypedValues() {
    const QByteArray bytes = "BEGIN:VCARD\nVERSION:3.0\nFN:A\n"
                             "EMAIL:first@x\nEMAIL;TYPE=INTERNET,PREF:best@x\nEMAIL:later@x\n"
                             "TEL;TYPE=HOME:1\nTEL;PREF=1;TYPE=WORK:2\n"
                             "END:VCARD\n";
    const TMergeList list = ReadVCardList(bytes);
    auto value = [&](const char* column) {
        return list.Value(0, list.ColumnIndex(QLatin1String(column)));
    };
    QCOMPARE(value("Email"), QString("best@x"));
    QCOMPARE(value("Phone"), QString("2"));
    QCOMPARE(value("Home Phone"), QString("1"));
    QCOMPARE(value("Work Phone"), QString("2"));
}

void TestMergeList::vcardErrors_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("no end") << QByteArray("BEGIN:VCARD\nFN:A\nEND:VCARD\n\nBEGIN:VCARD\nFN:B\n")
                            << "Line 5: the contact card that begins here has no END:VCARD";
    QTest::newRow("end first") << QByteArray("END:VCARD\n")
                               << "Line 1: END:VCARD without BEGIN:VCARD";
    QTest::newRow("nested") << QByteArray("BEGIN:VCARD\nBEGIN:VCARD\n")
                            << "Line 2: a contact card begins inside the card of line 1";
    QTest::newRow("stray text")
        << QByteArray("Name,Phone\n")
        << "Line 1: text outside a contact card (BEGIN:VCARD ... END:VCARD)";
    QTest::newRow("nothing") << QByteArray("\r\n")
                             << "The file holds no contact card (BEGIN:VCARD)";
}

void TestMergeList::vcardErrors() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QCOMPARE(errorOf([&] { ReadVCardList(bytes); }), message);
}

void TestMergeList::fieldsTakeTheRecordsValues() {
    const TMergeList list = ReadCsvList("Name,Phone\nAnn,555\n");
    const TMergeRecord ann{&list, 0};
    QCOMPARE(SubstituteMergeFields("${Name} (${phone})", ann), QString("Ann (555)"));
    QCOMPARE(SubstituteMergeFields("Fax: ${Fax}!", ann), QString("Fax: !"));
    QCOMPARE(SubstituteMergeFields("${ Name }$", ann), QString("Ann$"));
    QCOMPARE(SubstituteMergeFields("Cost ${Name", ann), QString("Cost ${Name"));
    QCOMPARE(SubstituteMergeFields("${Name}", TMergeRecord{}), QString("${Name}"));
    QVERIFY(HasMergeFields("a ${b} c"));
    QVERIFY(!HasMergeFields("a ${b c"));
}

void TestMergeList::loadingChoosesByExtension() {
    QTemporaryDir dir;
    const QString csv = dir.filePath("team.csv");
    const QString vcf = dir.filePath("team.VCF");
    QVERIFY(WriteTestFile(csv, "Name\nAnn\n"));
    QVERIFY(WriteTestFile(vcf, "BEGIN:VCARD\nFN:Ann\nEND:VCARD\n"));
    QCOMPARE(LoadMergeList(csv).Columns, QStringList{"Name"});
    QCOMPARE(LoadMergeList(vcf).Columns, QStringList{"Full Name"});
    QCOMPARE(errorOf([&] { LoadMergeList(dir.filePath("missing.csv")); }),
             "Cannot open the list " + dir.filePath("missing.csv"));
}

void TestMergeList::choiceFileBesideTheDesign() {
    QTemporaryDir dir;
    const QString design = dir.filePath("card.PTV");
    const QString file = dir.filePath("card.PTM");
    // Written by hand as the format says: record numbers count from 1.
    QVERIFY(WriteTestFile(file, "List=/lists/team.csv\r\nSkip=3, 1,x,0,3\r\n"));
    TMergeChoice choice = ReadMergeChoice(design);
    QCOMPARE(choice.ListFile, QString("/lists/team.csv"));
    QCOMPARE(choice.Skipped, (QList<int>{0, 2}));
    choice.Skipped = {4};
    QVERIFY(WriteMergeChoice(design, choice));
    QCOMPARE(ReadTestFile(file), QByteArray("List=/lists/team.csv\r\nSkip=5\r\n"));
    // No list: no file, and a file without a list is no choice.
    QVERIFY(WriteMergeChoice(design, TMergeChoice{}));
    QVERIFY(!QFile::exists(file));
    QVERIFY(WriteTestFile(file, "Skip=1\r\n"));
    QVERIFY(ReadMergeChoice(design).IsEmpty());
    QCOMPARE(MergeChoiceFileName(dir.filePath("a.b/card")), dir.filePath("a.b/card.PTM"));
}

void TestMergeList::dialogChecksAndReportsBadLists() {
    QTemporaryDir dir;
    const QString good = dir.filePath("team.csv");
    const QString bad = dir.filePath("bad.csv");
    QVERIFY(WriteTestFile(good, "Name,Phone\nAnn,1\nBob,2\nCy,3\n"));
    QVERIFY(WriteTestFile(bad, "Name\n\"open\n"));
    TScriptedInteraction ui;
    TMergeListDialog dialog(nullptr);
    QVERIFY(dialog.Choice().IsEmpty());
    ui.FileNames = {good, bad};
    dialog.ChooseList();
    QCOMPARE(dialog.Records->rowCount(), 3);
    QCOMPARE(dialog.Records->columnCount(), 3);
    QCOMPARE(dialog.Choice(), (TMergeChoice{good, {}})); // a new list prints everyone
    dialog.Records->item(1, 0)->setCheckState(Qt::Unchecked);
    QCOMPARE(dialog.Choice().Skipped, QList<int>{1});
    // A list that cannot be read is reported with its line, and the shown one stays.
    dialog.ChooseList();
    QCOMPARE(ui.Messages.size(), 1);
    QVERIFY(ui.Messages[0].contains("Line 2: a quoted field is not closed"));
    QCOMPARE(dialog.Choice().ListFile, good);
    dialog.UncheckAllButton->click();
    QCOMPARE(dialog.Choice().Skipped, (QList<int>{0, 1, 2}));
    dialog.NoneButton->click();
    QVERIFY(dialog.Choice().IsEmpty());
}

QTEST_MAIN(TestMergeList)
#include "test_merge_list.moc"
