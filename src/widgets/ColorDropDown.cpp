#include "widgets/ColorDropDown.h"

#include "widgets/StandardDialogs.h"

#include <QPainter>
#include <QPixmap>

namespace {

struct TNamedColor {
    TColor Color;
    const char* Name;
};

constexpr TNamedColor basicColors[] = {
    {clBlack, "Black"},   {clMaroon, "Maroon"},   {clGreen, "Green"}, {clOlive, "Olive"},
    {clNavy, "Navy"},     {clPurple, "Purple"},   {clTeal, "Teal"},   {clGray, "Gray"},
    {clSilver, "Silver"}, {clRed, "Red"},         {clLime, "Lime"},   {clYellow, "Yellow"},
    {clBlue, "Blue"},     {clFuchsia, "Fuchsia"}, {clAqua, "Aqua"},   {clWhite, "White"},
};

QIcon swatch(TColor c) {
    QPixmap pm(16, 12);
    pm.fill(ToQColor(c));
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.drawRect(0, 0, 15, 11);
    return QIcon(pm);
}

// A colour outside the basic sixteen: a named one (the system colours, such as the window
// text) by its name as the basic ones are shown, any other by its number.
QString customName(TColor c) {
    if (const std::optional<QString> ident = ColorToIdent(c))
        return ident->mid(2);
    return QStringLiteral("$%1").arg(quint32(c), 8, 16, QLatin1Char('0')).toUpper();
}

} // namespace

TColorDropDown::TColorDropDown(QWidget* parent) : QComboBox(parent) {
    Rebuild();
    connect(this, &QComboBox::activated, this, &TColorDropDown::Picked);
}

void TColorDropDown::SetColor(TColor color) {
    FColor = color;
    Rebuild();
}

void TColorDropDown::Rebuild() {
    FUpdating = true;
    clear();
    bool known = false;
    for (const TNamedColor& c : basicColors) {
        addItem(swatch(c.Color), QString::fromLatin1(c.Name), int(c.Color));
        known = known || c.Color == FColor;
    }
    if (!known)
        addItem(swatch(FColor), customName(FColor), int(FColor));
    addItem(QStringLiteral("Other...")); // always the last item
    setCurrentIndex(findData(int(FColor)));
    FUpdating = false;
}

void TColorDropDown::Picked(int index) {
    if (FUpdating || index < 0)
        return;
    TColor chosen = FColor;
    if (index == count() - 1) {
        const auto c = ChooseColor(FColor, this);
        if (!c) {
            setCurrentIndex(findData(int(FColor)));
            return;
        }
        chosen = *c;
    } else {
        chosen = TColor(itemData(index).toInt());
    }
    if (chosen == FColor) {
        setCurrentIndex(findData(int(FColor)));
        return;
    }
    SetColor(chosen);
    emit ColorChanged(chosen);
}
