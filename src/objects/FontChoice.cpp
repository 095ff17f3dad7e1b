#include "objects/FontChoice.h"

TFont ZoomedFont(const TFont& font, float zoom) {
    if (zoom == 1.0f)
        return font;
    TFont zoomed = font;
    zoomed.SetSize(int(font.Size() * zoom));
    return zoomed;
}
