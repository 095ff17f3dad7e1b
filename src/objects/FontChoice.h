#pragma once

#include "platform/GraphicsValues.h"
#include "widgets/StandardDialogs.h"

// The font as drawn at a zoom: the point size scaled and truncated, as text objects size
// their text on a zoomed card. At 100 % the font is unchanged.
TFont ZoomedFont(const TFont& font, float zoom);
