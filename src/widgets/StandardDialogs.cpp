#include "widgets/StandardDialogs.h"

#include "platform/Interaction.h"

#include <QColorDialog>
#include <QFontDialog>

QFont DialogFontFrom(const TFont& font) {
    QFont q(font.Name);
    q.setPointSize(std::max(1, font.Size()));
    q.setBold(font.Has(fsBold));
    q.setItalic(font.Has(fsItalic));
    q.setUnderline(font.Has(fsUnderline));
    q.setStrikeOut(font.Has(fsStrikeOut));
    return q;
}

void TakeDialogFont(const QFont& chosen, TFont& font) {
    font.Name = chosen.family();
    if (chosen.pointSize() > 0)
        font.SetSize(chosen.pointSize());
    font.Set(fsBold, chosen.bold());
    font.Set(fsItalic, chosen.italic());
    font.Set(fsUnderline, chosen.underline());
    font.Set(fsStrikeOut, chosen.strikeOut());
}

bool ChooseFont(QWidget* parent, TFont& font, bool scalableOnly) {
    QFontDialog dialog(parent);
    QFontDialog::FontDialogOptions options = QFontDialog::DontUseNativeDialog;
    if (scalableOnly)
        options |= QFontDialog::ScalableFonts;
    dialog.setOptions(options);
    dialog.setCurrentFont(DialogFontFrom(font));
    if (TInteraction::Current().Exec(dialog) != QDialog::Accepted)
        return false;
    TakeDialogFont(dialog.currentFont(), font);
    return true;
}

bool ChooseColor(QWidget* parent, TColor& color) {
    QColorDialog dialog(parent);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    dialog.setCurrentColor(ToQColor(color));
    if (TInteraction::Current().Exec(dialog) != QDialog::Accepted)
        return false;
    color = FromQColor(dialog.currentColor());
    return true;
}
