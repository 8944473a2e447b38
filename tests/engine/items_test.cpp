// Apples and money bags: falling, stacking, rising out of bricks, being taken
// by the heroine and drawn.
#include "play_probe.h"
#include "sprite_sheet.h"
#include "tiny_room.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Sounds = std::vector<int>;

// The heroine is kept out of the way on a ledge at (416, 32).
std::vector<std::string> aside(std::initializer_list<const char*> rows3on) {
    std::vector<std::string> rows = {"4..............4", "4............7.4", "4............4.4"};
    rows.insert(rows.end(), rows3on.begin(), rows3on.end());
    return rows;
}

TEST(ItemFall, AnItemFallsHalfACellPerTickUntilSomethingHoldsIt) {
    struct Case {
        const char* under; // row 5, under the apple of row 4
        bool falls;
    };
    const Case cases[] = {
        {"4......3.......4", false}, {"4......4.......4", false}, {"4......2.......4", false},
        {"4......9.......4", false}, {"4......a.......4", false}, {"4......1.......4", true},
        {"4..............4", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.under);
        TinyGame t(roomFrom(aside({"4..............4", "4......6.......4", c.under})));
        t.tick();
        EXPECT_EQ(t->ItemTable.y[0], c.falls ? 144 : 128);
        if (c.falls) {
            t.tick();
            EXPECT_EQ(t->ItemTable.y[0], 160);
        }
    }
}

TEST(ItemFall, AnItemInALadderCellFallsWhenNothingIsUnderIt) {
    TinyGame t(roomFrom(aside({"4......2.......4"})));
    placeItem(*t, 0, 224, 96, 1);
    t.tick();
    EXPECT_EQ(t->ItemTable.y[0], 112);
}

TEST(ItemStack, AnItemRestsExactlyOnAnotherAndFollowsItBySlotOrder) {
    struct Case {
        int upperSlot, lowerSlot;
        int upperYAfterOneTick;
    };
    // The lower apple is in a false-brick cell and falls through it at once.
    for (const Case& c : {Case{1, 0, 144}, Case{0, 1, 128}}) {
        SCOPED_TRACE(::testing::Message() << "upper slot " << c.upperSlot);
        TinyGame t(roomFrom(aside({"4..............4", "4..............4", "4......1.......4"})));
        placeItem(*t, c.upperSlot, 224, 128, 1);
        placeItem(*t, c.lowerSlot, 224, 160, 1);
        t.tick();
        EXPECT_EQ(t->ItemTable.y[c.lowerSlot], 176);
        EXPECT_EQ(t->ItemTable.y[c.upperSlot], c.upperYAfterOneTick);
        t.tick();
        EXPECT_EQ(t->ItemTable.y[c.lowerSlot], 192);
        EXPECT_EQ(t->ItemTable.y[c.upperSlot], c.upperYAfterOneTick + 16);
    }
    // Held by a brick, the two stay stacked.
    TinyGame held(roomFrom(aside({"4..............4", "4..............4", "4......3.......4"})));
    placeItem(*held, 0, 224, 96, 1);
    placeItem(*held, 1, 224, 128, 2);
    held.tick(3);
    EXPECT_EQ(held->ItemTable.y[0], 96);
    EXPECT_EQ(held->ItemTable.y[1], 128);
}

TEST(ItemRise, AnItemCaughtInsideABrickOrHalfWayOverOneRises) {
    struct Case {
        const char* name;
        int y;
        std::vector<int> path;
    };
    // Column 7: brick in row 5, brick in row 6 under it.
    const Case cases[] = {
        {"inside a brick over a brick", 160, {144, 128, 128}},
        {"half-way down into a solid cell", 144, {128, 128}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TinyGame t(roomFrom(aside(
            {"4..............4", "4..............4", "4......3.......4", "4......3.......4"})));
        placeItem(*t, 0, 224, c.y, 1);
        for (int y : c.path) {
            t.tick();
            EXPECT_EQ(t->ItemTable.y[0], y);
        }
    }
    // Inside a brick with open space under it, it drops out instead.
    TinyGame t(roomFrom(aside({"4..............4", "4..............4", "4......3.......4"})));
    placeItem(*t, 0, 224, 160, 1);
    t.tick();
    EXPECT_EQ(t->ItemTable.y[0], 176);
}

TEST(ItemPickup, SheTakesAnItemOnlyWhenItsPositionEqualsHersAfterItMoved) {
    // An apple falling onto her is taken in the tick in which it reaches her y.
    TinyGame t({"4..............4", "4..............4", "4..............4", "4..............4",
                "4..............4", "4..............4", "4..............4", "4..............4",
                "4......6.......4", "4..............4", "4......7....6..4"});
    for (int tick = 1; tick <= 3; ++tick) {
        t.tick();
        EXPECT_EQ(t->ApplesLeft, 2) << "tick " << tick;
    }
    EXPECT_EQ(t->ItemTable.y[0], 304);
    t.tick();
    EXPECT_EQ(t->ApplesLeft, 1);
    EXPECT_EQ(t->ItemTable.kind[0], 0);
    EXPECT_EQ(t->Score, 1);
    EXPECT_EQ(soundsOfLastTick(*t), Sounds{SoundApple});

    // Half a cell beside it she never takes it.
    TinyGame beside({"4..............4", "4..............4", "4..............4", "4..............4",
                     "4..............4", "4..............4", "4..............4", "4..............4",
                     "4......6.......4", "4..............4", "4......7.......4"});
    beside->Player.x = 240;
    beside.tick(10);
    EXPECT_EQ(beside->ApplesLeft, 1);
    EXPECT_EQ(beside->ItemTable.y[0], 320);
}

TEST(ItemPickup, NothingIsTakenWhileSheDies) {
    TinyGame t({"4..............4", "4......7.......4", "4444444444444444"});
    placeItem(*t, 0, 224, 32, 1); // exactly where she is when the items move
    t->ApplesLeft = 1;
    t->DyingCounter = 4;
    t.tick();
    EXPECT_EQ(t->ItemTable.kind[0], 1);
    EXPECT_EQ(t->ApplesLeft, 1);
    EXPECT_EQ(t->Score, 0);
}

TEST(ItemPickup, TwoItemsAtHerPositionAreBothTakenEachWithItsAward) {
    TinyGame t({"4..............4", "4......7.......4", "4444444444444444"});
    placeItem(*t, 3, 224, 32, 1);
    placeItem(*t, 5, 224, 32, 2);
    t->ApplesLeft = 2;
    t->BagsTotal = 1;
    t.tick();
    EXPECT_EQ(t->ItemTable.kind[3], 0);
    EXPECT_EQ(t->ItemTable.kind[5], 0);
    EXPECT_EQ(t->ApplesLeft, 1);
    EXPECT_EQ(t->BagsTaken, 1);
    EXPECT_EQ(t->Score, 1 + 3);
    EXPECT_EQ(t->PopupTable.value[0], 1);
    EXPECT_EQ(t->PopupTable.value[1], 3);
    EXPECT_EQ(soundsOfLastTick(*t), Sounds{SoundApple}); // the bag's sound comes second
}

TEST(ItemPickup, TheLastAppleStartsTheRevealWithItsOwnSound) {
    TinyGame t({"4..............4", "4......76......4", "4444444444444444"});
    t.hold({VkRight});
    t.tick(2);
    EXPECT_EQ(t->LadderRevealRow, -1);
    t.tick();
    EXPECT_EQ(t->ApplesLeft, 0);
    EXPECT_EQ(t->LadderRevealRow, 1); // row 0 was already revealed in this tick
    EXPECT_EQ(soundsOfLastTick(*t), Sounds{SoundLastApple});
}

TEST(ItemPickup, AMoneyBagCountsAndPlaysItsSound) {
    TinyGame t({"4..............4", "4......7.......4", "4444444444444444"});
    placeItem(*t, 0, 224, 32, 2);
    t->BagsTotal = 1;
    t.tick();
    EXPECT_EQ(t->BagsTaken, 1);
    EXPECT_EQ(t->Score, 2);
    EXPECT_EQ(t->PopupTable.value[0], 2);
    EXPECT_EQ(soundsOfLastTick(*t), Sounds{SoundBag});
}

TEST(ItemDrawing, ApplesAndBagsAreDrawnWithTheirMasks) {
    TinyGame t(roomFrom(aside({"4..............4", "4..6...........4", "4..3.3.........4"})),
               TinyGame::Mode::LoadedSet, true);
    placeItem(*t, 1, 160, 128, 2);
    t.tick();
    const Surface& sheet = t->Image3;
    for (int kind : {1, 2}) {
        SCOPED_TRACE(kind);
        const int x = kind == 1 ? 96 : 160;
        EXPECT_TRUE(shows(t->Image1, x, 128,
                          maskedOver(t->Image2, x, 128, 32, 32, sheet, sheet::itemX(kind),
                                     sheet::ObjectMaskRow, sheet::itemX(kind), sheet::ObjectRow)));
    }
}

TEST(ItemDrawing, ATakenItemIsNotDrawn) {
    TinyGame t({"4..............4", "4......7.......4", "4444444444444444"},
               TinyGame::Mode::LoadedSet, true);
    placeItem(*t, 0, 224, 32, 1);
    t->ApplesLeft = 2;
    t.tick();
    ASSERT_EQ(t->ItemTable.kind[0], 0);
    // Only she is drawn there (her award's number covers the cell from row 11 down).
    const int f = 32 * t->Player.frame;
    EXPECT_TRUE(shows(t->Image1, 224, 32,
                      maskedOver(t->Image2, 224, 32, 32, 11, t->Image3, f, sheet::HeroineMaskRow, f,
                                 sheet::HeroineRow)));
}

} // namespace
