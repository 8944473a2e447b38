// Between rooms: the room-clear test and screen, the pause and wait after it,
// the end of a life, game over with the high score, and the ending.
#include "play_probe.h"
#include "sprite_sheet.h"
#include "tiny_room.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Sounds = std::vector<int>;

// She starts at (128, 32) beside a ladder that leads out through the top.
const std::initializer_list<const char*> ExitRoom = {"4....2.........4", "4...72.........4",
                                                     "4444444444444444"};
// The same with an apple she never takes.
const std::initializer_list<const char*> ExitRoomWithApple = {
    "4....2.........4", "4...72....6....4", "4444444444444444"};

// Five ticks: two steps right onto the ladder and three up; she is then at
// y = -16, and the next tick with the up arrow held takes her to y = -32.
void climbToTheTop(TinyGame& t) {
    t.hold({VkRight});
    t.tick(2);
    t.hold({VkUp});
    t.tick(3);
    ASSERT_EQ(t->Player.x, 160);
    ASSERT_EQ(t->Player.y, -16);
}

bool allBlack(const Surface& s) {
    return blackAt(s, 0, 0, s.width(), s.height());
}

TEST(RoomClear, SheLeavesTheRoomAtTheTopOnlyWhenNoAppleIsLeft) {
    for (bool appleLeft : {false, true}) {
        SCOPED_TRACE(::testing::Message() << "apple left: " << appleLeft);
        TinyGame t(appleLeft ? ExitRoomWithApple : ExitRoom);
        climbToTheTop(t);
        EXPECT_EQ(t->GameState, StatePlay);
        t.tick();
        EXPECT_EQ(t->Player.y, -32);
        EXPECT_EQ(t->GameState, appleLeft ? StatePlay : StateClearPause);
        if (appleLeft) {
            t.tick(5);
            EXPECT_EQ(t->Player.y, -32);
            EXPECT_EQ(t->GameState, StatePlay);
        } else {
            EXPECT_EQ(soundsOfLastTick(*t), Sounds{SoundRoomClear});
        }
    }
}

TEST(RoomClear, ADeathInTheTickOfLeavingTheRoomDoesNotStopTheClear) {
    TinyGame t(ExitRoom);
    climbToTheTop(t);
    placeBomb(*t, 0, 160, -32, 11); // bursts where she arrives
    t.tick();
    EXPECT_EQ(t->DyingCounter, 1);
    EXPECT_EQ(t->GameState, StateClearPause);
    EXPECT_EQ(t->Lives, 5);
    EXPECT_EQ(soundsOfLastTick(*t), Sounds{SoundDeath}); // the clear is silent while she dies
}

TEST(RoomClear, TheScreenShowsTheShareOfMoneyBagsAndThePerfectBonus) {
    struct Case {
        int taken, total;
        const char* itemLine;
        bool perfect;
    };
    const Case cases[] = {
        {2, 3, "ITEM   66%", false},
        {3, 3, "ITEM  100%", true},
        {0, 0, "ITEM    0%", false},
        {0, 2, "ITEM    0%", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.itemLine);
        TinyGame t(ExitRoom, TinyGame::Mode::LoadedSet, true);
        climbToTheTop(t);
        t->BagsTaken = c.taken;
        t->BagsTotal = c.total;
        t->Score = 40;
        const std::string status = t->StatusText;
        t.tick();
        const Surface& sheet = t->Image3;
        EXPECT_EQ(textAt(t->Image2, 9, 4, 14, sheet), "ROOM  1 CLEAR!");
        EXPECT_EQ(textAt(t->Image2, 11, 6, 10, sheet), c.itemLine);
        EXPECT_EQ(textAt(t->Image2, 6, 7, 19, sheet),
                  c.perfect ? "PERFECT! BONUS 1000" : std::string(19, ' '));
        EXPECT_EQ(textAt(t->Image2, 2, 13, 18, sheet), "THANK YOU, ZOMMEL!");
        EXPECT_EQ(t->Score, c.perfect ? 50 : 40);
        EXPECT_EQ(std::string(t->StatusText), status); // the bonus shows from the next room on
        EXPECT_TRUE(sameRect(t->Image1, 0, 0, t->Image2, 0, 0, PlayfieldWidth, PlayfieldHeight));
    }
}

TEST(RoomClear, TheAppleRowHasOneAppleForEveryRoomReached) {
    for (int roomIndex : {0, 4, 9}) {
        SCOPED_TRACE(::testing::Message() << "room index " << roomIndex);
        TinyGame t(ExitRoom, TinyGame::Mode::LoadedSet, true);
        climbToTheTop(t);
        t->RoomIndex = roomIndex;
        t.tick();
        const Surface& sheet = t->Image3;
        const std::string title = roomIndex == 9
                                      ? "ROOM 10 CLEAR!"
                                      : "ROOM  " + std::to_string(roomIndex + 1) + " CLEAR!";
        EXPECT_EQ(textAt(t->Image2, 9, 4, 14, sheet), title);
        EXPECT_TRUE(sameRect(t->Image2, 64, 224, sheet, 3 * 32, sheet::EnemyRow, 32, 32));
        for (int i = 0; i <= 10; ++i) {
            const int x = 112 + 32 * i;
            if (i <= roomIndex) {
                EXPECT_TRUE(
                    sameRect(t->Image2, x, 224, sheet, sheet::AppleX, sheet::ObjectRow, 32, 32))
                    << "apple " << i;
            } else {
                EXPECT_TRUE(blackAt(t->Image2, x, 224, 32, 32)) << "apple " << i;
            }
        }
    }
}

TEST(ClearWait, KeysAreIgnoredForFiveTicksAndAHeldKeyGoesOnAtTheSixth) {
    TinyGame t(ExitRoom);
    climbToTheTop(t);
    t.tick(); // the clear, the up arrow still held
    for (int k = 1; k <= 5; ++k) {
        t.tick();
        EXPECT_EQ(t->GameState, 1 + k) << "tick " << k;
        EXPECT_EQ(t->RoomIndex, 0);
    }
    t.tick();
    EXPECT_EQ(t->GameState, StatePlay);
    EXPECT_EQ(t->RoomIndex, 1);
    EXPECT_EQ(t->Lives, 6);

    // A key pressed and let go during the pause is not remembered.
    TinyGame u(ExitRoom);
    climbToTheTop(u);
    u.tick();
    u.hold({});
    u.tick();
    u.hold({VkLeft});
    u.tick(2);
    u.hold({});
    u.tick(5);
    EXPECT_EQ(u->GameState, StateClearWait);
    u.hold({VkShift});
    u.tick();
    EXPECT_EQ(u->GameState, StatePlay);
    EXPECT_EQ(u->RoomIndex, 1);
}

TEST(ClearWait, AKeyAfterTheClearLeadsOnAccordingToWhereTheRoomsComeFrom) {
    struct Case {
        const char* name;
        TinyGame::Mode mode;
        int playMode; // forced after the start, -1 to keep it
        int roomIndex;
        int state, roomAfter, livesAfter, playModeAfter;
    };
    const Case cases[] = {
        {"a loaded set goes on to its next room", TinyGame::Mode::LoadedSet, -1, 0, StatePlay, 1, 6,
         ModeLoadedSet},
        {"the tenth room of a loaded set leads to the title", TinyGame::Mode::LoadedSet, -1, 9,
         StateTitle, 10, 6, ModeBuiltIn},
        {"the tenth built-in room leads to the ending", TinyGame::Mode::LoadedSet, ModeBuiltIn, 9,
         StateEnding, 10, 6, ModeBuiltIn},
        {"test play starts the same room again", TinyGame::Mode::TestPlay, -1, 0, StatePlay, 0, 5,
         ModeTestPlay},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TinyGame t(ExitRoom, c.mode, true);
        if (c.playMode >= 0) t->PlayMode = static_cast<std::int8_t>(c.playMode);
        t->RoomIndex = c.roomIndex;
        climbToTheTop(t);
        t.tick(7); // the clear, five ticks of pause, the wait with the up arrow held
        EXPECT_EQ(t->GameState, c.state);
        EXPECT_EQ(t->RoomIndex, c.roomAfter);
        EXPECT_EQ(t->Lives, c.livesAfter);
        EXPECT_EQ(t->PlayMode, c.playModeAfter);
        if (c.state == StatePlay) {
            EXPECT_EQ(t->Player.x, c.roomAfter == 0 ? 128 : 32);
            EXPECT_EQ(t->Player.y, c.roomAfter == 0 ? 32 : 0);
        }
        if (c.state == StateEnding) {
            EXPECT_TRUE(allBlack(t->Image2));
            EXPECT_TRUE(allBlack(t->Image1));
        }
    }
}

// She drops a bomb and stays on it, holding SHIFT; the death end comes in
// the 31st tick.
void dieOnOwnBomb(TinyGame& t) {
    t.hold({});
    t.hold({VkShift});
    t.tick(30);
    ASSERT_EQ(t->DyingCounter, 20);
    t.tick();
}

TEST(DeathEnd, TheRoomStartsAgainWithTheScoreKeptAndALifeLess) {
    TinyGame t({"4..............4", "4......7.6.....4", "4444444444444444"});
    t.hold({VkRight});
    t.tick(5); // the apple is taken in the fifth tick, as she walks on to x = 304
    EXPECT_EQ(t->ApplesLeft, 0);
    const int score = t->Score;
    EXPECT_EQ(score, 1);
    t.hold({VkLeft});
    t.tick(5); // back on her start cell
    dieOnOwnBomb(t);
    EXPECT_EQ(t->GameState, StatePlay);
    EXPECT_EQ(t->DyingCounter, 0);
    EXPECT_EQ(t->Lives, 4);
    EXPECT_EQ(t->Score, score);
    EXPECT_EQ(t->ApplesLeft, 1); // the room is back as stored
    EXPECT_EQ(t->Player.x, 224);
    EXPECT_EQ(t->Player.y, 32);
}

TEST(DeathEnd, TheSixthDeathOfAGameWithNoRoomClearedEndsIt) {
    TinyGame t({"4..............4", "4......7.......4", "4444444444444444"},
               TinyGame::Mode::LoadedSet, true);
    for (int death = 1; death <= 5; ++death) {
        dieOnOwnBomb(t);
        EXPECT_EQ(t->GameState, StatePlay) << "death " << death;
        EXPECT_EQ(t->Lives, 5 - death);
    }
    dieOnOwnBomb(t);
    EXPECT_EQ(t->GameState, StateGameOver);
    EXPECT_EQ(t->Lives, -1);
    EXPECT_EQ(textAt(t->Image1, 11, 12, 10, t->Image3), "GAME  OVER");
    EXPECT_EQ(t->HiScore, 100);
}

TEST(DeathEnd, InTestPlayADeathNeverCostsALife) {
    TinyGame t({"4..............4", "4......7.......4", "4444444444444444"},
               TinyGame::Mode::TestPlay);
    t->Lives = 0;
    dieOnOwnBomb(t);
    EXPECT_EQ(t->GameState, StatePlay);
    EXPECT_EQ(t->Lives, 0);
}

TEST(GameOver, TheHighScoreChangesOnlyWhenBeatenAndOnlyThenIsItAnnounced) {
    struct Case {
        int score, hiBefore, hiAfter;
    };
    for (const Case& c : {Case{150, 100, 150}, Case{100, 100, 100}, Case{99, 100, 100}}) {
        SCOPED_TRACE(::testing::Message() << "score " << c.score);
        TinyGame t({"4..............4", "4......7.......4", "4444444444444444"},
                   TinyGame::Mode::LoadedSet, true);
        t->Lives = 0;
        t->Score = c.score;
        t->HiScore = c.hiBefore;
        t->DyingCounter = 20;
        t.hold({VkDown});
        t.tick();
        const Surface& sheet = t->Image3;
        EXPECT_EQ(t->GameState, StateGameOver);
        EXPECT_EQ(t->HiScore, c.hiAfter);
        EXPECT_EQ(textAt(t->Image2, 11, 12, 10, sheet), "GAME  OVER");
        EXPECT_EQ(textAt(t->Image2, 12, 14, 9, sheet),
                  c.hiAfter != c.hiBefore ? "HI-SCORE!" : std::string(9, ' '));
        EXPECT_TRUE(sameRect(t->Image1, 0, 0, t->Image2, 0, 0, PlayfieldWidth, PlayfieldHeight));
    }
}

TEST(GameOver, AKeyTakesTheGameBackToTheTitle) {
    TinyGame t({"4..............4", "4......7.......4", "4444444444444444"});
    t->Lives = 0;
    t->DyingCounter = 20;
    t.hold({VkDown});
    t.tick();
    ASSERT_EQ(t->GameState, StateGameOver);
    t.hold({});
    t.tick(3);
    EXPECT_EQ(t->GameState, StateGameOver);
    t.hold({VkLeft});
    t.tick();
    EXPECT_EQ(t->GameState, StateTitle);
    EXPECT_EQ(t->PlayMode, ModeBuiltIn);

    // A key still held when the screen has been wiped in goes on at once.
    TinyGame held({"4..............4", "4......7.......4", "4444444444444444"});
    held->Lives = 0;
    held->DyingCounter = 20;
    held.hold({VkDown});
    held.tick(2);
    EXPECT_EQ(held->GameState, StateTitle);
}

TEST(Ending, EveryTickAddsOneAppleAtARandomPlaceUnderTheClosingLines) {
    TinyGame t(ExitRoom, TinyGame::Mode::LoadedSet, true);
    t->PlayMode = ModeBuiltIn;
    t->RoomIndex = 9;
    climbToTheTop(t);
    t.tick(7);
    ASSERT_EQ(t->GameState, StateEnding);
    const Surface& sheet = t->Image3;

    // The game's generator: state starting at 1, first draw 346.
    std::uint32_t state = 1;
    auto draw = [&state] {
        state = state * 22695477u + 1u;
        return static_cast<int>((state >> 16) & 0x7FFF);
    };
    Surface expected(PlayfieldWidth, PlayfieldHeight);
    for (int tick = 1; tick <= 60; ++tick) {
        t.tick();
        const int x = draw() % 480;
        const int y = draw() % 352;
        if (tick == 1) {
            EXPECT_EQ(x, 346); // the first draw of a run
        }
        ASSERT_TRUE(x >= 0 && x < 480 && y >= 0 && y < 352);
        expected.drawMasked(x, y, 32, 32, sheet, sheet::AppleX, sheet::ObjectMaskRow, sheet::AppleX,
                            sheet::ObjectRow);
        drawText(expected, 8 * 16, 8 * 16, "COUNGRATULATIONS!", sheet);
        drawText(expected, 3 * 16, 16 * 16, "THANK YOU FOR YOUR PLAYING", sheet);
        ASSERT_TRUE(sameRect(t->Image1, 0, 0, expected, 0, 0, PlayfieldWidth, PlayfieldHeight))
            << "tick " << tick;
        EXPECT_EQ(t->GameState, StateEnding);
    }
    EXPECT_EQ(textAt(t->Image1, 8, 8, 17, sheet), "COUNGRATULATIONS!");
    EXPECT_EQ(textAt(t->Image1, 3, 16, 26, sheet), "THANK YOU FOR YOUR PLAYING");
    EXPECT_TRUE(allBlack(t->Image2));
    EXPECT_EQ(t->RandomState, state);
}

} // namespace
