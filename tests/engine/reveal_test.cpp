// The hidden ladders: they appear one row per tick from the top once the
// last apple is taken, read from the room as stored.
#include "play_probe.h"
#include "sprite_sheet.h"
#include "tiny_room.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Hidden ladders at (0, 5), (3, 2), (4, 12) and (10, 10); she stands at
// (224, 128) beside the only apple and takes it in tick 3 when walking right.
const std::initializer_list<const char*> RevealRoom = {
    "4....5.........4", "4..............4", "4..............4", "4.5............4",
    "4......76...5..4", "4444444444444444", "4..............4", "4..............4",
    "4..............4", "4..............4", "4.........5....4"};

TEST(Reveal, HiddenLaddersAppearRowByRowFromTheTickOfTheLastApple) {
    TinyGame t(RevealRoom, TinyGame::Mode::TestPlay, true);
    const std::uint8_t* stored = t.room.data();
    const Surface& sheet = t->Image3;
    EXPECT_EQ(t->cell(0, 5), CodeEmpty); // hidden until revealed
    EXPECT_EQ(t->RevealCursor, stored);

    t.hold({VkRight});
    t.tick(2);
    EXPECT_EQ(t->LadderRevealRow, -1);
    t.hold({VkUp}); // keeps her where she is: there is no ladder here
    struct Hidden {
        int row, col;
    };
    const Hidden hidden[] = {{0, 5}, {3, 2}, {4, 12}, {10, 10}};
    for (int k = 0; k <= 12; ++k) { // k = ticks after the tick of the last apple
        t.tick();
        SCOPED_TRACE(::testing::Message() << "tick " << k);
        EXPECT_EQ(t->ApplesLeft, 0);
        for (const Hidden& h : hidden) {
            const bool shown = h.row <= k;
            EXPECT_EQ(t->cell(h.row, h.col), shown ? CodeLadder : CodeEmpty) << "row " << h.row;
            if (h.row == k) { // drawn on both surfaces in the tick of its row
                EXPECT_TRUE(sameRect(t->Image2, 32 * h.col, 32 * h.row, sheet, sheet::TileLadderX,
                                     sheet::TileRow, 32, 32));
                EXPECT_TRUE(sameRect(t->Image1, 32 * h.col, 32 * h.row, sheet, sheet::TileLadderX,
                                     sheet::TileRow, 32, 32));
            }
        }
        EXPECT_EQ(t->LadderRevealRow, k < 10 ? k + 1 : -1);
        EXPECT_EQ(t->RevealCursor, stored + 16 * std::min(k + 1, 11));
    }
}

TEST(Reveal, TheRevealReadsTheStoredRoomAndItsLaddersCountAtOnce) {
    TinyGame t(RevealRoom, TinyGame::Mode::TestPlay);
    // The stored room changes under the running game: only the reveal sees it.
    t.room[16 * 7 + 3] = CodeHiddenLadder;
    t.room[16 * 4 + 8] = CodeHiddenLadder; // the apple's cell, where she will stand
    t.room[16 * 5 + 3] = CodeHiddenLadder; // stone in the play map
    EXPECT_EQ(t->cell(7, 3), CodeEmpty);
    t.hold({VkRight});
    t.tick(2);
    t.hold({VkUp});
    t.tick(4); // ticks 0 to 3 after the last apple
    EXPECT_EQ(t->Player.y, 128);
    t.tick(); // row 4: the ladder under her appears and she climbs it in the same tick
    EXPECT_EQ(t->cell(4, 8), CodeLadder);
    EXPECT_EQ(t->Player.y, 112);
    t.tick();
    EXPECT_EQ(t->cell(5, 3), CodeLadder);
    t.tick(2);
    EXPECT_EQ(t->cell(7, 3), CodeLadder);
}

TEST(Reveal, ARoomWithoutApplesNeverRevealsItsLadders) {
    TinyGame t({"4....5.........4", "4......7.......4", "4444444444444444"});
    EXPECT_EQ(t->ApplesLeft, 0);
    t.tick(30);
    EXPECT_EQ(t->LadderRevealRow, -1);
    EXPECT_EQ(t->cell(0, 5), CodeEmpty);
}

} // namespace
