#include "support/ObjectTestSupport.h"
#include "support/TestSupport.h"

#include "app/MainScreen.h"
#include "app/ObjectKinds.h"
#include "objects/RichBaseLabel.h"
#include "objects/RichTextLabelEditor.h"
#include "printing/CardPrinting.h"
#include "richtext/WPRichEdit.h"
#include "richtext/WPRichText.h"
#include "richtext/WPToolBar.h"
#include "surface/ObjectFiler.h"

#include <QColorDialog>
#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QScrollArea>
#include <QTextCursor>
#include <QtEndian>
#include <QtTest>

namespace {

// A word processor's document, with a destination this program does not know.
const QByteArray wordPadRtf =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat{\\fonttbl{\\f0\\fnil\\fcharset0 "
    "Liberation Sans;}}\r\n{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
    "{\\*\\generator Riched20 10.0.19041}{\\*\\unknowndest kept as it is}\\viewkind4\\uc1 \r\n"
    "\\pard\\cf1\\f0\\fs44 Red card \\cf2 Blue\\cf0\\par\r\n}\r\n";

QByteArray shortString(const QByteArray& s) {
    return char(s.size()) + s;
}

QByteArray property(const QByteArray& name, const QByteArray& value) {
    return shortString(name) + value;
}

// One rich text record as the object stream lays it out, written from the format's bytes.
QByteArray richRecord(const QByteArray& rtf) {
    QByteArray count(4, 0);
    qToLittleEndian<quint32>(quint32(rtf.size()), count.data());
    return "\x01TPF0" + shortString("TGPRichBaseLabel") + shortString("Special1") +
           property("Left", "\x02\x0A") + property("Top", "\x02\x14") +
           property("Width", QByteArray("\x03\x2C\x01", 3)) + property("Height", "\x02\x3C") +
           property("RTFText.Data", "\x0A" + count + rtf) +
           property("BorderStyle", "\x07" + shortString("bsNone")) +
           property("Transparent", "\x08") + property("BGColor", "\x07" + shortString("clYellow")) +
           QByteArray(3, 0);
}

// A card panel inside a window that has the shared rich text control.
struct TRichWindow {
    QWidget Window;
    TTestCardPanel* Panel = new TTestCardPanel;
    TRichWindow() {
        Panel->setParent(&Window);
        CreateMasterRichText(&Window);
        Window.resize(400, 300);
    }
    TGPRichBaseLabel* Read(const QByteArray& bytes) {
        const auto read = TGLabelObjectFiler(*Panel).ReadObjects(bytes.constData(), bytes.size());
        return read.empty() ? nullptr : static_cast<TGPRichBaseLabel*>(read.back());
    }
};

int Count(const QImage& image, const std::function<bool(QColor)>& test) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += test(image.pixelColor(x, y)) ? 1 : 0;
    return n;
}

bool Reddish(QColor c) {
    return c.red() > 160 && c.green() < 90 && c.blue() < 90;
}

bool Bluish(QColor c) {
    return c.blue() > 160 && c.red() < 90 && c.green() < 90;
}

// The columns between the first and last red pixel.
int RedWidth(const QImage& image) {
    int first = image.width(), last = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (Reddish(image.pixelColor(x, y))) {
                first = qMin(first, x);
                last = qMax(last, x);
            }
    return last - first + 1;
}

QString Run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestRichText : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterObjectKinds(); }
    void newObjectHasBorderAndNoBackground();
    void designFileKeepsTheRtfByteForByte();
    void withoutMasterControlLoadingFails();
    void menuBorderAndBackgroundColor();
    void paintsAtThePanelsZoom();
    void editorOpensOnDoubleClickAtHundredPercentSize();
    void editorOkCancelAndUnchangedOk();
    void stylesByKeyboard();
    void enterInTheSizeBoxOnlyTakesTheSize();
    void toolDrawsAndEdits();
    void mainWindowHasTheSharedControl();
    void savedAtOneAndAHalfReopensTheSame();
    void printedPdfKeepsTextAndColours();
};

void TestRichText::newObjectHasBorderAndNoBackground() {
    TRichWindow w;
    auto* o =
        static_cast<TGPRichBaseLabel*>(w.Panel->AddObject(std::make_unique<TGPRichBaseLabel>()));
    o->Loaded();
    QCOMPARE(o->BoundsRect().size(), QSize(190, 33));
    QVERIFY(o->Transparent());
    QCOMPARE(o->BorderStyle(), int(bsSingle));
    QCOMPARE(o->BGColor(), clWhite);
    QVERIFY(o->RTFText().Rtf().startsWith("{\\rtf1"));
    const QImage img = PaintAlone(*o, Qt::green);
    QVERIFY(IsDark(img.pixel(0, 0)));
    QVERIFY(IsDark(img.pixel(189, 32)));
    QCOMPARE(img.pixelColor(95, 16), QColor(Qt::green)); // the card shows through
    QCOMPARE(MenuCaptions(o->ContextMenu()).mid(MenuCaptions(o->ContextMenu()).size() - 5),
             QStringList({"-", "Transparent", "Background Color", "Border", "Edit"}));
}

void TestRichText::designFileKeepsTheRtfByteForByte() {
    TRichWindow w;
    TGPRichBaseLabel* o = w.Read(richRecord(wordPadRtf));
    QVERIFY(o);
    QCOMPARE(o->RTFText().Rtf(), wordPadRtf);
    QCOMPARE(o->BoundsRect(), QRect(10, 20, 300, 60));
    QCOMPARE(o->BorderStyle(), int(bsNone));
    QVERIFY(!o->Transparent());
    QCOMPARE(o->BGColor(), clYellow);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    TGLabelObjectFiler::WriteObjects(out, {o});
    QByteArray count(4, 0);
    qToLittleEndian<quint32>(quint32(wordPadRtf.size()), count.data());
    QVERIFY(out.data().contains(shortString("RTFText.Data") + "\x0A" + count + wordPadRtf));
    // Drawn as the word processor meant it: red and blue text on yellow.
    const QImage img = PaintAlone(*o);
    QVERIFY(Count(img, Reddish) > 30);
    QVERIFY(Count(img, Bluish) > 30);
    QCOMPARE(img.pixelColor(295, 55), QColor(Qt::yellow));
}

void TestRichText::withoutMasterControlLoadingFails() {
    TTestCardPanel bare;
    try {
        const QByteArray bytes = richRecord(wordPadRtf);
        TGLabelObjectFiler(bare).ReadObjects(bytes.constData(), bytes.size());
        QFAIL("loading succeeded");
    } catch (const EStreamError& e) {
        QCOMPARE(e.Message(), QStringLiteral("No master rich text object found"));
    }
    // The tool tells the user instead of drawing an object it could not paint.
    TScriptedInteraction answers;
    QVERIFY(!bare.Draw(psRichLabel, QRect(10, 10, 100, 40)));
    QCOMPARE(answers.Messages, QStringList{"No master rich text object found"});
}

void TestRichText::menuBorderAndBackgroundColor() {
    TRichWindow w;
    auto* o =
        static_cast<TGPRichBaseLabel*>(w.Panel->AddObject(std::make_unique<TGPRichBaseLabel>()));
    o->Loaded();
    int changes = 0;
    w.Panel->LabelChangedEvent = [&](TGBasePanel*) { ++changes; };
    MenuItem(o->ContextMenu(), "Border")->trigger();
    QCOMPARE(o->BorderStyle(), int(bsNone));
    QVERIFY(!IsDark(PaintAlone(*o).pixel(0, 0)));
    TScriptedInteraction answers;
    answers.OnExec = [](QDialog& d) {
        static_cast<QColorDialog&>(d).setCurrentColor(Qt::blue);
        return int(QDialog::Accepted);
    };
    MenuItem(o->ContextMenu(), "Background Color")->trigger();
    QVERIFY(!o->Transparent());
    QCOMPARE(o->BGColor(), clBlue);
    QCOMPARE(PaintAlone(*o).pixelColor(100, 16), QColor(Qt::blue));
    emit o->ContextMenu()->aboutToShow();
    QVERIFY(!MenuItem(o->ContextMenu(), "Transparent")->isChecked());
    MenuItem(o->ContextMenu(), "Transparent")->trigger();
    QVERIFY(o->Transparent());
    QVERIFY(changes >= 3);
    // A cancelled colour dialog changes nothing.
    answers.OnExec = [](QDialog&) { return int(QDialog::Rejected); };
    MenuItem(o->ContextMenu(), "Background Color")->trigger();
    QVERIFY(o->Transparent());
}

void TestRichText::paintsAtThePanelsZoom() {
    TRichWindow w;
    TGPRichBaseLabel* o = w.Read(richRecord(wordPadRtf));
    const int atFull = RedWidth(PaintAlone(*o));
    o->SetZoom(2.0f);
    QCOMPARE(o->BoundsRect().size(), QSize(600, 120));
    const int atDouble = RedWidth(PaintAlone(*o));
    QVERIFY2(qAbs(atDouble - 2 * atFull) <= 3,
             qPrintable(QString("%1 %2").arg(atFull).arg(atDouble)));
    QCOMPARE(w.Window.findChild<TWPRichText*>()->Zoom(), 200);
}

void TestRichText::editorOpensOnDoubleClickAtHundredPercentSize() {
    TRichWindow w;
    TGPRichBaseLabel* o = w.Read(richRecord(wordPadRtf));
    w.Panel->RehookObjects();
    o->SetZoom(2.0f);
    TScriptedInteraction answers;
    QSize editingArea, dialogSize;
    QStringList hints;
    QString title, text;
    answers.OnExec = [&](QDialog& d) {
        auto& editor = static_cast<TRichTextLabelEditor&>(d);
        title = d.windowTitle();
        dialogSize = d.size();
        editingArea = editor.WPPanel->size();
        for (QAction* a : editor.WPToolBar1->actions())
            if (!a->toolTip().isEmpty() && !a->isSeparator() && a->icon().isNull() == false)
                hints << a->toolTip();
        text = editor.WPRichText1->toPlainText();
        return int(QDialog::Rejected);
    };
    w.Panel->ObjectDoubleClick(o, QPoint());
    QCOMPARE(title, QStringLiteral("Rich Text Editor"));
    QCOMPARE(dialogSize, QSize(592, 343));
    QCOMPARE(editingArea, QSize(300 + 25, 60 + 25));
    QCOMPARE(text, QStringLiteral("Red card Blue"));
    QCOMPARE(hints, QStringList({"Normal", "Bold", "Italic", "Under", "Left", "Right", "Justified",
                                 "Center", "Copy", "Cut", "Paste"}));
}

void TestRichText::editorOkCancelAndUnchangedOk() {
    TRichWindow w;
    TGPRichBaseLabel* o = w.Read(richRecord(wordPadRtf));
    TScriptedInteraction answers;
    // Ok without an edit keeps the bytes as they came.
    answers.OnExec = [](QDialog&) { return int(QDialog::Accepted); };
    o->EditRichText();
    QCOMPARE(o->RTFText().Rtf(), wordPadRtf);
    // An edit that is cancelled changes nothing.
    auto edit = [](QDialog& d) {
        auto& editor = static_cast<TRichTextLabelEditor&>(d);
        QTextCursor c(editor.WPRichText1->document());
        editor.WPRichText1->setTextCursor(c);
        editor.WPToolBar1->Bold->trigger();
        editor.WPRichText1->insertPlainText(QStringLiteral("Dear "));
        editor.WPToolBar1->Center->trigger();
    };
    answers.OnExec = [&](QDialog& d) {
        edit(d);
        return int(QDialog::Rejected);
    };
    o->EditRichText();
    QCOMPARE(o->RTFText().Rtf(), wordPadRtf);
    answers.OnExec = [&](QDialog& d) {
        edit(d);
        return int(QDialog::Accepted);
    };
    o->EditRichText();
    const QByteArray edited = o->RTFText().Rtf();
    QVERIFY(edited.contains("\\qc"));
    QVERIFY2(edited.contains("\\b\\cf1 Dear }"), edited.constData()); // typed in the red it met
    QVERIFY(edited.contains("Red card "));
    QVERIFY(edited.contains("\\red255\\green0\\blue0"));
}

void TestRichText::stylesByKeyboard() {
    TRichWindow w;
    TGPRichBaseLabel* o = w.Read(richRecord(wordPadRtf));
    TScriptedInteraction answers;
    bool active = false;
    answers.OnExec = [&](QDialog& d) {
        auto& editor = static_cast<TRichTextLabelEditor&>(d);
        d.show();
        active = QTest::qWaitForWindowActive(&d);
        QTextEdit* text = editor.WPRichText1;
        text->setFocus();
        text->setTextCursor(QTextCursor(text->document()));
        QTest::keyClick(text, Qt::Key_B, Qt::ControlModifier);
        QTest::keyClick(text, Qt::Key_I, Qt::ControlModifier);
        QTest::keyClicks(text, QStringLiteral("Dear"));
        QTest::keyClick(text, Qt::Key_B, Qt::ControlModifier);
        QTest::keyClicks(text, QStringLiteral(" Sir "));
        return int(QDialog::Accepted);
    };
    o->EditRichText();
    QVERIFY(active);
    const QByteArray edited = o->RTFText().Rtf();
    QVERIFY2(edited.contains("\\b\\i\\cf1 Dear}{\\plain\\f0\\fs44\\i\\cf1  Sir }"),
             edited.constData());
}

void TestRichText::enterInTheSizeBoxOnlyTakesTheSize() {
    TRichWindow w;
    TGPRichBaseLabel* o = w.Read(richRecord(wordPadRtf));
    TScriptedInteraction answers;
    int resultAfterEnter = -1;
    bool stillShown = false;
    qreal size = 0;
    answers.OnExec = [&](QDialog& d) {
        auto& editor = static_cast<TRichTextLabelEditor&>(d);
        d.show();
        QTextEdit* text = editor.WPRichText1;
        text->selectAll();
        QComboBox* box = editor.WPToolBar1->FontSize;
        box->setFocus();
        box->lineEdit()->selectAll();
        QTest::keyClicks(box, QStringLiteral("20"));
        QTest::keyClick(box, Qt::Key_Return);
        resultAfterEnter = d.result();
        stillShown = d.isVisible();
        size = text->textCursor().charFormat().fontPointSize();
        return int(QDialog::Rejected);
    };
    o->EditRichText();
    QCOMPARE(resultAfterEnter, int(QDialog::Rejected));
    QVERIFY(stillShown);
    QCOMPARE(size, 20.0);
}

void TestRichText::toolDrawsAndEdits() {
    TRichWindow w;
    TScriptedInteraction answers;
    answers.OnExec = [](QDialog& d) {
        static_cast<TRichTextLabelEditor&>(d).WPRichText1->insertPlainText("Hello");
        return int(QDialog::Accepted);
    };
    auto* o = static_cast<TGPRichBaseLabel*>(w.Panel->Draw(psRichLabel, QRect(10, 10, 150, 40)));
    QVERIFY(o);
    QCOMPARE(w.Panel->PanelState(), psPointing);
    QVERIFY(o->RTFText().Rtf().contains("Hello"));
    QVERIFY(o->RTFText().Rtf().contains("\\fs20")); // the editor's Arial 13 pixels
}

void TestRichText::mainWindowHasTheSharedControl() {
    TTestProgramFolder folder;
    TMainScreen window;
    TWPRichText* master = FindMasterRichText(&window);
    QVERIFY(master);
    QCOMPARE(master->objectName(), QStringLiteral("MASTERWPRICHTEXT"));
    // A design with rich text opens in it.
    const QString path = folder.Path() + "rich.ptv";
    QVERIFY(WriteTestFile(path, richRecord(wordPadRtf)));
    window.BusinessCardPanel->LoadFromFile(path);
    QCOMPARE(window.BusinessCardPanel->Objects().size(), size_t(1));
}

// Saving at 150 % writes the 100 % geometry and the document's own bytes; reopened and
// zoomed to 150 % it shows the same, and saving again gives the same file.
void TestRichText::savedAtOneAndAHalfReopensTheSame() {
    QTemporaryDir dir;
    TRichWindow w;
    w.Read(richRecord(wordPadRtf));
    w.Panel->SetZoom(1.5f);
    QCOMPARE(w.Panel->Objects().front()->BoundsRect(), QRect(15, 30, 450, 90));
    const QString first = dir.filePath("first.ptv"), second = dir.filePath("second.ptv");
    w.Panel->SaveToFile(first);
    const QByteArray saved = ReadTestFile(first);
    QVERIFY(saved.contains(wordPadRtf));
    QVERIFY(saved.contains(shortString("Width") + QByteArray("\x03\x2C\x01", 3)));
    TRichWindow again;
    again.Panel->LoadFromFile(first);
    again.Panel->SetZoom(1.5f);
    auto* o = static_cast<TGPRichBaseLabel*>(again.Panel->Objects().front());
    QCOMPARE(o->BoundsRect(), QRect(15, 30, 450, 90));
    QCOMPARE(PaintAlone(*o), PaintAlone(*w.Panel->Objects().front()));
    again.Panel->SaveToFile(second);
    QCOMPARE(ReadTestFile(second), saved);
}

void TestRichText::printedPdfKeepsTextAndColours() {
    QTemporaryDir dir;
    TRichWindow w;
    w.Read(richRecord(wordPadRtf));
    TPrintRunSettings s;
    s.Selection = TCardSelection();
    const QString pdf = dir.filePath("rich.pdf");
    QString error;
    QVERIFY2(PrintToPdf(*w.Panel, s, pdf, &error), qPrintable(error));
    const QString text = Run("pdftotext", {pdf, "-"});
    QVERIFY2(text.contains("Red card Blue"), qPrintable(text));
    const QStringList fonts = Run("pdffonts", {pdf}).split('\n', Qt::SkipEmptyParts).mid(2);
    QVERIFY(!fonts.isEmpty());
    for (const QString& line : fonts)
        QVERIFY2(line.contains(" yes "), qPrintable(line)); // embedded
    QVERIFY(Run("pdffonts", {pdf}).contains("LiberationSans"));
    QProcess render;
    render.start("pdftoppm", {"-r", "96", "-f", "1", "-l", "1", "-png", "-singlefile", pdf,
                              dir.filePath("page")});
    QVERIFY(render.waitForFinished(30000));
    const QImage page(dir.filePath("page.png"));
    QVERIFY(!page.isNull());
    QVERIFY(Count(page, Reddish) > 30);
    QVERIFY(Count(page, Bluish) > 30);
}

QTEST_MAIN(TestRichText)
#include "test_rich_text.moc"
