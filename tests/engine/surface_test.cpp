// Raster operations on our surfaces: copy, AND, XOR and black fill over whole
// rectangles, clipped against both surfaces, alpha always opaque.
#include "sprite_sheet.h"
#include "tiny_room.h"

#include <gtest/gtest.h>

namespace {

// Every destination pixel has colour bits the source lacks (0xC0 in each
// byte), and every source pixel has some colour bits set, so each of the
// three operations changes every pixel it reaches.
Surface destination() {
    Surface s(8, 6);
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x) s.set(x, y, 0xC0C0C0u | (x << 8) | y);
    return s;
}

Surface source() {
    Surface s(5, 4);
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x) s.set(x, y, 0x303030u | (x << 16) | (y << 4));
    return s;
}

Pixel apply(Rop op, Pixel d, Pixel s) {
    switch (op) {
    case Rop::Copy:
        return s;
    case Rop::And:
        return (d & s) | Black;
    case Rop::Xor:
        return (d ^ s) | Black;
    }
    return d;
}

struct BlitCase {
    const char* name;
    int dx, dy, w, h, sx, sy;
    int reached; // pixels of the destination the operation reaches
};

const BlitCase blitCases[] = {
    {"inside both", 1, 1, 3, 2, 1, 1, 6},
    {"the whole source", 0, 0, 5, 4, 0, 0, 20},
    {"destination corner negative", -2, -1, 4, 3, 0, 0, 4},
    {"source corner negative", 2, 2, 4, 3, -1, -2, 3},
    {"past the destination's right and bottom", 6, 4, 5, 4, 0, 0, 4},
    {"past the source's right and bottom", 0, 0, 8, 6, 3, 2, 4},
    {"larger than both on every side", -10, -10, 100, 100, -10, -10, 20},
    {"right of the destination", 8, 0, 3, 3, 0, 0, 0},
    {"left of the destination", -3, 0, 3, 3, 0, 0, 0},
    {"below the destination", 0, 6, 3, 3, 0, 0, 0},
    {"right of the source", 0, 0, 3, 3, 5, 0, 0},
    {"left of the source", 0, 0, 5, 3, -5, 0, 0},
    {"above the source", 0, 0, 3, 4, 0, -4, 0},
    {"zero width", 1, 1, 0, 3, 0, 0, 0},
    {"negative height", 1, 1, 3, -2, 0, 0, 0},
};

TEST(RasterOperations, ClipAgainstBothSurfacesForEveryOperation) {
    const Surface src = source();
    for (const Rop op : {Rop::Copy, Rop::And, Rop::Xor}) {
        for (const BlitCase& c : blitCases) {
            SCOPED_TRACE(::testing::Message() << c.name << ", operation " << static_cast<int>(op));
            const Surface before = destination();
            Surface dst = destination();
            dst.blit(c.dx, c.dy, c.w, c.h, src, c.sx, c.sy, op);
            int changed = 0;
            for (int y = 0; y < dst.height(); ++y) {
                for (int x = 0; x < dst.width(); ++x) {
                    const int u = x - c.dx, v = y - c.dy; // offset inside the rectangle
                    const int sx = c.sx + u, sy = c.sy + v;
                    const bool reached = u >= 0 && u < c.w && v >= 0 && v < c.h && sx >= 0 &&
                                         sx < src.width() && sy >= 0 && sy < src.height();
                    const Pixel want =
                        reached ? apply(op, before.at(x, y), src.at(sx, sy)) : before.at(x, y);
                    EXPECT_EQ(dst.at(x, y), want) << "at " << x << "," << y;
                    if (dst.at(x, y) != before.at(x, y)) ++changed;
                }
            }
            EXPECT_EQ(changed, c.reached);
        }
    }
}

struct FillCase {
    const char* name;
    int x, y, w, h;
    int blacked;
};

TEST(RasterOperations, BlacknessFillsOnlyTheClippedRectangle) {
    const FillCase cases[] = {
        {"inside", 1, 1, 3, 2, 6},
        {"negative corner", -2, -2, 4, 4, 4},
        {"past the right and bottom", 6, 5, 5, 5, 2},
        {"covering everything", -100, -100, 1000, 1000, 48},
        {"right of the surface", 8, 0, 2, 2, 0},
        {"above the surface", 0, -3, 2, 3, 0},
        {"negative width", 2, 2, -1, 3, 0},
    };
    for (const FillCase& c : cases) {
        SCOPED_TRACE(c.name);
        Surface dst = destination();
        dst.fillBlack(c.x, c.y, c.w, c.h);
        int blacked = 0;
        for (int y = 0; y < dst.height(); ++y) {
            for (int x = 0; x < dst.width(); ++x) {
                const bool inside = x >= c.x && x < c.x + c.w && y >= c.y && y < c.y + c.h;
                EXPECT_EQ(dst.at(x, y) == Black, inside) << "at " << x << "," << y;
                blacked += dst.at(x, y) == Black;
            }
        }
        EXPECT_EQ(blacked, c.blacked);
    }
}

TEST(RasterOperations, AlphaStaysOpaque) {
    Surface white(4, 4), dst(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            white.set(x, y, White);
            dst.set(x, y, White);
        }
    // White XOR white is black, never a transparent zero.
    dst.blit(0, 0, 4, 2, white, 0, 0, Rop::Xor);
    EXPECT_EQ(dst.at(0, 0), Black);
    EXPECT_EQ(dst.at(3, 3), White);
    // Black AND anything is black.
    dst.blit(0, 2, 4, 2, dst, 0, 0, Rop::And);
    EXPECT_EQ(dst.at(2, 3), Black);

    Surface mixed = destination();
    mixed.blit(0, 0, 5, 4, source(), 0, 0, Rop::Xor);
    mixed.blit(2, 1, 5, 4, source(), 0, 0, Rop::And);
    mixed.blit(-1, 3, 5, 4, source(), 0, 0, Rop::Copy);
    for (int y = 0; y < mixed.height(); ++y)
        for (int x = 0; x < mixed.width(); ++x)
            EXPECT_EQ(mixed.at(x, y) >> 24, 0xFFu) << "at " << x << "," << y;
}

// A 64 x 32 sprite source: a mask at (0, 0) and its picture at (32, 0). The
// picture is a 10 x 10 square of colour on black; the mask is black under
// the square and white elsewhere.
Surface spriteSource() {
    Surface s(64, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const bool paint = x >= 11 && x < 21 && y >= 11 && y < 21;
            s.set(x, y, paint ? Black : White);
            s.set(32 + x, y, paint ? 0x00336699u : Black);
        }
    return s;
}

TEST(RasterOperations, MaskedDrawingKeepsTheBackgroundAroundThePicture) {
    const Surface src = spriteSource();
    Surface dst(40, 40);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) dst.set(x, y, 0x00C0FFEEu ^ (x * 7 + y));
    const Surface before = dst;
    dst.drawMasked(4, 4, 32, 32, src, 0, 0, 32, 0);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool paint = x >= 15 && x < 25 && y >= 15 && y < 25;
            EXPECT_EQ(dst.at(x, y), paint ? (0x00336699u | Black) : before.at(x, y))
                << "at " << x << "," << y;
        }
}

TEST(RasterOperations, SpritesLeavingThePlayfieldAreCut) {
    const Surface src = spriteSource();
    struct Case {
        int y;
        int paintedRows; // rows of the 10-row square that show
    };
    for (const Case c :
         {Case{-32, 0}, Case{-16, 5}, Case{-11, 10}, Case{352, 10}, Case{370, 3}, Case{384, 0}}) {
        SCOPED_TRACE(::testing::Message() << "sprite at y = " << c.y);
        Surface field(PlayfieldWidth, PlayfieldHeight);
        field.drawMasked(100, c.y, 32, 32, src, 0, 0, 32, 0);
        int painted = 0;
        for (int y = 0; y < PlayfieldHeight; ++y)
            for (int x = 0; x < PlayfieldWidth; ++x) painted += field.at(x, y) != Black;
        EXPECT_EQ(painted, 10 * c.paintedRows);
    }
}

TEST(RasterOperations, PhaseSixHoleFrameOfTheSheetLeavesTheDestinationAlone) {
    const Surface& s = realSheet();
    Surface dst(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) dst.set(x, y, 0x00123456u + x * 33 + y);
    const Surface before = dst;
    const int hx = sheet::holeX(6);
    dst.drawMasked(0, 0, 32, 32, s, hx, sheet::HoleMaskRow, hx, sheet::TileRow);
    EXPECT_TRUE(sameRect(dst, 0, 0, before, 0, 0, 32, 32));
}

} // namespace
