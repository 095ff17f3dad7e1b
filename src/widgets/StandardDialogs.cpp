#include "widgets/StandardDialogs.h"

#include "platform/Interaction.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QFontInfo>

std::optional<TFont> ChooseFont(const TFont& initial, QWidget* parent, bool scalableOnly) {
    QFontDialog dialog(parent);
    QFontDialog::FontDialogOptions options = QFontDialog::DontUseNativeDialog;
    if (scalableOnly)
        options |= QFontDialog::ScalableFonts;
    dialog.setOptions(options);
    // The dialog lists installed families, so a stored name such as "Arial" is shown as the
    // family that stands in for it. When that stand-in has the same metrics (the Liberation
    // families) and stays chosen, the stored name is kept, so designs keep naming "Arial".
    QFont start = initial.ToQFont();
    start.setPointSize(std::max(1, initial.Size()));
    const QString shownFamily = QFontInfo(start).family();
    const bool metricStandIn =
        shownFamily != initial.Name && shownFamily.startsWith(QLatin1String("Liberation "));
    start.setFamily(shownFamily);
    dialog.setCurrentFont(start);
    if (TInteraction::Current().Exec(dialog) != QDialog::Accepted)
        return std::nullopt;
    const QFont chosen = dialog.currentFont();
    TFont font = initial;
    if (!metricStandIn || chosen.family() != shownFamily)
        font.Name = chosen.family();
    if (chosen.pointSize() > 0)
        font.SetSize(chosen.pointSize());
    font.Set(fsBold, chosen.bold());
    font.Set(fsItalic, chosen.italic());
    font.Set(fsUnderline, chosen.underline());
    font.Set(fsStrikeOut, chosen.strikeOut());
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
