#include "compose.h"

#include "art_source.h"
#include "pictures.h"

#include "game/sprite_sheet.h"

#include <algorithm>
#include <map>
#include <string>

namespace art {

namespace {

// Palette-strip places that the layout header leaves unnamed: the light-grey
// square brackets either side of the preview box.
constexpr int BracketWidth = 6;
constexpr int BracketThickness = 2;
constexpr int LeftBracketX = strip::PreviewX - BracketWidth; // 410
constexpr int RightBracketX = strip::PreviewX + sheet::Cell; // 448

// The grown-back brick passes through these sizes, centred in its cell.
constexpr int RegrowPhases[] = {48, 49, 50};
constexpr int RegrowSizes[] = {8, 16, 24};

void require(bool ok, const std::string& what) {
    if (!ok) throw SourceError(what);
}

struct Sources {
    explicit Sources(const QString& dir)
        : colours(dir + "/colours.txt"), font(dir + "/font.txt"), heroine(dir + "/heroine.txt"),
          enemy(dir + "/enemy.txt"), tiles(dir + "/tiles.txt"), objects(dir + "/objects.txt"),
          icons(dir + "/icons.txt"), legend(colours) {}

    QImage cell(const SourceFile& file, const std::string& name, int w = sheet::Cell,
                int h = sheet::Cell) const {
        QImage image = picture(file.block(name), legend);
        require(image.width() == w && image.height() == h, file.block(name).where() + ": '" + name +
                                                               "' must be " + std::to_string(w) +
                                                               " x " + std::to_string(h));
        return image;
    }

    SourceFile colours, font, heroine, enemy, tiles, objects, icons;
    Legend legend;
};

// The twelve frames of a character from its six drawings, which all face
// left; the right-facing frames are their mirror images.
std::vector<QImage> characterFrames(const Sources& src, const SourceFile& file) {
    const QImage stand = src.cell(file, "stand");
    const QImage step1 = src.cell(file, "walk-1");
    const QImage step2 = src.cell(file, "walk-2");
    const QImage climb = src.cell(file, "climb");
    const QImage fall = src.cell(file, "fall");
    const QImage dying = upsideDown(src.cell(file, "dying"));
    return {
        stand,           // 0 standing, facing left
        step1,           // 1 walking left
        step2,           // 2
        mirrored(stand), // 3 standing, facing right
        mirrored(step1), // 4 walking right
        mirrored(step2), // 5
        climb,           // 6 climbing, seen from behind
        mirrored(climb), // 7
        fall,            // 8 falling, facing left
        mirrored(fall),  // 9 falling, facing right
        dying,           // 10 upside down, facing left
        mirrored(dying), // 11 upside down, facing right
    };
}

struct Tiles {
    QImage brick, stone, ladder, hiddenLadder, falseBrick;
    std::map<int, QImage> holes; // by hole phase

    explicit Tiles(const Sources& src) {
        brick = src.cell(src.tiles, "brick");
        require(solid(brick), "tiles.txt: the brick must cover its whole cell, with no background");
        stone = src.cell(src.tiles, "stone");
        ladder = src.cell(src.tiles, "ladder");
        hiddenLadder = src.cell(src.tiles, "hidden-ladder");

        falseBrick = brick;
        over(falseBrick, src.cell(src.tiles, "false-brick"), 0, 0);

        QImage cracked = brick;
        over(cracked, src.cell(src.tiles, "cracks"), 0, 0);
        holes[1] = cracked;
        holes[2] = src.cell(src.tiles, "crumble-1");
        holes[3] = src.cell(src.tiles, "crumble-2");
        holes[4] = src.cell(src.tiles, "crumble-3");
        holes[5] = src.cell(src.tiles, "dust");
        holes[6] = canvas(sheet::Cell, sheet::Cell);
        // The new brick grows from the middle of the cell outwards, showing
        // more of the wall each time until it is whole again.
        for (int i = 0; i < 3; ++i) {
            const int size = RegrowSizes[i];
            const int corner = (sheet::Cell - size) / 2;
            QImage growing = canvas(sheet::Cell, sheet::Cell);
            over(growing, cropped(brick, QRect(corner, corner, size, size)), corner, corner);
            holes[RegrowPhases[i]] = growing;
        }
        holes[51] = brick;
    }
};

struct Objects {
    std::vector<QImage> bomb; // three frames: one, two and three lamps lit
    QImage fragment, apple, bag;

    explicit Objects(const Sources& src) {
        // The bomb's lamps are marked 1, 2 and 3; the block's argument names
        // the colour of a lit lamp and of a dark one.
        const Block& drawing = src.objects.block("bomb");
        require(drawing.argument.size() == 2,
                drawing.where() + ": the bomb needs '<lit> <dark>' lamp colours as its argument");
        for (int frame = 0; frame < 3; ++frame) {
            Block lamps = drawing;
            for (std::string& row : lamps.rows)
                for (char& c : row)
                    if (c >= '1' && c <= '3')
                        c = (c - '1') <= frame ? drawing.argument[0] : drawing.argument[1];
            QImage image = picture(lamps, src.legend);
            require(image.size() == QSize(sheet::Cell, sheet::Cell),
                    drawing.where() + ": bomb size");
            bomb.push_back(image);
        }
        fragment = src.cell(src.objects, "fragment", sheet::FragmentSize, sheet::FragmentSize);
        apple = src.cell(src.objects, "apple");
        bag = src.cell(src.objects, "bag");
    }
};

// The font: blocks "font-20", "font-28" ... each hold eight 8 x 8 glyphs,
// drawn at twice their size in pure white.
std::vector<QImage> glyphs(const Sources& src) {
    std::vector<QImage> out;
    const int count = sheet::LastGlyph - sheet::FirstGlyph + 1;
    for (int first = sheet::FirstGlyph; first < sheet::FirstGlyph + count; first += 8) {
        const std::string name = "font-" + QString::number(first, 16).toStdString();
        const Block& block = src.font.block(name);
        const auto row = inkCells(block, 0xffffffff);
        require(row.size() == 8, block.where() + ": a font block holds eight glyphs");
        for (const QImage& glyph : row) {
            require(glyph.size() == QSize(8, 8), block.where() + ": glyphs are 8 x 8");
            out.push_back(enlarged(glyph, sheet::GlyphSize / 8));
        }
    }
    return out;
}

std::vector<QRgb> colours(const Legend& legend, const std::string& names) {
    std::vector<QRgb> out;
    for (char c : names) out.push_back(legend[c]);
    return out;
}

// A bonus number of `hundreds` x 100 in outlined two-tone digits, centred in
// a 32 x 16 cell.
QImage bonusNumber(const Sources& src, int hundreds) {
    // Each value has its own colours, top half and bottom half.
    static const char* const Tones[] = {"",   "wc", "Yl", "Yy", "yo", "wP",
                                        "oR", "Pv", "cB", "Gg", "Yo"};
    const auto digits = inkCells(src.font.block("popup-digits"), 0xffffffff);
    require(digits.size() == 10, "font.txt: popup-digits must hold the ten digits");
    const std::string text = std::to_string(hundreds * 100);
    const int w = digits[0].width(), h = digits[0].height();
    QImage shape = canvas(int(text.size()) * (w + 1) - 1, h);
    for (std::size_t i = 0; i < text.size(); ++i)
        over(shape, digits[text[i] - '0'], int(i) * (w + 1), 0);
    const std::string tone = Tones[hundreds];
    const QImage number = outlined(
        banded(shape, colours(src.legend, std::string(2, tone[0]) + std::string(3, tone[1]))),
        src.legend['k']);
    QImage cellImage = canvas(sheet::BonusW, sheet::BonusH);
    require(number.width() <= sheet::BonusW && number.height() <= sheet::BonusH,
            "font.txt: popup digits too large for a 32 x 16 bonus number");
    over(cellImage, number, (sheet::BonusW - number.width()) / 2,
         (sheet::BonusH - number.height()) / 2);
    return cellImage;
}

// The title logo: the big letters of block "logo-letters" (its argument
// names them in order) at twice their size, banded in warm colours for the
// first name and cool ones for the second, outlined and with a shadow.
QImage logo(const Sources& src) {
    const Block& block = src.font.block("logo-letters");
    const auto shapes = inkCells(block, 0xffffffff);
    require(shapes.size() == block.argument.size(),
            block.where() + ": the argument must name each letter of the block");
    std::map<char, QImage> letters;
    for (std::size_t i = 0; i < shapes.size(); ++i)
        letters[block.argument[i]] = enlarged(shapes[i], 2);

    const std::string title = "ZOMMEL & VRIX";
    const int gap = 2, space = 6;
    const auto warm = colours(src.legend, "YYyyyoohhRRr");
    const auto middle = colours(src.legend, "wwwwwPPPPPPv");
    const auto cool = colours(src.legend, "wwccccBBBBuu");
    int width = 0, height = 0;
    for (char c : title) {
        require(c == ' ' || letters.count(c), block.where() + ": no logo letter " + c);
        width += c == ' ' ? space - gap : letters[c].width() + gap;
        if (c != ' ') height = std::max(height, letters[c].height());
    }
    width -= gap;
    const int shadow = 2;
    QImage body = canvas(sheet::LogoW, sheet::LogoH);
    int x = (sheet::LogoW - width - shadow) / 2;
    const int top = (sheet::LogoH - height - shadow) / 2;
    bool secondName = false; // from the V of VRIX on
    for (char c : title) {
        if (c == ' ') {
            x += space - gap;
            continue;
        }
        secondName = secondName || c == 'V';
        const auto& tones = c == '&' ? middle : secondName ? cool : warm;
        over(body, banded(letters[c], tones), x, top + height - letters[c].height());
        x += letters[c].width() + gap;
    }
    const QImage inked = outlined(body, src.legend['k']);
    QImage out = canvas(sheet::LogoW, sheet::LogoH);
    over(out, silhouette(inked, src.legend['p']), shadow - 1, shadow - 1);
    over(out, inked, -1, -1);
    return out;
}

QImage paletteStrip(const Sources& src, const Tiles& tiles, const Objects& objects,
                    const std::vector<QImage>& heroine, const std::vector<QImage>& enemy) {
    QImage out = canvas(strip::Width, strip::Height, OpaqueBlack);
    auto onBrick = [&](const QImage& item) {
        QImage cell = tiles.brick;
        over(cell, item, 0, 0);
        return cell;
    };
    const QImage slotPictures[strip::SlotCount] = {
        canvas(sheet::Cell, sheet::Cell), // 0 empty
        tiles.falseBrick,                 // 1
        tiles.ladder,                     // 2
        tiles.brick,                      // 3
        tiles.stone,                      // 4
        tiles.hiddenLadder,               // 5
        objects.apple,                    // 6
        heroine[3],                       // 7 her start cell: she starts facing right
        enemy[0],                         // 8
        onBrick(objects.apple),           // 9
        onBrick(objects.bag),             // 10
    };
    for (int s = 0; s < strip::SlotCount; ++s) over(out, slotPictures[s], s * sheet::Cell, 0);

    // "[" and "]" around the preview box.
    const QImage bracket = [&] {
        QImage b = canvas(BracketWidth, strip::Height);
        const QImage grey = canvas(1, 1, src.legend['G']);
        for (int y = 0; y < strip::Height; ++y)
            for (int x = 0; x < BracketWidth; ++x)
                if (x < BracketThickness || y < BracketThickness ||
                    y >= strip::Height - BracketThickness)
                    over(b, grey, x, y);
        return b;
    }();
    over(out, bracket, LeftBracketX, 0);
    over(out, mirrored(bracket), RightBracketX, 0);
    return out;
}

QImage spriteSheet(const Sources& src, const Tiles& tiles, const Objects& objects,
                   const std::vector<QImage>& heroine, const std::vector<QImage>& enemy,
                   const QImage& strip) {
    using namespace sheet;
    QImage out = canvas(Width, Height, OpaqueBlack);

    const auto font = glyphs(src);
    for (std::size_t i = 0; i < font.size(); ++i)
        over(out, font[i], int(i % 16) * GlyphSize, int(i / 16) * GlyphSize);

    for (int v = 1; v <= 8; ++v) over(out, bonusNumber(src, v), BonusX + BonusW * v, BonusY);
    over(out, bonusNumber(src, 9), Bonus900X, Bonus900Y);
    over(out, bonusNumber(src, 10), Bonus1000X, Bonus900Y);

    for (int f = 0; f < FrameCount; ++f) {
        over(out, heroine[f], Cell * f, HeroineRow);
        over(out, enemy[f], Cell * f, EnemyRow);
    }
    for (int c = 0; c < strip::SlotCount; ++c)
        over(out, cropped(strip, QRect(Cell * c, 0, Cell, Cell)), Cell * c, PaletteIconRow);

    over(out, tiles.brick, TileFalseBrickX, TileRow); // looks solid, holds nothing up
    over(out, tiles.ladder, TileLadderX, TileRow);
    over(out, tiles.brick, TileBrickX, TileRow);
    over(out, tiles.stone, TileStoneX, TileRow);
    for (const auto& [phase, image] : tiles.holes) over(out, image, holeX(phase), TileRow);
    over(out, tiles.brick, SpareBrickX, TileRow);

    for (int f = 0; f < 3; ++f) over(out, objects.bomb[f], BombX + Cell * f, ObjectRow);
    over(out, objects.fragment, FragmentX, ObjectRow);
    over(out, objects.apple, AppleX, ObjectRow);
    over(out, objects.bag, BagX, ObjectRow);

    over(out, logo(src), LogoX, LogoY);

    // Masks, each taken from its picture above.
    auto maskAt = [&](int x, int y, int w, int h, int mx, int my) {
        over(out, maskOf(out, QRect(x, y, w, h)), mx, my);
    };
    for (int f = 0; f < FrameCount; ++f) {
        maskAt(Cell * f, HeroineRow, Cell, Cell, Cell * f, HeroineMaskRow);
        maskAt(Cell * f, EnemyRow, Cell, Cell, Cell * f, EnemyMaskRow);
    }
    for (int x = 0; x < Width; x += Cell) maskAt(x, TileRow, Cell, Cell, x, HoleMaskRow);
    for (int f = 0; f < 3; ++f)
        maskAt(BombX, ObjectRow, Cell, Cell, BombMaskX + Cell * f, ObjectMaskRow);
    maskAt(FragmentX, ObjectRow, FragmentSize, FragmentSize, FragmentX, ObjectMaskRow);
    maskAt(AppleX, ObjectRow, Cell, Cell, AppleX, ObjectMaskRow);
    maskAt(BagX, ObjectRow, Cell, Cell, BagX, ObjectMaskRow);
    for (int v = 1; v <= 8; ++v)
        maskAt(BonusX + BonusW * v, BonusY, BonusW, BonusH, BonusX + BonusW * v, ObjectMaskRow);
    return out;
}

// Each icon size is drawn from the largest drawing that divides it evenly.
struct IconSize {
    int size;
    const char* drawing;
    int factor;
};
constexpr IconSize IconSizes[] = {{16, "icon-16", 1}, {24, "icon-24", 1}, {32, "icon-32", 1},
                                  {48, "icon-24", 2}, {64, "icon-32", 2}, {128, "icon-32", 4},
                                  {256, "icon-32", 8}};

std::vector<Icon> programIcons(const Sources& src) {
    std::vector<Icon> out;
    for (const IconSize& s : IconSizes) {
        const int base = s.size / s.factor;
        out.push_back({s.size, enlarged(src.cell(src.icons, s.drawing, base, base), s.factor)});
    }
    return out;
}

} // namespace

std::vector<int> iconSizes() {
    std::vector<int> sizes;
    for (const IconSize& s : IconSizes) sizes.push_back(s.size);
    return sizes;
}

Artwork drawArtwork(const QString& sourceDir) {
    const Sources src(sourceDir);
    const Tiles tiles(src);
    const Objects objects(src);
    const auto heroine = characterFrames(src, src.heroine);
    const auto enemy = characterFrames(src, src.enemy);
    for (const QImage& lamps : objects.bomb)
        require(sameShape(lamps, objects.bomb[0]),
                "objects.txt: the bomb's frames must paint the same pixels to share one mask");

    Artwork art;
    art.strip = paletteStrip(src, tiles, objects, heroine, enemy);
    art.sheet = spriteSheet(src, tiles, objects, heroine, enemy, art.strip);
    art.icons = programIcons(src);
    return art;
}

} // namespace art
