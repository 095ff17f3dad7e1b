#include "richtext/RichTextLayout.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfTextDocument.h"
#include "richtext/RtfWriter.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

namespace {

QTextDocument* Read(const QByteArray& rtf, TRtfReadResult* result = nullptr) {
    auto* doc = new QTextDocument;
    const TRtfReadResult r = ReadRtf(rtf, *doc);
    if (result)
        *result = r;
    return doc;
}

QString Family(const QTextCharFormat& f) {
    const QStringList families = f.fontFamilies().toStringList();
    return families.isEmpty() ? QString() : families.first();
}

// Everything a reader of the document could see: one line per block and per run. The
// format of the paragraph mark counts only where asked (a document made in the editor has
// none until it was written once).
QStringList Describe(const QTextDocument& doc, bool withMarks = true) {
    QStringList lines;
    auto run = [](const QTextCharFormat& f) {
        return QStringLiteral("%1 %2pt w%3 i%4 u%5 s%6 fg%7 bg%8 v%9")
            .arg(Family(f))
            .arg(f.fontPointSize())
            .arg(f.fontWeight())
            .arg(f.fontItalic())
            .arg(f.fontUnderline())
            .arg(f.fontStrikeOut())
            .arg(f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color().name()
                                                             : QStringLiteral("-"))
            .arg(f.hasProperty(QTextFormat::BackgroundBrush) ? f.background().color().name()
                                                             : QStringLiteral("-"))
            .arg(int(f.verticalAlignment()));
    };
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QTextBlockFormat bf = b.blockFormat();
        lines << QStringLiteral("block a%1 l%2 r%3 f%4 t%5 b%6 [%7]")
                     .arg(int(bf.alignment() & Qt::AlignHorizontal_Mask))
                     .arg(bf.leftMargin())
                     .arg(bf.rightMargin())
                     .arg(bf.textIndent())
                     .arg(bf.topMargin())
                     .arg(bf.bottomMargin())
                     .arg(withMarks ? run(b.charFormat()) : QString());
        for (auto it = b.begin(); !it.atEnd(); ++it)
            lines << QStringLiteral("  \"%1\" %2")
                         .arg(it.fragment().text(), run(it.fragment().charFormat()));
    }
    return lines;
}

QTextCharFormat Run(const QString& family, double points) {
    QTextCharFormat f;
    f.setFontFamilies(QStringList{family});
    f.setFontPointSize(points);
    return f;
}

} // namespace

class TestRtf : public QObject {
    Q_OBJECT
private slots:
    void wordPadDocument();
    void libreOfficeDocument();
    void specialCharactersAndEscapes();
    void roundTripKeepsEveryFormat();
    void writerOutputIsPlainRtf();
    void paragraphMarks();
    void formatsTakeEffectWhereTheyStand();
    void damagedInputKeepsWhatCameBefore();
    void limitsBoundTheWork();
    void runsThatLookTheSameAreOne();
    void editorDocumentAndBack();
};

// As a small word processor writes it: \nouicompat, \*\generator, \sl/\slmult (not read),
// 1252 text in \'hh and \u with a '?' stand-in.
void TestRtf::wordPadDocument() {
    const QByteArray rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1033{\\fonttbl{"
        "\\f0\\fnil\\fcharset0 "
        "Calibri;}{\\f1\\fswiss\\fprq2\\fcharset0 Arial;}}\r\n"
        "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
        "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
        "\\pard\\sa200\\sl276\\slmult1\\qc\\cf1\\b\\f1\\fs32 Caf\\'e9 "
        "Pentavo\\cf0\\b0\\f0\\fs22\\par\r\n"
        "\\pard\\sa200\\sl276\\slmult1\\cf2\\i Na\\u239?ve\\i0  text\\cf0\\par\r\n"
        "}\r\n";
    std::unique_ptr<QTextDocument> doc(Read(rtf));
    QCOMPARE(doc->blockCount(), 2);
    const QTextBlock first = doc->begin();
    QCOMPARE(first.text(), QStringLiteral("Café Pentavo"));
    QCOMPARE(first.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(first.blockFormat().bottomMargin(), 200 / 15.0);
    const QTextCharFormat title = first.begin().fragment().charFormat();
    QCOMPARE(Family(title), QStringLiteral("Arial"));
    QCOMPARE(title.fontPointSize(), 16.0);
    QCOMPARE(title.fontWeight(), int(QFont::Bold));
    QCOMPARE(title.foreground().color(), QColor(255, 0, 0));

    const QTextBlock second = first.next();
    QCOMPARE(second.text(), QStringLiteral("Naïve text"));
    QCOMPARE(second.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    auto it = second.begin();
    const QTextCharFormat naive = it.fragment().charFormat();
    QCOMPARE(it.fragment().text(), QStringLiteral("Naïve"));
    QCOMPARE(Family(naive), QStringLiteral("Calibri"));
    QCOMPARE(naive.fontPointSize(), 11.0);
    QVERIFY(naive.fontItalic());
    QCOMPARE(naive.foreground().color(), QColor(0, 0, 255));
    ++it;
    QCOMPARE(it.fragment().text(), QStringLiteral(" text")); // one space was the delimiter
    QVERIFY(!it.fragment().charFormat().fontItalic());
}

// As an office suite writes it: style sheet, information, page styles and alternative font
// names to skip, \*\panose, \hich/\loch switches, \uc2 with two stand-in bytes.
void TestRtf::libreOfficeDocument() {
    const QByteArray rtf =
        "{\\rtf1\\ansi\\deff4\\adeflang1025\r\n"
        "{\\fonttbl{\\f0\\froman\\fprq2\\fcharset0 Times New "
        "Roman;}{\\f1\\froman\\fprq2\\fcharset2 "
        "Symbol;}{\\f4\\fswiss\\fprq2\\fcharset0{\\*\\panose 020b0604020202020204} Liberation "
        "Sans{\\*\\falt Arial};}}\r\n"
        "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green128\\blue0;}\r\n"
        "{\\stylesheet{\\s0\\snext0\\rtlch\\af5\\afs24\\alang1081 "
        "\\ltrch\\hich\\af4\\loch\\f4\\fs24"
        "\\lang2057 Normal;}}\r\n"
        "{\\*\\generator LibreOffice/7.4.7.2$Linux_X86_64 LibreOffice_project/40$Build-2}"
        "{\\info{\\creatim\\yr2024\\mo1\\dy2}{\\author Somebody}}\r\n"
        "\\deftab709\\viewscale100\r\n"
        "{\\*\\pgdsctbl\r\n{\\pgdsc0\\pgdscuse451\\pgwsxn11906\\pghsxn16838 Default Page "
        "Style;}}\r\n"
        "\\pgndec\\pard\\plain \\s0\\rtlch\\af5\\afs24\\alang1081 "
        "\\ltrch\\hich\\af4\\loch\\f4\\fs24"
        "\\lang2057\\ql\\li567\\ri0\\fi-283\\sb0\\sa140{\\cf2\\ul\\ulc0\\rtlch \\ltrch\\loch\\fs28 "
        "Green}{\\rtlch \\ltrch\\loch \\u8364\\'80 and \\uc2\\u945\\'e1\\'e1 end}\r\n"
        "\\par }";
    std::unique_ptr<QTextDocument> doc(Read(rtf));
    QCOMPARE(doc->blockCount(), 1);
    const QTextBlock block = doc->begin();
    QCOMPARE(block.text(), QStringLiteral("Green€ and α end"));
    QCOMPARE(block.blockFormat().leftMargin(), 567 / 15.0);
    QCOMPARE(block.blockFormat().textIndent(), -283 / 15.0);
    QCOMPARE(block.blockFormat().bottomMargin(), 140 / 15.0);
    auto it = block.begin();
    const QTextCharFormat green = it.fragment().charFormat();
    QCOMPARE(Family(green), QStringLiteral("Liberation Sans"));
    QCOMPARE(green.fontPointSize(), 14.0);
    QVERIFY(green.fontUnderline());
    QCOMPARE(green.foreground().color(), QColor(0, 128, 0));
    ++it;
    QCOMPARE(it.fragment().charFormat().fontPointSize(), 12.0);
    QVERIFY(!it.fragment().charFormat().fontUnderline());
}

void TestRtf::specialCharactersAndEscapes() {
    std::unique_ptr<QTextDocument> doc(
        Read("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset204 Arial Cyr;}}\\f0 "
             "a\\{b\\}c\\\\d\\tab e\\line f\\~g\\-h\\_i\\emdash\\endash\\bullet\\lquote\\rquote"
             "\\ldblquote\\rdblquote\\'93q\\'94 {\\f1 \\'c0\\'e1}\\u-3913?\\u-8704?\\u55357?}"));
    const QString expected = QStringLiteral("a{b}c\\d\te") + QChar(0x2028) + QStringLiteral("f") +
                             QChar(0xA0) + "g" + QChar(0xAD) + "h" + QChar(0x2011) + "i" +
                             QChar(0x2014) + QChar(0x2013) + QChar(0x2022) + QChar(0x2018) +
                             QChar(0x2019) + QChar(0x201C) + QChar(0x201D) + QChar(0x201C) + "q" +
                             QChar(0x201D) + " " + QStringLiteral("Аб") + QChar(0xF0B7) +
                             QChar(0xFFFD) + QChar(0xFFFD); // two lone surrogates
    QCOMPARE(doc->begin().text(), expected);
    // Characters that would break the document's structure are dropped.
    std::unique_ptr<QTextDocument> structure(Read("{\\rtf1 a\\u64976?b\\u8233?c\\u0?d\\u10?e}"));
    QCOMPARE(structure->blockCount(), 1);
    QCOMPARE(structure->begin().text(), QStringLiteral("abcde"));
    // A font name spelled with \u keeps no semicolon, which would end its table entry.
    std::unique_ptr<QTextDocument> font(
        Read("{\\rtf1{\\fonttbl{\\f0 Semi\\u59?Colon;}{\\f1\\u59?;}}\\f0 a\\f1 b}"));
    QCOMPARE(Family(font->begin().begin().fragment().charFormat()), QStringLiteral("SemiColon"));
    QCOMPARE(Family(font->begin().charFormat()), QStringLiteral("Arial")); // named by ";" alone
    QCOMPARE(WriteRtf(*std::unique_ptr<QTextDocument>(Read(WriteRtf(*font)))), WriteRtf(*font));
}

void TestRtf::roundTripKeepsEveryFormat() {
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextBlockFormat centered;
    centered.setAlignment(Qt::AlignHCenter);
    centered.setBottomMargin(8);
    c.setBlockFormat(centered);
    QTextCharFormat bold = Run(QStringLiteral("Liberation Serif"), 18);
    bold.setFontWeight(QFont::Bold);
    bold.setForeground(QColor(0x80, 0, 0x80));
    c.insertText(QStringLiteral("Dr. {Ann} \\ Lee"), bold);
    QTextCharFormat mixed = Run(QStringLiteral("DejaVu Sans"), 9.5);
    mixed.setFontItalic(true);
    mixed.setFontUnderline(true);
    mixed.setFontStrikeOut(true);
    mixed.setBackground(QColor(255, 255, 0));
    mixed.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    c.insertText(QStringLiteral(" Ω €5 😀\ttab") + QChar(0x2028) + QStringLiteral("næste"), mixed);
    QTextBlockFormat indented;
    indented.setAlignment(Qt::AlignJustify);
    indented.setLeftMargin(20);
    indented.setRightMargin(10);
    indented.setTextIndent(-6);
    indented.setTopMargin(4);
    c.insertBlock(indented, Run(QStringLiteral("Arial"), 24)); // an empty paragraph
    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    c.insertBlock(right);
    QTextCharFormat sub = Run(QStringLiteral("Liberation Mono"), 8);
    sub.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    c.insertText(QStringLiteral("H2O"), sub);
    c.insertText(QStringLiteral(" x"), Run(QStringLiteral("Шрифт Ω"), 8)); // a name outside 1252

    const QByteArray first = WriteRtf(doc);
    std::unique_ptr<QTextDocument> again(Read(first));
    QCOMPARE(Describe(*again, false), Describe(doc, false));
    QCOMPARE(WriteRtf(*again), first);
    std::unique_ptr<QTextDocument> third(Read(WriteRtf(*again)));
    QCOMPARE(Describe(*third), Describe(*again));
}

// What another RTF reader needs: the header, the tables, 1252 text as \'hh and the rest as
// \uN with a stand-in.
void TestRtf::writerOutputIsPlainRtf() {
    QTextDocument doc;
    UseDesignResolution(doc); // Arial for the paragraph mark
    QTextCursor c(&doc);
    QTextCharFormat red = Run(QStringLiteral("Arial"), 10);
    red.setForeground(QColor(255, 0, 0));
    c.insertText(QStringLiteral("Café Ω"), red);
    const QByteArray rtf = WriteRtf(doc);
    QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0"));
    QVERIFY(rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}"));
    QVERIFY(rtf.contains("{\\colortbl ;\\red255\\green0\\blue0;}"));
    QVERIFY(rtf.contains("{\\plain\\f0\\fs20\\cf1 Caf\\'e9 \\u937?}"));
    QVERIFY(rtf.trimmed().endsWith("\\par\r\n}"));
    for (const char ch : rtf)
        QVERIFY(uchar(ch) < 0x80); // seven-bit clean
    int depth = 0;
    for (const char ch : rtf)
        depth += ch == '{' ? 1 : ch == '}' ? -1 : 0;
    QCOMPARE(depth, 0);
}

// A final \par ends the last paragraph rather than starting an empty one; a document
// without any keeps its one paragraph.
void TestRtf::paragraphMarks() {
    std::unique_ptr<QTextDocument> one(Read("{\\rtf1 Hello\\par}"));
    QCOMPARE(one->blockCount(), 1);
    std::unique_ptr<QTextDocument> unterminated(Read("{\\rtf1 a\\par b}"));
    QCOMPARE(unterminated->blockCount(), 2);
    QCOMPARE(unterminated->lastBlock().text(), QStringLiteral("b"));
    std::unique_ptr<QTextDocument> blank(Read("{\\rtf1 a\\par\\par\\par}"));
    QCOMPARE(blank->blockCount(), 3);
    // The empty paragraph's mark keeps its size, so the blank line keeps its height.
    std::unique_ptr<QTextDocument> sized(Read("{\\rtf1 a\\par\\fs48\\par b\\par}"));
    QCOMPARE(sized->begin().next().charFormat().fontPointSize(), 24.0);
    std::unique_ptr<QTextDocument> empty(Read("{\\rtf1}"));
    QCOMPARE(empty->blockCount(), 1);
    QCOMPARE(Describe(*std::unique_ptr<QTextDocument>(Read(WriteRtf(*empty)))), Describe(*empty));
}

void TestRtf::formatsTakeEffectWhereTheyStand() {
    // A paragraph's format is the one in force at its mark, whatever held when it began.
    std::unique_ptr<QTextDocument> aligned(Read("{\\rtf1\\qc a\\par b\\ql\\par c\\par}"));
    QCOMPARE(aligned->blockCount(), 3);
    const QList<Qt::Alignment> alignments{Qt::AlignHCenter, Qt::AlignLeft, Qt::AlignLeft};
    QTextBlock b = aligned->begin();
    for (const Qt::Alignment a : alignments) {
        QCOMPARE(b.blockFormat().alignment() & Qt::AlignHorizontal_Mask, a);
        b = b.next();
    }
    // Text read before a new default font keeps the one it was read in, groups or not.
    std::unique_ptr<QTextDocument> fonts(
        Read("{\\rtf1{\\fonttbl{\\f0 Alpha;}{\\f1 Beta;}}\\deff0 one {two} three\\deff1 four}"));
    const QStringList runs = Describe(*fonts).mid(1);
    QCOMPARE(runs.size(), 2);
    QVERIFY2(runs[0].startsWith("  \"one two three\" Alpha "), qPrintable(runs[0]));
    QVERIFY2(runs[1].startsWith("  \"four\" Beta "), qPrintable(runs[1]));
}

void TestRtf::damagedInputKeepsWhatCameBefore() {
    const QList<QByteArray> inputs = {
        "",
        "{",
        "}",
        "\\",
        "{\\rtf1 abc",
        "{\\rtf1 abc\\",
        "{\\rtf1 abc\\'",
        "{\\rtf1 abc\\'4",
        "{\\rtf1 abc}}}}",
        "}}}{\\rtf1 abc",
        "{\\rtf1{\\fonttbl{\\f0 Arial",
        "{\\rtf1 abc\\u",
        "{\\rtf1 abc\\u-",
        "{\\rtf1 abc\\bin999999999",
        "{\\rtf1 abc\\fs-99999999999999999999 x}",
        "{\\rtf1{\\colortbl;\\red999999999;}\\cf1\\highlight-5 abc}",
        "{\\rtf1\\ansicpg99999 \\'80abc}",
        "{\\rtf1\\uc99999\\u65?abc}",
    };
    for (const QByteArray& input : inputs) {
        std::unique_ptr<QTextDocument> doc(Read(input));
        QVERIFY2(doc->blockCount() >= 1, input.constData());
        if (input.startsWith("{\\rtf1 abc"))
            QVERIFY2(doc->toPlainText().startsWith("abc"), input.constData());
    }
    std::unique_ptr<QTextDocument> cut(Read("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs30 Half a"));
    QCOMPARE(cut->toPlainText(), QStringLiteral("Half a"));
    QCOMPARE(cut->begin().begin().fragment().charFormat().fontPointSize(), 15.0);
    // What follows the document's closing brace is not read.
    std::unique_ptr<QTextDocument> trailing(Read("{\\rtf1 a}b"));
    QCOMPARE(trailing->toPlainText(), QStringLiteral("a"));
}

void TestRtf::limitsBoundTheWork() {
    TRtfReadResult result;
    // Nesting far beyond the limit: the deep part is skipped, the text around it is read.
    const QByteArray deep =
        "{\\rtf1 start" + QByteArray(100000, '{') + "x" + QByteArray(100000, '}') + " end}";
    std::unique_ptr<QTextDocument> nested(Read(deep, &result));
    QVERIFY(!result.Complete);
    QCOMPARE(nested->toPlainText(), QStringLiteral("start end"));
    // A document beyond the size limit is read up to it.
    QByteArray big = "{\\rtf1 ";
    big += QByteArray(5 * 1024 * 1024, 'a');
    big += "}";
    std::unique_ptr<QTextDocument> large(Read(big, &result));
    QVERIFY(!result.Complete);
    QCOMPARE(large->characterCount(), 4 * 1024 * 1024 - 7 + 1);
    std::unique_ptr<QTextDocument> normal(Read("{\\rtf1 fine}", &result));
    QVERIFY(result.Complete);
    // Sizes and indents are bounded to what a word processor offers.
    std::unique_ptr<QTextDocument> huge(Read("{\\rtf1\\fs999999\\li99999999 x}"));
    QCOMPARE(huge->begin().begin().fragment().charFormat().fontPointSize(), 1638.0);
    QCOMPARE(huge->begin().blockFormat().leftMargin(), 31680 / 15.0);
}

// Runs whose differences the tables or the writer do not keep are one run, in what is
// read and in what is written.
void TestRtf::runsThatLookTheSameAreOne() {
    TRtfDocument read;
    ReadRtf("{\\rtf1{\\fonttbl{\\f0 Times;}{\\f1 Times;}}{\\colortbl;\\red1\\green2\\blue3;}"
            "\\f0 a{\\f1 b}\\cf1 c\\par}",
            read);
    QCOMPARE(read.Paragraphs.size(), size_t(1));
    const std::vector<TRtfRun>& runs = read.Paragraphs[0].Runs;
    QCOMPARE(runs.size(), size_t(2));
    QCOMPARE(runs[0].Text, QStringLiteral("ab"));
    QCOMPARE(runs[0].Format.Family, QStringLiteral("Times"));
    QVERIFY(!runs[0].Format.Fore);
    QCOMPARE(runs[1].Text, QStringLiteral("c"));
    QCOMPARE(runs[1].Format.Fore, std::optional<QRgb>(0x010203));
    const QByteArray written = WriteRtf(read);
    QVERIFY(written.contains("{\\fonttbl{\\f0\\fnil\\fcharset0 Times;}}"));
    QVERIFY(written.contains("{\\plain\\f0\\fs24 ab}{\\plain\\f0\\fs24\\cf1 c}\\par"));

    // Letter spacing, which RTF as written here does not carry, splits no run.
    QTextDocument doc;
    UseDesignResolution(doc); // Arial for the paragraph mark
    QTextCursor c(&doc);
    QTextCharFormat spaced = Run(QStringLiteral("Arial"), 12);
    c.insertText(QStringLiteral("a"), spaced);
    spaced.setFontLetterSpacing(150);
    c.insertText(QStringLiteral("b"), spaced);
    QVERIFY(WriteRtf(doc).contains("{\\plain\\f0\\fs24 ab}\\par"));
}

void TestRtf::editorDocumentAndBack() {
    // Loading is no step the editor's undo takes back; what is typed after it is.
    QTextDocument doc;
    QTextCursor(&doc).insertText(QStringLiteral("old"));
    ReadRtf("{\\rtf1 Loaded}", doc);
    QCOMPARE(doc.toPlainText(), QStringLiteral("Loaded"));
    QVERIFY(!doc.isUndoAvailable());
    QVERIFY(doc.isUndoRedoEnabled());
    QTextCursor(&doc).insertText(QStringLiteral("x"));
    QVERIFY(doc.isUndoAvailable());

    // Sizes and indents beyond what the reader takes are written at its bounds.
    QTextDocument huge;
    UseDesignResolution(huge);
    QTextCursor h(&huge);
    QTextBlockFormat wide;
    wide.setLeftMargin(5000);
    wide.setTextIndent(-5000);
    h.setBlockFormat(wide);
    h.insertText(QStringLiteral("big"), Run(QStringLiteral("Arial"), 5000));
    const QByteArray rtf = WriteRtf(huge);
    QVERIFY2(rtf.contains("\\pard\\li31680\\fi-31680\\plain"), rtf.constData());
    QVERIFY2(rtf.contains("{\\plain\\f0\\fs3276 big}"), rtf.constData());

    // What the reader made of a document goes into the editor's and comes back the same.
    TRtfDocument read;
    ReadRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red9\\green8\\blue7;}\\qr\\li300"
            "\\b a{\\i\\cf1\\highlight1 b}\\par\\pard\\fs48\\par\\super c\\tab\\line d}",
            read);
    QCOMPARE(read.Paragraphs.size(), size_t(3));
    QTextDocument built;
    BuildTextDocument(read, built);
    QCOMPARE(built.blockCount(), 3);
    QVERIFY(RtfDocumentOf(built) == read);
}

QTEST_MAIN(TestRtf)
#include "test_rtf.moc"
