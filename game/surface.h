// Our own drawing surfaces and the four raster operations the game draws with.
//
// A surface is a 32-bit 0xAARRGGBB pixel buffer. Black is 0xFF000000 and white
// 0xFFFFFFFF: the operations work bitwise on the colour bits and always leave
// alpha at 0xFF, so the buffer can be shown as it is. Every operation works on
// a whole rectangle, row by row, clipped against the source and the destination
// (rectangles may start at negative coordinates or reach past either edge).
#pragma once

#include <cstdint>
#include <vector>

using Pixel = std::uint32_t;

constexpr Pixel Black = 0xFF000000u;
constexpr Pixel White = 0xFFFFFFFFu;

// The raster operations of the game.
enum class Rop {
    Copy,   // SRCCOPY: destination = source
    And,    // SRCAND: destination = destination AND source (masks)
    Xor,    // SRCINVERT: destination = destination XOR source (pictures over masks)
};

class Surface {
public:
    Surface(int width, int height);

    int width() const { return w_; }
    int height() const { return h_; }
    Pixel* row(int y) { return px_.data() + static_cast<std::size_t>(y) * w_; }
    const Pixel* row(int y) const { return px_.data() + static_cast<std::size_t>(y) * w_; }
    Pixel* data() { return px_.data(); }
    const Pixel* data() const { return px_.data(); }
    Pixel at(int x, int y) const { return row(y)[x]; }
    void set(int x, int y, Pixel p) { row(y)[x] = p | Black; }

    // Copies w x h pixels from (sx, sy) of src to (dx, dy) of this surface.
    void blit(int dx, int dy, int w, int h, const Surface& src, int sx, int sy, Rop op);
    // BLACKNESS: fills the rectangle with black.
    void fillBlack(int dx, int dy, int w, int h);
    // Masked drawing: mask with AND, then picture with XOR, same rectangle.
    void drawMasked(int dx, int dy, int w, int h, const Surface& src, int maskX, int maskY,
                    int picX, int picY);

private:
    int w_, h_;
    std::vector<Pixel> px_;
};
