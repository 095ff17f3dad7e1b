#include "objects/GetSymbol.h"

#include "widgets/DialogButtonBar.h"
#include "objects/FontChoice.h"
#include "platform/SymbolFonts.h"
#include "platform/Windows1252.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

int SymbolListColumns(int points) {
    struct TRange {
        int From, To, Columns;
    };
    static constexpr TRange table[] = {{6, 10, 14}, {11, 20, 10}, {21, 30, 8}, {31, 40, 6},
                                       {41, 50, 4}, {51, 60, 3},  {61, 72, 2}};
    for (const TRange& r : table)
        if (points >= r.From && points <= r.To)
            return r.Columns;
    return 1;
}

QString SymbolFontCaption(const TFont& gridFont) {
    QString style;
    if (gridFont.Has(fsBold))
        style = QStringLiteral("Bold ");
    if (gridFont.Has(fsItalic))
        style = QStringLiteral("Italic ");
    return gridFont.Name + QStringLiteral(", ") + QString::number(gridFont.Size()) +
           QStringLiteral("pt ") + style;
}

TGetSymbol::TGetSymbol(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Symbol Selector"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    setFont(font);
    setFixedSize(474, 327);

    FSelectedFont.Name = QStringLiteral("Wingdings");
    FSelectedFont.Height = -24;
    FSelectedFont.Set(fsBold, true);
    FGridFont.Name = QStringLiteral("Wingdings");
    FGridFont.Height = -27;
    FGridFont.Color = clBlack;

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* top = new QWidget(this);
    top->setObjectName(QStringLiteral("TopPanel"));
    top->setFixedHeight(37);
    auto* topLayout = new QHBoxLayout(top);
    topLayout->setContentsMargins(8, 4, 8, 4);
    auto* label = new QLabel(QStringLiteral("&Font"), top);
    label->setObjectName(QStringLiteral("Label1"));
    FFontButton = new QPushButton(top);
    FFontButton->setObjectName(QStringLiteral("Fontbutton"));
    FFontButton->setFixedSize(217, 29);
    FFontButton->setWhatsThis(
        QStringLiteral("Click here to change the font from which the symbol is selected"));
    label->setBuddy(FFontButton);
    connect(FFontButton, &QPushButton::clicked, this, [this] { FontbuttonClick(); });
    topLayout->addWidget(label);
    topLayout->addWidget(FFontButton);
    topLayout->addStretch();

    // Characters run down each column, then on to the next, as in a multi-column list box.
    FSymbolList = new QListWidget(this);
    FSymbolList->setObjectName(QStringLiteral("SymbolList"));
    FSymbolList->setWhatsThis(QStringLiteral("Select the symbol from this list"));
    FSymbolList->setFlow(QListView::TopToBottom);
    FSymbolList->setWrapping(true);
    FSymbolList->setResizeMode(QListView::Adjust);
    FSymbolList->setUniformItemSizes(true);
    for (int i = 0; i < ItemCount; ++i)
        FSymbolList->addItem(QString());
    connect(FSymbolList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    FButtons = new TDialogButtonBar(*this, 40005);
    layout->addWidget(top);
    layout->addWidget(FSymbolList, 1);
    layout->addWidget(FButtons);
    FillSymbolList();
}

void TGetSymbol::SetGridFontFace(const QString& name, TFontStyles style) {
    FGridFont.Name = name;
    FGridFont.Style = style;
    FillSymbolList();
}

int TGetSymbol::SelectedIndex() const {
    return FSymbolList->currentRow();
}

void TGetSymbol::SetSelectedIndex(int index) {
    if (index >= 0 && index < ItemCount)
        FSymbolList->setCurrentRow(index);
}

void TGetSymbol::FillSymbolList() {
    QByteArray codes;
    for (int i = 0; i < ItemCount; ++i)
        codes += char(FirstCode + i);
    const TDrawnText drawn = ResolveSymbolText(FGridFont.Name, FromWindows1252(codes));
    TFont drawnFont = FGridFont;
    drawnFont.Name = drawn.FontName;
    FSymbolList->setFont(drawnFont.ToQFont());
    const QColor color = ToQColor(FGridFont.Color);
    int at = 0;
    for (int i = 0; i < ItemCount; ++i) {
        // Characters beyond the basic plane take two code units.
        const int length = drawn.Text.at(at).isHighSurrogate() ? 2 : 1;
        QListWidgetItem* item = FSymbolList->item(i);
        item->setText(drawn.Text.mid(at, length));
        item->setForeground(color);
        item->setTextAlignment(Qt::AlignCenter);
        at += length;
    }
}

void TGetSymbol::SetSymbolListcolumns() {
    const int columns = SymbolListColumns(FGridFont.Size());
    const int width = FSymbolList->viewport()->width();
    FSymbolList->setGridSize(QSize(qMax(1, width / columns), 30));
    FSymbolList->setProperty("Columns", columns);
}

void TGetSymbol::UpdateFontbutton() {
    FFontButton->setText(SymbolFontCaption(FGridFont));
}

void TGetSymbol::FontbuttonClick() {
    if (const auto font = ChooseFont(FSelectedFont, this, true)) {
        FSelectedFont = *font;
        FGridFont.Color = font->Color;
        SetGridFontFace(font->Name, font->Style);
    }
    UpdateFontbutton();
}

void TGetSymbol::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    SetSymbolListcolumns();
    UpdateFontbutton();
}
