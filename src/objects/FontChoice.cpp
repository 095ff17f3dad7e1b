#include "objects/FontChoice.h"

#include "platform/Interaction.h"

#include <QFontDialog>

TFont ZoomedFont(const TFont& font, float zoom) {
    if (zoom == 1.0f)
        return font;
    TFont zoomed = font;
    zoomed.SetSize(int(font.Size() * zoom));
    return zoomed;
}

std::optional<TFont> ChooseFont(const TFont& initial, QWidget* parent, bool scalableOnly) {
    QFont start = initial.ToQFont();
    start.setPointSize(qMax(1, initial.Size()));
    QFontDialog dialog(start, parent);
    if (scalableOnly)
        dialog.setOption(QFontDialog::ScalableFonts);
    if (TInteraction::Current().Exec(dialog) != QDialog::Accepted)
        return std::nullopt;
    const QFont chosen = dialog.currentFont();
    TFont font = initial;
    font.Name = chosen.family();
    if (chosen.pointSize() > 0)
        font.SetSize(chosen.pointSize());
    font.Set(fsBold, chosen.bold());
    font.Set(fsItalic, chosen.italic());
    font.Set(fsUnderline, chosen.underline());
    font.Set(fsStrikeOut, chosen.strikeOut());
    return font;
}
