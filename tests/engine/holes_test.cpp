// Broken bricks: the hole's pictures and timing, regrowth shutting in what
// stands in the cell, hidden items let out, and a full hole table.
#include "play_probe.h"
#include "sprite_sheet.h"
#include "tiny_room.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using Sounds = std::vector<int>;

// A brick at (224, 192), row 6, column 7, on stone, and a fragment that
// enters it in the first tick (tick 0 of the hole).
TinyGame brickRoom(const char* row6 = "4......3.......4", bool withSheet = false) {
    TinyGame t({"4..............4", "4............7.4", "4............4.4", "4..............4",
                "4..............4", "4..............4", row6, "4......4.......4"},
               TinyGame::Mode::LoadedSet, withSheet);
    placeFragment(*t, 0, 240, 185, 0, 10);
    return t;
}

TEST(HoleTimeline, TheHoleCrumblesStaysOpenFiftyTicksAndGrowsBack) {
    TinyGame t = brickRoom("4......3.......4", true);
    const Surface& sheet = t->Image3;
    for (int tick = 0; tick <= 51; ++tick) {
        SCOPED_TRACE(::testing::Message() << "tick " << tick);
        t.tick();
        const int phase = tick + 1; // the phase shown in this tick
        if (tick == 0) {
            EXPECT_EQ(soundsOfLastTick(*t), Sounds{SoundBrickBroken});
            EXPECT_EQ(t->FragmentTable.active[0], 0);
            EXPECT_EQ(t->HoleTable.x[0], 224);
            EXPECT_EQ(t->HoleTable.y[0], 192);
        }
        EXPECT_EQ(t->cell(6, 7), tick < 50 ? CodeEmpty : CodeBrick);
        EXPECT_EQ(t->HoleTable.phase[0], tick < 50 ? phase + 1 : 0);
        if (tick < 50)
            EXPECT_TRUE(blackAt(t->Image2, 224, 192, 32, 32));
        else
            EXPECT_TRUE(
                sameRect(t->Image2, 224, 192, sheet, sheet::TileBrickX, sheet::TileRow, 32, 32));
        if (phase <= 6 || (phase >= 48 && phase <= 51)) {
            const int column = phase <= 6 ? 4 + phase : phase - 37; // 5..10 and 11..14
            EXPECT_TRUE(shows(t->Image1, 224, 192,
                              maskedOnBlack(sheet, 32, 32, 32 * column, sheet::HoleMaskRow,
                                            32 * column, sheet::TileRow)));
        } else if (phase < 48) {
            EXPECT_TRUE(blackAt(t->Image1, 224, 192, 32, 32));
        } else { // after the slot was freed the background brick shows
            EXPECT_TRUE(
                sameRect(t->Image1, 224, 192, sheet, sheet::TileBrickX, sheet::TileRow, 32, 32));
        }
    }
}

TEST(HoleTimeline, TheBrokenCellTurnsBlackOnBothSurfacesBeforeTheHoleIsDrawn) {
    TinyGame t = brickRoom();
    // A sheet in which every pixel differs, and a background brick that is not black.
    t->Image3 = patternSheet();
    t->Image2.blit(224, 192, 32, 32, patternSheet(), 0, 0, Rop::Copy);
    t.tick();
    EXPECT_TRUE(blackAt(t->Image2, 224, 192, 32, 32));
    const int x = sheet::holeX(1);
    EXPECT_TRUE(
        shows(t->Image1, 224, 192,
              maskedOnBlack(patternSheet(), 32, 32, x, sheet::HoleMaskRow, x, sheet::TileRow)));
}

TEST(HoleTimeline, AHeroineStandingAlignedInTheHoleWhenItGrowsBackDies) {
    for (int halfSteps : {0, 1}) {
        SCOPED_TRACE(::testing::Message() << "half-steps right: " << halfSteps);
        // She stands on the brick; it breaks under her and she drops into the hole.
        TinyGame t({"4..............4", "4..............4", "4..............4", "4..............4",
                    "4..............4", "4......7.......4", "4......3.......4",
                    "4......44......4"});
        placeFragment(*t, 0, 240, 185, 0, 10);
        t.tick(3);
        EXPECT_EQ(t->Player.y, 192);
        if (halfSteps) {
            t.hold({VkRight});
            t.tick();
            t.hold({});
        }
        t.tick(49 - t->HoleTable.phase[0] + 2); // on to the end of tick 49
        ASSERT_EQ(t->HoleTable.phase[0], 51);
        EXPECT_EQ(t->DyingCounter, 0);
        t.tick(); // tick 50: the brick is back
        EXPECT_EQ(t->cell(6, 7), CodeBrick);
        if (halfSteps == 0) {
            EXPECT_EQ(t->DyingCounter, 1);
            EXPECT_EQ(soundsOfLastTick(*t), Sounds{SoundDeath});
        } else {
            EXPECT_EQ(t->Player.x, 240); // only half of her is in the brick
            EXPECT_EQ(t->DyingCounter, 0);
        }
    }
}

TEST(HiddenItems, ABrickHidingAnItemLetsItOutAtTheCellIntoTheFirstFreeSlot) {
    struct Case {
        const char* row6;
        int kind;
        int slot; // the first free one
    };
    // An apple in a brick read before a free apple leaves slot 0 free for
    // itself; a money bag does not.
    for (const Case& c : {Case{"4......9....6..4", 1, 0}, Case{"4......a....6..4", 2, 1}}) {
        SCOPED_TRACE(c.row6);
        TinyGame t = brickRoom(c.row6);
        EXPECT_EQ(t->ItemTable.kind[c.slot], 0);
        EXPECT_EQ(t->ItemTable.kind[1 - c.slot], 1);
        const int apples = t->ApplesLeft, bags = t->BagsTotal;
        t.tick();
        EXPECT_EQ(t->cell(6, 7), CodeEmpty);
        EXPECT_EQ(t->ItemTable.kind[c.slot], c.kind);
        EXPECT_EQ(t->ItemTable.x[c.slot], 224);
        EXPECT_EQ(t->ItemTable.y[c.slot], 192);
        EXPECT_EQ(t->ApplesLeft, apples);
        EXPECT_EQ(t->BagsTotal, bags);
        EXPECT_EQ(soundsOfLastTick(*t), Sounds{SoundBrickBroken});
        EXPECT_EQ(t->HoleTable.phase[0], 2);
    }
}

TEST(HiddenItems, ARegrownHidingBrickIsAPlainBrickAndHidesNothingMore) {
    TinyGame t = brickRoom("4......9.......4");
    t.tick(51); // ticks 0 to 50
    EXPECT_EQ(t->cell(6, 7), CodeBrick);
    // The apple was shut in and rises out on top of the brick.
    EXPECT_EQ(t->ItemTable.y[0], 192);
    t.tick();
    EXPECT_EQ(t->ItemTable.y[0], 176);
    t.tick();
    EXPECT_EQ(t->ItemTable.y[0], 160);
    t.tick();
    EXPECT_EQ(t->ItemTable.y[0], 160);

    placeFragment(*t, 0, 240, 185, 0, 10);
    t.tick();
    EXPECT_EQ(t->cell(6, 7), CodeEmpty);
    int items = 0;
    for (int i = 0; i < ItemSlots; ++i) items += t->ItemTable.kind[i] != 0;
    EXPECT_EQ(items, 1);
}

TEST(HoleTable, TwoBricksBrokenInOneTickTakeTheFirstTwoFreeSlots) {
    TinyGame t({"4..............4", "4............7.4", "4............4.4", "4..............4",
                "4..............4", "4..............4", "4......33......4", "4......44......4"});
    placeHole(*t, 0, 0, 352, 20); // a hole somewhere else, still open
    placeFragment(*t, 0, 240, 185, 0, 10);
    placeFragment(*t, 1, 270, 185, 0, 10);
    t.tick();
    EXPECT_EQ(t->HoleTable.phase[0], 21);
    EXPECT_EQ(t->HoleTable.x[1], 224);
    EXPECT_EQ(t->HoleTable.phase[1], 2);
    EXPECT_EQ(t->HoleTable.x[2], 256);
    EXPECT_EQ(t->HoleTable.phase[2], 2);
}

TEST(HoleTable, WithAllSlotsBusyTheBrickStaysWholeAndStopsTheFragment) {
    TinyGame t = brickRoom("4......9.......4", true);
    for (int i = 0; i < HoleSlots; ++i) placeHole(*t, i, 0, 352, 10);
    const Surface before = t->Image2;
    t.tick();
    EXPECT_EQ(t->cell(6, 7), CodeAppleInBrick);
    EXPECT_EQ(t->FragmentTable.active[0], 0);
    for (int i = 0; i < ItemSlots; ++i) EXPECT_EQ(t->ItemTable.kind[i], 0) << "slot " << i;
    EXPECT_TRUE(sameRect(t->Image2, 224, 192, before, 224, 192, 32, 32));
    EXPECT_TRUE(sameRect(t->Image1, 224, 192, before, 224, 192, 32, 32));
    EXPECT_TRUE(soundsOfLastTick(*t).empty());
    for (int i = 0; i < HoleSlots; ++i) EXPECT_EQ(t->HoleTable.phase[i], 11) << "slot " << i;
}

TEST(HoleTable, WithNoFreeItemSlotTheBrickStillBreaksButLetsNothingOut) {
    TinyGame t = brickRoom("4......9.......4");
    for (int i = 0; i < ItemSlots; ++i) placeItem(*t, i, 0, 320, 2);
    t.tick();
    EXPECT_EQ(t->cell(6, 7), CodeEmpty);
    EXPECT_EQ(t->HoleTable.phase[0], 2);
    for (int i = 0; i < ItemSlots; ++i) {
        EXPECT_EQ(t->ItemTable.kind[i], 2) << "slot " << i;
        EXPECT_EQ(t->ItemTable.x[i], 0) << "slot " << i;
    }
}

TEST(HoleTable, WhileTheHoleIsOpenThingsFallThroughIt) {
    // An enemy walking over the broken brick drops into it.
    TinyGame t({"4..............4", "4............7.4", "4............4.4", "4..............4",
                "4..............4", "4.....8........4", "4.....33.......4", "4.....44.......4"});
    placeFragment(*t, 0, 240, 185, 0, 10);
    t.tick(4); // the enemy reaches x = 224 over the open cell
    EXPECT_EQ(t->EnemyTable.x[0], 224);
    EXPECT_EQ(t->EnemyTable.y[0], 160);
    t.tick();
    EXPECT_EQ(t->EnemyTable.y[0], 176);
    EXPECT_EQ(t->EnemyTable.frame[0], 9);
}

} // namespace
