#pragma once

#include "platform/GraphicsValues.h"

#include <optional>

class QWidget;

// The standard font and colour dialogs, run through the interaction seam so that tests can
// answer them. Each gives the chosen value, or nothing when the user cancelled.

// The font dialog with its effects: underline, strike-out and a colour. The chosen face,
// size, styles and colour replace those of the start font; its charset stays, and so does
// its name while the family the dialog showed for it stays chosen. scalableOnly limits the
// choice to outline (TrueType-like) fonts.
std::optional<TFont> ChooseFont(const TFont& initial, QWidget* parent, bool scalableOnly = false);
std::optional<TColor> ChooseColor(TColor initial, QWidget* parent);
