#include "surface.h"

#include <algorithm>

Surface::Surface(int width, int height)
    : w_(width), h_(height), px_(static_cast<std::size_t>(width) * height, Black) {}

namespace {

// Shrinks a rectangle so that it lies inside [0, limit) on one axis, moving
// the other surface's coordinate along with it. Returns false when nothing is left.
bool clipAxis(int& d, int& s, int& len, int dLimit, int sLimit) {
    if (d < 0) { s -= d; len += d; d = 0; }
    if (s < 0) { d -= s; len += s; s = 0; }
    len = std::min({len, dLimit - d, sLimit - s});
    return len > 0;
}

} // namespace

void Surface::blit(int dx, int dy, int w, int h, const Surface& src, int sx, int sy, Rop op) {
    if (!clipAxis(dx, sx, w, w_, src.w_) || !clipAxis(dy, sy, h, h_, src.h_)) return;
    for (int y = 0; y < h; ++y) {
        Pixel* d = row(dy + y) + dx;
        const Pixel* s = src.row(sy + y) + sx;
        switch (op) {
        case Rop::Copy: std::copy(s, s + w, d); break;
        case Rop::And:
            for (int x = 0; x < w; ++x) d[x] = (d[x] & s[x]) | Black;
            break;
        case Rop::Xor:
            for (int x = 0; x < w; ++x) d[x] = (d[x] ^ s[x]) | Black;
            break;
        }
    }
}

void Surface::fillBlack(int dx, int dy, int w, int h) {
    constexpr int Unbounded = 1 << 30; // a fill has no source to clip against
    int sx = 0, sy = 0;
    if (!clipAxis(dx, sx, w, w_, Unbounded) || !clipAxis(dy, sy, h, h_, Unbounded)) return;
    for (int y = 0; y < h; ++y) std::fill_n(row(dy + y) + dx, w, Black);
}

void Surface::drawMasked(int dx, int dy, int w, int h, const Surface& src, int maskX, int maskY,
                         int picX, int picY) {
    blit(dx, dy, w, h, src, maskX, maskY, Rop::And);
    blit(dx, dy, w, h, src, picX, picY, Rop::Xor);
}
