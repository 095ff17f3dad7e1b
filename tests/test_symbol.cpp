#include "support/TestSupport.h"

#include "objects/DrawingObjects.h"
#include "objects/GetSymbol.h"
#include "objects/MultiLineLabel.h"
#include "objects/SymbolLabel.h"
#include "platform/SymbolFonts.h"
#include "platform/Windows1252.h"
#include "support/ObjectTestSupport.h"
#include "support/PrintProbe.h"
#include "surface/Handle.h"
#include "surface/ObjectFiler.h"

#include <QBuffer>
#include <QFontDialog>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

namespace {

// Answers the font dialog with the given font.
std::function<int(QDialog&)> pickFont(const QFont& font) {
    return [font](QDialog& d) {
        auto* dialog = qobject_cast<QFontDialog*>(&d);
        if (!dialog)
            return int(QDialog::Rejected);
        dialog->setCurrentFont(font);
        return int(QDialog::Accepted);
    };
}

QFont pointFont(const QString& family, int points, bool bold, bool italic) {
    QFont f(family);
    f.setPointSize(points);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

} // namespace

class TestSymbol : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterDrawingObjects(); }
    void newSymbolDefaultsAndBox_data();
    void newSymbolDefaultsAndBox();
    void resizeSnapsBack();
    void menuWithoutFontAlignmentAndAngle();
    void fontCommandLeavesSymbolsAlone();
    void chooseSymbol();
    void chooseSymbolCancelKeepsAll();
    void storedWingdingsKeepCodes_data();
    void storedWingdingsKeepCodes();
    void columnsBySize_data();
    void columnsBySize();
    void fontButtonCaption_data();
    void fontButtonCaption();
    void fontChoiceKeepsGridSize();
    void fontCancelStillRefreshesCaption();
    void fontSizeAloneKeepsTheSymbolFontsName();
    void wingdingsStandIn_data();
    void wingdingsStandIn();
    void otherFontsDrawnAsTheyAre();
    void gridShowsStandInCharacters();
};

void TestSymbol::columnsBySize_data() {
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("columns");
    const int rows[][2] = {{5, 1},  {6, 14}, {10, 14}, {11, 10}, {20, 10}, {21, 8},
                           {30, 8}, {31, 6}, {40, 6},  {41, 4},  {50, 4},  {51, 3},
                           {60, 3}, {61, 2}, {72, 2},  {73, 1},  {0, 1}};
    for (const auto& r : rows)
        QTest::addRow("%d pt", r[0]) << r[0] << r[1];
}

void TestSymbol::columnsBySize() {
    QFETCH(int, points);
    QFETCH(int, columns);
    QCOMPARE(SymbolListColumns(points), columns);
}

void TestSymbol::fontButtonCaption_data() {
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<QString>("caption");
    QTest::newRow("plain") << false << false << "Wingdings, 20pt ";
    QTest::newRow("bold") << true << false << "Wingdings, 20pt Bold ";
    QTest::newRow("italic") << false << true << "Wingdings, 20pt Italic ";
    QTest::newRow("bold italic: italic only") << true << true << "Wingdings, 20pt Italic ";
}

void TestSymbol::fontButtonCaption() {
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(QString, caption);
    TGetSymbol dialog(nullptr);
    TFontStyles style = 0;
    if (bold)
        style |= 1u << fsBold;
    if (italic)
        style |= 1u << fsItalic;
    dialog.SetGridFontFace("Wingdings", style);
    dialog.UpdateFontbutton();
    QCOMPARE(dialog.FontButton()->text(), caption);
}

void TestSymbol::fontChoiceKeepsGridSize() {
    TScriptedInteraction interaction;
    interaction.OnExec = pickFont(pointFont("DejaVu Sans", 36, true, true));
    TGetSymbol dialog(nullptr);
    dialog.SetSymbolListcolumns();
    QCOMPARE(dialog.SymbolList()->property("Columns").toInt(), 10);
    dialog.FontbuttonClick();
    QCOMPARE(dialog.SelectedFont().Size(), 36);
    QCOMPARE(dialog.SelectedFont().Name, QStringLiteral("DejaVu Sans"));
    QCOMPARE(dialog.GridFont().Name, QStringLiteral("DejaVu Sans"));
    QCOMPARE(dialog.GridFont().Size(), 20);
    QCOMPARE(dialog.FontButton()->text(), QStringLiteral("DejaVu Sans, 20pt Italic "));
    dialog.SetSymbolListcolumns();
    QCOMPARE(dialog.SymbolList()->property("Columns").toInt(), 10);
}

void TestSymbol::fontCancelStillRefreshesCaption() {
    TScriptedInteraction interaction;
    TGetSymbol dialog(nullptr);
    const TFont before = dialog.SelectedFont();
    QVERIFY(dialog.FontButton()->text().isEmpty());
    dialog.FontbuttonClick();
    QCOMPARE(dialog.SelectedFont(), before);
    QCOMPARE(dialog.FontButton()->text(), QStringLiteral("Wingdings, 20pt "));
}

void TestSymbol::fontSizeAloneKeepsTheSymbolFontsName() {
    TScriptedInteraction interaction;
    QString shown;
    interaction.OnExec = [&](QDialog& d) {
        auto& fonts = dynamic_cast<QFontDialog&>(d);
        QFont f = fonts.currentFont();
        shown = f.family();
        f.setPointSize(30);
        fonts.setCurrentFont(f);
        return int(QDialog::Accepted);
    };
    TGetSymbol dialog(nullptr);
    dialog.FontbuttonClick();
    // Wingdings is shown through its stand-in, and stays Wingdings when only the size changes.
    QCOMPARE(shown, SymbolStandInFamily());
    QCOMPARE(dialog.SelectedFont().Name, QStringLiteral("Wingdings"));
    QCOMPARE(dialog.SelectedFont().Size(), 30);
    QCOMPARE(dialog.GridFont().Name, QStringLiteral("Wingdings"));
}

void TestSymbol::wingdingsStandIn_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<uint>("drawn");
    QTest::newRow("telephone") << 0x28 << 0x260Eu;
    QTest::newRow("envelope") << 0x2A << 0x2709u;
    QTest::newRow("smiley") << 0x4A << 0x263Au;
    QTest::newRow("no equivalent: placeholder") << 0x2B << uint(SymbolPlaceholder);
    QTest::newRow("beyond the basic plane") << 0x24 << 0x1F453u;
    QTest::newRow("code 80, stored as the euro sign") << 0x80 << 0x24EAu;
    QTest::newRow("code 8D, undefined in the code page") << 0x8D << 0x2777u;
}

void TestSymbol::wingdingsStandIn() {
    QFETCH(int, code);
    QFETCH(uint, drawn);
    if (!UsesSymbolStandIn("Wingdings"))
        QSKIP("a Wingdings font is installed and draws its own glyphs");
    for (const QString name : {"Wingdings", "WingDings"}) {
        // Text holds the codes as design files store them: Windows-1252.
        const TDrawnText t = ResolveSymbolText(name, FromWindows1252(QByteArray(1, char(code))));
        QCOMPARE(t.FontName, QStringLiteral("Symbola"));
        QCOMPARE(t.Text.toUcs4(), QList<uint>{drawn});
    }
}

void TestSymbol::otherFontsDrawnAsTheyAre() {
    QVERIFY(!UsesSymbolStandIn("Standard Symbols PS"));
    QVERIFY(!UsesSymbolStandIn("Arial"));
    const TDrawnText t = ResolveSymbolText("Arial", "(*");
    QCOMPARE(t.FontName, QStringLiteral("Arial"));
    QCOMPARE(t.Text, QStringLiteral("(*"));
}

void TestSymbol::gridShowsStandInCharacters() {
    if (!UsesSymbolStandIn("Wingdings"))
        QSKIP("a Wingdings font is installed and draws its own glyphs");
    TGetSymbol dialog(nullptr);
    QListWidget* list = dialog.SymbolList();
    QCOMPARE(list->count(), 224);
    QCOMPARE(list->font().family(), QStringLiteral("Symbola"));
    QCOMPARE(list->item(0x28 - 32)->text().toUcs4(), QList<uint>{0x260E});
    QCOMPARE(list->item(0x24 - 32)->text().toUcs4(), QList<uint>{0x1F453});
    QCOMPARE(list->item(223)->text().size() > 0, true);
    dialog.SetSelectedIndex(0x28 - 32);
    QCOMPARE(dialog.SelectedIndex(), 8);
}

namespace {

// The box a symbol must have: 1.1 x the drawn character's extent in the zoomed font.
QSize hugBox(const TGSymbolLabel& symbol) {
    const QFontMetrics m(symbol.ZoomedFont());
    return QSize(int(m.horizontalAdvance(symbol.DrawnCaption().Text) * 1.1),
                 int((m.ascent() + m.descent()) * 1.1));
}

} // namespace

void TestSymbol::newSymbolDefaultsAndBox_data() {
    QTest::addColumn<float>("zoom");
    QTest::newRow("100 %") << 1.0f;
    QTest::newRow("200 %") << 2.0f;
}

void TestSymbol::newSymbolDefaultsAndBox() {
    QFETCH(float, zoom);
    TScriptedInteraction interaction;
    interaction.OnExec = [](QDialog&) { return int(QDialog::Accepted); };
    TTestCardPanel panel;
    panel.SetZoom(zoom);
    auto* symbol = dynamic_cast<TGSymbolLabel*>(panel.Draw(psSymbolLabel, QRect(10, 10, 150, 90)));
    QVERIFY(symbol);
    QCOMPARE(symbol->Caption(), QStringLiteral("["));
    QCOMPARE(symbol->Font().Name, QStringLiteral("WingDings"));
    QCOMPARE(symbol->Font().Size(), 24);
    QCOMPARE(symbol->ZoomedFont().pixelSize(), zoom == 1.0f ? 32 : 64); // 24 pt, 48 pt
    QCOMPARE(symbol->BoundsRect().size(), hugBox(*symbol));
    // Painting keeps the box and changes nothing.
    int changes = 0;
    panel.LabelChangedEvent = [&](TGBasePanel*) { ++changes; };
    const QRect box = symbol->BoundsRect();
    panel.CardImage();
    panel.CardImage();
    QCOMPARE(symbol->BoundsRect(), box);
    QCOMPARE(changes, 0);
}

namespace {

TGSymbolLabel* addSymbol(TGBasePanel& panel) {
    auto* symbol = static_cast<TGSymbolLabel*>(panel.AddObject(std::make_unique<TGSymbolLabel>()));
    symbol->Loaded();
    symbol->SetBounds(20, 20, 60, 60);
    return symbol;
}

// Answers the symbol selector: picks the code and, when given, a chosen font.
std::function<int(QDialog&)> pickSymbol(int code, std::optional<TFont> font = std::nullopt) {
    return [code, font](QDialog& d) {
        auto& selector = dynamic_cast<TGetSymbol&>(d);
        selector.SetSelectedIndex(code - TGetSymbol::FirstCode);
        if (font)
            selector.SetSelectedFont(*font);
        return int(QDialog::Accepted);
    };
}

} // namespace

void TestSymbol::resizeSnapsBack() {
    TTestCardPanel panel;
    TGSymbolLabel* symbol = addSymbol(panel);
    const QSize box = hugBox(*symbol);
    QCOMPARE(symbol->BoundsRect(), QRect(QPoint(20, 20), box));
    symbol->SetBounds(10, 30, 200, 7);
    QCOMPARE(symbol->BoundsRect(), QRect(QPoint(10, 30), box));
    symbol->SetZoom(1.5f);
    QCOMPARE(symbol->BoundsRect().size(), hugBox(*symbol));
    QVERIFY(symbol->Width() > box.width());

    // Off the card panel, and while being read, the box is left as it is.
    TGBasePanel plain;
    TGSymbolLabel* loose = addSymbol(plain);
    QCOMPARE(loose->BoundsRect(), QRect(20, 20, 60, 60));
    symbol->SetReading(true);
    symbol->SetBounds(0, 0, 5, 5);
    QCOMPARE(symbol->BoundsRect(), QRect(0, 0, 5, 5));
}

void TestSymbol::menuWithoutFontAlignmentAndAngle() {
    TGSymbolLabel symbol;
    symbol.Loaded();
    const QStringList captions = MenuCaptions(symbol.ContextMenu());
    const int tail = captions.indexOf("3D Effects") - 1;
    QCOMPARE(captions.mid(tail), QStringList({"-", "3D Effects", "Transparent", "Background Color",
                                              "Border", "-", "Symbol Selector"}));
    QVERIFY(!captions.contains("Font"));
    QVERIFY(!captions.contains("Alignment"));
}

void TestSymbol::fontCommandLeavesSymbolsAlone() {
    TScriptedInteraction interaction;
    interaction.OnExec = [](QDialog& d) {
        auto& dialog = dynamic_cast<QFontDialog&>(d);
        dialog.setCurrentFont(pointFont("DejaVu Sans", 14, true, false));
        dialog.accept();
        return int(QDialog::Accepted);
    };
    TTestCardPanel panel;
    TGSymbolLabel* symbol = addSymbol(panel);
    auto* text =
        static_cast<TGMultiLineLabel*>(panel.AddObject(std::make_unique<TGMultiLineLabel>()));
    text->Loaded();
    text->SetBounds(100, 100, 120, 40);
    const TFont before = symbol->Font();
    const QRect box = symbol->BoundsRect();
    panel.Handle()->Add(symbol);
    panel.Handle()->Add(text);
    panel.FontCommand();
    QCOMPARE(text->Font().Name, QStringLiteral("DejaVu Sans"));
    QCOMPARE(text->Font().Size(), 14);
    QCOMPARE(symbol->Font(), before);
    QCOMPARE(symbol->BoundsRect(), box);
}

void TestSymbol::chooseSymbol() {
    TScriptedInteraction interaction;
    TTestCardPanel panel;
    TGSymbolLabel* symbol = addSymbol(panel);
    const QSize small = symbol->BoundsRect().size();
    TFont bigger = symbol->Font();
    bigger.SetSize(36);
    interaction.OnExec = pickSymbol(0x28, bigger);
    MenuItem(symbol->ContextMenu(), "Symbol Selector")->trigger();
    QCOMPARE(symbol->Caption(), QStringLiteral("("));
    QCOMPARE(symbol->Font().Size(), 36);
    QCOMPARE(symbol->BoundsRect().size(), hugBox(*symbol));
    QVERIFY(symbol->Height() > small.height());

    // The selector starts at the object's character, in its font's face and styles.
    interaction.OnExec = [](QDialog& d) {
        auto& selector = dynamic_cast<TGetSymbol&>(d);
        return selector.SelectedIndex() == 0x28 - 32 && selector.SelectedFont().Size() == 36 &&
                       selector.GridFont().Size() == 20
                   ? int(QDialog::Accepted)
                   : int(QDialog::Rejected);
    };
    symbol->SetCaption(QStringLiteral("("));
    symbol->ChooseSymbol();
    QCOMPARE(symbol->Caption(), QStringLiteral("("));

    // Codes past 127 are stored as their Windows-1252 characters.
    interaction.OnExec = pickSymbol(0x80);
    symbol->ChooseSymbol();
    QCOMPARE(symbol->Caption(), QString(QChar(0x20AC)));
    QCOMPARE(symbol->SymbolCode(), 0x80);
}

void TestSymbol::chooseSymbolCancelKeepsAll() {
    TScriptedInteraction interaction;
    TTestCardPanel panel;
    TGSymbolLabel* symbol = addSymbol(panel);
    const QRect box = symbol->BoundsRect();
    interaction.OnExec = [](QDialog& d) {
        pickSymbol(0x2A)(d);
        return int(QDialog::Rejected);
    };
    symbol->ChooseSymbol();
    QCOMPARE(symbol->Caption(), QStringLiteral("["));
    QCOMPARE(symbol->BoundsRect(), box);
    // A stored caption with no usable character starts the selector at the first item,
    // and Ok then gives a real character.
    symbol->SetCaption(QString());
    QCOMPARE(symbol->SymbolCode(), -1);
    interaction.OnExec = [](QDialog&) { return int(QDialog::Accepted); };
    symbol->ChooseSymbol();
    QCOMPARE(symbol->Caption(), QStringLiteral(" "));
}

void TestSymbol::storedWingdingsKeepCodes_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<uint>("drawn");
    QTest::newRow("telephone") << "(" << 0x260Eu;
    QTest::newRow("envelope") << "*" << 0x2709u;
}

void TestSymbol::storedWingdingsKeepCodes() {
    QFETCH(QString, caption);
    QFETCH(uint, drawn);
    if (!UsesSymbolStandIn("Wingdings"))
        QSKIP("a Wingdings font is installed and draws its own glyphs");
    TTestCardPanel panel;
    TGSymbolLabel* symbol = addSymbol(panel);
    symbol->SetCaption(caption);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TGLabelObjectFiler::WriteObjects(buffer, {symbol});
    TTestCardPanel other;
    TGLabelObjectFiler filer(other);
    const auto read = filer.ReadObjects(buffer.data().constData(), buffer.data().size());
    auto* copy = dynamic_cast<TGSymbolLabel*>(read.at(0));
    QVERIFY(copy);
    QCOMPARE(copy->Caption(), caption);
    QCOMPARE(copy->DrawnCaption().Text.toUcs4(), QList<uint>{drawn});
    // On screen: the stand-in's glyph is drawn (the card is no longer blank there).
    other.CardImage();
    const QImage card = other.CardImage().copy(copy->BoundsRect());
    int ink = 0;
    for (int y = 0; y < card.height(); ++y)
        for (int x = 0; x < card.width(); ++x)
            ink += IsDark(card.pixel(x, y));
    QVERIFY(ink > 30);
    // On paper: the stand-in's face and character.
    TPrintProbe probe;
    copy->PrintTo(probe.Canvas, 0, 0);
    QCOMPARE(probe.OfKind(TReportOpKind::SetFont).front().Text, QStringLiteral("Symbola"));
    QCOMPARE(probe.Texts().back().Text.toUcs4(), QList<uint>{drawn});
}

QTEST_MAIN(TestSymbol)
#include "test_symbol.moc"
