#include "widgets/StandardDialogs.h"

#include "platform/Interaction.h"
#include "platform/SymbolFonts.h"
#include "widgets/ColorDropDown.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>

namespace {

// Qt's font dialog has no colour; the choice joins its effects (strike-out, underline).
TColorDropDown* AddColorChoice(QFontDialog& dialog, TColor initial) {
    auto* row = new QWidget(&dialog);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(QStringLiteral("&Color:"), row);
    auto* color = new TColorDropDown(row);
    color->setObjectName(QStringLiteral("FontColor"));
    color->SetColor(initial);
    label->setBuddy(color);
    layout->addWidget(label);
    layout->addWidget(color, 1);
    QLayout* effects = dialog.layout();
    for (const QGroupBox* group : dialog.findChildren<QGroupBox*>())
        if (group->findChild<QCheckBox*>() && group->layout())
            effects = group->layout();
    effects->addWidget(row);
    return color;
}

} // namespace

std::optional<TFont> ChooseFont(const TFont& initial, QWidget* parent, bool scalableOnly) {
    QFontDialog dialog(parent);
    QFontDialog::FontDialogOptions options = QFontDialog::DontUseNativeDialog;
    if (scalableOnly)
        options |= QFontDialog::ScalableFonts;
    dialog.setOptions(options);
    // The dialog lists installed families, so a stored name this system lacks is shown as the
    // family that stands in for it (Arial as Liberation Sans, Wingdings as Symbola). While
    // that family stays chosen the stored name is kept: the design goes on naming its font.
    QFont start = initial.ToQFont();
    start.setPointSize(std::max(1, initial.Size()));
    start.setFamily(UsesSymbolStandIn(initial.Name) ? SymbolStandInFamily()
                                                    : QFontInfo(start).family());
    dialog.setCurrentFont(start);
    const QString shownFamily = dialog.currentFont().family();
    const TColorDropDown* color = AddColorChoice(dialog, initial.Color);
    if (TInteraction::Current().Exec(dialog) != QDialog::Accepted)
        return std::nullopt;
    const QFont chosen = dialog.currentFont();
    TFont font = initial;
    if (chosen.family() != shownFamily)
        font.Name = chosen.family();
    if (chosen.pointSize() > 0)
        font.SetSize(chosen.pointSize());
    font.Set(fsBold, chosen.bold());
    font.Set(fsItalic, chosen.italic());
    font.Set(fsUnderline, chosen.underline());
    font.Set(fsStrikeOut, chosen.strikeOut());
    font.Color = color->Color();
    return font;
}

std::optional<TColor> ChooseColor(TColor initial, QWidget* parent) {
    QColorDialog dialog(parent);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    dialog.setCurrentColor(ToQColor(initial));
    if (TInteraction::Current().Exec(dialog) != QDialog::Accepted)
        return std::nullopt;
    return FromQColor(dialog.currentColor());
}
