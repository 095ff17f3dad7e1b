#pragma once

#include <QStringList>

// The interior of a special-effects object, and the direction a gradient runs in. The
// ordinals are what design files store.
enum TSurfaceType { stBrushTransparent = 0, stBrushPattern, stBrushImage, stGradientFill };
enum TFillDirection { gdUp = 0, gdDown, gdLeft, gdRight };

inline const QStringList& SurfaceTypeNames() {
    static const QStringList names{"stBrushTransparent", "stBrushPattern", "stBrushImage",
                                   "stGradientFill"};
    return names;
}

inline const QStringList& FillDirectionNames() {
    static const QStringList names{"gdUp", "gdDown", "gdLeft", "gdRight"};
    return names;
}
