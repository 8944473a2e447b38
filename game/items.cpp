// Apples and money bags, the award of the bonus chain and the rising numbers.
#include "engine.h"
#include "sprite_sheet.h"

void Game::itemPhase() {
    for (int i = 0; i < ItemSlots; ++i) {
        const int kind = ItemTable.kind[i];
        if (kind == 0) continue;
        const int x = ItemTable.x[i];
        int y = ItemTable.y[i];
        const int own = cell(y / 32, x / 32), below = cell(y / 32 + 1, x / 32);

        // Loose items fall onto anything solid or onto another item; one
        // caught inside a brick (or half-way between rows) is pushed up.
        if (below < CodeLadder && !Chitem(x, y + 32))
            y += 16;
        else if (own > CodeLadder || (y & 31) != 0)
            y -= 16;
        ItemTable.y[i] = y;

        if (Player.x == x && Player.y == y && DyingCounter == 0) {
            if (kind == 1) {
                Putno(Player.x, Player.y, 1);
                if (--ApplesLeft == 0) {
                    LadderRevealRow = 0; // the hidden ladders appear from this tick on
                    sound(SoundLastApple);
                } else {
                    sound(SoundApple);
                }
            } else {
                Putno(Player.x, Player.y, 2);
                sound(SoundBag);
                ++BagsTaken;
            }
            ItemTable.kind[i] = 0;
            continue;
        }
        const int sx = sheet::itemX(kind);
        Image1.drawMasked(x, y, 32, 32, Image3, sx, sheet::ObjectMaskRow, sx, sheet::ObjectRow);
    }
}

bool Game::Chitem(int x, int y) const {
    for (int i = 0; i < ItemSlots; ++i)
        if (ItemTable.kind[i] != 0 && ItemTable.x[i] == x && ItemTable.y[i] == y) return true;
    return false;
}

// Every pickup and every kill is worth the chain's next step, shown as a
// number that rises above the spot. With all popups busy nothing is scored.
void Game::Putno(int x, int y, int step) {
    int slot = 0;
    while (slot < PopupSlots && PopupTable.value[slot] != 0) ++slot;
    if (slot == PopupSlots) return;
    ChainValue += step;
    if (ChainValue > 8) ChainValue = 8;
    Score += ChainValue;
    Putsc();
    PopupTable.value[slot] = static_cast<std::uint8_t>(ChainValue);
    PopupTable.x[slot] = x;
    PopupTable.y[slot] = y + 12;
    PopupTable.timer[slot] = 0;
}

// Numbers rise a pixel a tick for twelve ticks; each one that ends takes a
// step off the chain, and a tick that starts with none on screen ends it.
void Game::popupPhase() {
    bool anyLive = false;
    for (int i = 0; i < PopupSlots; ++i) {
        const int value = PopupTable.value[i];
        if (value == 0) continue;
        anyLive = true;
        --PopupTable.y[i];
        const int sx = sheet::BonusX + sheet::BonusW * value;
        Image1.drawMasked(PopupTable.x[i], PopupTable.y[i], sheet::BonusW, sheet::BonusH, Image3,
                          sx, sheet::ObjectMaskRow, sx, sheet::BonusY);
        if (++PopupTable.timer[i] == 12) {
            PopupTable.value[i] = 0;
            // The chain never drops below 0, so every award scores at least
            // 100 even after the cap of 8 has cut some steps.
            if (ChainValue > 0) --ChainValue;
        }
    }
    if (!anyLive) ChainValue = 0;
}
