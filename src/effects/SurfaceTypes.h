#pragma once

#include <QStringList>

// How the interior of a special-effects object is filled, and which way a gradient runs.
enum TSurfaceType { stBrushTransparent = 0, stBrushPattern, stBrushImage, stGradientFill };
enum TFillDirection { gdUp = 0, gdDown, gdLeft, gdRight };

// The values' names as design files store them.
const QStringList& SurfaceTypeNames();
const QStringList& FillDirectionNames();
