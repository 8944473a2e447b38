// The tick and its states: the title screen, the new game on SPACE, the
// pause and wait after a room clear, and the way back from game over.
#include "sprite_sheet.h"
#include "tiny_room.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int KeyA = 65;

struct ScreenHost : GameHost {
    int playfieldShows = 0, statusShows = 0;
    bool timer = false;
    std::string caption;
    void showPlayfield() override { ++playfieldShows; }
    void showStatusBar() override { ++statusShows; }
    void timerEnabledChanged(bool enabled) override { timer = enabled; }
    void setCaption(const char* text) override { caption = text; }
};

// Where the font's glyph of c lies in the sheet.
bool glyphAt(const Surface& s, int x, int y, char c) {
    return sameRect(s, x, y, patternSheet(), (c & 15) * 16, (c / 16) * 16 - 32, 16, 16);
}

TEST(TitleScreen, IsDrawnAtStartUpAndWaitsForSpace) {
    ScreenHost host;
    Game g(&host);
    g.FormCreate(patternSheet());

    EXPECT_EQ(g.GameState, StateTitle);
    EXPECT_EQ(g.PlayMode, ModeBuiltIn);
    EXPECT_TRUE(host.timer);
    EXPECT_EQ(host.caption, "ZOMMEL & VRIX");
    EXPECT_EQ(host.playfieldShows, 4); // the four passes of the wipe
    EXPECT_TRUE(sameRect(g.Image3, 0, 0, patternSheet(), 0, 0, PlayfieldWidth, PlayfieldHeight));
    EXPECT_TRUE(sameRect(g.Image1, 0, 0, g.Image2, 0, 0, PlayfieldWidth, PlayfieldHeight));

    const Surface& s = patternSheet();
    EXPECT_TRUE(sameRect(g.Image2, 128, 64, s, sheet::LogoX, sheet::LogoY, 256, 32));
    EXPECT_TRUE(sameRect(g.Image2, 64, 152, s, 96, sheet::HeroineRow, 32, 32));
    EXPECT_TRUE(glyphAt(g.Image2, 96, 160, 'Z'));
    EXPECT_TRUE(glyphAt(g.Image2, 176, 160, 'L'));
    EXPECT_TRUE(glyphAt(g.Image2, 128, 208, 'C'));
    EXPECT_TRUE(glyphAt(g.Image2, 384, 208, 'E'));
    EXPECT_TRUE(glyphAt(g.Image2, 128, 240, 'S'));
    EXPECT_TRUE(glyphAt(g.Image2, 144, 320, 'P'));
    EXPECT_TRUE(glyphAt(g.Image2, 352, 320, 'Y'));
    EXPECT_FALSE(sameRect(g.Image2, 64, 368, Surface(16, 16), 0, 0, 16, 16)); // the credit line
    EXPECT_EQ(g.Image2.at(0, 0), Black);

    EXPECT_STREQ(g.StatusText, "HI-SCORE   10000");
    EXPECT_TRUE(glyphAt(g.Image4, 128, 8, 'H'));
    for (int x = 0; x < 128; ++x) EXPECT_EQ(g.Image4.at(x, 12), Black);
}

TEST(TitleScreen, OnlySpaceStartsAGameAndTheTitleStaysStill) {
    ScreenHost host;
    Game g(&host);
    g.FormCreate(patternSheet());
    const Surface field = g.Image1, bar = g.Image4;
    const int shows = host.playfieldShows + host.statusShows;
    for (int key : {int(VkUp), int(VkRight), int(VkDown), int(VkLeft), int(VkShift), KeyA}) {
        g.FormKeyDown(key);
        g.Timer1Timer();
        g.Timer1Timer();
        g.FormKeyUp(key);
    }
    EXPECT_EQ(g.GameState, StateTitle);
    EXPECT_EQ(host.playfieldShows + host.statusShows, shows);
    EXPECT_TRUE(sameRect(g.Image1, 0, 0, field, 0, 0, PlayfieldWidth, PlayfieldHeight));
    EXPECT_TRUE(sameRect(g.Image4, 0, 0, bar, 0, 0, PlayfieldWidth, StatusBarHeight));

    g.FormKeyDown(VkSpace);
    g.Timer1Timer();
    EXPECT_EQ(g.GameState, StatePlay);
    EXPECT_EQ(g.PlayMode, ModeBuiltIn);
    EXPECT_EQ(g.RoomIndex, 0);
    EXPECT_EQ(g.Score, 0);
    EXPECT_EQ(g.Lives, 5);
    EXPECT_EQ(g.Player.x, 224);
    EXPECT_EQ(g.Player.y, 288);
    EXPECT_TRUE(host.timer);
    EXPECT_STREQ(g.StatusText, "ROOM  1  SCORE     000  REST 5");
}

TEST(TitleScreen, SpaceHeldWhileItIsDrawnNeedsANewKeyDown) {
    Game g;
    g.FormKeyDown(VkSpace);
    g.FormCreate(patternSheet());
    EXPECT_EQ(g.KeyState.space, 0);
    g.Timer1Timer();
    g.Timer1Timer();
    EXPECT_EQ(g.GameState, StateTitle);
    g.FormKeyDown(VkSpace); // the held key's auto-repeat
    g.Timer1Timer();
    EXPECT_EQ(g.GameState, StatePlay);
}

TEST(TitleScreen, ANewGameResetsScoreLivesAndRoomOfTheLastOne) {
    Game g;
    g.FormCreate(patternSheet());
    g.Score = 999;
    g.Lives = 1;
    g.RoomIndex = 7;
    g.FormKeyDown(VkSpace);
    g.Timer1Timer();
    EXPECT_EQ(g.Score, 0);
    EXPECT_EQ(g.Lives, 5);
    EXPECT_EQ(g.RoomIndex, 0);
    EXPECT_EQ(g.KeyState.space, 1); // room start leaves SPACE alone
    EXPECT_EQ(g.KeyState.any, 0);
}

// A ladder from row 1 up through row 0 and no apples: climbing out clears the room.
Room clearableRoom() {
    return roomFrom({"4.2............4", "4.2............4", "4444444444444444"});
}

TEST(TickStates, AfterAClearFivePauseTicksThenAKeyGoesOn) {
    TinyGame t(clearableRoom());
    Game& g = *t;
    ScreenHost host;
    g.setHost(&host);
    g.Player.x = 64;
    g.Player.y = 32;
    t.hold({VkUp});
    t.tick(4);
    ASSERT_EQ(g.Player.y, -32);
    ASSERT_EQ(g.GameState, 1);
    // The arrow is still held: it is ignored for five ticks and counts at the sixth.
    const int shows = host.playfieldShows;
    for (int state = 2; state <= 6; ++state) {
        t.tick();
        EXPECT_EQ(g.GameState, state);
        EXPECT_EQ(g.RoomIndex, 0);
    }
    EXPECT_EQ(host.playfieldShows, shows); // nothing is drawn meanwhile
    t.tick();
    EXPECT_EQ(g.GameState, StatePlay);
    EXPECT_EQ(g.RoomIndex, 1);
    EXPECT_EQ(g.Lives, 6);
}

TEST(TickStates, TheWaitAfterAClearLastsUntilAKey) {
    TinyGame t(clearableRoom());
    Game& g = *t;
    g.Player.x = 64;
    g.Player.y = 32;
    t.hold({VkUp});
    t.tick(4);
    t.hold({});
    t.tick(20);
    EXPECT_EQ(g.GameState, StateClearWait);
    t.hold({KeyA});
    t.tick();
    EXPECT_EQ(g.GameState, StatePlay);
    EXPECT_EQ(g.RoomIndex, 1);
}

TEST(TickStates, StrayStatesCountUpLikeThePause) {
    Game g;
    g.GameState = 7; // never set by the game
    g.Timer1Timer();
    EXPECT_EQ(g.GameState, StateTitle);
    g.GameState = 3;
    g.FormKeyDown(KeyA);
    g.Timer1Timer();
    EXPECT_EQ(g.GameState, 4);
}

TEST(TickStates, GameOverReturnsToTheTitleOnAKey) {
    TinyGame t({"4..............4", "4444444444444444", "4.............64"});
    Game& g = *t;
    ScreenHost host;
    g.setHost(&host);
    g.Lives = 0;
    g.Player.x = 64;
    g.setCell(0, 2, CodeBrick); // shut in at the end of the first tick
    t.hold({KeyA});
    t.tick(21);
    ASSERT_EQ(g.GameState, StateGameOver);
    t.hold({});
    const int shows = host.playfieldShows;
    t.tick(5);
    EXPECT_EQ(g.GameState, StateGameOver);
    EXPECT_EQ(host.playfieldShows, shows);
    t.hold({KeyA});
    t.tick();
    EXPECT_EQ(g.GameState, StateTitle);
    EXPECT_EQ(g.PlayMode, ModeBuiltIn);
    EXPECT_TRUE(host.timer);
    EXPECT_EQ(host.caption, "ZOMMEL & VRIX");
}

TEST(PlayTick, StartsFromTheBackgroundAndShowsOnce) {
    TinyGame t({"4..............4", "4444444444444444", "4.............64"});
    Game& g = *t;
    ScreenHost host;
    g.setHost(&host);
    g.Player.x = 256; // out of the way of the picture scribbled below
    g.Image1.fillBlack(0, 0, PlayfieldWidth, PlayfieldHeight);
    g.Image1.blit(0, 0, 128, 128, patternSheet(), 0, 0, Rop::Copy);
    t.tick();
    EXPECT_TRUE(sameRect(g.Image1, 0, 0, g.Image2, 0, 0, 128, 128));
    EXPECT_EQ(host.playfieldShows, 1);
}

} // namespace
