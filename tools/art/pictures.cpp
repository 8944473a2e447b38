#include "pictures.h"

namespace art {

namespace {
bool painted(const QImage& image, int x, int y) {
    return image.valid(x, y) && qAlpha(image.pixel(x, y)) != 0;
}
} // namespace

QImage canvas(int w, int h, QRgb fill) {
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(fill);
    return image;
}

void over(QImage& dst, const QImage& src, int x, int y) {
    for (int sy = 0; sy < src.height(); ++sy)
        for (int sx = 0; sx < src.width(); ++sx)
            if (painted(src, sx, sy) && dst.valid(x + sx, y + sy))
                dst.setPixel(x + sx, y + sy, src.pixel(sx, sy));
}

QImage mirrored(const QImage& image) {
    QImage out = canvas(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            out.setPixel(image.width() - 1 - x, y, image.pixel(x, y));
    return out;
}

QImage upsideDown(const QImage& image) {
    QImage out = canvas(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            out.setPixel(x, image.height() - 1 - y, image.pixel(x, y));
    return out;
}

QImage enlarged(const QImage& image, int factor) {
    QImage out = canvas(image.width() * factor, image.height() * factor);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            out.setPixel(x, y, image.pixel(x / factor, y / factor));
    return out;
}

QImage outlined(const QImage& image, QRgb ink, bool corners) {
    QImage out = canvas(image.width() + 2, image.height() + 2);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            bool touches = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if ((corners || dx == 0 || dy == 0) && painted(image, x - 1 + dx, y - 1 + dy))
                        touches = true;
            if (touches) out.setPixel(x, y, ink);
        }
    }
    over(out, image, 1, 1);
    return out;
}

QImage banded(const QImage& image, const std::vector<QRgb>& colours) {
    QImage out = canvas(image.width(), image.height());
    const int n = int(colours.size());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (painted(image, x, y)) out.setPixel(x, y, colours[y * n / image.height()]);
    return out;
}

QImage silhouette(const QImage& image, QRgb colour) {
    return banded(image, {colour});
}

QImage cropped(const QImage& image, const QRect& rect) {
    QImage out = canvas(rect.width(), rect.height());
    for (int y = 0; y < rect.height(); ++y)
        for (int x = 0; x < rect.width(); ++x)
            out.setPixel(x, y, image.pixel(rect.x() + x, rect.y() + y));
    return out;
}

bool sameShape(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (painted(a, x, y) != painted(b, x, y)) return false;
    return true;
}

bool solid(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!painted(image, x, y)) return false;
    return true;
}

QImage maskOf(const QImage& sheet, const QRect& region) {
    QImage mask = canvas(region.width(), region.height(), 0xff000000);
    for (int y = 0; y < region.height(); ++y)
        for (int x = 0; x < region.width(); ++x)
            if ((sheet.pixel(region.x() + x, region.y() + y) & 0xffffff) == 0)
                mask.setPixel(x, y, 0xffffffff);
    return mask;
}

} // namespace art
