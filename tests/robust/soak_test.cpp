// Every built-in room played for a long stretch with seeded random keys,
// checking the game's invariants after every tick. Now and then the room is
// made clearable (apples gone, the heroine at the top of a ladder column) so
// that room clears, the next rooms and the ending are reached as well as
// deaths, restarts and game over.
#include "invariants.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

int soakTicks() {
    const char* env = std::getenv("ZOMMEL_SOAK_TICKS");
    return env ? std::atoi(env) : 50000;
}

// A small generator of our own, so the keys do not draw from the game's.
struct Keys {
    std::uint64_t state;
    unsigned next(unsigned n) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<unsigned>(state >> 33) % n;
    }
};

// Puts the heroine in the guard row over a solid row-0 cell with no apple
// left, so the tick's room-clear test fires.
void makeClearable(Game& g) {
    for (int c = 1; c < RoomColumns - 1; ++c) {
        if (g.cell(0, c) < CodeLadder) continue;
        for (int i = 0; i < ItemSlots; ++i)
            if (g.ItemTable.kind[i] == 1) g.ItemTable.kind[i] = 0;
        g.ApplesLeft = 0;
        g.LadderRevealRow = -1;
        g.Player.x = 32 * c;
        g.Player.y = -32;
        return;
    }
}

class Soak : public ::testing::TestWithParam<int> {};

TEST_P(Soak, InvariantsHoldEveryTick) {
    auto game = std::make_unique<Game>();
    Game& g = *game;
    g.startGame(GetParam());
    Keys keys{static_cast<std::uint64_t>(GetParam()) * 7919 + 1};
    static constexpr int Arrows[] = {VkUp, VkDown, VkLeft, VkRight};
    int reached[11] = {};
    int gameOvers = 0, endings = 0;
    const int ticks = soakTicks();
    for (int t = 0; t < ticks; ++t) {
        // Hold or release an arrow, drop bombs now and then, press any key.
        const unsigned roll = keys.next(100);
        if (roll < 20)
            g.FormKeyDown(Arrows[keys.next(4)]);
        else if (roll < 35)
            g.FormKeyUp(Arrows[keys.next(4)]);
        else if (roll < 38)
            g.FormKeyDown(VkShift);
        else if (roll < 40)
            g.FormKeyUp(VkShift);
        else if (roll < 42)
            g.FormKeyDown(VkSpace);
        else if (roll < 44)
            g.FormKeyUp(VkSpace);
        if (g.GameState == StatePlay && g.DyingCounter == 0 && keys.next(1500) == 0)
            makeClearable(g);
        if (g.GameState == StateEnding && keys.next(200) == 0) g.startGame(keys.next(10));

        g.Timer1Timer();

        if (g.GameState == StateGameOver) ++gameOvers;
        if (g.GameState == StateEnding) ++endings;
        if (g.GameState == StatePlay) reached[g.RoomIndex] = 1;
        const std::string broken = brokenInvariant(g);
        ASSERT_TRUE(broken.empty()) << "tick " << t << ": " << broken;
    }
    if (ticks >= 50000) {
        EXPECT_GT(gameOvers, 0);
        int rooms = 0;
        for (int r : reached) rooms += r;
        EXPECT_GT(rooms, 1) << "no room was left by a clear";
    }
}

INSTANTIATE_TEST_SUITE_P(BuiltInRooms, Soak, ::testing::Range(0, RoomsPerSet),
                         [](const auto& info) { return "Room" + std::to_string(info.param + 1); });

} // namespace
