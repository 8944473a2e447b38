// Enemies: walking and turning, falling, climbing towards the heroine's row,
// touching her, dying in blasts and regrown bricks, and coming back.
#include "play_probe.h"
#include "sprite_sheet.h"
#include "tiny_room.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// Rows 0 to 2 keep the heroine out of the way on a ledge at (416, 32); the
// rows given follow from row 3 on.
Room aside(std::initializer_list<const char*> rows3on) {
    std::vector<std::string> rows = {"4..............4", "4............7.4", "4............4.4"};
    rows.insert(rows.end(), rows3on.begin(), rows3on.end());
    return roomFrom(rows);
}

// A room whose row 10 is `row10`, the heroine aside.
Room floorRow(const char* row10, const char* row9 = "4..............4") {
    return aside({"4..............4", "4..............4", "4..............4", "4..............4",
                  "4..............4", "4..............4", row9, row10});
}

TEST(EnemyWalk, BothKindsWalkRightAtTheirOwnSpeedWithAlternatingFrames) {
    struct Case {
        const char* row10;
        int kind;
        int xs[4];
    };
    const Case cases[] = {
        {"4.8............4", 1, {72, 80, 88, 96}},
        {"4.7............4", 2, {80, 96, 112, 128}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "kind " << c.kind);
        TinyGame t(floorRow(c.row10), TinyGame::Mode::LoadedSet, true);
        ASSERT_EQ(t->EnemyTable.state[0], c.kind);
        EXPECT_EQ(t->EnemyTable.x[0], 64);
        const int frames[4] = {4, 5, 4, 5};
        for (int k = 0; k < 4; ++k) {
            t.tick();
            EXPECT_EQ(t->EnemyTable.x[0], c.xs[k]);
            EXPECT_EQ(t->EnemyTable.y[0], 320);
            EXPECT_EQ(t->EnemyTable.frame[0], frames[k]);
            EXPECT_EQ(t->EnemyTable.hdir[0], 16);
        }
        // Kind 1 has its own pictures; kind 2 looks like the heroine.
        const int pictureRow = c.kind == 1 ? sheet::EnemyRow : sheet::HeroineRow;
        const int maskRow = c.kind == 1 ? sheet::EnemyMaskRow : sheet::HeroineMaskRow;
        EXPECT_TRUE(shows(t->Image1, c.xs[3], 320,
                          maskedOver(t->Image2, c.xs[3], 320, 32, 32, t->Image3, 5 * 32, maskRow,
                                     5 * 32, pictureRow)));
    }
}

TEST(EnemyWalk, AWallOrFalseBrickTurnsItWhenItIsAlignedBesideIt) {
    for (char wall : {'3', '4', '1'}) {
        SCOPED_TRACE(::testing::Message() << "wall " << wall);
        std::string row10 = "4.........8....4";
        row10[12] = wall;
        TinyGame t(floorRow(row10.c_str()));
        const int xs[7] = {328, 336, 344, 352, 352, 344, 336};
        const int frames[7] = {4, 5, 4, 5, 3, 1, 2};
        const int hdirs[7] = {16, 16, 16, 16, -16, -16, -16};
        for (int k = 0; k < 7; ++k) {
            t.tick();
            EXPECT_EQ(t->EnemyTable.x[0], xs[k]) << "tick " << k + 1;
            EXPECT_EQ(t->EnemyTable.frame[0], frames[k]) << "tick " << k + 1;
            EXPECT_EQ(t->EnemyTable.hdir[0], hdirs[k]) << "tick " << k + 1;
        }
    }
}

TEST(EnemyWalk, WalkingLeftIntoAWallShowsFrame0ThenWalksRight) {
    for (char wall : {'3', '4', '1'}) {
        SCOPED_TRACE(::testing::Message() << "wall " << wall);
        std::string row10 = "4.......X.8.4..4";
        row10[8] = wall;
        TinyGame t(floorRow(row10.c_str())); // it turns at the right wall first
        t.tick(12);
        EXPECT_EQ(t->EnemyTable.x[0], 296);
        t.tick();
        EXPECT_EQ(t->EnemyTable.x[0], 288);
        EXPECT_EQ(t->EnemyTable.frame[0], 2);
        t.tick();
        EXPECT_EQ(t->EnemyTable.x[0], 288);
        EXPECT_EQ(t->EnemyTable.frame[0], 0);
        EXPECT_EQ(t->EnemyTable.hdir[0], 16);
        t.tick();
        EXPECT_EQ(t->EnemyTable.x[0], 296);
        EXPECT_EQ(t->EnemyTable.frame[0], 4);
    }
}

TEST(EnemyWalk, ShutBetweenTwoWallsItStaysAndFlipsItsHeadingEveryTick) {
    struct Case {
        int hdir, frame; // at the start
        int shownFrame;
    };
    // Fresh from the room start it heads right with frame 3; one that came
    // in walking left turns with frame 0 and keeps it.
    for (const Case& c : {Case{1, 3, 3}, Case{-16, 1, 0}}) {
        SCOPED_TRACE(::testing::Message() << "heading " << c.hdir);
        TinyGame t(floorRow("4....383.......4"));
        t->EnemyTable.hdir[0] = c.hdir;
        t->EnemyTable.frame[0] = c.frame;
        const int first = c.hdir < 0 ? 16 : -16;
        for (int k = 1; k <= 5; ++k) {
            t.tick();
            EXPECT_EQ(t->EnemyTable.x[0], 192);
            EXPECT_EQ(t->EnemyTable.hdir[0], k % 2 ? first : -first) << "tick " << k;
            EXPECT_EQ(t->EnemyTable.frame[0], c.shownFrame) << "tick " << k;
        }
    }
}

TEST(EnemyFall, AnEnemyFallsOnlyWhenAlignedOverAnOpenCell) {
    // A ledge of one cell: it walks off the edge and drops when aligned over the gap.
    TinyGame t(
        aside({"4..............4", "4..............4", "4.8............4", "4.4............4"}));
    for (int k = 1; k <= 4; ++k) {
        t.tick();
        EXPECT_EQ(t->EnemyTable.y[0], 160) << "tick " << k; // half over the gap: no fall
    }
    EXPECT_EQ(t->EnemyTable.x[0], 96);
    t.tick();
    EXPECT_EQ(t->EnemyTable.x[0], 96);
    EXPECT_EQ(t->EnemyTable.y[0], 176);
    EXPECT_EQ(t->EnemyTable.frame[0], 9);
    t.tick();
    EXPECT_EQ(t->EnemyTable.y[0], 192);
    // Off the left edge of a ledge: while it stands half over the gap the cell
    // of its left half is open, and still it does not fall.
    TinyGame offLeft(
        aside({"4..............4", "4..............4", "4..............4", "4..4...........4"}));
    placeEnemy(*offLeft, 0, 96, 160, 1, -16, 0, 0);
    for (int k = 1; k <= 4; ++k) {
        offLeft.tick();
        EXPECT_EQ(offLeft->EnemyTable.y[0], 160) << "tick " << k;
        EXPECT_EQ(offLeft->EnemyTable.x[0], 96 - 8 * k);
    }
    offLeft.tick();
    EXPECT_EQ(offLeft->EnemyTable.y[0], 176);
    EXPECT_EQ(offLeft->EnemyTable.frame[0], 8);
    // Heading left it shows frame 8 while falling.
    TinyGame left(floorRow("4..............4"));
    placeEnemy(*left, 0, 160, 160, 1, -16, 0, 1);
    left.tick();
    EXPECT_EQ(left->EnemyTable.y[0], 176);
    EXPECT_EQ(left->EnemyTable.frame[0], 8);
    EXPECT_EQ(left->EnemyTable.hdir[0], -16);
}

TEST(EnemyFall, AnEnemyExactlyOneCellBelowHoldsItUpAliveOrDying) {
    struct Case {
        int lowerState;
        bool held;
    };
    for (const Case& c : {Case{0, false}, Case{1, true}, Case{2, true}, Case{3, true}}) {
        SCOPED_TRACE(::testing::Message() << "lower state " << c.lowerState);
        TinyGame t(floorRow("4..............4"));
        placeEnemy(*t, 0, 160, 288, 1, 16);
        placeEnemy(*t, 1, 160, 320, c.lowerState ? 1 : 0, 16);
        if (c.lowerState) t->EnemyTable.state[1] = static_cast<std::int8_t>(c.lowerState);
        t.tick();
        EXPECT_EQ(t->EnemyTable.y[0], c.held ? 288 : 304);
        EXPECT_EQ(t->EnemyTable.x[0], c.held ? 168 : 160);
    }
}

TEST(EnemyFall, ClimbingDownOffALadderIntoOpenSpaceItFalls) {
    TinyGame t(aside({"4..............4", "4....2.........4", "4..............4"}));
    placeEnemy(*t, 0, 160, 160, 1, 16, 16, 6); // aligned in the empty cell under the ladder
    t.tick();
    EXPECT_EQ(t->EnemyTable.y[0], 176);
    EXPECT_EQ(t->EnemyTable.frame[0], 9);
    EXPECT_EQ(t->EnemyTable.vdir[0], 16);
}

// A ladder in column 5 from row 3 down to row `ladderFoot`, brick under it,
// a brick floor in row 3 beside it, and the heroine in column 12 on a stone
// ledge in row `heroineRow` (or on the floor of row 11).
Room ladderRoom(int ladderFoot, int heroineRow, const char* enemyAtTop, const char* enemyAtFoot) {
    std::vector<std::string> rows(11, "4..............4");
    rows[2] = enemyAtTop;
    rows[3] = "4333323333333334";
    rows[10] = enemyAtFoot;
    for (int r = 4; r <= ladderFoot; ++r)
        if (rows[r][5] == '.') rows[r][5] = '2';
    if (ladderFoot < 10) rows[ladderFoot + 1][5] = '3';
    rows[heroineRow][12] = '7';
    if (heroineRow < 10) rows[heroineRow + 1][12] = '4';
    return roomFrom(rows);
}

TEST(EnemyClimb, OnTopOfALadderItClimbsDownOnlyWhenSheIsLower) {
    struct Case {
        const char* name;
        int ladderFoot, heroineRow;
        int stopY; // where it leaves the ladder; 64 when it never climbs
    };
    const Case cases[] = {
        {"she is lower: down to her row", 10, 7, 224},
        {"she is lower than the ladder: down to its foot", 6, 10, 192},
        {"she is on its row: it walks on", 10, 2, 64},
        {"she is higher: it walks on", 10, 0, 64},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TinyGame t(ladderRoom(c.ladderFoot, c.heroineRow, "4....8.........4", "4..............4"));
        const int climbTicks = (c.stopY - 64) / 8;
        for (int k = 1; k <= climbTicks; ++k) {
            t.tick();
            EXPECT_EQ(t->EnemyTable.x[0], 160);
            EXPECT_EQ(t->EnemyTable.y[0], 64 + 8 * k);
            EXPECT_EQ(t->EnemyTable.vdir[0], 16);
            EXPECT_EQ(t->EnemyTable.frame[0], 6); // set when the climb starts, kept on the way
        }
        t.tick(); // it leaves the ladder and walks on in the same tick
        EXPECT_EQ(t->EnemyTable.y[0], c.stopY);
        EXPECT_EQ(t->EnemyTable.x[0], 168);
        EXPECT_EQ(t->EnemyTable.vdir[0], 0);
        EXPECT_EQ(t->EnemyTable.frame[0], 4);
    }
}

TEST(EnemyClimb, OnALadderItClimbsUpOnlyWhenSheIsHigher) {
    struct Case {
        const char* name;
        int heroineRow;
        int stopY; // 320 when it never climbs
    };
    const Case cases[] = {
        {"she is higher than the ladder: up and off its top", 0, 64},
        {"she is higher on the ladder's height: up to her row", 6, 192},
        {"she is on its row: it walks on", 10, 320},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TinyGame t(ladderRoom(10, c.heroineRow, "4..............4", "4....8.........4"));
        // The enemy's start cell reads as empty; make its cell part of the ladder.
        t->setCell(10, 5, CodeLadder);
        const int climbTicks = (320 - c.stopY) / 8;
        for (int k = 1; k <= climbTicks; ++k) {
            t.tick();
            EXPECT_EQ(t->EnemyTable.y[0], 320 - 8 * k);
            EXPECT_EQ(t->EnemyTable.vdir[0], -16);
        }
        t.tick();
        EXPECT_EQ(t->EnemyTable.y[0], c.stopY);
        EXPECT_EQ(t->EnemyTable.x[0], 168);
        EXPECT_EQ(t->EnemyTable.vdir[0], 0);
    }
}

TEST(EnemyClimb, ABrickAboveTheLadderCellKeepsItFromStartingUp) {
    TinyGame t(ladderRoom(10, 0, "4..............4", "4....8.........4"));
    t->setCell(10, 5, CodeLadder);
    t->setCell(9, 5, CodeBrick);
    t.tick();
    EXPECT_EQ(t->EnemyTable.y[0], 320);
    EXPECT_EQ(t->EnemyTable.x[0], 168);
}

TEST(EnemyClimb, AKind2EnemyClimbsTwiceAsFast) {
    TinyGame t(ladderRoom(10, 7, "4....7.........4", "4..............4"));
    // The first heroine start in reading order is hers: the enemy's came first.
    // Swap them: she goes to column 12, the kind-2 enemy stays on the ladder top.
    ASSERT_EQ(t->Player.x, 160);
    ASSERT_EQ(t->EnemyTable.state[0], 2);
    std::swap(t->Player.x, t->EnemyTable.x[0]);
    std::swap(t->Player.y, t->EnemyTable.y[0]);
    t.tick(10);
    EXPECT_EQ(t->EnemyTable.y[0], 224);
    t.tick();
    EXPECT_EQ(t->EnemyTable.y[0], 224);
    EXPECT_EQ(t->EnemyTable.x[0], 176);
}

// An enemy shut in at (224, 320) between two stones, with a ladder above it
// that holds the heroine wherever she is put over it.
Room pocketRoom() {
    return floorRow("4.....484......4", "4......2.......4");
}

TEST(EnemyContact, SheDiesFromSevenPixelsLeftToFifteenRightOfTheEnemyAndUnder32Apart) {
    struct Case {
        const char* name;
        int px, py;
        bool dies;
    };
    const Case cases[] = {
        {"enemy 8 px to her right", 216, 320, true}, {"enemy on her spot", 224, 320, true},
        {"enemy 8 px to her left", 232, 320, false}, {"enemy 16 px to her right", 208, 320, false},
        {"enemy 24 px below her", 224, 296, true},   {"enemy 32 px below her", 224, 288, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TinyGame t(pocketRoom());
        t->Player.x = c.px;
        t->Player.y = c.py;
        t.tick();
        EXPECT_EQ(t->Player.x, c.px);
        EXPECT_EQ(t->Player.y, c.py);
        EXPECT_EQ(t->EnemyTable.x[0], 224);
        EXPECT_EQ(t->DyingCounter, c.dies ? 1 : 0);
        if (c.dies) {
            EXPECT_EQ(soundsOfLastTick(*t), std::vector<int>{SoundDeath});
        }
    }
}

TEST(EnemyContact, AnAlreadyDyingHeroineIsNotKilledAgain) {
    TinyGame t(pocketRoom());
    t->Player.x = 216;
    t->Player.y = 320;
    t->DyingCounter = 5;
    t.tick();
    EXPECT_EQ(t->DyingCounter, 6);
}

TEST(EnemyHits, AFragmentInsideTheEnemysBoxKillsIt) {
    struct Case {
        int fx, fy;
        bool hit;
    };
    const Case cases[] = {
        {224, 320, true}, {254, 350, true}, {255, 320, false}, {224, 351, false}, {254, 319, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "fragment at " << c.fx << ", " << c.fy);
        TinyGame t(pocketRoom());
        placeFragment(*t, 0, c.fx, c.fy, 0, 0);
        t.tick();
        EXPECT_EQ(t->FragmentTable.active[0], c.hit ? 0 : 1);
        EXPECT_EQ(t->EnemyTable.state[0], c.hit ? 3 : 1);
        if (c.hit) {
            EXPECT_EQ(t->EnemyTable.frame[0], 11);
            EXPECT_EQ(t->EnemyTable.hdir[0], 1); // the kind to come back as
            EXPECT_EQ(t->EnemyTable.x[0], 224);
            EXPECT_EQ(t->EnemyTable.y[0], 320);
            EXPECT_EQ(t->Score, 1);
            EXPECT_EQ(t->PopupTable.value[0], 1);
            EXPECT_EQ(t->PopupTable.x[0], 224);
            EXPECT_EQ(t->PopupTable.y[0], 331);
            EXPECT_TRUE(soundsOfLastTick(*t).empty()); // a kill makes no sound
        }
    }
}

TEST(EnemyHits, EachEnemyUsesUpOneFragmentAndEachFragmentKillsOneEnemy) {
    // Two fragments in one enemy's box: the first is used up, the second flies on.
    TinyGame one(pocketRoom());
    placeFragment(*one, 0, 230, 330, 0, 0);
    placeFragment(*one, 1, 240, 340, 0, 0);
    one.tick();
    EXPECT_EQ(one->EnemyTable.state[0], 3);
    EXPECT_EQ(one->FragmentTable.active[0], 0);
    EXPECT_EQ(one->FragmentTable.active[1], 1);
    EXPECT_EQ(one->Score, 1);

    // One fragment in the boxes of two overlapping enemies: the lower slot dies.
    TinyGame two(floorRow("4..............4"));
    placeEnemy(*two, 0, 216, 320, 1, 16);  // walks to 224
    placeEnemy(*two, 1, 240, 320, 1, -16); // walks to 232
    placeFragment(*two, 0, 250, 330, 0, 0);
    two.tick();
    EXPECT_EQ(two->EnemyTable.state[0], 3);
    EXPECT_EQ(two->EnemyTable.state[1], 1);
    EXPECT_EQ(two->EnemyTable.x[1], 232);
}

TEST(EnemyHits, TwoKillsInOneTickScore100Then200LowerSlotFirst) {
    TinyGame t(floorRow("4.....484.484..4"));
    placeFragment(*t, 0, 360, 330, 0, 0); // in the second enemy's box
    placeFragment(*t, 1, 230, 330, 0, 0); // in the first enemy's box
    t.tick();
    EXPECT_EQ(t->EnemyTable.state[0], 3);
    EXPECT_EQ(t->EnemyTable.state[1], 3);
    EXPECT_EQ(t->Score, 3);
    EXPECT_EQ(t->PopupTable.value[0], 1);
    EXPECT_EQ(t->PopupTable.x[0], 224);
    EXPECT_EQ(t->PopupTable.value[1], 2);
    EXPECT_EQ(t->PopupTable.x[1], 352);
}

TEST(EnemyBrick, ABrickGrowingBackAroundAnEnemyKillsIt) {
    struct Case {
        const char* name;
        int startX; // it walks right by 8 this tick
        bool left;  // a brick grows back in column 7
        bool right; // and in column 8
        bool dies;
    };
    const Case cases[] = {
        {"aligned in the brick", 216, true, false, true},
        {"half in a brick, half in the open", 232, true, false, false},
        {"half in the open, half in a brick", 232, false, true, false},
        {"between two bricks", 232, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TinyGame t(floorRow("4..............4"));
        placeEnemy(*t, 0, c.startX, 320, 1, 16);
        if (c.left) placeHole(*t, 0, 224, 320, 51);
        if (c.right) placeHole(*t, 1, 256, 320, 51);
        t.tick();
        EXPECT_EQ(t->EnemyTable.x[0], c.startX + 8);
        EXPECT_EQ(t->EnemyTable.state[0], c.dies ? 3 : 1);
        EXPECT_EQ(t->Score, c.dies ? 1 : 0);
    }
}

TEST(EnemyDeath, ItFallsUpsideDownThenComesBackAtTheTop45TicksAfterTheKill) {
    for (int kind : {1, 2}) {
        SCOPED_TRACE(::testing::Message() << "kind " << kind);
        TinyGame t(pocketRoom(), TinyGame::Mode::LoadedSet, true);
        t->EnemyTable.state[0] = static_cast<std::int8_t>(kind);
        placeFragment(*t, 0, 230, 330, 0, 0);
        t.tick(); // the kill
        EXPECT_EQ(t->EnemyTable.state[0], 3);
        t.tick();
        EXPECT_EQ(t->EnemyTable.y[0], 336);
        EXPECT_EQ(t->EnemyTable.state[0], 4);
        t.tick(); // clear of the rising number of its kill
        EXPECT_EQ(t->EnemyTable.y[0], 352);
        const int pictureRow = kind == 1 ? sheet::EnemyRow : sheet::HeroineRow;
        const int maskRow = kind == 1 ? sheet::EnemyMaskRow : sheet::HeroineMaskRow;
        EXPECT_TRUE(shows(t->Image1, 224, 352,
                          maskedOver(t->Image2, 224, 352, 32, 32, t->Image3, 11 * 32, maskRow,
                                     11 * 32, pictureRow)));
        t.tick(2);
        EXPECT_EQ(t->EnemyTable.y[0], 384); // it stops there, out of sight
        t.tick(40);                         // 44 ticks after the kill
        EXPECT_EQ(t->EnemyTable.y[0], 384);
        EXPECT_EQ(t->EnemyTable.state[0], 47);
        EXPECT_EQ(t->EnemyTable.x[0], 224);
        t.tick(); // 45 ticks after the kill
        EXPECT_EQ(t->EnemyTable.state[0], kind);
        EXPECT_EQ(t->EnemyTable.x[0], 32 + 32 * (346 % 14)); // the first draw of a game
        EXPECT_EQ(t->EnemyTable.y[0], -32);
        EXPECT_EQ(t->EnemyTable.hdir[0], 16);
        EXPECT_EQ(t->EnemyTable.frame[0], 11);
        EXPECT_EQ(t->EnemyTable.vdir[0], 0);
        t.tick(); // live again: it drops into the room from the guard row
        EXPECT_EQ(t->EnemyTable.y[0], -16);
        EXPECT_EQ(t->EnemyTable.frame[0], 9);
    }
}

TEST(EnemyDeath, ADyingEnemyNeitherTouchesHerNorDiesAgain) {
    TinyGame t(pocketRoom());
    t->EnemyTable.hdir[0] = 1;
    t->EnemyTable.state[0] = 10;
    t->EnemyTable.frame[0] = 11;
    t->Player.x = 216;
    t->Player.y = 336; // where the falling enemy will be
    placeFragment(*t, 0, 230, 345, 0, 0);
    t.tick();
    EXPECT_EQ(t->EnemyTable.y[0], 336);
    EXPECT_EQ(t->DyingCounter, 0);
    EXPECT_EQ(t->FragmentTable.active[0], 1);
    EXPECT_EQ(t->EnemyTable.state[0], 11);
    EXPECT_EQ(t->Score, 0);
}

} // namespace
