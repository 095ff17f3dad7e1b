#pragma once

// Horizontal placement of text lines, in the order design files number it.
enum TAlignment { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };
