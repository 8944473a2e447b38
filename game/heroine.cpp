// The heroine: walking, climbing, falling, her death and the crush test.
#include "engine.h"
#include "sprite_sheet.h"

#include <cstdlib>

namespace {
int alternate(int frame, int first) { return frame == first ? first + 1 : first; }
} // namespace

bool Game::heroinePhase() {
    if (DyingCounter == 0) {
        heroineLivingUpdate();
        return true;
    }
    // The death fall: straight down through everything, out of sight at 384.
    if (Player.y != 384) Player.y += 16;
    if (DyingCounter != 20) {
        ++DyingCounter;
    } else if (KeyState.any) {
        deathEnd();
        return false;
    }
    return true;
}

void Game::heroineLivingUpdate() {
    const int x = Player.x, y = Player.y;
    const int c = x / 32, r = y / 32;
    const bool alignedX = (x & 31) == 0, alignedY = (y & 31) == 0;
    const int here = cell(r, c), below = cell(r + 1, c), belowRight = cell(r + 1, c + 1);
    const int above = cell(r - 1, c), left = cell(r, c - 1), right = cell(r, c + 1);

    const bool held = (!alignedX && belowRight >= CodeLadder) || below >= CodeLadder ||
                      Chenemy2(x, y + 32) || here == CodeLadder;
    if (!held) {
        Player.frame = Player.facing < 3 ? 8 : 9;
        Player.y += 16;
        return;
    }

    // One arrow decides the tick, in the order down, up, right, left, even
    // when the move it asks for is blocked.
    if (KeyState.down) {
        if (!alignedX) {
            Player.x += Player.dx; // finish the horizontal half-step
        } else if (below == CodeLadder || (here == CodeLadder && below < CodeLadder)) {
            Player.frame = below == CodeLadder ? alternate(Player.frame, 6) : Player.facing;
            Player.y += 16;
            Player.dy = 16;
        }
    } else if (KeyState.up) {
        if (!alignedX) {
            Player.x += Player.dx;
        } else if ((here == CodeLadder && above < CodeBrick) || !alignedY) {
            // Stepping up off the top of a ladder she turns round again.
            Player.frame = (!alignedY && here != CodeLadder) ? Player.facing
                                                              : alternate(Player.frame, 6);
            Player.y -= 16;
            Player.dy = -16;
        }
    } else if (KeyState.right) {
        if (!alignedY) {
            Player.y += Player.dy; // finish the vertical half-step
        } else if (right == CodeEmpty || right == CodeLadder || !alignedX) {
            Player.x += 16;
            Player.frame = alternate(Player.frame, 4);
            Player.facing = 3;
            Player.dx = 16;
        }
    } else if (KeyState.left) {
        if (!alignedY) {
            Player.y += Player.dy;
        } else if (left == CodeEmpty || left == CodeLadder || !alignedX) {
            Player.x -= 16;
            Player.frame = alternate(Player.frame, 1);
            Player.facing = 0;
            Player.dx = -16;
        }
    } else {
        switch (Player.frame) {
        case 1: case 2: Player.frame = 0; break;
        case 4: case 5: Player.frame = 3; break;
        case 8: case 9: Player.frame = Player.facing; break;
        default: break;
        }
    }
}

void Game::drawHeroine() {
    const int f = Player.frame * sheet::Cell;
    Image1.drawMasked(Player.x, Player.y, 32, 32, Image3, f, sheet::HeroineMaskRow, f,
                      sheet::HeroineRow);
}

void Game::deathStart() {
    SoundPlayedThisTick = 0; // the death sound cuts through whatever played this tick
    sound(SoundDeath);
    DyingCounter = 1;
    Player.frame = Player.facing < 3 ? 10 : 11;
}

bool Game::Chenemy2(int x, int y) const {
    for (int i = 0; i < EnemySlots; ++i)
        if (EnemyTable.state[i] != 0 && EnemyTable.y[i] == y && std::abs(EnemyTable.x[i] - x) < 32)
            return true;
    return false;
}

// A brick that grew back in her cell shuts her in. When she straddles two
// columns both must be brick; only the row of her top edge counts.
void Game::crushTest() {
    if (DyingCounter != 0) return;
    const int c = Player.x / 32, r = Player.y / 32;
    if (cell(r, c) == CodeBrick && ((Player.x & 31) == 0 || cell(r, c + 1) == CodeBrick))
        deathStart();
}
