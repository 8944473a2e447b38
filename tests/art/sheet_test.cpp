// Checks on the committed sprite sheet and palette strip.
//
// The game draws masked pictures as "mask AND, then picture XOR", so a mask
// must be pure white exactly where its picture is pure black and pure black
// everywhere else; anything else leaves coloured fringes or holes on screen.
#include "game/sprite_sheet.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QRect>

#include <ostream>

#include <string>
#include <vector>

namespace {

constexpr QRgb Black = 0xff000000;
constexpr QRgb White = 0xffffffff;

// The light-grey brackets either side of the strip's preview box.
constexpr int BracketWidth = 6;
constexpr int LeftBracketX = strip::PreviewX - BracketWidth;
constexpr int RightBracketX = strip::PreviewX + sheet::Cell;
constexpr int AfterBrackets = RightBracketX + BracketWidth;

QImage load(const char* file) {
    return QImage(QStringLiteral(ZOMMEL_ASSETS_DIR "/") + file)
        .convertToFormat(QImage::Format_RGB32);
}

const QImage& sheetPicture() {
    static const QImage image = load("sheet.png");
    return image;
}

const QImage& stripPicture() {
    static const QImage image = load("palette.png");
    return image;
}

enum class Picture { Sheet, Strip };

const QImage& of(Picture p) {
    return p == Picture::Sheet ? sheetPicture() : stripPicture();
}

QRect cell(int x, int y) {
    return QRect(x, y, sheet::Cell, sheet::Cell);
}

int paintedPixels(const QImage& image, const QRect& r) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += image.pixel(x, y) != Black;
    return n;
}

bool samePixels(const QImage& a, const QRect& ra, const QImage& b, const QRect& rb) {
    for (int y = 0; y < ra.height(); ++y)
        for (int x = 0; x < ra.width(); ++x)
            if (a.pixel(ra.x() + x, ra.y() + y) != b.pixel(rb.x() + x, rb.y() + y)) return false;
    return true;
}

TEST(ArtFiles, HaveTheirSizes) {
    ASSERT_FALSE(sheetPicture().isNull());
    ASSERT_FALSE(stripPicture().isNull());
    EXPECT_EQ(sheetPicture().size(), QSize(sheet::Width, sheet::Height));
    EXPECT_EQ(stripPicture().size(), QSize(strip::Width, strip::Height));
}

// ---- masks ----------------------------------------------------------------

struct MaskedPicture {
    std::string name;
    QRect picture;
    QPoint mask;
};

void PrintTo(const MaskedPicture& p, std::ostream* os) {
    *os << p.name;
}

std::vector<MaskedPicture> maskedPictures() {
    using namespace sheet;
    std::vector<MaskedPicture> out;
    for (int f = 0; f < FrameCount; ++f) {
        out.push_back({"heroine" + std::to_string(f),
                       cell(Cell * f, HeroineRow),
                       {Cell * f, HeroineMaskRow}});
        out.push_back(
            {"enemy" + std::to_string(f), cell(Cell * f, EnemyRow), {Cell * f, EnemyMaskRow}});
    }
    for (int p : {1, 2, 3, 4, 5, 6, 48, 49, 50, 51})
        out.push_back(
            {"hole" + std::to_string(p), cell(holeX(p), TileRow), {holeX(p), HoleMaskRow}});
    for (int f = 0; f < 3; ++f)
        out.push_back({"bomb" + std::to_string(f),
                       cell(BombX + Cell * f, ObjectRow),
                       {BombMaskX, ObjectMaskRow}});
    out.push_back({"apple", cell(itemX(1), ObjectRow), {itemX(1), ObjectMaskRow}});
    out.push_back({"bag", cell(itemX(2), ObjectRow), {itemX(2), ObjectMaskRow}});
    for (int v = 1; v <= 8; ++v)
        out.push_back({"bonus" + std::to_string(v * 100),
                       QRect(BonusX + BonusW * v, BonusY, BonusW, BonusH),
                       {BonusX + BonusW * v, ObjectMaskRow}});
    return out;
}

class MaskOf : public testing::TestWithParam<MaskedPicture> {};

TEST_P(MaskOf, IsWhiteExactlyWhereThePictureIsBlack) {
    const QImage& s = sheetPicture();
    const MaskedPicture& m = GetParam();
    for (int y = 0; y < m.picture.height(); ++y) {
        for (int x = 0; x < m.picture.width(); ++x) {
            const QRgb picture = s.pixel(m.picture.x() + x, m.picture.y() + y);
            const QRgb mask = s.pixel(m.mask.x() + x, m.mask.y() + y);
            ASSERT_TRUE(mask == Black || mask == White) << "grey mask pixel at " << x << "," << y;
            ASSERT_EQ(mask == White, picture == Black)
                << "mask and picture disagree at " << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sheet, MaskOf, testing::ValuesIn(maskedPictures()),
                         [](const auto& info) { return info.param.name; });

// ---- regions of one colour -------------------------------------------------

struct Plain {
    std::string name;
    Picture in;
    QRect region;
    QRgb colour;
};

void PrintTo(const Plain& p, std::ostream* os) {
    *os << p.name;
}

std::vector<Plain> plainRegions() {
    using namespace sheet;
    const int right = FrameCount * Cell; // nothing lies right of the twelve frames
    return {
        {"SpaceGlyph", Picture::Sheet, QRect(0, 0, GlyphSize, GlyphSize), Black},
        {"EmptyTile", Picture::Sheet, cell(TileEmptyX, TileRow), Black},
        {"EmptyHolePicture", Picture::Sheet, cell(holeX(6), TileRow), Black},
        {"EmptyHoleMask", Picture::Sheet, cell(holeX(6), HoleMaskRow), White},
        {"WholeBrickMask", Picture::Sheet, cell(holeX(51), HoleMaskRow), Black},
        {"RightOfFrames", Picture::Sheet, QRect(right, HeroineRow, Width - right, 2 * Cell), Black},
        {"RightOfFrameMasks", Picture::Sheet, QRect(right, HeroineMaskRow, Width - right, 2 * Cell),
         Black},
        {"StripSpareSlots", Picture::Strip,
         QRect(strip::SlotCount * Cell, 0, LeftBracketX - strip::SlotCount * Cell, Cell), Black},
        {"StripPreviewBox", Picture::Strip, cell(strip::PreviewX, 0), Black},
        {"StripLabel", Picture::Strip,
         QRect(AfterBrackets, 0, strip::Width - AfterBrackets, strip::Height), Black},
    };
}

class PlainRegion : public testing::TestWithParam<Plain> {};

TEST_P(PlainRegion, IsOneColour) {
    const Plain& p = GetParam();
    const QImage& image = of(p.in);
    for (int y = p.region.top(); y <= p.region.bottom(); ++y)
        for (int x = p.region.left(); x <= p.region.right(); ++x)
            ASSERT_EQ(image.pixel(x, y), p.colour) << "at " << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Art, PlainRegion, testing::ValuesIn(plainRegions()),
                         [](const auto& info) { return info.param.name; });

// ---- pictures that must be the same, or must differ -----------------------

struct Pair {
    std::string name;
    Picture inA;
    QRect a;
    Picture inB;
    QPoint b;
    bool same;
};

void PrintTo(const Pair& p, std::ostream* os) {
    *os << p.name;
}

std::vector<Pair> pairs() {
    using namespace sheet;
    const auto S = Picture::Sheet;
    const QRect brick = cell(TileBrickX, TileRow);
    std::vector<Pair> out = {
        {"FalseBrickLooksLikeBrick", S, cell(TileFalseBrickX, TileRow), S, brick.topLeft(), true},
        {"RegrownBrickIsTheBrick", S, cell(holeX(51), TileRow), S, brick.topLeft(), true},
        {"SpareBrickIsTheBrick", S, cell(SpareBrickX, TileRow), S, brick.topLeft(), true},
        {"StripBrickIsTheTile", Picture::Strip, cell(3 * Cell, 0), S, brick.topLeft(), true},
        {"StripLadderIsTheTile",
         Picture::Strip,
         cell(2 * Cell, 0),
         S,
         {TileLadderX, TileRow},
         true},
        {"StripStoneIsTheTile", Picture::Strip, cell(4 * Cell, 0), S, {TileStoneX, TileRow}, true},
        {"StoneDiffersFromBrick", S, cell(TileStoneX, TileRow), S, brick.topLeft(), false},
        {"StripFalseBrickDiffersFromBrick",
         Picture::Strip,
         cell(Cell, 0),
         Picture::Strip,
         {3 * Cell, 0},
         false},
        {"StripHiddenLadderDiffersFromLadder",
         Picture::Strip,
         cell(5 * Cell, 0),
         Picture::Strip,
         {2 * Cell, 0},
         false},
        {"CrackedBrickDiffersFromBrick", S, cell(holeX(1), TileRow), S, brick.topLeft(), false},
        {"HeroineStepsLeftDiffer", S, cell(Cell, HeroineRow), S, {2 * Cell, HeroineRow}, false},
        {"HeroineStepsRightDiffer",
         S,
         cell(4 * Cell, HeroineRow),
         S,
         {5 * Cell, HeroineRow},
         false},
        {"HeroineClimbStepsDiffer",
         S,
         cell(6 * Cell, HeroineRow),
         S,
         {7 * Cell, HeroineRow},
         false},
        {"EnemyStepsLeftDiffer", S, cell(Cell, EnemyRow), S, {2 * Cell, EnemyRow}, false},
        {"EnemyClimbStepsDiffer", S, cell(6 * Cell, EnemyRow), S, {7 * Cell, EnemyRow}, false},
        {"BombFramesOneAndTwoDiffer",
         S,
         cell(BombX, ObjectRow),
         S,
         {BombX + Cell, ObjectRow},
         false},
        {"BombFramesTwoAndThreeDiffer",
         S,
         cell(BombX + Cell, ObjectRow),
         S,
         {BombX + 2 * Cell, ObjectRow},
         false},
    };
    for (int f = 0; f < FrameCount; ++f)
        out.push_back({"EnemyFrame" + std::to_string(f) + "DiffersFromHeroine",
                       S,
                       cell(Cell * f, EnemyRow),
                       S,
                       {Cell * f, HeroineRow},
                       false});
    for (int c = 0; c < strip::SlotCount; ++c)
        out.push_back({"PaletteIcon" + std::to_string(c) + "IsStripSlot",
                       S,
                       cell(Cell * c, PaletteIconRow),
                       Picture::Strip,
                       {Cell * c, 0},
                       true});
    return out;
}

class PicturePair : public testing::TestWithParam<Pair> {};

TEST_P(PicturePair, AreAlikeOrNotAsTheGameNeeds) {
    const Pair& p = GetParam();
    const QRect b(p.b, p.a.size());
    EXPECT_EQ(samePixels(of(p.inA), p.a, of(p.inB), b), p.same);
}

INSTANTIATE_TEST_SUITE_P(Art, PicturePair, testing::ValuesIn(pairs()),
                         [](const auto& info) { return info.param.name; });

// ---- pictures that must show something -------------------------------------

struct Shown {
    std::string name;
    Picture in;
    QRect region;
};

void PrintTo(const Shown& p, std::ostream* os) {
    *os << p.name;
}

std::vector<Shown> shownPictures() {
    using namespace sheet;
    const auto S = Picture::Sheet;
    std::vector<Shown> out = {
        {"Bonus900", S, QRect(Bonus900X, Bonus900Y, BonusW, BonusH)},
        {"Bonus1000", S, QRect(Bonus1000X, Bonus900Y, BonusW, BonusH)},
        {"Fragment", S, QRect(FragmentX, ObjectRow, FragmentSize, FragmentSize)},
        {"Logo", S, QRect(LogoX, LogoY, LogoW, LogoH)},
        {"Ladder", S, cell(TileLadderX, TileRow)},
        {"Stone", S, cell(TileStoneX, TileRow)},
        {"LeftBracket", Picture::Strip, QRect(LeftBracketX, 0, BracketWidth, strip::Height)},
        {"RightBracket", Picture::Strip, QRect(RightBracketX, 0, BracketWidth, strip::Height)},
    };
    for (int v = 1; v <= 8; ++v)
        out.push_back({"Bonus" + std::to_string(v * 100), S,
                       QRect(BonusX + BonusW * v, BonusY, BonusW, BonusH)});
    for (int f = 0; f < FrameCount; ++f) {
        out.push_back({"HeroineFrame" + std::to_string(f), S, cell(Cell * f, HeroineRow)});
        out.push_back({"EnemyFrame" + std::to_string(f), S, cell(Cell * f, EnemyRow)});
    }
    for (int s = 1; s < strip::SlotCount; ++s)
        out.push_back({"StripSlot" + std::to_string(s), Picture::Strip, cell(Cell * s, 0)});
    return out;
}

class ShownPicture : public testing::TestWithParam<Shown> {};

TEST_P(ShownPicture, IsNotBlank) {
    const Shown& p = GetParam();
    EXPECT_GT(paintedPixels(of(p.in), p.region), 0);
}

INSTANTIATE_TEST_SUITE_P(Art, ShownPicture, testing::ValuesIn(shownPictures()),
                         [](const auto& info) { return info.param.name; });

// ---- the font ----------------------------------------------------------------

TEST(Font, GlyphsArePureWhiteOnBlackAndAllDrawn) {
    const QImage& s = sheetPicture();
    for (int c = sheet::FirstGlyph; c <= sheet::LastGlyph; ++c) {
        // The same address the text printers compute.
        const QRect glyph((c & 15) * sheet::GlyphSize, (c / 16) * sheet::GlyphSize - 32,
                          sheet::GlyphSize, sheet::GlyphSize);
        int ink = 0;
        for (int y = glyph.top(); y <= glyph.bottom(); ++y) {
            for (int x = glyph.left(); x <= glyph.right(); ++x) {
                const QRgb p = s.pixel(x, y);
                ASSERT_TRUE(p == Black || p == White)
                    << "glyph " << char(c) << " at " << x << "," << y;
                ink += p == White;
            }
        }
        if (c != ' ') {
            EXPECT_GT(ink, 0) << "glyph " << char(c) << " is blank";
        }
    }
}

} // namespace
