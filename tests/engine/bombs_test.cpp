// Bombs: the drop, the fuse, what holds a bomb up, the burst and the three
// fragments, and which sound is heard when several things happen at once.
#include "play_probe.h"
#include "sprite_sheet.h"
#include "tiny_room.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Sounds = std::vector<int>;

int liveFragments(const Game& g) {
    return static_cast<int>(std::count_if(std::begin(g.FragmentTable.active),
                                          std::end(g.FragmentTable.active),
                                          [](std::uint8_t a) { return a != 0; }));
}

// The heroine on a stone floor at (224, 32); everything below is open.
TinyGame floorRoom(bool withSheet = false) {
    return TinyGame({"4..............4", //
                     "4......7.......4", //
                     "4444444444444444"},
                    TinyGame::Mode::LoadedSet, withSheet);
}

TEST(BombFuse, TheBombLivesElevenTicksAndBurstsTenTicksAfterTheDrop) {
    for (int halfSteps : {0, 1}) {
        SCOPED_TRACE(::testing::Message() << "half-steps away: " << halfSteps);
        TinyGame t = floorRoom();
        t.hold({VkShift});
        t.tick(); // the drop tick
        EXPECT_EQ(t->BombTable.timer[0], 2);
        EXPECT_EQ(t->BombTable.x[0], 224);
        EXPECT_EQ(t->BombTable.y[0], 32);
        EXPECT_EQ(soundsOfLastTick(*t), Sounds{SoundBombPlaced});
        EXPECT_EQ(t->KeyState.shift, 0); // one bomb per key press

        t.hold(halfSteps ? std::initializer_list<int>{VkRight} : std::initializer_list<int>{});
        t.tick(halfSteps);
        t.hold({});
        for (int k = 1 + halfSteps; k <= 9; ++k) t.tick();
        EXPECT_EQ(t->BombTable.timer[0], 11);
        EXPECT_EQ(liveFragments(*t), 0);
        EXPECT_EQ(t->DyingCounter, 0);

        t.tick(); // ten ticks after the drop tick
        EXPECT_EQ(t->BombTable.timer[0], 0);
        EXPECT_EQ(liveFragments(*t), 3);
        if (halfSteps == 0) {
            EXPECT_EQ(t->DyingCounter, 1);
            EXPECT_EQ(soundsOfLastTick(*t), Sounds{SoundDeath});
        } else {
            EXPECT_EQ(t->Player.x, 240);
            EXPECT_EQ(t->DyingCounter, 0);
            EXPECT_EQ(soundsOfLastTick(*t), Sounds{SoundBurst});
        }
    }
}

TEST(BombFuse, HeldShiftDropsOnlyOnceAndADyingHeroineDropsNothing) {
    TinyGame t = floorRoom();
    t.hold({VkShift});
    t.tick(3);
    EXPECT_EQ(t->BombTable.timer[0], 4);
    EXPECT_EQ(t->BombTable.timer[1], 0);

    TinyGame dying = floorRoom();
    dying->DyingCounter = 3;
    dying.hold({VkShift});
    dying.tick();
    EXPECT_EQ(dying->BombTable.timer[0], 0);
    EXPECT_EQ(dying->KeyState.shift, 1); // the flag is left alone while she dies
}

TEST(BombFuse, TheCountdownShowsOneTwoThenThreeLights) {
    TinyGame t = floorRoom(true);
    t.hold({VkShift});
    t.tick();
    t.hold({VkRight}); // out of the bomb's way before its pictures are looked at
    t.tick(2);
    t.hold({});
    const Surface& sheet = t->Image3;
    // After tick k the bomb was drawn with fuse count k + 1.
    for (int k = 2; k <= 9; ++k) {
        if (k > 2) t.tick();
        const int step = (k + 1) / 4;
        SCOPED_TRACE(::testing::Message() << "tick " << k);
        EXPECT_TRUE(shows(t->Image1, 224, 32,
                          maskedOver(t->Image2, 224, 32, 32, 32, sheet, sheet::BombMaskX,
                                     sheet::ObjectMaskRow, 32 * step, sheet::ObjectRow)));
    }
}

struct SupportCase {
    const char* name;
    const char* ownRow;   // row 5, where the bomb is
    const char* belowRow; // row 6
    int x;
    bool held;
};

TEST(BombSupport, ABombRestsOnWhatIsUnderItAndFallsOtherwise) {
    const SupportCase cases[] = {
        {"on a brick", "4..............4", "4......3.......4", 224, true},
        {"on a ladder", "4..............4", "4......2.......4", 224, true},
        {"on stone", "4..............4", "4......4.......4", 224, true},
        {"on a brick hiding an apple", "4..............4", "4......9.......4", 224, true},
        {"on a false brick", "4..............4", "4......1.......4", 224, false},
        {"aligned, brick only below-right", "4..............4", "4.......3......4", 224, false},
        {"half-way, brick under the left half", "4..............4", "4......3.......4", 240, true},
        {"half-way, brick under the right half", "4..............4", "4.......3......4", 240, true},
        {"half-way over two open cells", "4..............4", "4.....3..3.....4", 240, false},
        {"lowest rung of a ladder, open below", "4......2.......4", "4..............4", 224, false},
        {"rung of a ladder going on down", "4......2.......4", "4......2.......4", 224, true},
    };
    for (const SupportCase& c : cases) {
        SCOPED_TRACE(c.name);
        TinyGame t({"4..............4", "4............7.4", "4............4.4", "4..............4",
                    "4..............4", c.ownRow, c.belowRow});
        placeBomb(*t, 0, c.x, 160, 1);
        t.tick();
        EXPECT_EQ(t->BombTable.y[0], c.held ? 160 : 176);
        EXPECT_EQ(t->BombTable.x[0], c.x);
    }
}

TEST(BombSupport, AnItemExactlyUnderTheBombHoldsItUpUntilItFallsAway) {
    struct Case {
        const char* floor; // row 7, under the apple
        bool held;
    };
    for (const Case& c : {Case{"4......3.......4", true}, Case{"4......1.......4", false}}) {
        SCOPED_TRACE(c.floor);
        TinyGame t({"4..............4", "4............7.4", "4............4.4", "4..............4",
                    "4..............4", "4..............4", "4......6.......4", c.floor});
        placeBomb(*t, 0, 224, 160, 1);
        t.tick();
        // Items move before bombs: an apple that falls away this tick no longer holds it.
        EXPECT_EQ(t->ItemTable.y[0], c.held ? 192 : 208);
        EXPECT_EQ(t->BombTable.y[0], c.held ? 160 : 176);
    }
}

TEST(BombSupport, ABombDroppedWhileSheFallsStaysHalfACellAheadOfHer) {
    TinyGame t({"4..............4", //
                "4......7.......4", //
                "4444444.44444444"});
    t.hold({VkShift});
    t.tick();
    EXPECT_EQ(t->Player.y, 48);
    EXPECT_EQ(t->BombTable.y[0], 64);
    t.tick();
    EXPECT_EQ(t->Player.y, 64);
    EXPECT_EQ(t->BombTable.y[0], 80);
}

// A bomb at the aligned cell (224, 160), row 5, column 7.
struct ShapeRoom {
    TinyGame t;
    explicit ShapeRoom(std::initializer_list<const char*> rows4to6)
        : t([&] {
              std::vector<std::string> rows = {"4..............4", "4............7.4",
                                               "4............4.4", "4..............4"};
              rows.insert(rows.end(), rows4to6.begin(), rows4to6.end());
              return roomFrom(rows);
          }()) {
        placeBomb(*t, 0, 224, 160, 11); // bursts in the first tick: move 1
    }
    int cell(int r, int c) { return t->cell(r, c); }
};

TEST(BurstShape, BricksLeftRightAndAboveGoOnTheThirdMoveAndShieldTheOneBelow) {
    ShapeRoom s({"4......3.......4", //
                 "4.....3.3......4", //
                 "4.....333......4"});
    s.t.tick(2);
    EXPECT_EQ(s.cell(5, 6), CodeBrick);
    EXPECT_EQ(s.cell(4, 7), CodeBrick);
    EXPECT_EQ(s.cell(5, 8), CodeBrick);
    s.t.tick(); // move 3
    EXPECT_EQ(s.cell(5, 6), CodeEmpty);
    EXPECT_EQ(s.cell(4, 7), CodeEmpty);
    EXPECT_EQ(s.cell(5, 8), CodeEmpty);
    // Fragments go left, middle, right, so the holes follow that order.
    EXPECT_EQ(s.t->HoleTable.x[0], 192);
    EXPECT_EQ(s.t->HoleTable.y[0], 160);
    EXPECT_EQ(s.t->HoleTable.x[1], 224);
    EXPECT_EQ(s.t->HoleTable.y[1], 128);
    EXPECT_EQ(s.t->HoleTable.x[2], 256);
    EXPECT_EQ(s.t->HoleTable.y[2], 160);
    EXPECT_EQ(liveFragments(*s.t), 0);
    s.t.tick(20);
    EXPECT_EQ(s.cell(6, 6), CodeBrick);
    EXPECT_EQ(s.cell(6, 7), CodeBrick);
    EXPECT_EQ(s.cell(6, 8), CodeBrick);
}

TEST(BurstShape, WithTheCellAboveOpenTheMiddleFragmentComesBackAndBreaksTheBrickBelow) {
    ShapeRoom s({"4..............4", //
                 "4..............4", //
                 "4.....333......4"});
    std::vector<int> middleY;
    int lowestSideY = 1000;
    for (int move = 1; move <= 11; ++move) {
        s.t.tick();
        if (s.t->FragmentTable.active[1]) middleY.push_back(s.t->FragmentTable.y[1]);
        for (int side : {0, 2})
            if (s.t->FragmentTable.active[side])
                lowestSideY = std::min(lowestSideY, s.t->FragmentTable.y[side]);
        if (move == 5) {
            EXPECT_EQ(s.cell(6, 6), CodeBrick);
            EXPECT_EQ(s.cell(6, 8), CodeBrick);
        }
        if (move == 6) { // the side fragments reach the cells diagonally below
            EXPECT_EQ(s.cell(6, 6), CodeEmpty);
            EXPECT_EQ(s.cell(6, 8), CodeEmpty);
            EXPECT_EQ(s.t->HoleTable.x[0], 192);
            EXPECT_EQ(s.t->HoleTable.x[1], 256);
        }
        if (move == 10) {
            EXPECT_EQ(s.cell(6, 7), CodeBrick);
        }
    }
    EXPECT_EQ(s.cell(6, 7), CodeEmpty); // move 11
    EXPECT_EQ(s.t->HoleTable.x[2], 224);
    EXPECT_EQ(s.t->HoleTable.y[2], 192);
    // Up into the cell above on move 3, in it through move 6, back through the
    // bomb's cell on moves 7 to 10; 20 pixels at most above its start.
    const std::vector<int> expected = {167, 161, 157, 155, 155, 157, 161, 167, 175, 185};
    EXPECT_EQ(middleY, expected);
    EXPECT_EQ(lowestSideY, 173);
}

TEST(BurstShape, ABombInsideARegrownBrickBreaksItAgainOnTheFirstMove) {
    ShapeRoom s({"4..............4", //
                 "4......3.......4", //
                 "4.....333......4"});
    s.t.tick();
    EXPECT_EQ(s.cell(5, 7), CodeEmpty);
    EXPECT_EQ(s.t->HoleTable.phase[0], 2);
    EXPECT_EQ(s.t->HoleTable.phase[1], 0);
    EXPECT_EQ(s.t->FragmentTable.active[0], 0); // the left one broke it
    EXPECT_EQ(s.t->FragmentTable.active[1], 1); // the others find it open
    EXPECT_EQ(s.t->FragmentTable.active[2], 1);
    EXPECT_EQ(soundsOfLastTick(*s.t), Sounds{SoundBurst}); // the brick's own sound comes too late
}

TEST(BurstFragments, TheThreeTakeTheFirstFreeSlotsLeftMiddleRight) {
    ShapeRoom s({"4..............4", //
                 "4..............4", //
                 "4.....333......4"});
    placeFragment(*s.t, 0, 100, 100, 0, 0);
    placeFragment(*s.t, 2, 100, 100, 0, 0);
    s.t.tick();
    const int slots[3] = {1, 3, 4};
    const int dx[3] = {-6, 0, 6};
    const int dy[3] = {-2, -8, -2};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        const int i = slots[k];
        EXPECT_EQ(s.t->FragmentTable.active[i], 1);
        EXPECT_EQ(s.t->FragmentTable.dx[i], dx[k]);
        // They make their first move in the tick of the burst.
        EXPECT_EQ(s.t->FragmentTable.x[i], 239 + dx[k]);
        EXPECT_EQ(s.t->FragmentTable.y[i], 175 + dy[k]);
        EXPECT_EQ(s.t->FragmentTable.dy[i], dy[k] + 2);
    }
    EXPECT_EQ(s.t->FragmentTable.active[5], 0);
}

TEST(BurstFragments, WhenTheTableIsFullOnlyTheFreeSlotsAreUsed) {
    for (int freeSlots : {1, 0}) {
        SCOPED_TRACE(::testing::Message() << "free slots: " << freeSlots);
        ShapeRoom s({"4..............4", //
                     "4..............4", //
                     "4.....333......4"});
        for (int i = 0; i < FragmentSlots; ++i)
            if (!(freeSlots == 1 && i == 40)) placeFragment(*s.t, i, 100, 100, 0, 0);
        s.t.tick();
        EXPECT_EQ(s.t->BombTable.timer[0], 0);
        EXPECT_EQ(soundsOfLastTick(*s.t), Sounds{SoundBurst});
        EXPECT_EQ(liveFragments(*s.t), FragmentSlots);
        for (int i = 0; i < FragmentSlots; ++i) {
            if (freeSlots == 1 && i == 40) {
                EXPECT_EQ(s.t->FragmentTable.dx[i], -6); // the first of the three
                EXPECT_EQ(s.t->FragmentTable.x[i], 233);
            } else {
                EXPECT_EQ(s.t->FragmentTable.x[i], 100) << "slot " << i;
            }
        }
    }
}

TEST(BurstFragments, FragmentsFlyThroughLaddersAndFalseBricksAndEndAtStone) {
    ShapeRoom s({"4..............4", //
                 "4.....1.2......4", //
                 "4.....434......4"});
    s.t.tick(6);
    EXPECT_EQ(s.cell(5, 6), CodeFalseBrick);
    EXPECT_EQ(s.cell(5, 8), CodeLadder);
    EXPECT_EQ(s.cell(6, 6), CodeStone);
    EXPECT_EQ(s.t->FragmentTable.active[0], 0);
    EXPECT_EQ(s.t->FragmentTable.active[2], 0);
    EXPECT_EQ(s.t->HoleTable.phase[0], 0);
}

TEST(BurstDeath, ABurstOnTheExactPositionOfADyingHeroineStartsHerDeathAgainSilently) {
    TinyGame t({"4..............4", "4............7.4", "4............4.4", "4..............4",
                "4..............4", "4..............4", "4......3.......4"});
    t->Player.x = 224;
    t->Player.y = 144; // her death fall takes her to 160, the bomb's row, this tick
    t->Player.facing = 3;
    t->DyingCounter = 7;
    placeBomb(*t, 0, 224, 160, 11);
    t.tick();
    EXPECT_EQ(t->Player.y, 160);
    EXPECT_EQ(t->DyingCounter, 1);
    EXPECT_EQ(t->Player.frame, 11);
    EXPECT_TRUE(soundsOfLastTick(*t).empty());
}

TEST(BombSounds, TheFirstSoundOfATickWinsExceptTheDeathSound) {
    // A drop and a burst in one tick: only the drop is heard.
    {
        TinyGame t = floorRoom();
        t.hold({VkShift});
        t.tick();
        t.hold({VkRight});
        t.tick(2);
        t.hold({});
        t.tick(7);
        t.hold({VkShift});
        t.tick(); // tick 10: second drop, first burst
        EXPECT_EQ(t->BombTable.timer[0], 0);
        EXPECT_EQ(t->BombTable.timer[1], 2);
        EXPECT_EQ(liveFragments(*t), 3);
        EXPECT_EQ(soundsOfLastTick(*t), Sounds{SoundBombPlaced});
    }
    // An apple taken in the tick of a burst elsewhere: the apple is heard.
    {
        TinyGame t(
            {"4..............4", "4......6.......4", "4......7.6.....4", "4444444444444444"});
        placeBomb(*t, 0, 96, 64, 10);
        t.tick(2);
        EXPECT_EQ(t->ApplesLeft, 1);
        EXPECT_EQ(t->BombTable.timer[0], 0);
        EXPECT_EQ(soundsOfLastTick(*t), Sounds{SoundApple});
    }
    // A burst away from her, then an enemy touches her: the death sound cuts in.
    {
        TinyGame t = floorRoom();
        placeBomb(*t, 0, 96, 32, 11);
        placeEnemy(*t, 0, 240, 32, 1, -16, 0, 0);
        t.tick();
        EXPECT_EQ(t->DyingCounter, 1);
        EXPECT_EQ(soundsOfLastTick(*t), (Sounds{SoundBurst, SoundDeath}));
    }
    // While she dies, a broken brick makes no sound.
    {
        TinyGame t(
            {"4..............4", "4............7.4", "4............4.4", "4......3.......4"});
        t->DyingCounter = 2;
        placeFragment(*t, 0, 240, 90, 0, 10);
        t.tick();
        EXPECT_EQ(t->cell(3, 7), CodeEmpty);
        EXPECT_TRUE(soundsOfLastTick(*t).empty());
    }
    // Alive, the broken brick is heard.
    {
        TinyGame t(
            {"4..............4", "4............7.4", "4............4.4", "4......3.......4"});
        placeFragment(*t, 0, 240, 90, 0, 10);
        t.tick();
        EXPECT_EQ(soundsOfLastTick(*t), Sounds{SoundBrickBroken});
    }
}

} // namespace
