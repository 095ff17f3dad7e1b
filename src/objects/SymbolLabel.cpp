#include "objects/SymbolLabel.h"

#include "objects/GetSymbol.h"
#include "platform/Interaction.h"
#include "platform/SymbolFonts.h"
#include "platform/Windows1252.h"
#include "surface/BusinessCardPanel.h"

#include <QFontMetrics>
#include <QMenu>

TGSymbolLabel::TGSymbolLabel() {
    TFont font = Font();
    font.Name = QStringLiteral("WingDings");
    font.SetSize(24);
    SetFont(font);
    SetCaption(QStringLiteral("["));
}

void TGSymbolLabel::BuildContextMenu() {
    TGBaseLabel::BuildContextMenu();
    QMenu* menu = ContextMenu();
    const QList<QAction*> items = menu->actions();
    for (auto it = items.crbegin(); it != items.crend(); ++it) {
        const QString caption = (*it)->text();
        if ((*it)->data().toInt() == 1000 || caption == "Font" || caption == "Alignment" ||
            caption == "Angle")
            menu->removeAction(*it);
    }
    AddMenuSeparator();
    AddMenuItem(QStringLiteral("Symbol Selector"), [this] { ChooseSymbol(); });
}

void TGSymbolLabel::BoundsChanged() {
    TGBaseLabel::BoundsChanged();
    if (Reading() || !qobject_cast<TGBusinessCardPanel32*>(Panel()))
        return;
    const QFontMetrics metrics(ZoomedFont());
    const QString drawn = DrawnCaption().Text;
    const int w = int(metrics.horizontalAdvance(drawn) * 1.1);
    const int h = int((metrics.ascent() + metrics.descent()) * 1.1);
    if (w != Width())
        SetWidth(w);
    if (h != Height())
        SetHeight(h);
    RequestHandleRefit();
}

int TGSymbolLabel::SymbolCode() const {
    const TWindows1252Text bytes = ToWindows1252(Caption().left(1));
    if (bytes.Bytes.isEmpty() || !bytes.Fits)
        return -1;
    const int code = uchar(bytes.Bytes[0]);
    return code >= TGetSymbol::FirstCode ? code : -1;
}

void TGSymbolLabel::ChooseSymbol() {
    TGetSymbol dialog(Panel() ? Panel()->window() : nullptr);
    dialog.SetSelectedFont(Font());
    dialog.SetGridFontFace(Font().Name, Font().Style);
    const int code = SymbolCode();
    // A caption without a usable character starts from the first item.
    dialog.SetSelectedIndex(code < 0 ? 0 : code - TGetSymbol::FirstCode);
    if (TInteraction::Current().Exec(dialog) != QDialog::Accepted)
        return;
    // A new font alone (colour, style) is a change even when the box keeps its size.
    if (dialog.SelectedFont() != Font()) {
        SetFont(dialog.SelectedFont());
        NotifyChanged();
    }
    if (dialog.SelectedIndex() >= 0) {
        const char byte = char(dialog.SelectedIndex() + TGetSymbol::FirstCode);
        SetCaption(FromWindows1252(&byte, 1));
    }
    BoundsChanged();
    Invalidate();
}
