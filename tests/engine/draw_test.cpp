// Text with the sheet font, the status line and the four-pass wipe.
#include "tiny_room.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

// A host that counts what it is asked to show and keeps a picture of the
// playfield at every showing.
struct ShowRecorder : GameHost {
    Game* game = nullptr;
    std::vector<Surface> playfields;
    int statusShows = 0;
    void showPlayfield() override { playfields.push_back(game->Image1); }
    void showStatusBar() override { ++statusShows; }
};

// A game whose sheet is the pattern sheet and whose surfaces are all black.
struct DrawGame {
    Game game;
    DrawGame() {
        game.Image3 = patternSheet();
        game.Image1.fillBlack(0, 0, PlayfieldWidth, PlayfieldHeight);
        game.Image2.fillBlack(0, 0, PlayfieldWidth, PlayfieldHeight);
        game.Image4.fillBlack(0, 0, PlayfieldWidth, StatusBarHeight);
    }
};

bool allBlack(const Surface& s) {
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if (s.at(x, y) != Black) return false;
    return true;
}

struct GlyphCase {
    char c;
    bool drawn;
    int sheetX, sheetY; // where its glyph lies in the sheet
};

TEST(Glyphs, EachCharacterIsCutFromItsPlaceInTheFont) {
    const GlyphCase cases[] = {
        {' ', true, 0, 0},     {'!', true, 16, 0},    {'/', true, 240, 0},   {'0', true, 0, 16},
        {'9', true, 144, 16},  {'?', true, 240, 16},  {'@', true, 0, 32},    {'A', true, 16, 32},
        {'O', true, 240, 32},  {'P', true, 0, 48},    {'Z', true, 160, 48},  {'_', true, 240, 48},
        {'\x1f', false, 0, 0}, {'`', false, 0, 0},    {'a', false, 0, 0},    {'\x7f', false, 0, 0},
        {'\x80', false, 0, 0}, {'\xc1', false, 0, 0}, {'\xff', false, 0, 0}, {'\x01', false, 0, 0},
    };
    for (const GlyphCase& g : cases) {
        SCOPED_TRACE(::testing::Message() << "character " << int(static_cast<unsigned char>(g.c)));
        DrawGame d;
        const char text[] = {g.c, 0};
        d.game.prin(2, 3, text);
        if (g.drawn)
            EXPECT_TRUE(
                sameRect(d.game.Image2, 32, 48, patternSheet(), g.sheetX, g.sheetY, 16, 16));
        else
            EXPECT_TRUE(allBlack(d.game.Image2));
    }
}

TEST(Glyphs, TheThreePrintersDrawOnTheirOwnSurfaces) {
    DrawGame d;
    d.game.prin(0, 0, "A");
    EXPECT_TRUE(sameRect(d.game.Image2, 0, 0, patternSheet(), 16, 32, 16, 16));
    d.game.prin2(1, "R");
    EXPECT_TRUE(sameRect(d.game.Image4, 16, 8, patternSheet(), 32, 48, 16, 16));
    d.game.prin3(3, 5, "0");
    EXPECT_TRUE(sameRect(d.game.Image1, 48, 80, patternSheet(), 0, 16, 16, 16));

    DrawGame only2;
    only2.game.prin2(0, "ZZ");
    EXPECT_TRUE(allBlack(only2.game.Image1));
    EXPECT_TRUE(allBlack(only2.game.Image2));
    EXPECT_EQ(only2.game.Image4.at(0, 7), Black);  // above the glyph row
    EXPECT_EQ(only2.game.Image4.at(0, 24), Black); // below it
}

TEST(Glyphs, ACharacterOutsideTheFontKeepsItsPlaceAndNothingWraps) {
    DrawGame d;
    d.game.prin(0, 1, "A\x80Z");
    EXPECT_TRUE(sameRect(d.game.Image2, 0, 16, patternSheet(), 16, 32, 16, 16));
    EXPECT_TRUE(sameRect(d.game.Image2, 32, 16, patternSheet(), 160, 48, 16, 16));
    for (int y = 16; y < 32; ++y)
        for (int x = 16; x < 32; ++x) EXPECT_EQ(d.game.Image2.at(x, y), Black);

    DrawGame edge;
    edge.game.prin(31, 0, "AB");
    EXPECT_TRUE(sameRect(edge.game.Image2, 496, 0, patternSheet(), 16, 32, 16, 16));
    for (int y = 0; y < PlayfieldHeight; ++y)
        for (int x = 0; x < 496; ++x) ASSERT_EQ(edge.game.Image2.at(x, y), Black);
}

struct StatusCase {
    std::int32_t room, score, lives;
    const char* line;
};

TEST(StatusLine, FormatsRoomScoreAndRest) {
    const StatusCase cases[] = {
        {0, 0, 5, "ROOM  1  SCORE     000  REST 5"},
        {9, 250, 14, "ROOM 10  SCORE   25000  REST14"},
        {4, 99999, 0, "ROOM  5  SCORE 9999900  REST 0"},
        {0, 123456, 3, "ROOM  1  SCORE 12345600  REST 3"},
        {INT_MAX, INT_MAX, INT_MAX, "ROOM 2147483648  SCORE 214748364700  REST2147483647"},
        {-1, INT_MIN, -1, "ROOM  0  SCORE -214748364800  REST-1"},
    };
    for (const StatusCase& c : cases) {
        SCOPED_TRACE(c.line);
        DrawGame d;
        ShowRecorder host;
        host.game = &d.game;
        d.game.setHost(&host);
        d.game.RoomIndex = c.room;
        d.game.Score = c.score;
        d.game.Lives = c.lives;
        d.game.Putsc();
        EXPECT_STREQ(d.game.StatusText, c.line);
        EXPECT_EQ(host.statusShows, 1);
        // Printed from column 1 at y = 8, cut at the bar's right edge.
        const std::string line = c.line;
        for (int i = 0; i < 31 && i < static_cast<int>(line.size()); ++i) {
            const int ch = line[i];
            EXPECT_TRUE(sameRect(d.game.Image4, 16 * (i + 1), 8, patternSheet(), (ch & 15) * 16,
                                 (ch / 16) * 16 - 32, 16, 16))
                << "column " << i + 1;
        }
        for (int y = 0; y < StatusBarHeight; ++y) EXPECT_EQ(d.game.Image4.at(5, y), Black);
    }
}

TEST(StatusLine, OverwritesTheLastLineWithoutClearingTheBar) {
    DrawGame d;
    d.game.Score = 1234567; // a line of 32 characters, reaching column 32 and past the bar
    d.game.Putsc();
    Surface longLine = d.game.Image4;
    d.game.Score = 0;
    d.game.Putsc();
    // The short line covers columns 1 to 30; column 31 still holds the old line's text.
    EXPECT_TRUE(sameRect(d.game.Image4, 496, 0, longLine, 496, 0, 16, 32));
    EXPECT_FALSE(sameRect(d.game.Image4, 16, 0, longLine, 16, 0, 480, 32));
}

TEST(Dasu, RevealsEveryFourthRowPerPassAndShowsAfterEach) {
    DrawGame d;
    ShowRecorder host;
    host.game = &d.game;
    d.game.setHost(&host);
    d.game.Image2 = patternSheet();
    d.game.Image4 = Surface(PlayfieldWidth, StatusBarHeight);
    d.game.Image4.blit(0, 0, PlayfieldWidth, StatusBarHeight, patternSheet(), 0, 100, Rop::Copy);
    const Surface bar = d.game.Image4;

    d.game.Dasu();

    ASSERT_EQ(host.playfields.size(), 4u);
    const Surface blackRow(PlayfieldWidth, 1);
    for (int pass = 0; pass < 4; ++pass) {
        SCOPED_TRACE(::testing::Message() << "after pass " << pass);
        const Surface& shown = host.playfields[pass];
        for (int y = 0; y < PlayfieldHeight; ++y) {
            const bool revealed = y % 4 <= pass;
            const Surface& want = revealed ? d.game.Image2 : blackRow;
            ASSERT_TRUE(sameRect(shown, 0, y, want, 0, revealed ? y : 0, PlayfieldWidth, 1))
                << "row " << y;
        }
    }
    EXPECT_TRUE(
        sameRect(d.game.Image1, 0, 0, d.game.Image2, 0, 0, PlayfieldWidth, PlayfieldHeight));
    EXPECT_EQ(host.statusShows, 0);
    EXPECT_TRUE(sameRect(d.game.Image4, 0, 0, bar, 0, 0, PlayfieldWidth, StatusBarHeight));
}

} // namespace
