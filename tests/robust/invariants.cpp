#include "invariants.h"

#include <string>

namespace {
bool within(int v, int lo, int hi) { return v >= lo && v <= hi; }
} // namespace

std::string brokenInvariant(const Game& g) {
    auto fail = [](const std::string& what, int slot, int value) {
        return what + " (slot " + std::to_string(slot) + ", value " + std::to_string(value) + ")";
    };
    const bool playing = g.GameState == StatePlay;
    if (!within(g.GameState, 0, 10) || g.GameState == 7) return fail("GameState", -1, g.GameState);
    if (!within(g.PlayMode, 0, 2)) return fail("PlayMode", -1, g.PlayMode);
    if (g.ApplesLeft < 0) return fail("ApplesLeft", -1, g.ApplesLeft);
    if (g.BagsTaken > g.BagsTotal) return fail("BagsTaken", -1, g.BagsTaken);
    if (!within(g.ChainValue, 0, 8)) return fail("ChainValue", -1, g.ChainValue);
    if (!within(g.DyingCounter, 0, 20)) return fail("DyingCounter", -1, g.DyingCounter);
    if (!within(g.LadderRevealRow, -1, 10)) return fail("LadderRevealRow", -1, g.LadderRevealRow);
    if (g.Lives < -1) return fail("Lives", -1, g.Lives);
    if (!within(g.RoomIndex, 0, 10)) return fail("RoomIndex", -1, g.RoomIndex);

    const auto& p = g.Player;
    if (playing && g.DyingCounter == 0 && (!within(p.x, 32, 448) || !within(p.y, -32, 320)))
        return fail("Player position", p.x, p.y);
    if (playing && (p.x % 16 || p.y % 16 || !within(p.y, -32, 384)))
        return fail("Player grid", p.x, p.y);
    if (!within(p.frame, 0, 11)) return fail("Player.frame", -1, p.frame);

    for (int r = -1; r < RoomRows; ++r)
        for (int c = 0; c < RoomColumns; ++c)
            if (!within(g.cell(r, c), 0, 10)) return fail("PlayMap", r * 16 + c, g.cell(r, c));

    for (int i = 0; i < EnemySlots; ++i) {
        const int s = g.EnemyTable.state[i];
        if (!within(s, 0, 47)) return fail("EnemyTable.state", i, s);
        if (s == 0) continue;
        const int x = g.EnemyTable.x[i], y = g.EnemyTable.y[i];
        if (!within(x, 32, 448) || x % 8) return fail("EnemyTable.x", i, x);
        if (s <= 2 && (!within(y, -32, 320) || y % 8)) return fail("EnemyTable.y", i, y);
        if (s > 2 && !within(y, -32, 384 + 16 * 45)) return fail("dying EnemyTable.y", i, y);
        if (!within(g.EnemyTable.frame[i], 0, 11)) return fail("EnemyTable.frame", i, 0);
    }
    for (int i = 0; i < ItemSlots; ++i) {
        const int k = g.ItemTable.kind[i];
        if (!within(k, 0, 2)) return fail("ItemTable.kind", i, k);
        if (k == 0) continue;
        const int x = g.ItemTable.x[i], y = g.ItemTable.y[i];
        if (!within(x, 32, 448) || x % 32) return fail("ItemTable.x", i, x);
        if (!within(y, -32, 320) || y % 16) return fail("ItemTable.y", i, y);
    }
    for (int i = 0; i < BombSlots; ++i)
        if (!within(g.BombTable.timer[i], 0, 11)) return fail("BombTable.timer", i, g.BombTable.timer[i]);
    for (int i = 0; i < FragmentSlots; ++i) {
        if (!within(g.FragmentTable.active[i], 0, 1)) return fail("FragmentTable.active", i, 0);
        if (!g.FragmentTable.active[i]) continue;
        const int dx = g.FragmentTable.dx[i], dy = g.FragmentTable.dy[i];
        if (dx != -6 && dx != 0 && dx != 6) return fail("FragmentTable.dx", i, dx);
        if (!within(dy, -6, 10) || dy % 2) return fail("FragmentTable.dy", i, dy);
    }
    for (int i = 0; i < HoleSlots; ++i)
        if (!within(g.HoleTable.phase[i], 0, 51)) return fail("HoleTable.phase", i, g.HoleTable.phase[i]);
    for (int i = 0; i < PopupSlots; ++i) {
        const int v = g.PopupTable.value[i];
        if (!within(v, 0, 8)) return fail("PopupTable.value", i, v);
        if (v && !within(g.PopupTable.timer[i], 0, 11)) return fail("PopupTable.timer", i, 0);
    }
    return {};
}
