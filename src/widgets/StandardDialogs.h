#pragma once

#include "platform/GraphicsValues.h"

#include <optional>

class QWidget;

// The standard font and colour dialogs, run through the interaction seam so that tests can
// answer them. Each gives the chosen value, or nothing when the user cancelled.

// The chosen face, size and styles replace those of the start font; its colour and charset
// stay. scalableOnly limits the choice to outline (TrueType-like) fonts.
std::optional<TFont> ChooseFont(const TFont& initial, QWidget* parent, bool scalableOnly = false);
std::optional<TColor> ChooseColor(TColor initial, QWidget* parent);
