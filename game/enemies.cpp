// Enemies walk, fall and climb towards the heroine's row, kill her on touch,
// die in blasts and regrown bricks, and come back at the top of the room.
#include "engine.h"
#include "sprite_sheet.h"

#include <cstdlib>

namespace {
int alternate(int frame, int first) { return frame == first ? first + 1 : first; }
int pictureRow(int kind) { return 128 - 32 * kind; }
int maskRow(int kind) { return 288 - 32 * kind; }
} // namespace

bool Game::Chenemy(int x, int y) const {
    for (int i = 0; i < EnemySlots; ++i)
        if (EnemyTable.state[i] != 0 && EnemyTable.x[i] == x && EnemyTable.y[i] == y) return true;
    return false;
}

void Game::enemyPhase() {
    for (int i = 0; i < EnemySlots; ++i) {
        const int state = EnemyTable.state[i];
        if (state == 0) continue;
        if (state <= 2)
            enemyTurn(i);
        else
            enemyDeathAnimation(i);
    }
}

void Game::enemyTurn(int i) {
    const int kind = EnemyTable.state[i];
    const int speed = 8 * kind;
    int x = EnemyTable.x[i], y = EnemyTable.y[i];
    int hdir = EnemyTable.hdir[i], vdir = EnemyTable.vdir[i], frame = EnemyTable.frame[i];

    const int c = x / 32, r = (y + 32) / 32 - 1;
    const bool alignedX = (x & 31) == 0, alignedY = (y & 31) == 0;
    const int here = cell(r, c), below = cell(r + 1, c), above = cell(r - 1, c);
    const int left = cell(r, c - 1), right = cell(r, c + 1);

    bool walk = false;
    if (alignedX && below < CodeLadder && here != CodeLadder && !Chenemy(x, y + 32)) {
        frame = hdir < 0 ? 8 : 9; // falling; the headings stay as they were
        y += 16;
    } else if (vdir == 16) {
        if (!alignedY || (below == CodeLadder && y != Player.y))
            y += speed;
        else {
            vdir = 0;
            walk = true;
        }
    } else if (vdir == -16) {
        if (!alignedY || (here == CodeLadder && above <= CodeLadder && y != Player.y))
            y -= speed;
        else {
            vdir = 0;
            walk = true;
        }
    } else if (alignedX && (below == CodeLadder || (here == CodeLadder && below < CodeLadder)) &&
               y < Player.y) {
        vdir = 16; // she is lower down: climb down towards her row
        frame = alternate(frame, 6);
        y += speed;
    } else if (alignedX && here == CodeLadder && above < CodeBrick && y > Player.y) {
        vdir = -16; // she is higher up
        frame = alternate(frame, 6);
        y -= speed;
    } else {
        walk = true;
    }

    if (walk) {
        // Walking on in its heading, turning at walls; she plays no part here.
        if (hdir == -16) {
            if (!alignedX || left == CodeEmpty || left == CodeLadder) {
                x -= speed;
                frame = alternate(frame, 1);
            } else {
                hdir = 16;
                if (frame != 3) frame = 0;
            }
        } else {
            if (!alignedX || right == CodeEmpty || right == CodeLadder) {
                x += speed;
                frame = alternate(frame, 4);
                hdir = 16;
            } else {
                hdir = -16;
                if (frame != 0) frame = 3;
            }
        }
    }

    const int f = frame * sheet::Cell;
    Image1.drawMasked(x, y, 32, 32, Image3, f, maskRow(kind), f, pictureRow(kind));

    // Touching her: from 7 pixels to her left up to 15 to her right.
    if (Player.x < x + 8 && x + 8 < Player.x + 24 && std::abs(Player.y - y) < 32 &&
        DyingCounter == 0)
        deathStart();

    EnemyTable.x[i] = x;
    EnemyTable.y[i] = y;
    EnemyTable.hdir[i] = hdir;
    EnemyTable.vdir[i] = vdir;
    EnemyTable.frame[i] = frame;

    for (int k = 0; k < FragmentSlots; ++k) {
        if (!FragmentTable.active[k]) continue;
        const int fx = FragmentTable.x[k], fy = FragmentTable.y[k];
        if (fx >= x && fx <= x + 30 && fy >= y && fy <= y + 30) {
            FragmentTable.active[k] = 0; // a fragment is used up by the first enemy it hits
            killEnemy(i, x, y);
            return;
        }
    }
    // A brick that grew back around it (only a plain brick; y = -16 reads row 0).
    const int row = y / 32, col = x / 32;
    if (cell(row, col) == CodeBrick && ((x & 31) == 0 || cell(row, col + 1) == CodeBrick))
        killEnemy(i, x, y);
}

void Game::killEnemy(int i, int x, int y) {
    EnemyTable.hdir[i] = EnemyTable.state[i]; // remember the kind to come back as
    EnemyTable.state[i] = 3;
    EnemyTable.frame[i] = 11;
    Putno(x, y, 1);
}

// A killed enemy tumbles down upside down and comes back at the top of a
// random column 45 ticks after the kill.
void Game::enemyDeathAnimation(int i) {
    const int kind = EnemyTable.hdir[i] == 1 ? 1 : 2;
    if (EnemyTable.y[i] != 384) {
        EnemyTable.y[i] += 16;
        const int f = EnemyTable.frame[i] * sheet::Cell;
        Image1.drawMasked(EnemyTable.x[i], EnemyTable.y[i], 32, 32, Image3, f, maskRow(kind), f,
                          pictureRow(kind));
    }
    if (++EnemyTable.state[i] == 48) {
        EnemyTable.state[i] = static_cast<std::int8_t>(kind);
        EnemyTable.x[i] = 32 + 32 * (random() % 14);
        EnemyTable.y[i] = -32;
        EnemyTable.hdir[i] = 16;
    }
}
