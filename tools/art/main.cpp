// zommel-gen-art: draws the game's pictures from their text sources.
//
//   zommel-gen-art <source-dir> <output-dir>
//       writes <output-dir>/sheet.png, palette.png and icons/zommel-<size>.png
//   zommel-gen-art --compare <dir-a> <dir-b>
//       exits 0 when both directories hold the same pictures, pixel for pixel
#include "art_source.h"
#include "compose.h"

#include <QDir>
#include <QImage>
#include <QPoint>
#include <QStringList>

#include <cstdio>

namespace {

QStringList pictureFiles() {
    QStringList files{"sheet.png", "palette.png"};
    for (int size : art::iconSizes()) files << QString("icons/zommel-%1.png").arg(size);
    return files;
}

bool save(const QImage& image, const QString& path, QImage::Format format) {
    if (image.convertToFormat(format).save(path, "PNG")) return true;
    std::fprintf(stderr, "zommel-gen-art: cannot write %s\n", qPrintable(path));
    return false;
}

int generate(const QString& sourceDir, const QString& outDir) {
    const art::Artwork art = art::drawArtwork(sourceDir);
    if (!QDir().mkpath(outDir + "/icons")) {
        std::fprintf(stderr, "zommel-gen-art: cannot create %s/icons\n", qPrintable(outDir));
        return 1;
    }
    bool ok = save(art.sheet, outDir + "/sheet.png", QImage::Format_RGB32);
    ok = save(art.strip, outDir + "/palette.png", QImage::Format_RGB32) && ok;
    for (const art::Icon& icon : art.icons) {
        const QString path = outDir + QString("/icons/zommel-%1.png").arg(icon.size);
        ok = save(icon.image, path, QImage::Format_ARGB32) && ok;
    }
    return ok ? 0 : 1;
}

// Pixels are compared with their transparency, so an icon that lost its
// transparent surround counts as changed.
bool samePicture(const QString& a, const QString& b) {
    const QImage left(a), right(b);
    if (left.isNull() || right.isNull()) {
        std::fprintf(stderr, "missing or unreadable: %s\n", qPrintable(left.isNull() ? a : b));
        return false;
    }
    if (left.size() != right.size()) {
        std::fprintf(stderr, "%s: %dx%d against %dx%d\n", qPrintable(b), left.width(),
                     left.height(), right.width(), right.height());
        return false;
    }
    const QImage l = left.convertToFormat(QImage::Format_ARGB32);
    const QImage r = right.convertToFormat(QImage::Format_ARGB32);
    int differing = 0;
    QPoint first;
    for (int y = 0; y < l.height(); ++y) {
        for (int x = 0; x < l.width(); ++x) {
            if (l.pixel(x, y) == r.pixel(x, y)) continue;
            if (differing++ == 0) first = QPoint(x, y);
        }
    }
    if (differing)
        std::fprintf(stderr, "%s: %d pixels differ, the first at (%d, %d)\n", qPrintable(b),
                     differing, first.x(), first.y());
    return differing == 0;
}

int compare(const QString& dirA, const QString& dirB, const QStringList& files) {
    bool same = true;
    for (const QString& file : files)
        same = samePicture(dirA + "/" + file, dirB + "/" + file) && same;
    return same ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    try {
        if (argc == 4 && QString(argv[1]) == "--compare")
            return compare(argv[2], argv[3], pictureFiles());
        if (argc == 3) return generate(argv[1], argv[2]);
    } catch (const art::SourceError& error) {
        std::fprintf(stderr, "zommel-gen-art: %s\n", error.what());
        return 1;
    }
    std::fprintf(stderr, "usage: zommel-gen-art <source-dir> <output-dir>\n"
                         "       zommel-gen-art --compare <dir-a> <dir-b>\n");
    return 2;
}
