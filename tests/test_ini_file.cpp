#include "platform/IniFile.h"
#include "support/IniRoundTrip.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestIniFile : public QObject {
    Q_OBJECT
private slots:
    void integers_data();
    void integers();
    void booleans_data();
    void booleans();
    void namesIgnoreCaseValueIsRestOfLine();
    void writingKeepsOtherLines();
    void newKeysGoIntoTheirSection();
    void crlfFilesStayCrlf();
    void lineBreaksCannotInjectKeys();
    void eraseSectionRemovesEveryCopy();
    void textWithoutFinalLineBreakKeepsItsEnd();
    void sectionValuesInFileOrder();
    void missingFileGivesDefaultsAndIsCreated();
    void unreadableFileIsNeverOverwritten();
    void oversizedFileIsLeftAlone();
    void fileNameMatchesWithoutCase();
    void anyBytesKeepTheirOtherLines_data();
    void anyBytesKeepTheirOtherLines();
};

void TestIniFile::integers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("decimal") << "3543" << 3543;
    QTest::newRow("negative") << "-12" << -12;
    QTest::newRow("spaces") << "  42 " << 42;
    QTest::newRow("hex lower") << "0x10" << 16;
    QTest::newRow("hex upper") << "0X1f" << 31;
    QTest::newRow("hex all bits") << "0xFFFFFFFF" << -1;
    QTest::newRow("text") << "abc" << 7;
    QTest::newRow("digits then text") << "12abc" << 7;
    QTest::newRow("empty") << "" << 7;
    QTest::newRow("bare 0x") << "0x" << 7;
    QTest::newRow("too large") << "99999999999" << 7;
}

void TestIniFile::integers() {
    QFETCH(QString, text);
    QFETCH(int, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath("PTV.INI");
    QVERIFY(WriteTestFile(path, "[Layout]\nWidth=" + text.toUtf8() + "\n"));
    QCOMPARE(TIniFile(path).ReadInteger("Layout", "Width", 7), expected);
}

void TestIniFile::booleans_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("def");
    QTest::addColumn<bool>("expected");
    QTest::newRow("one") << "1" << false << true;
    QTest::newRow("zero") << "0" << true << false;
    QTest::newRow("any non-zero") << "-5" << false << true;
    QTest::newRow("hex") << "0x0" << true << false;
    QTest::newRow("word reads default") << "yes" << false << false;
    QTest::newRow("word reads default true") << "no" << true << true;
}

void TestIniFile::booleans() {
    QFETCH(QString, text);
    QFETCH(bool, def);
    QFETCH(bool, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath("PTV.INI");
    QVERIFY(WriteTestFile(path, "[Printer]\nShowBottomMarginWarning=" + text.toUtf8() + "\n"));
    QCOMPARE(TIniFile(path).ReadBool("printer", "showbottommarginwarning", def), expected);
}

void TestIniFile::namesIgnoreCaseValueIsRestOfLine() {
    QTemporaryDir dir;
    const QString path = dir.filePath("PTV.INI");
    QVERIFY(
        WriteTestFile(path, " [personal] \nNAME = Ann = Lee \n;Company=hidden\n[Other]\nName=x\n"));
    TIniFile ini(path);
    QCOMPARE(ini.ReadString("Personal", "Name", "?"), QString(" Ann = Lee "));
    QCOMPARE(ini.ReadString("Personal", "Company", "?"), QString("?"));
    QVERIFY(ini.SectionExists("PERSONAL"));
    QVERIFY(!ini.SectionExists("Layout"));
    // UTF-8 with a byte-order mark (as some editors save it) and Windows-1252 both read.
    const TIniFile marked = TIniFile::FromBytes("\xEF\xBB\xBF[Personal]\r\nName=J\xC3\xB6rg\r\n");
    QCOMPARE(marked.ReadString("Personal", "Name", "?"), QString::fromUtf8("J\u00F6rg"));
    const TIniFile ansi = TIniFile::FromBytes("[Personal]\nName=J\xF6rg\n");
    QCOMPARE(ansi.ReadString("Personal", "Name", "?"), QString::fromUtf8("J\u00F6rg"));
}

void TestIniFile::writingKeepsOtherLines() {
    QTemporaryDir dir;
    const QString path = dir.filePath("PTV.INI");
    const QByteArray before = "; my notes\n[Layout]\nheight=2000\nWIDTH=3500\n\n"
                              "[Personal]\nName=Caf\xe9\n";
    QVERIFY(WriteTestFile(path, before));
    TIniFile ini(path);
    QVERIFY(ini.WriteInteger("layout", "Width", 3543));
    QCOMPARE(ReadTestFile(path), QByteArray("; my notes\n[Layout]\nheight=2000\nWidth=3543\n\n"
                                            "[Personal]\nName=Caf\xe9\n"));
    // A one-byte code page value still reads, and a value that did not change is not written.
    QCOMPARE(TIniFile(path).ReadString("Personal", "Name", ""), QString::fromUtf8("Café"));
    QVERIFY(ini.WriteInteger("Layout", "Height", 2000));
    QCOMPARE(TIniFile(path).ReadInteger("Layout", "Width", 0), 3543);
}

void TestIniFile::newKeysGoIntoTheirSection() {
    QTemporaryDir dir;
    const QString path = dir.filePath("PTV.INI");
    QVERIFY(WriteTestFile(path, "[Layout]\nHeight=2000\n\n[MRU]\nF0=/a.ptv"));
    TIniFile ini(path);
    QVERIFY(ini.WriteInteger("Layout", "Across", 2));
    QVERIFY(ini.WriteString("Default Font", "Name", "Arial"));
    QCOMPARE(ReadTestFile(path), QByteArray("[Layout]\nHeight=2000\nAcross=2\n\n[MRU]\nF0=/a.ptv\n"
                                            "[Default Font]\nName=Arial\n"));
}

void TestIniFile::crlfFilesStayCrlf() {
    QTemporaryDir dir;
    const QString path = dir.filePath("PTV.INI");
    QVERIFY(WriteTestFile(path, "[Printer]\r\nTopMarginNudge=1\r\n"));
    TIniFile ini(path);
    QCOMPARE(ini.ReadInteger("Printer", "TopMarginNudge", 0), 1);
    QVERIFY(ini.WriteInteger("Printer", "LeftMarginNudge", -2));
    QCOMPARE(ReadTestFile(path),
             QByteArray("[Printer]\r\nTopMarginNudge=1\r\nLeftMarginNudge=-2\r\n"));
}

void TestIniFile::lineBreaksCannotInjectKeys() {
    QTemporaryDir dir;
    const QString path = dir.filePath("PTV.INI");
    TIniFile ini(path);
    QVERIFY(ini.WriteString("Personal", "Name", "Ann\n[Layout]\r\nWidth=1"));
    TIniFile back(path);
    QCOMPARE(back.ReadString("Personal", "Name", ""), QString("Ann [Layout]  Width=1"));
    QVERIFY(!back.SectionExists("Layout"));
}

void TestIniFile::eraseSectionRemovesEveryCopy() {
    QTemporaryDir dir;
    const QString path = dir.filePath("PTV.INI");
    QVERIFY(WriteTestFile(path, "[MRU]\nF0=/a\n\n[Layout]\nWidth=1\n[mru]\nF0=/stale\n"));
    TIniFile ini(path);
    QVERIFY(ini.EraseSection("MRU"));
    QCOMPARE(ReadTestFile(path), QByteArray("\n[Layout]\nWidth=1\n"));
    QVERIFY(ini.EraseSection("MRU")); // nothing left to erase is no failure
}

void TestIniFile::textWithoutFinalLineBreakKeepsItsEnd() {
    const QByteArray text("[Layout]\nWidth=1\n[MRU]\nF0=a");
    TIniFile added = TIniFile::FromBytes(text);
    QVERIFY(added.WriteString("mru", "F1", "b"));
    QCOMPARE(added.Bytes(), QByteArray("[Layout]\nWidth=1\n[MRU]\nF0=a\nF1=b"));
    QVERIFY(added.WriteString("MRU", "f0", "c")); // the key keeps its line, spelled as given
    QCOMPARE(added.Bytes(), QByteArray("[Layout]\nWidth=1\n[MRU]\nf0=c\nF1=b"));
    TIniFile erased = TIniFile::FromBytes(text);
    QVERIFY(erased.EraseSection("MRU"));
    QCOMPARE(erased.Bytes(), QByteArray("[Layout]\nWidth=1"));
    TIniFile section = TIniFile::FromBytes(text);
    QVERIFY(section.WriteString("Personal", "Name", "x"));
    QCOMPARE(section.Bytes(), QByteArray("[Layout]\nWidth=1\n[MRU]\nF0=a\n[Personal]\nName=x\n"));
}

void TestIniFile::sectionValuesInFileOrder() {
    QTemporaryDir dir;
    const QString path = dir.filePath("PTV.INI");
    QVERIFY(WriteTestFile(path, "[MRU]\nF1=/b=c.ptv\nF0=/a.ptv\njunk\n[X]\nF2=/no\n"));
    const auto values = TIniFile(path).ReadSectionValues("mru");
    QCOMPARE(values.size(), 2);
    QCOMPARE(values[0].second, QString("/b=c.ptv"));
    QCOMPARE(values[1].first, QString("F0"));
}

void TestIniFile::missingFileGivesDefaultsAndIsCreated() {
    QTemporaryDir dir;
    const QString path = dir.filePath("PTV.INI");
    TIniFile ini(path);
    QCOMPARE(ini.ReadInteger("Layout", "Width", 3500), 3500);
    QCOMPARE(ini.ReadString("Default Font", "Name", "Arial"), QString("Arial"));
    QVERIFY(ini.WriteBool("Printer", "ShowBottomMarginWarning", false));
    QCOMPARE(ReadTestFile(path), QByteArray("[Printer]\nShowBottomMarginWarning=0\n"));
}

void TestIniFile::unreadableFileIsNeverOverwritten() {
    // A path that exists but cannot be read as a file (here a folder) reads as defaults and
    // is never replaced.
    QTemporaryDir dir;
    const QString path = dir.filePath("PTV.INI");
    QVERIFY(QDir(dir.path()).mkdir("PTV.INI"));
    QVERIFY(WriteTestFile(path + "/keep", "x"));
    TIniFile ini(path);
    QCOMPARE(ini.ReadInteger("Layout", "Width", 3500), 3500);
    QVERIFY(!ini.WriteInteger("Layout", "Height", 1));
    QVERIFY(QFileInfo(path).isDir());
    QCOMPARE(ReadTestFile(path + "/keep"), QByteArray("x"));
}

void TestIniFile::oversizedFileIsLeftAlone() {
    QTemporaryDir dir;
    const QString path = dir.filePath("PTV.INI");
    QByteArray big = "[Layout]\nWidth=3000\n";
    big.append(TIniFile::MaxFileSize, ';');
    QVERIFY(WriteTestFile(path, big));
    TIniFile ini(path);
    QCOMPARE(ini.ReadInteger("Layout", "Width", 3500), 3500);
    QVERIFY(!ini.WriteInteger("Layout", "Width", 1));
    QCOMPARE(QFileInfo(path).size(), qint64(big.size()));
}

void TestIniFile::fileNameMatchesWithoutCase() {
    QTemporaryDir dir;
    QCOMPARE(TIniFile::FindFile(dir.path(), "PTV.INI"), dir.filePath("PTV.INI"));
    QVERIFY(WriteTestFile(dir.filePath("ptv.ini"), "[Layout]\nWidth=1234\n"));
    const QString found = TIniFile::FindFile(dir.path(), "PTV.INI");
    QCOMPARE(found, dir.filePath("ptv.ini"));
    QCOMPARE(TIniFile(found).ReadInteger("Layout", "Width", 0), 1234);
}

void TestIniFile::anyBytesKeepTheirOtherLines_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("binary") << QByteArray("\x00\x01[\xff]\n=\x00=\r\r\n", 11);
    QTest::newRow("lone CR lines") << QByteArray("[Personal]\rName=a\r[MRU]\rF0=b");
    QTest::newRow("header without bracket") << QByteArray("[Personal\nName=a\n");
    // The fuzz corpus and its prefixes go through the same check in the fuzz replay test.
}

void TestIniFile::anyBytesKeepTheirOtherLines() {
    QFETCH(QByteArray, bytes);
    QVERIFY(IniRoundTripHolds(TIniFile::FromBytes(bytes)));
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "test_ini_file.moc"
