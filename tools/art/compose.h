// Putting the game's pictures together from the text sources.
#pragma once

#include <QImage>
#include <QString>

#include <vector>

namespace art {

struct Icon {
    int size;
    QImage image;
};

struct Artwork {
    QImage sheet;            // 512 x 384, opaque
    QImage strip;            // 512 x 32, opaque: the editor's palette
    std::vector<Icon> icons; // the program icon in several sizes, transparent around
};

// The sizes of the program icon, in pixels square.
std::vector<int> iconSizes();

// Reads every source in sourceDir and draws all pictures. Throws SourceError
// when a source is malformed or breaks a rule the game relies on.
Artwork drawArtwork(const QString& sourceDir);

} // namespace art
