#include "image_io.h"

bool copyImageInto(const QImage& image, Surface& out) {
    if (image.isNull() || image.width() != out.width() || image.height() != out.height())
        return false;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < out.width(); ++x) out.set(x, y, src[x]);
    }
    return true;
}

bool loadSurface(const QString& path, Surface& out) {
    const QImage image(path);
    if (image.isNull()) return false;
    Surface loaded(image.width(), image.height());
    if (!copyImageInto(image, loaded)) return false;
    out = std::move(loaded);
    return true;
}

QImage imageView(Surface& surface) {
    return QImage(reinterpret_cast<uchar*>(surface.data()), surface.width(), surface.height(),
                  surface.width() * int(sizeof(Pixel)), QImage::Format_RGB32);
}
