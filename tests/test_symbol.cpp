#include "support/TestSupport.h"

#include "objects/GetSymbol.h"
#include "platform/SymbolFonts.h"
#include "platform/Windows1252.h"

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
    void columnsBySize_data();
    void columnsBySize();
    void fontButtonCaption_data();
    void fontButtonCaption();
    void fontChoiceKeepsGridSize();
    void fontCancelStillRefreshesCaption();
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

QTEST_MAIN(TestSymbol)
#include "test_symbol.moc"
