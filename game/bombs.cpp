// Bombs count down for 11 ticks and burst into three fragments; a fragment
// flies a short arc, stops at stone and breaks the first brick it enters.
#include "engine.h"
#include "sprite_sheet.h"

void Game::bombDrop() {
    if (!KeyState.shift || DyingCounter != 0) return;
    KeyState.shift = 0; // one bomb per key press; auto-repeat sets it again
    // At most 11 bombs live at once (one per tick, 11 ticks each), so a slot is always free.
    int slot = 0;
    while (slot < BombSlots - 1 && BombTable.timer[slot] != 0) ++slot;
    BombTable.timer[slot] = 1;
    BombTable.x[slot] = Player.x;
    BombTable.y[slot] = Player.y;
    sound(SoundBombPlaced);
}

void Game::bombPhase() {
    for (int i = 0; i < BombSlots; ++i) {
        const int timer = BombTable.timer[i];
        if (timer == 0) continue;
        const int x = BombTable.x[i];
        int y = BombTable.y[i];
        const int c = x / 32, r = y / 32;
        const bool held = ((x & 31) != 0 && cell(r + 1, c + 1) >= CodeLadder) ||
                          cell(r + 1, c) >= CodeLadder || Chitem(x, y + 32);
        if (!held) y += 16;
        BombTable.y[i] = y;

        Image1.drawMasked(x, y, 32, 32, Image3, sheet::BombMaskX, sheet::ObjectMaskRow,
                          sheet::BombX + 32 * (timer / 4), sheet::ObjectRow);
        if (timer + 1 == 12) {
            BombTable.timer[i] = 0;
            burst(x, y);
        } else {
            BombTable.timer[i] = static_cast<std::int8_t>(timer + 1);
        }
    }
}

void Game::burst(int x, int y) {
    static constexpr int Throw[3][2] = {{-6, -2}, {0, -8}, {6, -2}}; // left, up, right
    int slot = 0;
    for (const auto& speed : Throw) {
        while (slot < FragmentSlots && FragmentTable.active[slot] != 0) ++slot;
        if (slot == FragmentSlots) break;
        FragmentTable.active[slot] = 1;
        FragmentTable.x[slot] = x + 15;
        FragmentTable.y[slot] = y + 15;
        FragmentTable.dx[slot] = speed[0];
        FragmentTable.dy[slot] = speed[1];
    }
    if (x == Player.x && y == Player.y)
        deathStart();
    else
        sound(SoundBurst);
}

void Game::fragmentPhase() {
    for (int i = 0; i < FragmentSlots; ++i) {
        if (!FragmentTable.active[i]) continue;
        const int x = FragmentTable.x[i] + FragmentTable.dx[i];
        const int y = FragmentTable.y[i] + FragmentTable.dy[i];
        if (FragmentTable.dy[i] != 10) FragmentTable.dy[i] += 2;
        FragmentTable.x[i] = x;
        FragmentTable.y[i] = y;

        const int r = y / 32, c = x / 32, code = cell(r, c);
        if (code == CodeStone) {
            FragmentTable.active[i] = 0;
        } else if (code == CodeEmpty || code == CodeFalseBrick || code == CodeLadder) {
            Image1.blit(x, y, sheet::FragmentSize, sheet::FragmentSize, Image3, sheet::FragmentX,
                        sheet::ObjectRow, Rop::Copy);
        } else {
            breakBrick(i, r, c, code);
        }
    }
}

// A fragment entering a brick breaks it: a hidden apple or bag is let out,
// the cell opens at once on both surfaces and a hole starts its cycle.
void Game::breakBrick(int fragment, int r, int c, int code) {
    FragmentTable.active[fragment] = 0;
    int hole = 0;
    while (hole < HoleSlots && HoleTable.phase[hole] != 0) ++hole;
    if (hole == HoleSlots) return; // no hole could grow back: the brick stays, like stone

    const int x = 32 * c, y = 32 * r;
    if (code > 8) {
        int item = 0;
        while (item < ItemSlots && ItemTable.kind[item] != 0) ++item;
        if (item < ItemSlots) {
            ItemTable.kind[item] = static_cast<std::uint8_t>(code - 8);
            ItemTable.x[item] = x;
            ItemTable.y[item] = y;
        }
    }
    setCell(r, c, CodeEmpty);
    sound(SoundBrickBroken);
    HoleTable.phase[hole] = 1;
    HoleTable.x[hole] = x;
    HoleTable.y[hole] = y;
    Image1.fillBlack(x, y, 32, 32);
    Image2.fillBlack(x, y, 32, 32);
}
