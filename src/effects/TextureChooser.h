#pragma once

#include <QImage>
#include <QString>

#include <optional>

class QWidget;

// Runs "Load Texture Bitmap" for a properties dialog: at the last texture file when it
// still exists, else in the brush folder, else in the program folder, with the current
// texture in its preview. On Ok gives the chosen texture and makes its file the last one.
std::optional<QImage> ChooseTexture(QWidget* mainWindow, const QImage& current, QString& lastFile);
