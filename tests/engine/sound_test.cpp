// Sound effects: at most one per play tick, the death sound cutting through,
// silence while she dies, and the SOUND switch.
#include "tiny_room.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct SoundRecorder : GameHost {
    std::vector<int> played;
    void playSound(int id) override { played.push_back(id); }
};

TEST(Sound, TheTenEffectsAndTheirFiles) {
    const char* const names[SoundCount] = {"set.wav", "bound.wav", "tak.wav", "ti.wav",
                                           "tol.wav", "mia.wav",   "bow.wav", "era.wav",
                                           "win.wav", "clia.wav"};
    for (int id = 0; id < SoundCount; ++id) EXPECT_STREQ(SoundFileNames[id], names[id]);
}

struct GateCase {
    const char* name;
    int playedThisTick, dying, soundOn, id;
    bool plays;
    int flagAfter;
};

TEST(Sound, RequestsPassTheGatesInOrder) {
    const GateCase cases[] = {
        {"a first request plays", 0, 0, 1, 3, true, 1},
        {"the lowest id", 0, 0, 1, 0, true, 1},
        {"the highest id", 0, 0, 1, 9, true, 1},
        {"a second request in the tick is dropped", 1, 0, 1, 3, false, 1},
        {"nothing while she dies", 0, 5, 1, 3, false, 0},
        {"SOUND off leaves the flag alone", 0, 0, 0, 3, false, 0},
        {"SOUND off after a sound", 1, 0, 0, 3, false, 1},
        {"an id past the table takes the tick's sound", 0, 0, 1, 10, false, 1},
        {"a negative id takes the tick's sound", 0, 0, 1, -1, false, 1},
        {"a byte-sized id past the table", 0, 0, 1, 255, false, 1},
    };
    for (const GateCase& c : cases) {
        SCOPED_TRACE(c.name);
        SoundRecorder host;
        Game g(&host);
        g.SoundPlayedThisTick = static_cast<std::uint8_t>(c.playedThisTick);
        g.DyingCounter = static_cast<std::int8_t>(c.dying);
        g.SoundOn = static_cast<std::uint8_t>(c.soundOn);
        g.sound(c.id);
        EXPECT_EQ(host.played, c.plays ? std::vector<int>{c.id} : std::vector<int>{});
        EXPECT_EQ(g.SoundPlayedThisTick, c.flagAfter);
    }
}

// The heroine stands at (64, 32) on a floor; four apples lie further down,
// in item slots 0 to 3.
Room soundRoom() {
    return roomFrom(
        {"4..............4", "4..............4", "4444444444444444", "4.........6666.4"});
}

void placeHeroine(Game& g) {
    g.Player.x = 64;
    g.Player.y = 32;
}

TEST(Sound, OnePerTickAndTheGateOpensAgainNextTick) {
    TinyGame t(soundRoom());
    Game& g = *t;
    SoundRecorder host;
    g.setHost(&host);
    placeHeroine(g);
    // Two apples right where she stands, and SHIFT for a bomb in the same tick.
    for (int slot : {0, 1}) {
        g.ItemTable.x[slot] = 64;
        g.ItemTable.y[slot] = 32;
    }
    g.FormKeyDown(VkShift);
    t.tick();
    EXPECT_EQ(g.ApplesLeft, 2);
    EXPECT_EQ(host.played, std::vector<int>{SoundApple}); // the bomb's click is dropped
    g.FormKeyDown(VkShift);
    t.tick();
    EXPECT_EQ(host.played, (std::vector<int>{SoundApple, SoundBombPlaced}));
}

TEST(Sound, TheDeathSoundCutsThroughAnEarlierSoundOfTheTick) {
    for (const bool shutIn : {false, true}) {
        SCOPED_TRACE(shutIn ? "a brick grows back around her" : "nothing else happens");
        TinyGame t(soundRoom());
        Game& g = *t;
        SoundRecorder host;
        g.setHost(&host);
        placeHeroine(g);
        // An apple half a cell above her drops onto her in this tick ...
        g.ItemTable.x[0] = 64;
        g.ItemTable.y[0] = 16;
        // ... and the brick of her cell grows back in the same tick.
        if (shutIn) {
            g.HoleTable.phase[0] = 51;
            g.HoleTable.x[0] = 64;
            g.HoleTable.y[0] = 32;
        }
        t.tick();
        EXPECT_EQ(g.ApplesLeft, 3);
        EXPECT_EQ(g.DyingCounter, shutIn ? 1 : 0);
        EXPECT_EQ(host.played, shutIn ? (std::vector<int>{SoundApple, SoundDeath})
                                      : std::vector<int>{SoundApple});
    }
}

TEST(Sound, SilenceWhileSheDies) {
    for (const bool dying : {false, true}) {
        SCOPED_TRACE(dying ? "while she dies" : "while she lives");
        TinyGame t(soundRoom());
        Game& g = *t;
        SoundRecorder host;
        g.setHost(&host);
        placeHeroine(g);
        if (dying) {
            g.setCell(1, 2, CodeBrick);
            t.tick();
            ASSERT_EQ(host.played, std::vector<int>{SoundDeath});
            host.played.clear();
        }
        // A bomb far from her bursts in the next tick.
        g.BombTable.timer[0] = 11;
        g.BombTable.x[0] = 320;
        g.BombTable.y[0] = 32;
        t.tick();
        EXPECT_EQ(g.BombTable.timer[0], 0);
        EXPECT_EQ(host.played, dying ? std::vector<int>{} : std::vector<int>{SoundBurst});
    }
}

TEST(Sound, SoundOffSilencesEveryEvent) {
    TinyGame t(soundRoom());
    Game& g = *t;
    SoundRecorder host;
    g.setHost(&host);
    g.SoundOn = 0;
    placeHeroine(g);
    // An apple taken and a brick growing back around her, in one tick.
    g.ItemTable.x[0] = 64;
    g.ItemTable.y[0] = 32;
    g.HoleTable.phase[0] = 51;
    g.HoleTable.x[0] = 64;
    g.HoleTable.y[0] = 32;
    t.tick();
    EXPECT_EQ(g.ApplesLeft, 3);
    EXPECT_EQ(g.DyingCounter, 1);
    EXPECT_TRUE(host.played.empty());
    EXPECT_EQ(g.SoundPlayedThisTick, 0);
}

} // namespace
