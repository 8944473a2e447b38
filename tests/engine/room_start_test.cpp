// Room start: the room's codes become the play map, the heroine, the enemies
// and the apples; the tiles are drawn and the room is shown at once.
#include "sprite_sheet.h"
#include "tiny_room.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Counter : GameHost {
    int playfieldShows = 0, statusShows = 0;
    bool timer = false;
    void showPlayfield() override { ++playfieldShows; }
    void showStatusBar() override { ++statusShows; }
    void timerEnabledChanged(bool enabled) override { timer = enabled; }
};

struct Placed {
    int slot, x, y;
};
struct EnemyPlaced {
    int slot, kind, x, y;
};
struct MapCell {
    int r, c, code;
};

struct Heroine {
    int x, y, frame;
};
struct Counts {
    int applesLeft, bagsTotal;
};

struct StartCase {
    const char* name;
    std::vector<std::string> rows;
    Heroine heroine;
    std::vector<EnemyPlaced> enemies; // every live enemy slot
    std::vector<Placed> apples;       // every live item slot
    Counts counts;
    std::vector<MapCell> map;
};

const StartCase startCases[] = {
    {"an apple in a brick before a free apple",
     {"4796...........4", "4444444444444444"},
     {32, 0, 3},
     {},
     {{1, 96, 0}},
     {2, 0},
     {{0, 2, CodeAppleInBrick}, {0, 3, CodeEmpty}, {0, 1, CodeEmpty}}},
    {"two heroine starts: the second is an enemy that looks like her",
     {"4.7..7.........4", "4444444444444444"},
     {64, 0, 3},
     {{0, 2, 160, 0}},
     {},
     {0, 0},
     {{0, 5, CodeEmpty}}},
    {"enemies and a second start in reading order",
     {"4.....8........4", "4.7.7..8.......4", "4444444444444444"},
     {64, 32, 3},
     {{0, 1, 192, 0}, {1, 2, 128, 32}, {2, 1, 224, 32}},
     {},
     {0, 0},
     {}},
    {"no heroine start", {"4..8...........4"}, {32, 0, 0}, {{0, 1, 96, 0}}, {}, {0, 0}, {}},
    {"no apples",
     {"47a.a..........4", "4444444444444444"},
     {32, 0, 3},
     {},
     {},
     {0, 2},
     {{0, 2, CodeBagInBrick}, {0, 4, CodeBagInBrick}}},
    {"hidden ladders are empty until revealed",
     {"47.5.5.........4", "4445444444444444"},
     {32, 0, 3},
     {},
     {},
     {0, 0},
     {{0, 3, CodeEmpty}, {0, 5, CodeEmpty}, {1, 3, CodeEmpty}}},
    {"plain codes are stored as they are",
     {"4701234........4"},
     {32, 0, 3},
     {},
     {},
     {0, 0},
     {{0, 2, 0}, {0, 3, 1}, {0, 4, 2}, {0, 5, 3}, {0, 6, 4}}},
    {"codes the editor cannot make are stone",
     {"47bcdef........4"},
     {32, 0, 3},
     {},
     {},
     {0, 0},
     {{0, 2, 4}, {0, 3, 4}, {0, 4, 4}, {0, 5, 4}, {0, 6, 4}}},
    {"every inner cell an enemy fills the table",
     {"4888888888888884", "4888888888888884", "4888888888888884", "4888888888888884",
      "4888888888888884", "4888888888888884", "4888888888888884", "4888888888888884",
      "4888888888888884", "4888888888888884", "4888888888888884"},
     {32, 0, 0},
     {{0, 1, 32, 0}, {13, 1, 448, 0}, {14, 1, 32, 32}, {153, 1, 448, 320}},
     {},
     {0, 0},
     {}},
    {"a room of nothing but enemies, border included, stops at the last slot",
     {"8888888888888888", "8888888888888888", "8888888888888888", "8888888888888888",
      "8888888888888888", "8888888888888888", "8888888888888888", "8888888888888888",
      "8888888888888888", "8888888888888888", "8888888888888888", "8888888888888888"},
     {32, 0, 0},
     {{0, 1, 0, 0}, {153, 1, 288, 288}},
     {},
     {0, 0},
     {{11, 15, CodeEmpty}}},
    {"a room full of apples",
     {"4666666666666664", "4666666666666664", "4666666666666664", "4666666666666664",
      "4666666666666664", "4666666666666664", "4666666666666664", "4666666666666664",
      "4666666666666664", "4666666666666664", "4666666666666664"},
     {32, 0, 0},
     {},
     {{0, 32, 0}, {153, 448, 320}},
     {154, 0},
     {}},
};

TEST(RoomStart, DecodesTheRoomIntoMapHeroineEnemiesAndApples) {
    for (const StartCase& c : startCases) {
        SCOPED_TRACE(c.name);
        TinyGame t(roomFrom(c.rows));
        Game& g = *t;
        EXPECT_EQ(g.Player.x, c.heroine.x);
        EXPECT_EQ(g.Player.y, c.heroine.y);
        EXPECT_EQ(g.Player.frame, c.heroine.frame);
        EXPECT_EQ(g.ApplesLeft, c.counts.applesLeft);
        EXPECT_EQ(g.BagsTotal, c.counts.bagsTotal);

        const bool fullTable = c.enemies.size() >= 2 && c.enemies.back().slot == EnemySlots - 1;
        int liveEnemies = 0;
        for (int i = 0; i < EnemySlots; ++i) liveEnemies += g.EnemyTable.state[i] != 0;
        EXPECT_EQ(liveEnemies, fullTable ? EnemySlots : static_cast<int>(c.enemies.size()));
        for (const EnemyPlaced& e : c.enemies) {
            SCOPED_TRACE(::testing::Message() << "enemy slot " << e.slot);
            EXPECT_EQ(g.EnemyTable.state[e.slot], e.kind);
            EXPECT_EQ(g.EnemyTable.x[e.slot], e.x);
            EXPECT_EQ(g.EnemyTable.y[e.slot], e.y);
            EXPECT_EQ(g.EnemyTable.hdir[e.slot], 1);
            EXPECT_EQ(g.EnemyTable.vdir[e.slot], 0);
            EXPECT_EQ(g.EnemyTable.frame[e.slot], 3);
        }

        int liveItems = 0;
        for (int i = 0; i < ItemSlots; ++i) liveItems += g.ItemTable.kind[i] != 0;
        const bool fullItems = c.apples.size() >= 2 && c.apples.back().slot == ItemSlots - 1;
        EXPECT_EQ(liveItems, fullItems ? ItemSlots : static_cast<int>(c.apples.size()));
        for (const Placed& a : c.apples) {
            SCOPED_TRACE(::testing::Message() << "item slot " << a.slot);
            EXPECT_EQ(g.ItemTable.kind[a.slot], 1);
            EXPECT_EQ(g.ItemTable.x[a.slot], a.x);
            EXPECT_EQ(g.ItemTable.y[a.slot], a.y);
        }

        for (const MapCell& m : c.map)
            EXPECT_EQ(g.cell(m.r, m.c), m.code) << "cell " << m.r << "," << m.c;
        for (int col = 0; col < RoomColumns; ++col)
            EXPECT_EQ(g.cell(-1, col), col == 0 || col == 15 ? CodeStone : CodeEmpty);
    }
}

TEST(RoomStart, RoomOneOfTheGame) {
    Game g;
    g.Image3 = patternSheet();
    g.startGame();
    EXPECT_EQ(g.GameState, StatePlay);
    EXPECT_EQ(g.Player.x, 224);
    EXPECT_EQ(g.Player.y, 288);
    EXPECT_EQ(g.Player.frame, 3);

    int enemies = 0;
    for (int i = 0; i < EnemySlots; ++i) enemies += g.EnemyTable.state[i] != 0;
    EXPECT_EQ(enemies, 1);
    EXPECT_EQ(g.EnemyTable.state[0], 1);
    EXPECT_EQ(g.EnemyTable.x[0], 32);
    EXPECT_EQ(g.EnemyTable.y[0], 32);

    const Placed apples[] = {{0, 416, 64},  {1, 448, 64}, {2, 64, 96},    {3, 96, 96},
                             {4, 288, 160}, {5, 32, 192}, {6, 64, 192},   {7, 256, 224},
                             {8, 32, 256},  {9, 96, 256}, {10, 384, 288}, {11, 416, 288}};
    for (const Placed& a : apples) {
        EXPECT_EQ(g.ItemTable.kind[a.slot], 1) << "slot " << a.slot;
        EXPECT_EQ(g.ItemTable.x[a.slot], a.x) << "slot " << a.slot;
        EXPECT_EQ(g.ItemTable.y[a.slot], a.y) << "slot " << a.slot;
    }
    EXPECT_EQ(g.ItemTable.kind[12], 0);
    EXPECT_EQ(g.ApplesLeft, 12);
    EXPECT_EQ(g.BagsTotal, 13);

    // The two hidden ladders of column 8: stored as empty and drawn as empty.
    for (int r : {0, 1}) {
        EXPECT_EQ(g.cell(r, 8), CodeEmpty);
        EXPECT_TRUE(sameRect(g.Image2, 256, 32 * r, patternSheet(), sheet::TileEmptyX,
                             sheet::TileRow, 32, 32));
    }
}

TEST(RoomStart, DrawsEachCodesTileAndStoresStrayCodesAsStone) {
    Room room = roomFrom({"40123456789a...4", "4444444444444444"});
    room[12] = 0x80; // bytes the editor never writes
    room[13] = 0xFF;
    room[14] = 0x7F;
    Game g;
    g.Image3 = patternSheet();
    g.startTestPlay(room.data(), 0);

    struct Expect {
        int col, mapCode, tile;
    };
    const Expect cells[] = {{1, 0, 0},   {2, 1, 1},  {3, 2, 2},  {4, 3, 3}, {5, 4, 4},
                            {6, 0, 0},   {7, 0, 0},  {8, 0, 0},  {9, 0, 0}, {10, 9, 3},
                            {11, 10, 3}, {12, 4, 4}, {13, 4, 4}, {14, 4, 4}};
    for (const Expect& e : cells) {
        SCOPED_TRACE(::testing::Message() << "column " << e.col);
        EXPECT_EQ(g.cell(0, e.col), e.mapCode);
        EXPECT_TRUE(
            sameRect(g.Image2, 32 * e.col, 0, patternSheet(), 32 * e.tile, sheet::TileRow, 32, 32));
    }
    // Shown at once: the playfield is the new background.
    EXPECT_TRUE(sameRect(g.Image1, 0, 0, g.Image2, 0, 0, PlayfieldWidth, PlayfieldHeight));
}

TEST(RoomStart, ClearsTheRoomsLiveStateButKeepsWhatCarriesOver) {
    TinyGame t({"47.............4", "4444444444444444"});
    Game& g = *t;
    Counter host;
    g.setHost(&host);
    g.BombTable.timer[3] = 5;
    g.FragmentTable.active[10] = 1;
    g.HoleTable.phase[31] = 40;
    g.PopupTable.value[0] = 2;
    g.EnemyTable.state[100] = 1;
    g.ItemTable.kind[150] = 2;
    g.ChainValue = 4;
    g.DyingCounter = 12;
    g.BagsTaken = 3;
    g.LadderRevealRow = 4;
    g.GameState = StateGameOver;
    g.Player.dx = -16;
    g.Player.dy = 16;
    g.Player.facing = 3;
    g.Score = 77;
    g.Lives = 2;
    g.setCell(0, 3, CodeBrick);
    g.KeyState = {1, 1, 1, 1, 1, 1, 1};
    g.setTimerEnabled(false);

    g.Putsta();

    EXPECT_EQ(g.BombTable.timer[3], 0);
    EXPECT_EQ(g.FragmentTable.active[10], 0);
    EXPECT_EQ(g.HoleTable.phase[31], 0);
    EXPECT_EQ(g.PopupTable.value[0], 0);
    EXPECT_EQ(g.EnemyTable.state[100], 0);
    EXPECT_EQ(g.ItemTable.kind[150], 0);
    EXPECT_EQ(g.ChainValue, 0);
    EXPECT_EQ(g.DyingCounter, 0);
    EXPECT_EQ(g.BagsTaken, 0);
    EXPECT_EQ(g.LadderRevealRow, -1);
    EXPECT_EQ(g.GameState, StatePlay);
    EXPECT_EQ(g.cell(0, 3), CodeEmpty); // rebuilt from the stored room
    EXPECT_EQ(g.RevealCursor, g.LoadedRoomSet.data());

    // Carried over from the last life.
    EXPECT_EQ(g.Player.dx, -16);
    EXPECT_EQ(g.Player.dy, 16);
    EXPECT_EQ(g.Player.facing, 3);
    EXPECT_EQ(g.Score, 77);
    EXPECT_EQ(g.Lives, 2);

    // Six key flags cleared; SPACE left alone.
    const KeyStateRecord& k = g.KeyState;
    EXPECT_EQ(k.up + k.right + k.down + k.left + k.shift + k.any, 0);
    EXPECT_EQ(k.space, 1);

    EXPECT_STREQ(g.StatusText, "ROOM  1  SCORE    7700  REST 2");
    EXPECT_EQ(host.statusShows, 1);
    EXPECT_EQ(host.playfieldShows, 1);
    EXPECT_TRUE(host.timer);
    EXPECT_TRUE(g.timerEnabled());
}

} // namespace
