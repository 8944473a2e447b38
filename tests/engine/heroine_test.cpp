// The heroine: walking and climbing in half-steps under the arrow keys,
// falling, standing on enemies, climbing out at the top, her death fall and
// the regrown brick that shuts her in.
#include "sprite_sheet.h"
#include "tiny_room.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int KeyA = 65;
constexpr int Keep = -99; // leave this field as room start set it

struct MapCell {
    int r, c, code;
};

struct Step {
    std::vector<int> keys;
    int ticks;
};

struct Pose {
    int x, y, frame, facing, dx, dy;
};

struct Result {
    int x, y, frame;
    int facing = Keep;
};

struct MoveCase {
    const char* name;
    std::vector<std::string> rows;
    Pose start;
    std::vector<Step> script;
    Result want;
};

const std::vector<std::string> floorRoom = {"4..............4", "4444444444444444"};
const std::vector<std::string> gapRoom = {"4..............4", "44.4444444444444"};
const std::vector<std::string> wideGapRoom = {"4..............4", "44..444444444444"};
// A ladder in column 2 from row 0 to row 1 on a stone floor; an apple lies
// lower down so that climbing out does not clear the room.
const std::vector<std::string> ladderRoom = {"4.2............4", "4.2............4",
                                             "4444444444444444", "4.............64"};
const std::vector<std::string> shortLadderRoom = {"4.2............4", "4..............4",
                                                  "4444444444444444", "4.............64"};
const std::vector<std::string> ladderUnderBrickRoom = {"4.3............4", "4.2............4",
                                                       "4444444444444444"};
const std::vector<std::string> ladderUnderFalseBrickRoom = {"4.1............4", "4.2............4",
                                                            "4444444444444444"};
const std::vector<std::string> ladderOverBrickRoom = {"4.2............4", "4.3............4",
                                                      "4444444444444444", "4.............64"};
const std::vector<std::string> dropRoom = {"4..............4", "4..............4",
                                           "4444444444444444"};

const MoveCase moveCases[] = {
    // Walking.
    {"one half-step right", floorRoom, {32, 0, 3, 0, 0, 0}, {{{VkRight}, 1}}, {48, 0, 4, 3}},
    {"a whole cell right in two half-steps",
     floorRoom,
     {32, 0, 3, 0, 0, 0},
     {{{VkRight}, 2}},
     {64, 0, 5, 3}},
    {"released half-way she stands between two cells",
     floorRoom,
     {32, 0, 3, 0, 0, 0},
     {{{VkRight}, 1}, {{}, 1}},
     {48, 0, 3, 3}},
    {"a whole cell left", floorRoom, {96, 0, 3, 3, 0, 0}, {{{VkLeft}, 2}}, {64, 0, 2, 0}},
    {"released half-way left",
     floorRoom,
     {96, 0, 3, 3, 0, 0},
     {{{VkLeft}, 1}, {{}, 1}},
     {80, 0, 0, 0}},
    {"stone stops her and keeps her frame",
     floorRoom,
     {448, 0, 3, 3, 0, 0},
     {{{VkRight}, 2}},
     {448, 0, 3}},
    {"a brick stops her",
     {"4.3............4", "4444444444444444"},
     {32, 0, 0, 0, 0, 0},
     {{{VkRight}, 1}},
     {32, 0, 0}},
    {"a false brick beside her stops her",
     {"4.1............4", "4444444444444444"},
     {32, 0, 0, 0, 0, 0},
     {{{VkRight}, 1}},
     {32, 0, 0}},
    // One arrow decides, in the order down, up, right, left.
    {"down blocks right on a floor",
     floorRoom,
     {32, 0, 3, 3, 0, 0},
     {{{VkDown, VkRight}, 2}},
     {32, 0, 3}},
    {"down blocks left on a floor",
     floorRoom,
     {64, 0, 3, 3, 0, 0},
     {{{VkDown, VkLeft}, 2}},
     {64, 0, 3}},
    {"down blocks up on a ladder",
     ladderRoom,
     {64, 32, 6, 0, 0, 0},
     {{{VkDown, VkUp}, 2}},
     {64, 32, 6}},
    {"up without a ladder blocks right",
     floorRoom,
     {32, 0, 3, 3, 0, 0},
     {{{VkUp, VkRight}, 1}},
     {32, 0, 3}},
    {"right goes before left",
     floorRoom,
     {64, 0, 3, 3, 0, 0},
     {{{VkLeft, VkRight}, 1}},
     {80, 0, 4}},
    // What holds her.
    {"a false brick under her lets her fall",
     {"4..............4", "4144444444444444"},
     {32, 0, 3, 0, 0, 0},
     {{{}, 1}},
     {32, 16, 8}},
    {"she falls facing right",
     {"4..............4", "4144444444444444"},
     {32, 0, 3, 3, 0, 0},
     {{{}, 1}},
     {32, 16, 9}},
    {"half over a gap, floor below her", gapRoom, {48, 0, 3, 3, 0, 0}, {{{}, 1}}, {48, 0, 3}},
    {"half over a gap, floor below-right", gapRoom, {80, 0, 3, 3, 0, 0}, {{{}, 1}}, {80, 0, 3}},
    {"right over the gap she falls", gapRoom, {64, 0, 3, 3, 0, 0}, {{{}, 1}}, {64, 16, 9}},
    {"between two gap cells she falls", wideGapRoom, {80, 0, 3, 3, 0, 0}, {{{}, 1}}, {80, 16, 9}},
    {"landing with no key held she stands", dropRoom, {64, 0, 3, 3, 0, 0}, {{{}, 3}}, {64, 32, 3}},
    {"landing facing left", dropRoom, {64, 0, 0, 0, 0, 0}, {{{}, 3}}, {64, 32, 0}},
    {"landing against a wall keeps the falling frame",
     dropRoom,
     {448, 0, 3, 3, 0, 0},
     {{{VkRight}, 3}},
     {448, 32, 9}},
    {"falling she ignores the keys", dropRoom, {64, 0, 3, 3, 0, 0}, {{{VkLeft}, 2}}, {64, 32, 9}},
    // Ladders.
    {"up a ladder, frames alternate", ladderRoom, {64, 32, 3, 0, 0, 0}, {{{VkUp}, 2}}, {64, 0, 7}},
    {"standing still on a ladder keeps the climbing frame",
     ladderRoom,
     {64, 32, 3, 0, 0, 0},
     {{{VkUp}, 1}, {{}, 2}},
     {64, 16, 6}},
    {"climbing out: two up steps from y = 0 reach the guard row",
     ladderRoom,
     {64, 0, 7, 0, 0, 0},
     {{{VkUp}, 2}},
     {64, -32, 7}},
    {"nothing to climb above the guard row",
     ladderRoom,
     {64, 0, 7, 0, 0, 0},
     {{{VkUp}, 4}},
     {64, -32, 7}},
    {"down a ladder to the floor", ladderRoom, {64, 0, 3, 0, 0, 0}, {{{VkDown}, 3}}, {64, 32, 7}},
    {"down off the bottom of a ladder she turns to her facing",
     shortLadderRoom,
     {64, 0, 7, 3, 0, 0},
     {{{VkDown}, 2}},
     {64, 32, 3}},
    {"a brick above the ladder stops her",
     ladderUnderBrickRoom,
     {64, 32, 3, 0, 0, 0},
     {{{VkUp}, 1}},
     {64, 32, 3}},
    {"from a ladder she climbs into a false brick",
     ladderUnderFalseBrickRoom,
     {64, 32, 3, 0, 0, 0},
     {{{VkUp}, 1}},
     {64, 16, 6}},
    {"stepping up into the false brick she turns to her facing",
     ladderUnderFalseBrickRoom,
     {64, 32, 3, 3, 0, 0},
     {{{VkUp}, 2}},
     {64, 0, 3}},
    {"up between two cells finishes the walk first",
     floorRoom,
     {48, 0, 4, 3, 16, 0},
     {{{VkUp}, 1}},
     {64, 0, 4}},
    {"down between two cells finishes the walk back",
     floorRoom,
     {48, 0, 1, 0, -16, 0},
     {{{VkDown}, 1}},
     {32, 0, 1}},
    // Half-way up a ladder, sideways keys finish the climb in her last direction.
    {"right never having climbed: she stays",
     ladderRoom,
     {64, 16, 6, 0, 0, 0},
     {{{VkRight}, 1}},
     {64, 16, 6}},
    {"left never having climbed: she stays",
     ladderRoom,
     {64, 16, 6, 0, 0, 0},
     {{{VkLeft}, 1}},
     {64, 16, 6}},
    {"right after climbing down", ladderRoom, {64, 16, 6, 0, 0, 16}, {{{VkRight}, 1}}, {64, 32, 6}},
    {"left after climbing up", ladderRoom, {64, 16, 6, 0, 0, -16}, {{{VkLeft}, 1}}, {64, 0, 6}},
    // Just above the room at y = -16 the cells tested are rows 0 and 1.
    {"at y = -16 over a brick, down does nothing",
     ladderOverBrickRoom,
     {64, -16, 6, 0, 0, -16},
     {{{VkDown}, 2}},
     {64, -16, 6}},
    {"at y = -16, right finishes the climb upward",
     ladderOverBrickRoom,
     {64, -16, 6, 0, 0, -16},
     {{{VkRight}, 1}},
     {64, -32, 6}},
};

TEST(HeroineMoves, FollowTheHeldKeys) {
    for (const MoveCase& c : moveCases) {
        SCOPED_TRACE(c.name);
        TinyGame t(roomFrom(c.rows));
        Game& g = *t;
        g.Player = {c.start.x, c.start.y, c.start.dx, c.start.dy, c.start.frame, c.start.facing};
        for (const Step& s : c.script) {
            t.hold(s.keys);
            t.tick(s.ticks);
        }
        EXPECT_EQ(g.GameState, StatePlay);
        EXPECT_EQ(g.DyingCounter, 0);
        EXPECT_EQ(g.Player.x, c.want.x);
        EXPECT_EQ(g.Player.y, c.want.y);
        EXPECT_EQ(g.Player.frame, c.want.frame);
        if (c.want.facing != Keep) {
            EXPECT_EQ(g.Player.facing, c.want.facing);
        }
    }
}

TEST(HeroineMoves, StepsRememberTheirDirection) {
    TinyGame t(roomFrom(ladderRoom));
    Game& g = *t;
    g.Player.x = 96;
    g.Player.y = 32;
    t.hold({VkLeft});
    t.tick();
    EXPECT_EQ(g.Player.dx, -16);
    t.tick(); // onto the ladder at x = 64
    t.hold({VkUp});
    t.tick();
    EXPECT_EQ(g.Player.dy, -16);
    t.hold({VkDown});
    t.tick();
    EXPECT_EQ(g.Player.dy, 16);
    EXPECT_EQ(g.Player.dx, -16);
}

struct EnemyFloorCase {
    const char* name;
    int enemyDx, enemyY, state;
    bool holds;
};

TEST(HeroineMoves, AnEnemyExactlyBelowHoldsHerUp) {
    // She stands at (64, 0) over a gap; the enemy is put in place after room start.
    const EnemyFloorCase cases[] = {
        {"right below", 0, 32, 1, true},
        {"31 pixels to the right", 31, 32, 1, true},
        {"31 pixels to the left", -31, 32, 2, true},
        {"32 pixels to the right", 32, 32, 1, false},
        {"32 pixels to the left", -32, 32, 1, false},
        {"16 pixels lower", 0, 48, 1, false},
        {"a dying enemy", 0, 32, 20, true},
        {"a free slot", 0, 32, 0, false},
    };
    for (const EnemyFloorCase& c : cases) {
        SCOPED_TRACE(c.name);
        TinyGame t(roomFrom(gapRoom));
        Game& g = *t;
        g.Player.x = 64;
        g.Player.y = 0;
        g.EnemyTable.state[7] = static_cast<std::int8_t>(c.state);
        g.EnemyTable.x[7] = 64 + c.enemyDx;
        g.EnemyTable.y[7] = c.enemyY;
        g.EnemyTable.hdir[7] = c.state >= 3 ? 1 : 16;
        EXPECT_EQ(g.Chenemy2(64, 32), c.holds);
        t.tick();
        EXPECT_EQ(g.Player.y, c.holds ? 0 : 16);
    }
}

struct ShowCounter : GameHost {
    int playfieldShows = 0;
    void showPlayfield() override { ++playfieldShows; }
};

// A floor under row 0 and an apple further down, so that the room is not cleared.
Room deathRoom() {
    return roomFrom({"4..............4", "4444444444444444", "4.............64"});
}

// Puts the heroine at (64, 0), facing right unless told otherwise, and shuts her in with a brick
// grown in her cell.
void shutIn(TinyGame& t, int facing = 3) {
    t->Player.x = 64;
    t->Player.y = 0;
    t->Player.facing = facing;
    t->setCell(0, 2, CodeBrick);
    t.tick();
}

TEST(HeroineDeath, SheFallsSixteenPixelsATickAndTheCounterStopsAtTwenty) {
    TinyGame t(deathRoom());
    shutIn(t);
    Game& g = *t;
    ASSERT_EQ(g.DyingCounter, 1);
    EXPECT_EQ(g.Player.frame, 11);
    t.hold({VkLeft, VkShift}); // no key moves her, no bomb drops
    for (int k = 1; k <= 30; ++k) {
        t.tick();
        SCOPED_TRACE(::testing::Message() << k << " ticks after the death");
        EXPECT_EQ(g.Player.y, std::min(16 * k, 384));
        EXPECT_EQ(g.Player.x, 64);
        EXPECT_EQ(g.Player.frame, 11);
        EXPECT_EQ(g.DyingCounter, std::min(1 + k, 20));
        if (k == 10) t.hold({}); // with no key held she waits at the end
    }
    for (int i = 0; i < BombSlots; ++i) EXPECT_EQ(g.BombTable.timer[i], 0);
}

TEST(HeroineDeath, SheDiesUpsideDownFacingHerWay) {
    for (const int facing : {0, 3}) {
        TinyGame t(deathRoom());
        shutIn(t, facing);
        EXPECT_EQ(t->DyingCounter, 1);
        EXPECT_EQ(t->Player.frame, facing == 0 ? 10 : 11) << "facing " << facing;
    }
}

TEST(HeroineDeath, AKeyAtTheEndRestartsTheRoom) {
    TinyGame t(deathRoom(), TinyGame::Mode::TestPlay);
    shutIn(t);
    Game& g = *t;
    t.hold({KeyA});
    t.tick(19);
    EXPECT_EQ(g.DyingCounter, 20);
    EXPECT_EQ(g.Player.y, 304);
    ShowCounter host;
    g.setHost(&host);
    t.tick();                          // the twentieth tick after the death looks at the key
    EXPECT_EQ(host.playfieldShows, 1); // the room start showed the room; the tick ends there
    EXPECT_EQ(g.DyingCounter, 0);
    EXPECT_EQ(g.GameState, StatePlay);
    EXPECT_EQ(g.Player.x, 32); // the room as stored: no start cell, so (32, 0)
    EXPECT_EQ(g.Player.y, 0);
    EXPECT_EQ(g.cell(0, 2), CodeEmpty);
    EXPECT_EQ(g.Lives, 5);
}

TEST(HeroineDeath, WithoutAKeySheWaitsBelowThePlayfield) {
    TinyGame t(deathRoom(), TinyGame::Mode::TestPlay);
    shutIn(t);
    Game& g = *t;
    t.tick(60);
    EXPECT_EQ(g.DyingCounter, 20);
    EXPECT_EQ(g.Player.y, 384);
    EXPECT_EQ(g.GameState, StatePlay);
}

struct CrushCase {
    const char* name;
    int x, y;
    std::vector<MapCell> cells; // cells changed after room start
    bool dies;
};

TEST(HeroineDeath, ARegrownBrickInHerCellShutsHerIn) {
    const CrushCase cases[] = {
        {"aligned in a brick", 64, 32, {{1, 2, CodeBrick}}, true},
        {"aligned, brick in the next column", 64, 32, {{1, 3, CodeBrick}}, false},
        {"straddling, brick on the left only", 80, 32, {{1, 2, CodeBrick}}, false},
        {"straddling, brick on the right only", 80, 32, {{1, 3, CodeBrick}}, false},
        {"straddling two bricks", 80, 32, {{1, 2, CodeBrick}, {1, 3, CodeBrick}}, true},
        {"straddling a brick and stone", 80, 32, {{1, 2, CodeBrick}, {1, 3, CodeStone}}, false},
        {"straddling a brick and a brick hiding an apple",
         80,
         32,
         {{1, 2, CodeBrick}, {1, 3, CodeAppleInBrick}},
         false},
        {"between rows, brick in her upper row", 64, 48, {{1, 2, CodeBrick}}, true},
        {"between rows, brick in her lower row", 64, 48, {{2, 2, CodeBrick}}, false},
        {"stone does not count", 64, 32, {{1, 2, CodeStone}}, false},
        {"a brick hiding an apple does not count", 64, 32, {{1, 2, CodeAppleInBrick}}, false},
        {"a brick hiding a bag does not count", 64, 32, {{1, 2, CodeBagInBrick}}, false},
        {"a false brick does not count", 64, 32, {{1, 2, CodeFalseBrick}}, false},
    };
    for (const CrushCase& c : cases) {
        SCOPED_TRACE(c.name);
        // A floor under row 1 and a ladder in row 2 so that she stays where she is put.
        TinyGame t({"4..............4", "4..............4", "4.22...........4", "4444444444444444",
                    "4.............64"});
        Game& g = *t;
        g.Player.x = c.x;
        g.Player.y = c.y;
        for (const MapCell& m : c.cells) g.setCell(m.r, m.c, m.code);
        t.tick();
        EXPECT_EQ(g.Player.y, c.y);
        EXPECT_EQ(g.DyingCounter, c.dies ? 1 : 0);
    }
}

TEST(HeroineDeath, ADyingHeroineIsNotShutInAgain) {
    TinyGame t(deathRoom());
    shutIn(t);
    Game& g = *t;
    t.tick(4); // counter 5, y = 64
    g.setCell(2, 2, CodeBrick);
    t.tick(); // now at y = 80, her upper row 2 a brick
    EXPECT_EQ(g.DyingCounter, 6);
}

TEST(HeroineDrawing, HerFrameIsDrawnMaskedAndCutAtTheTop) {
    TinyGame t(roomFrom(ladderRoom), TinyGame::Mode::LoadedSet, true);
    Game& g = *t;
    const Surface& s = realSheet();
    struct Case {
        int y, frame;
    };
    for (const Case c : {Case{32, 6}, Case{-16, 7}, Case{-32, 6}}) {
        SCOPED_TRACE(::testing::Message() << "at y = " << c.y);
        g.Player.x = 64;
        g.Player.y = c.y;
        g.Player.frame = c.frame;
        t.hold({});
        t.tick();
        ASSERT_EQ(g.Player.y, c.y);
        // What should show: the background under her mask, her picture on top.
        for (int v = 0; v < 32; ++v) {
            const int y = c.y + v;
            if (y < 0) continue;
            for (int u = 0; u < 32; ++u) {
                const Pixel want = ((g.Image2.at(64 + u, y) & s.at(32 * c.frame + u, 224 + v)) ^
                                    s.at(32 * c.frame + u, 64 + v)) |
                                   Black;
                ASSERT_EQ(g.Image1.at(64 + u, y), want) << u << "," << v;
            }
        }
        const int below = std::max(c.y + 32, 0);
        EXPECT_TRUE(sameRect(g.Image1, 64, below, g.Image2, 64, below, 32, 64));
    }
}

} // namespace
