// The bonus chain: each award scores the chain's next step, the numbers rise
// for twelve ticks, and each one that ends takes a step off the chain.
#include "play_probe.h"
#include "sprite_sheet.h"
#include "tiny_room.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Sounds = std::vector<int>;

int livePopups(const Game& g) {
    int n = 0;
    for (int i = 0; i < PopupSlots; ++i) n += g.PopupTable.value[i] != 0;
    return n;
}

// She stands at (224, 32) on a stone floor and walks right along `row1`.
TinyGame walkRoom(const char* row1) {
    return TinyGame({"4..............4", row1, "4444444444444444"});
}

TEST(Chain, ThreeApplesTwoTicksApartScore100Then200Then300) {
    TinyGame t = walkRoom("4......7666....4");
    t.hold({VkRight});
    // She reaches the apples in ticks 3, 5 and 7.
    const int awardTick[3] = {3, 5, 7};
    int score = 0;
    for (int tick = 1; tick <= 20; ++tick) {
        t.tick();
        SCOPED_TRACE(::testing::Message() << "tick " << tick);
        for (int k = 0; k < 3; ++k) {
            if (tick == awardTick[k]) {
                score += k + 1;
                EXPECT_EQ(t->PopupTable.value[k], k + 1);
                EXPECT_EQ(t->PopupTable.x[k], 256 + 32 * k);
                EXPECT_EQ(t->PopupTable.y[k], 32 + 11); // 12 below her, risen by one
            }
        }
        EXPECT_EQ(t->Score, score);
        // Each number shows for twelve ticks; the chain winds down as they end.
        int chain = tick < 3 ? 0 : tick < 5 ? 1 : tick < 7 ? 2 : 3;
        if (tick >= 14) --chain;
        if (tick >= 16) --chain;
        if (tick >= 18) --chain;
        EXPECT_EQ(t->ChainValue, chain);
        if (tick == 14) {
            EXPECT_EQ(t->PopupTable.value[0], 0);
            EXPECT_EQ(t->PopupTable.y[0], 32); // the twelfth and last showing at her y
        }
    }
    EXPECT_EQ(t->Score, 6);
    EXPECT_EQ(livePopups(*t), 0);
}

TEST(Chain, AMoneyBagRaisesTheChainByTwo) {
    TinyGame t = walkRoom("4......7666....4");
    placeItem(*t, 3, 352, 32, 2);
    t->BagsTotal = 1;
    t.hold({VkRight});
    t.tick(8);
    EXPECT_EQ(t->Score, 6);
    EXPECT_EQ(t->ChainValue, 3);
    t.tick(); // tick 9: the bag
    EXPECT_EQ(t->ChainValue, 5);
    EXPECT_EQ(t->Score, 11);
    EXPECT_EQ(t->PopupTable.value[3], 5);
}

TEST(Chain, AnAwardInTheTwelfthTickOfTheLastNumberStillBelongsToTheChain) {
    struct Case {
        int ticksApart;
        int secondAward;
    };
    for (const Case& c : {Case{11, 2}, Case{12, 1}}) {
        SCOPED_TRACE(::testing::Message() << "ticks apart: " << c.ticksApart);
        TinyGame t = walkRoom("4......76....6.4");
        t.hold({VkRight});
        t.tick(3); // the first apple
        EXPECT_EQ(t->Score, 1);
        // Walking on takes 10 ticks to the second apple; standing still adds the rest.
        t.hold({});
        t.tick(c.ticksApart - 10);
        t.hold({VkRight});
        t.tick(9);
        EXPECT_EQ(t->Score, 1);
        t.tick();
        EXPECT_EQ(t->ApplesLeft, 0);
        EXPECT_EQ(t->Score, 1 + c.secondAward);
        EXPECT_EQ(t->ChainValue, 1);
        EXPECT_EQ(livePopups(*t), 1);
    }
}

TEST(Chain, TheChainStopsAtEightAndEveryFurtherAwardScores800) {
    TinyGame t = walkRoom("4......7.......4");
    const int expected[11] = {1, 2, 3, 4, 5, 6, 7, 8, 8, 8, 8};
    for (int k = 0; k < 11; ++k) {
        const int before = t->Score;
        t->Putno(96, 200, 1);
        EXPECT_EQ(t->Score - before, expected[k]) << "award " << k + 1;
        EXPECT_EQ(t->PopupTable.value[k], expected[k]);
    }
    // A money bag at the cap also scores 800.
    const int before = t->Score;
    t->Putno(96, 200, 2);
    EXPECT_EQ(t->Score - before, 8);
    EXPECT_EQ(t->ChainValue, 8);
}

TEST(Chain, TheChainNeverDropsBelowZeroWhenNumbersEnd) {
    TinyGame t = walkRoom("4......7.......4");
    for (int k = 0; k < 9; ++k) t->Putno(96, 200, 1);
    t.tick();
    t->Putno(96, 200, 1); // ten awards: 1, 2, ... 8, 8, 8
    EXPECT_EQ(t->Score, 36 + 8 + 8);
    t.tick(11); // the first nine numbers end together
    EXPECT_EQ(t->ChainValue, 0);
    EXPECT_EQ(livePopups(*t), 1); // the tenth still shows: no reset yet
    t->Putno(96, 200, 1);
    EXPECT_EQ(t->Score, 36 + 8 + 8 + 1); // 100, not 0 or less
    EXPECT_EQ(t->ChainValue, 1);
    for (int i = 0; i < PopupSlots; ++i) {
        const int v = t->PopupTable.value[i];
        EXPECT_TRUE(v >= 0 && v <= 8) << "slot " << i;
    }
    t.tick();
    EXPECT_EQ(t->ChainValue, 0);
}

TEST(Chain, WithAll32NumbersShowingAPickupScoresNothingButStillCounts) {
    struct Case {
        int kind;
        int sound;
    };
    for (const Case& c : {Case{1, SoundApple}, Case{2, SoundBag}}) {
        SCOPED_TRACE(c.kind);
        TinyGame t = walkRoom("4......7.....6.4");
        for (int k = 0; k < PopupSlots; ++k) t->Putno(96, 200, 1);
        const int score = t->Score;
        placeItem(*t, 1, 224, 32, c.kind);
        t->ApplesLeft = 2;
        t->BagsTotal = 1;
        t.tick();
        EXPECT_EQ(t->ItemTable.kind[1], 0);
        EXPECT_EQ(t->ApplesLeft, c.kind == 1 ? 1 : 2);
        EXPECT_EQ(t->BagsTaken, c.kind == 2 ? 1 : 0);
        EXPECT_EQ(t->Score, score);
        EXPECT_EQ(t->ChainValue, 8);
        EXPECT_EQ(livePopups(*t), PopupSlots);
        for (int i = 0; i < PopupSlots; ++i) EXPECT_EQ(t->PopupTable.x[i], 96);
        EXPECT_EQ(soundsOfLastTick(*t), Sounds{c.sound});
    }
}

TEST(Chain, AChainEndsInTheFirstTickThatFindsNoNumberShowing) {
    TinyGame t = walkRoom("4......7.......4");
    t->ChainValue = 5; // left over from nowhere: no number shows it
    t.tick();
    EXPECT_EQ(t->ChainValue, 0);
}

TEST(PopupDrawing, TheNumberOfTheAwardIsDrawnWithItsMask) {
    for (int value : {1, 3, 8}) {
        SCOPED_TRACE(value);
        TinyGame t({"4..............4", "4............7.4", "4............4.4"},
                   TinyGame::Mode::LoadedSet, true);
        t->Putno(96, 200, value);
        t.tick();
        const int sx = sheet::BonusX + sheet::BonusW * value;
        EXPECT_EQ(t->PopupTable.y[0], 211);
        EXPECT_TRUE(shows(t->Image1, 96, 211,
                          maskedOver(t->Image2, 96, 211, 32, 16, t->Image3, sx,
                                     sheet::ObjectMaskRow, sx, sheet::BonusY)));
    }
}

} // namespace
