// Broken bricks crumble, stay open for 50 ticks and grow back; after the last
// apple the hidden ladders appear, one row per tick from the top.
#include "engine.h"
#include "sprite_sheet.h"

void Game::holePhase() {
    for (int i = 0; i < HoleSlots; ++i) {
        const int p = HoleTable.phase[i];
        if (p == 0) continue;
        const int x = HoleTable.x[i], y = HoleTable.y[i];
        if (p >= 48 || p <= 6) {
            const int sx = sheet::holeX(p);
            Image1.drawMasked(x, y, 32, 32, Image3, sx, sheet::HoleMaskRow, sx, sheet::TileRow);
        }
        if (p == 51) {
            // The brick is back: solid from this tick on, shutting in what stands in it.
            Image2.blit(x, y, 32, 32, Image3, sheet::TileBrickX, sheet::TileRow, Rop::Copy);
            setCell(y / 32, x / 32, CodeBrick);
            HoleTable.phase[i] = 0;
        } else {
            HoleTable.phase[i] = static_cast<std::int8_t>(p + 1);
        }
    }
}

// The reveal reads the room as stored, not the play map, where hidden
// ladders read as empty until their row comes.
void Game::ladderRevealPhase() {
    if (LadderRevealRow < 0) return;
    const int r = LadderRevealRow;
    for (int c = 0; c < RoomColumns; ++c) {
        if (*RevealCursor++ != CodeHiddenLadder) continue;
        setCell(r, c, CodeLadder);
        Image1.blit(32 * c, 32 * r, 32, 32, Image3, sheet::TileLadderX, sheet::TileRow, Rop::Copy);
        Image2.blit(32 * c, 32 * r, 32, 32, Image3, sheet::TileLadderX, sheet::TileRow, Rop::Copy);
    }
    if (++LadderRevealRow == 11) LadderRevealRow = -1;
}
