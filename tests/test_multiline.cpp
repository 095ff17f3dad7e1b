#include "support/ObjectTestSupport.h"
#include "support/PrintProbe.h"
#include "support/TestSupport.h"

#include "objects/DrawingObjects.h"
#include "objects/EditWrap.h"
#include "objects/MultiLineLabel.h"
#include "objects/MultiLineTextEditor.h"
#include "objects/ZoomedFont.h"
#include "surface/ObjectFiler.h"
#include "widgets/ColorDropDown.h"

#include <QBuffer>
#include <QPlainTextEdit>
#include <QtTest>

namespace {

const QString sentence =
    QStringLiteral("The quick brown fox jumps over the lazy dog near the riverbank");

QStringList words(const QStringList& lines) {
    return lines.join(' ').split(' ', Qt::SkipEmptyParts);
}

// Answers the editor with the given text.
std::function<int(QDialog&)> typeText(const QString& text) {
    return [text](QDialog& d) {
        d.findChild<QPlainTextEdit*>("Memo")->setPlainText(text);
        return int(QDialog::Accepted);
    };
}

QFontMetrics metricsOf(const TGMultiLineBaseLabel& label) {
    return QFontMetrics(ZoomedFont(label.Font(), label.Zoom()).ToQFont());
}

} // namespace

class TestMultiLine : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterDrawingObjects(); }
    void emptyNewObjectHasNoHeightAndShowsBlank();
    void blankLineShowsPlaceholder_data();
    void blankLineShowsPlaceholder();
    void toolFitsToTypedText();
    void wrapsAtWordsWithinWidth_data();
    void wrapsAtWordsWithinWidth();
    void rewrapsOnResizeFontAndZoom();
    void wrapKeepsBreaksAndSplitsLongWords();
    void alignmentOnScreen_data();
    void alignmentOnScreen();
    void alignmentOnPaper_data();
    void alignmentOnPaper();
    void rowsClippedAtBoxBottom();
    void autoSizeIsKeptWithoutEffect();
    void streamOrder();
    void linesInTheStream();
    void fontDialogChangesColour();
    void editorLimitAndLines();
    void editorCancelKeepsText();
    void wordWrapMenu();
};

void TestMultiLine::emptyNewObjectHasNoHeightAndShowsBlank() {
    TScriptedInteraction interaction;
    interaction.OnExec = typeText(QString());
    TTestCardPanel panel;
    auto* label =
        dynamic_cast<TGMultiLineLabel*>(panel.Draw(psMultiLineLabel, QRect(10, 10, 120, 40)));
    QVERIFY(label);
    QCOMPARE(label->Height(), 0);
    QCOMPARE(label->Width(), 120);
    label->SetHeight(40);

    TGMultiLineBaseLabel shown;
    shown.SetBounds(0, 0, 120, 40);
    shown.SetItems({"<blank>"});
    shown.SetFont(label->Font());
    const QImage image = PaintAlone(*label);
    QCOMPARE(image, PaintAlone(shown));
    // Never on paper.
    TPrintProbe probe;
    label->PrintTo(probe.Canvas, 0, 0);
    QVERIFY(probe.Texts().empty());
}

void TestMultiLine::blankLineShowsPlaceholder_data() {
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QStringList>("shownAs");
    QTest::addColumn<int>("printed");
    QTest::newRow("three blanks") << QStringList{"   "} << QStringList{"", "<blank>"} << 1;
    QTest::newRow("one empty line") << QStringList{""} << QStringList{"", "<blank>"} << 1;
    QTest::newRow("two blank lines: no placeholder")
        << QStringList{" ", " "} << QStringList{"", ""} << 2;
    QTest::newRow("nothing") << QStringList{} << QStringList{"<blank>"} << 0;
}

void TestMultiLine::blankLineShowsPlaceholder() {
    QFETCH(QStringList, items);
    QFETCH(QStringList, shownAs);
    QFETCH(int, printed);
    TGMultiLineBaseLabel label, expected;
    label.SetBounds(0, 0, 120, 60);
    expected.SetBounds(0, 0, 120, 60);
    label.SetItems(items);
    expected.SetItems(shownAs);
    QCOMPARE(PaintAlone(label), PaintAlone(expected));
    TPrintProbe probe;
    label.PrintTo(probe.Canvas, 0, 0);
    QCOMPARE(int(probe.Texts().size()), printed);
}

void TestMultiLine::toolFitsToTypedText() {
    TScriptedInteraction interaction;
    interaction.OnExec = typeText("Short\nA rather longer second line of text here\n");
    TTestCardPanel panel;
    TFont font;
    font.Name = "Arial";
    font.SetSize(12);
    panel.SetFont(font);
    auto* label =
        dynamic_cast<TGMultiLineLabel*>(panel.Draw(psMultiLineLabel, QRect(10, 10, 60, 40)));
    QVERIFY(label);
    QCOMPARE(label->Font(), font);
    QCOMPARE(label->Items(), QStringList({"Short", "A rather longer second line of text here"}));
    const QFontMetrics m = metricsOf(*label);
    QCOMPARE(label->Height(), 2 * m.height());
    QCOMPARE(label->Width(), m.horizontalAdvance(label->Items()[1]));
}

void TestMultiLine::wrapsAtWordsWithinWidth_data() {
    QTest::addColumn<float>("zoom");
    QTest::newRow("100 %") << 1.0f;
    QTest::newRow("150 %: font of Trunc(10 x 1.5) points") << 1.5f;
}

void TestMultiLine::wrapsAtWordsWithinWidth() {
    QFETCH(float, zoom);
    TGMultiLineBaseLabel label;
    label.SetZoomField(zoom);
    label.SetBounds(0, 0, 100, 60);
    label.SetItems({sentence});
    label.SetWordWrap(true);
    const QStringList lines = label.WrappedLines();
    QVERIFY(lines.size() > 2);
    QCOMPARE(words(lines), sentence.split(' '));
    const QFontMetrics m = metricsOf(label);
    QCOMPARE(m.height(), QFontMetrics(TFont{"Arial", zoom == 1.0f ? -13 : -20}.ToQFont()).height());
    for (int i = 0; i < lines.size(); ++i) {
        QVERIFY2(m.horizontalAdvance(lines[i]) <= 100, qPrintable(lines[i]));
        // No line could have taken the next word as well.
        if (i + 1 < lines.size())
            QVERIFY(m.horizontalAdvance(lines[i] + ' ' + lines[i + 1].section(' ', 0, 0)) > 100);
    }
}

void TestMultiLine::rewrapsOnResizeFontAndZoom() {
    TGMultiLineBaseLabel label;
    label.SetBounds(0, 0, 100, 60);
    label.SetItems({sentence});
    label.SetWordWrap(true);
    const int narrow = label.WrappedLines().size();
    label.SetWidth(250);
    QVERIFY(label.WrappedLines().size() < narrow);
    label.SetWidth(100);
    QCOMPARE(label.WrappedLines().size(), narrow);
    TFont big = label.Font();
    big.SetSize(20);
    label.ApplyFont(big);
    QVERIFY(label.WrappedLines().size() > narrow);
    // Items set directly are not rewrapped until the next change.
    label.SetItems({"x"});
    QVERIFY(label.WrappedLines().size() > 1);
    label.SetLeft(5);
    QCOMPARE(label.WrappedLines(), QStringList{"x"});
}

void TestMultiLine::wrapKeepsBreaksAndSplitsLongWords() {
    const QFontMetrics m(TFont{}.ToQFont());
    QCOMPARE(WrapLikeEdit({"a", "", "b c"}, m, 100), QStringList({"a", "", "b c"}));
    const QString word = QStringLiteral("Pneumonoultramicroscopic");
    const QStringList pieces = WrapLikeEdit({"go " + word}, m, 40);
    QCOMPARE(pieces.first(), QStringLiteral("go"));
    QCOMPARE(pieces.mid(1).join(QString()), word);
    for (const QString& p : pieces)
        QVERIFY(m.horizontalAdvance(p) <= 40);
    // Blanks at a break hang off the line's end instead of starting the next one.
    QCOMPARE(WrapLikeEdit({"aaaa     bbbb"}, m, m.horizontalAdvance("aaaa  ")),
             QStringList({"aaaa", "bbbb"}));
}

void TestMultiLine::alignmentOnScreen_data() {
    QTest::addColumn<int>("alignment");
    QTest::newRow("right: one pixel from the edge") << int(taRightJustify);
    QTest::newRow("centre") << int(taCenter);
}

void TestMultiLine::alignmentOnScreen() {
    QFETCH(int, alignment);
    TGMultiLineBaseLabel left, aligned;
    for (TGMultiLineBaseLabel* l : {&left, &aligned}) {
        l->SetBounds(0, 0, 151, 20);
        l->SetItems({"Wide text"});
    }
    aligned.SetAlignment(TAlignment(alignment));
    const int tw = metricsOf(left).horizontalAdvance("Wide text");
    const int x = alignment == taRightJustify ? 151 - tw - 1 : 151 / 2 - tw / 2 + 1;
    QImage shifted(151, 20, QImage::Format_ARGB32_Premultiplied);
    shifted.fill(Qt::white);
    {
        QPainter p(&shifted);
        p.drawImage(x, 0, PaintAlone(left).copy(0, 0, 151 - x, 20));
    }
    QCOMPARE(PaintAlone(aligned), shifted);
}

void TestMultiLine::alignmentOnPaper_data() {
    QTest::addColumn<int>("alignment");
    QTest::newRow("left") << int(taLeftJustify);
    QTest::newRow("right: K device pixels from the edge") << int(taRightJustify);
    QTest::newRow("centre") << int(taCenter);
}

void TestMultiLine::alignmentOnPaper() {
    QFETCH(int, alignment);
    TGMultiLineBaseLabel label;
    label.SetBounds(96, 48, 192, 40);
    label.SetItems({"Wide text"});
    label.SetAlignment(TAlignment(alignment));
    TPrintProbe probe(600); // K = Trunc(600 / 96) = 6
    label.PrintTo(probe.Canvas, 0.5, 0.25);
    const auto texts = probe.Texts();
    QCOMPARE(texts.size(), size_t(1));
    const TReportOp& t = texts.front();
    const QRect box = probe.Canvas.DeviceRect({1.5, 0.75, 3.5, 0.75 + 40 / 96.0});
    QCOMPARE(box.width(), 1200);
    const int tw = int(std::lround(probe.Canvas.TextWidth("Wide text") * 600));
    const int xo = alignment == taLeftJustify    ? 0
                   : alignment == taRightJustify ? 1200 - tw - 6
                                                 : 1200 / 2 - tw / 2 + 6;
    QCOMPARE(t.A, 1.5 + xo / 600.0);
    QCOMPARE(t.B, 0.75);
    QCOMPARE(t.Device.left(), box.left());
    QCOMPARE(t.Device.width(), 1200);
}

void TestMultiLine::rowsClippedAtBoxBottom() {
    TGMultiLineBaseLabel label;
    // Arial 10: line height 1.2 x 10 pt = 1/6 inch = 100 device pixels at 600 dpi; the box is
    // 40 screen pixels = 250 device pixels high.
    label.SetBounds(0, 0, 190, 40);
    label.SetItems({"one", "two", "three", "four", "five"});
    TFont font = label.Font();
    font.Set(fsBold, true);
    font.Set(fsUnderline, true); // not passed to paper
    label.SetFont(font);
    TPrintProbe probe(600);
    label.PrintTo(probe.Canvas, 0, 0);
    const auto texts = probe.Texts();
    QCOMPARE(texts.size(), size_t(3));
    QCOMPARE(texts[0].Device, QRect(0, 0, 1188, 100));
    QCOMPARE(texts[1].Device, QRect(0, 100, 1188, 100));
    QCOMPARE(texts[2].Device, QRect(0, 200, 1188, 50));
    QCOMPARE(texts[2].B, 200 / 600.0);
    QCOMPARE(texts[2].Text, QStringLiteral("three"));
    QCOMPARE(probe.OfKind(TReportOpKind::SetFontStyle).front().Flags, 1);
}

void TestMultiLine::autoSizeIsKeptWithoutEffect() {
    TGMultiLineLabel label;
    label.SetBounds(0, 0, 100, 40);
    label.SetItems({"Some text"});
    const QImage before = PaintAlone(label);
    for (const TPropertyInfo& p : label.Properties())
        if (p.Name == "AutoSize") {
            QVERIFY(!p.Default); // always written
            p.Set(label, true);
            QCOMPARE(p.Get(label).toBool(), true);
        }
    QVERIFY(label.AutoSize());
    QCOMPARE(label.BoundsRect(), QRect(0, 0, 100, 40));
    QCOMPARE(PaintAlone(label), before);
}

void TestMultiLine::streamOrder() {
    QStringList names;
    for (const TPropertyInfo& p : TGMultiLineLabel().Properties())
        names << p.Name;
    QCOMPARE(names.mid(names.indexOf("Unselectable") + 1),
             QStringList({"Items.Strings", "AutoSize", "Alignment", "Font.Charset", "Font.Color",
                          "Font.Height", "Font.Name", "Font.Pitch", "Font.Style", "WordWrap"}));
    TGMultiLineLabel label;
    QCOMPARE(label.BoundsRect(), QRect(0, 0, 190, 33));
    QCOMPARE(label.Font().Name, QStringLiteral("Arial"));
    QCOMPARE(label.Font().Size(), 10);
}

void TestMultiLine::linesInTheStream() {
    // The lines are a string list: its defined property "Strings" under the property's path,
    // a ListStart, each line as a ShortText, an EndMarker.
    const QByteArray lines("\x0DItems.Strings\x01\x06\x03one\x06\x03two\x00", 26);
    const QByteArray tail("\x0CUnselectable\x08", 14);
    const QByteArray after("\x08"
                           "AutoSize\x08",
                           10);
    QByteArray design("\x01TPF0\x10TGMultiLineLabel\x01M"
                      "\x04Left\x02\x0A\x03Top\x02\x14\x05Width\x02\x64\x06Height\x02\x28"
                      "\x06Locked\x08",
                      62);
    design += tail + lines + after + QByteArray(3, '\0');
    TTestCardPanel panel;
    TGLabelObjectFiler(panel).ReadObjects(design.constData(), design.size());
    QCOMPARE(panel.Objects().size(), size_t(1));
    auto* label = static_cast<TGMultiLineLabel*>(panel.Objects().front());
    QCOMPARE(label->Items(), QStringList({"one", "two"}));
    QCOMPARE(label->BoundsRect(), QRect(10, 20, 100, 40));
    // Written back the same way.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TGLabelObjectFiler::WriteObjects(buffer, {label});
    QVERIFY(buffer.data().contains(tail + lines + after));
    // Files of our earlier version name the list "Items" alone; they still open.
    QByteArray earlier = design;
    earlier.replace(lines, QByteArray("\x05Items") + lines.mid(14));
    TTestCardPanel other;
    TGLabelObjectFiler(other).ReadObjects(earlier.constData(), earlier.size());
    QCOMPARE(static_cast<TGMultiLineLabel*>(other.Objects().front())->Items(),
             QStringList({"one", "two"}));
}

void TestMultiLine::fontDialogChangesColour() {
    TScriptedInteraction interaction;
    TTestCardPanel panel;
    int changes = 0;
    panel.LabelChangedEvent = [&](TGBasePanel*) { ++changes; };
    auto* label =
        static_cast<TGMultiLineLabel*>(panel.AddObject(std::make_unique<TGMultiLineLabel>()));
    label->Loaded();
    label->SetItems({"red text"});
    interaction.OnExec = [](QDialog& d) {
        d.findChild<TColorDropDown*>("FontColor")->SetColor(clRed);
        return int(QDialog::Accepted);
    };
    MenuItem(label->ContextMenu(), "Font")->trigger();
    QCOMPARE(label->Font().Color, TColor(clRed));
    QCOMPARE(changes, 1);
    bool red = false;
    const QImage image = PaintAlone(*label);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            red = red || image.pixel(x, y) == qRgb(255, 0, 0);
    QVERIFY(red);
}

void TestMultiLine::editorLimitAndLines() {
    TMultiLineTextEditor editor(nullptr);
    QCOMPARE(editor.windowTitle(), QStringLiteral("Multi-line Text Editor"));
    editor.SetLines({"a", "b"});
    QCOMPARE(editor.Memo()->toPlainText(), QStringLiteral("a\nb"));
    editor.Memo()->moveCursor(QTextCursor::End);
    editor.Memo()->insertPlainText(QString(300, 'x'));
    QCOMPARE(editor.Memo()->toPlainText().size(), 254);
    QVERIFY(editor.Memo()->toPlainText().startsWith("a\nb"));
    editor.Memo()->setPlainText("first\nsecond\n");
    QCOMPARE(editor.Lines(), QStringList({"first", "second"}));
    editor.Memo()->setPlainText(QString());
    QCOMPARE(editor.Lines(), QStringList());
}

void TestMultiLine::editorCancelKeepsText() {
    TScriptedInteraction interaction;
    TGMultiLineLabel label;
    label.Loaded();
    label.SetItems({"kept"});
    interaction.OnExec = [](QDialog& d) {
        d.findChild<QPlainTextEdit*>("Memo")->setPlainText("changed");
        return int(QDialog::Rejected);
    };
    MenuItem(label.ContextMenu(), "Text")->trigger();
    QCOMPARE(label.Items(), QStringList{"kept"});
    interaction.OnExec = typeText("changed");
    MenuItem(label.ContextMenu(), "Text")->trigger();
    QCOMPARE(label.Items(), QStringList{"changed"});
}

void TestMultiLine::wordWrapMenu() {
    TGMultiLineLabel label;
    label.SetBounds(0, 0, 100, 40);
    label.SetItems({sentence});
    label.Loaded();
    QCOMPARE(MenuCaptions(label.ContextMenu()).mid(12),
             QStringList({"-", "Font", "Alignment", "-", "Text", "Word Wrap"}));
    QAction* wrap = MenuItem(label.ContextMenu(), "Word Wrap");
    wrap->trigger();
    QVERIFY(label.WordWrap());
    QVERIFY(wrap->isChecked());
    QVERIFY(label.WrappedLines().size() > 1);
    MenuItem(label.ContextMenu(), "Right")->trigger();
    label.PopupOpening();
    QCOMPARE(label.Alignment(), taRightJustify);
    QVERIFY(MenuItem(label.ContextMenu(), "Right")->isChecked());
    QVERIFY(!MenuItem(label.ContextMenu(), "Left")->isChecked());
}

QTEST_MAIN(TestMultiLine)
#include "test_multiline.moc"
