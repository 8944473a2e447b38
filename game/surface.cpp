#include "surface.h"

#include <algorithm>

Surface::Surface(int width, int height)
    : w_(width), h_(height), px_(static_cast<std::size_t>(width) * height, Black) {}

namespace {

constexpr int Unbounded = 1 << 30;

// Shrinks a rectangle so that it lies inside [0, limit) on one axis, moving
// the other surface's coordinate along with it. Returns false when nothing is left.
bool clipAxis(int& d, int& s, int& len, int dLimit, int sLimit) {
    if (d < 0) { s -= d; len += d; d = 0; }
    if (s < 0) { d -= s; len += s; s = 0; }
    len = std::min({len, dLimit - d, sLimit - s});
    return len > 0;
}

template <Rop Op>
void blitRows(Pixel* dst, int dstStride, const Pixel* src, int srcStride, int w, int h) {
    for (int y = 0; y < h; ++y, dst += dstStride, src += srcStride) {
        Pixel* __restrict d = dst;
        const Pixel* __restrict s = src;
        if constexpr (Op == Rop::Copy) {
            std::copy(s, s + w, d);
        } else if constexpr (Op == Rop::And) {
            for (int x = 0; x < w; ++x) d[x] = (d[x] & s[x]) | Black;
        } else {
            for (int x = 0; x < w; ++x) d[x] = (d[x] ^ s[x]) | Black;
        }
    }
}

} // namespace

void Surface::blit(int dx, int dy, int w, int h, const Surface& src, int sx, int sy, Rop op) {
    if (!clipAxis(dx, sx, w, w_, src.w_) || !clipAxis(dy, sy, h, h_, src.h_)) return;
    Pixel* d = row(dy) + dx;
    const Pixel* s = src.row(sy) + sx;
    switch (op) {
    case Rop::Copy: blitRows<Rop::Copy>(d, w_, s, src.w_, w, h); break;
    case Rop::And: blitRows<Rop::And>(d, w_, s, src.w_, w, h); break;
    case Rop::Xor: blitRows<Rop::Xor>(d, w_, s, src.w_, w, h); break;
    }
}

void Surface::fillBlack(int dx, int dy, int w, int h) {
    int sx = 0, sy = 0; // a fill has no source to clip against
    if (!clipAxis(dx, sx, w, w_, Unbounded) || !clipAxis(dy, sy, h, h_, Unbounded)) return;
    for (int y = 0; y < h; ++y) std::fill_n(row(dy + y) + dx, w, Black);
}

void Surface::drawMasked(int dx, int dy, int w, int h, const Surface& src, int maskX, int maskY,
                         int picX, int picY) {
    auto insideSource = [&](int x, int y) {
        return x >= 0 && y >= 0 && x + w <= src.w_ && y + h <= src.h_;
    };
    if (!insideSource(maskX, maskY) || !insideSource(picX, picY)) {
        // Each operation clipped on its own, exactly as two separate blits.
        blit(dx, dy, w, h, src, maskX, maskY, Rop::And);
        blit(dx, dy, w, h, src, picX, picY, Rop::Xor);
        return;
    }
    // Both pictures lie inside the sheet (as every picture the game draws
    // does): only the destination clips, and one pass does mask and picture.
    int ox = 0, oy = 0;
    if (!clipAxis(dx, ox, w, w_, Unbounded) || !clipAxis(dy, oy, h, h_, Unbounded)) return;
    for (int y = 0; y < h; ++y) {
        Pixel* __restrict d = row(dy + y) + dx;
        const Pixel* __restrict m = src.row(maskY + oy + y) + maskX + ox;
        const Pixel* __restrict p = src.row(picY + oy + y) + picX + ox;
        for (int x = 0; x < w; ++x) d[x] = ((d[x] & m[x]) ^ p[x]) | Black;
    }
}
