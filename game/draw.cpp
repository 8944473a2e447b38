// Text with the sheet font, the status line and the four-pass wipe.
#include "engine.h"
#include "sprite_sheet.h"

#include <cstdio>
#include <cstring>

void drawText(Surface& dst, int x, int y, const char* text, const Surface& spriteSheet) {
    for (; *text; ++text, x += sheet::GlyphSize) {
        const auto c = static_cast<std::int8_t>(*text);
        // Only the font's characters are drawn; anything else would address
        // other pictures or lie outside the sheet.
        if (c < sheet::FirstGlyph || c > sheet::LastGlyph) continue;
        const int gx = (c & 15) * sheet::GlyphSize;
        const int gy = (c / 16) * sheet::GlyphSize - 32;
        dst.blit(x, y, sheet::GlyphSize, sheet::GlyphSize, spriteSheet, gx, gy, Rop::Copy);
    }
}

void Game::printText(Surface& dst, int x, int y, const char* text) {
    drawText(dst, x, y, text, Image3);
}

void Game::prin(int col, int row, const char* text) {
    printText(Image2, col * sheet::GlyphSize, row * sheet::GlyphSize, text);
}

void Game::prin3(int col, int row, const char* text) {
    printText(Image1, col * sheet::GlyphSize, row * sheet::GlyphSize, text);
}

void Game::prin2(int col, const char* text) {
    std::snprintf(StatusText, sizeof StatusText, "%s", text);
    printText(Image4, col * sheet::GlyphSize, 8, text);
}

void Game::Putsc() {
    // The line always covers columns 1 to 30, so it overwrites the last one
    // without clearing the bar. A score of seven digits or more runs past the
    // bar's right edge and is cut there. The room number is worked out in a
    // wider type so that no RoomIndex can overflow it.
    char line[64];
    std::snprintf(line, sizeof line, "ROOM %2lld  SCORE %5d00  REST%2d",
                  static_cast<long long>(RoomIndex) + 1, Score, Lives);
    prin2(1, line);
    host_->showStatusBar();
}

void Game::Dasu() {
    for (int pass = 0; pass < 4; ++pass) {
        for (int y = pass; y < PlayfieldHeight; y += 4)
            Image1.blit(0, y, PlayfieldWidth, 1, Image2, 0, y, Rop::Copy);
        host_->showPlayfield();
    }
}
