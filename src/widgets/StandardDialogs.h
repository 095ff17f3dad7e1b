#pragma once

#include "platform/GraphicsValues.h"

class QWidget;

// The standard font and colour dialogs, run through the interaction seam so that tests
// can answer them. Each returns true when the user confirmed; the value is changed only then.

// Name, size and styles come from the dialog; the colour of the font stays as it was.
// scalableOnly limits the choice to outline (TrueType-like) fonts.
bool ChooseFont(QWidget* parent, TFont& font, bool scalableOnly = false);
bool ChooseColor(QWidget* parent, TColor& color);

// The dialog's font for a stored font, and back (the colour is not part of a QFont).
QFont DialogFontFrom(const TFont& font);
void TakeDialogFont(const QFont& chosen, TFont& font);
