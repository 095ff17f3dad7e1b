#include "effects/SurfaceTypes.h"

const QStringList& SurfaceTypeNames() {
    static const QStringList names{"stBrushTransparent", "stBrushPattern", "stBrushImage",
                                   "stGradientFill"};
    return names;
}

const QStringList& FillDirectionNames() {
    static const QStringList names{"gdUp", "gdDown", "gdLeft", "gdRight"};
    return names;
}
