#pragma once

#include "platform/BitmapData.h"

#include <QString>

// The textures that come with the program (made by scripts/make-textures.py). Copies them
// into the brush folder when it holds no picture yet, so that the brush browser never
// opens empty on a fresh start; a folder the user filled is left alone.
void InstallBrushTextures(const QString& brushFolder);

// The texture a texture surface starts with before the user has loaded one.
TBitmap DefaultTexture();
