// Between our surfaces and Qt's images: loading the game's pictures and
// showing a surface without copying it.
#pragma once

#include "surface.h"

#include <QImage>
#include <QString>

// Reads a picture (for example ":/assets/sheet.png") into a new surface of its
// size. Returns false, leaving `out` alone, when it cannot be read.
bool loadSurface(const QString& path, Surface& out);
// Copies a picture of the same size as `out` into it, pixel for pixel.
bool copyImageInto(const QImage& image, Surface& out);
// A QImage that shares the surface's pixels (valid while the surface lives).
QImage imageView(Surface& surface);
// The sprite sheet and the editor's palette strip compiled into the program.
const QString SpriteSheetResource = QStringLiteral(":/assets/sheet.png");
const QString PaletteStripResource = QStringLiteral(":/assets/palette.png");
