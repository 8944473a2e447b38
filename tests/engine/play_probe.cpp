#include "play_probe.h"

#include "sprite_sheet.h"

namespace {

bool sameCell(const Surface& s, int x, int y, const Surface& sheet, int gx, int gy) {
    for (int j = 0; j < sheet::GlyphSize; ++j)
        for (int i = 0; i < sheet::GlyphSize; ++i)
            if (s.at(x + i, y + j) != sheet.at(gx + i, gy + j)) return false;
    return true;
}

} // namespace

void placeBomb(Game& g, int slot, int x, int y, int timer) {
    g.BombTable.x[slot] = x;
    g.BombTable.y[slot] = y;
    g.BombTable.timer[slot] = static_cast<std::int8_t>(timer);
}

void placeFragment(Game& g, int slot, int x, int y, int dx, int dy) {
    g.FragmentTable.x[slot] = x;
    g.FragmentTable.y[slot] = y;
    g.FragmentTable.dx[slot] = dx;
    g.FragmentTable.dy[slot] = dy;
    g.FragmentTable.active[slot] = 1;
}

void placeItem(Game& g, int slot, int x, int y, int kind) {
    g.ItemTable.x[slot] = x;
    g.ItemTable.y[slot] = y;
    g.ItemTable.kind[slot] = static_cast<std::uint8_t>(kind);
}

void placeEnemy(Game& g, int slot, int x, int y, int kind, int hdir, int vdir, int frame) {
    g.EnemyTable.x[slot] = x;
    g.EnemyTable.y[slot] = y;
    g.EnemyTable.hdir[slot] = hdir;
    g.EnemyTable.vdir[slot] = vdir;
    g.EnemyTable.frame[slot] = frame;
    g.EnemyTable.state[slot] = static_cast<std::int8_t>(kind);
}

void placeHole(Game& g, int slot, int x, int y, int phase) {
    g.HoleTable.x[slot] = x;
    g.HoleTable.y[slot] = y;
    g.HoleTable.phase[slot] = static_cast<std::int8_t>(phase);
}

std::vector<int> soundsOfLastTick(const Game& g) {
    return std::vector<int>(g.SoundsThisTick, g.SoundsThisTick + g.SoundCountThisTick);
}

std::string textAt(const Surface& surface, int col, int row, int len, const Surface& sheet) {
    std::string text;
    for (int i = 0; i < len; ++i) {
        const int x = (col + i) * sheet::GlyphSize, y = row * sheet::GlyphSize;
        char found = '?';
        for (int c = sheet::FirstGlyph; c <= sheet::LastGlyph && found == '?'; ++c) {
            const int gx = (c & 15) * sheet::GlyphSize, gy = (c / 16) * sheet::GlyphSize - 32;
            if (sameCell(surface, x, y, sheet, gx, gy)) found = static_cast<char>(c);
        }
        text += found;
    }
    return text;
}

Surface maskedOver(const Surface& background, int x, int y, int w, int h, const Surface& sheet,
                   int maskX, int maskY, int picX, int picY) {
    Surface out(w, h);
    out.blit(0, 0, w, h, background, x, y, Rop::Copy);
    out.blit(0, 0, w, h, sheet, maskX, maskY, Rop::And);
    out.blit(0, 0, w, h, sheet, picX, picY, Rop::Xor);
    return out;
}

Surface maskedOnBlack(const Surface& sheet, int w, int h, int maskX, int maskY, int picX,
                      int picY) {
    const Surface black(w, h);
    return maskedOver(black, 0, 0, w, h, sheet, maskX, maskY, picX, picY);
}

bool shows(const Surface& s, int x, int y, const Surface& picture) {
    for (int j = 0; j < picture.height(); ++j)
        for (int i = 0; i < picture.width(); ++i)
            if (s.at(x + i, y + j) != picture.at(i, j)) return false;
    return true;
}

bool blackAt(const Surface& s, int x, int y, int w, int h) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (s.at(x + i, y + j) != Black) return false;
    return true;
}
