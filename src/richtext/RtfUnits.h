#pragma once

// RTF measures indents and spacing in twips (1/1440 inch); the document in 1/96-inch
// pixels, the program's design pixels.
constexpr double TwipsPerPixel = 15.0;

// The font a run without one in the document takes, as the editor's default.
inline constexpr char RtfDefaultFontName[] = "Arial";
