#pragma once

#include "platform/GraphicsValues.h"

#include <optional>

class QWidget;

// The font as drawn at a zoom: the point size scaled and truncated, as text objects size
// their text on a zoomed card. At 100 % the font is unchanged.
TFont ZoomedFont(const TFont& font, float zoom);

// Runs the font dialog starting from the given font; the chosen face, size and styles
// replace those of the start font, its colour and charset stay. Nothing when cancelled.
std::optional<TFont> ChooseFont(const TFont& initial, QWidget* parent, bool scalableOnly = false);
