// Rules of the game replayed through the runner's trace: room start, the
// title, the bonus chain, a death and its restart, room clears of a loaded
// set and of test play, and her half-steps.
#include "replay_helpers.h"

#include <QJsonArray>

#include <gtest/gtest.h>

namespace {

int field(const QJsonObject& line, const char* name) {
    return line[QLatin1String(name)].toInt();
}
int player(const QJsonObject& line, const char* name) {
    return line["Player"].toObject()[QLatin1String(name)].toInt();
}
std::string text(const QJsonObject& line, const char* name) {
    return line[QLatin1String(name)].toString().toStdString();
}
std::vector<int> sounds(const QJsonObject& line) {
    std::vector<int> ids;
    for (const QJsonValue& id : line["sounds"].toArray()) ids.push_back(id.toInt());
    return ids;
}

std::vector<QJsonObject> traceOf(const std::vector<std::string>& args, const std::string& script) {
    std::vector<std::string> all = args;
    all.insert(all.end(), {"--script", "-", "--trace"});
    const RunOutput run = runReplayWith(all, script);
    EXPECT_EQ(run.status, 0) << run.err;
    return run.trace();
}

// The heroine starts at the foot of a ladder that reaches the top row, two
// steps to her right; there are no apples, so climbing out clears the room.
Room ladderRoom() {
    return roomFromRows({
        "4.2............4",
        "4.2............4",
        "4.2............4",
        "4.2............4",
        "4.2............4",
        "4.2............4",
        "4.2............4",
        "4.2............4",
        "4.2............4",
        "4.2............4",
        "472............4",
    });
}
// Two steps right, then climb out and wait for the next room. After a room
// start only a new key-down moves her, so the keys are auto-repeated.
constexpr const char* ClimbOut = "r*2\nu*28\n";
constexpr int ClimbOutTicks = 30;

TEST(Rules, Room1StartsWithItsHeroineEnemyApplesAndBags) {
    const QJsonObject start = traceOf({"--room", "1"}, "").at(0);
    EXPECT_EQ(field(start, "GameState"), 0);
    EXPECT_EQ(player(start, "x"), 224);
    EXPECT_EQ(player(start, "y"), 288);
    const QJsonArray enemies = start["EnemyTable"].toArray();
    ASSERT_EQ(enemies.size(), 1);
    EXPECT_EQ(enemies[0].toObject()["state"].toInt(), 1);
    EXPECT_EQ(enemies[0].toObject()["x"].toInt(), 32);
    EXPECT_EQ(enemies[0].toObject()["y"].toInt(), 32);
    const QJsonArray items = start["ItemTable"].toArray();
    ASSERT_EQ(items.size(), 12);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(items[i].toObject()["slot"].toInt(), i);
        EXPECT_EQ(items[i].toObject()["kind"].toInt(), 1);
    }
    EXPECT_EQ(field(start, "ApplesLeft"), 12);
    EXPECT_EQ(field(start, "BagsTotal"), 13);
    // The two hidden ladders are stored as empty cells.
    EXPECT_EQ(playMapCell(start, 0, 8), '0');
    EXPECT_EQ(playMapCell(start, 1, 8), '0');
    EXPECT_EQ(text(start, "status"), "ROOM  1  SCORE     000  REST 5");
}

TEST(Rules, TitleWaitsForSpaceThenRoom1Starts) {
    const auto trace = traceOf({}, "-\nUS\nK\nP\n");
    EXPECT_EQ(field(trace[0], "GameState"), 8);
    EXPECT_EQ(field(trace[0], "PlayMode"), 0);
    EXPECT_EQ(text(trace[0], "status"), "HI-SCORE   10000");
    for (int t = 1; t <= 3; ++t) {
        EXPECT_EQ(field(trace[t], "GameState"), 8) << "arrows, SHIFT and other keys do nothing";
        EXPECT_EQ(text(trace[t], "frame"), text(trace[0], "frame")) << "nothing is drawn";
    }
    const QJsonObject room1 = trace[4];
    EXPECT_EQ(field(room1, "GameState"), 0);
    EXPECT_EQ(field(room1, "RoomIndex"), 0);
    EXPECT_EQ(field(room1, "Score"), 0);
    EXPECT_EQ(field(room1, "Lives"), 5);
    EXPECT_EQ(field(room1, "ApplesLeft"), 12);
    EXPECT_EQ(player(room1, "x"), 224);
    EXPECT_EQ(player(room1, "y"), 288);
    EXPECT_EQ(text(room1, "status"), "ROOM  1  SCORE     000  REST 5");
}

// Walking right along the two apples of room 1: the item phase sees her on an
// apple one tick after she stepped onto it, and the chain winds down as the
// numbers expire.
TEST(Rules, TwoApplesInARowMakeAChain) {
    const auto trace = traceOf({"--room", "1"}, "R*26\n");
    struct Expect {
        int tick, chain, score, apples;
        std::vector<int> sounds;
    };
    for (const Expect& e :
         {Expect{10, 0, 0, 12, {}}, Expect{11, 1, 1, 11, {0}}, Expect{12, 1, 1, 11, {}},
          Expect{13, 2, 3, 10, {0}}, Expect{21, 2, 3, 10, {}}, Expect{22, 1, 3, 10, {}},
          Expect{24, 0, 3, 10, {}}, Expect{26, 0, 3, 10, {}}}) {
        SCOPED_TRACE("tick " + std::to_string(e.tick));
        EXPECT_EQ(field(trace[e.tick], "ChainValue"), e.chain);
        EXPECT_EQ(field(trace[e.tick], "Score"), e.score);
        EXPECT_EQ(field(trace[e.tick], "ApplesLeft"), e.apples);
        EXPECT_EQ(sounds(trace[e.tick]), e.sounds);
    }
    EXPECT_EQ(trace[22]["PopupTable"].toArray().size(), 1);
    EXPECT_EQ(trace[24]["PopupTable"].toArray().size(), 0);
    EXPECT_EQ(text(trace[13], "status"), "ROOM  1  SCORE     300  REST 5");
    EXPECT_EQ(player(trace[26], "x"), 448) << "she stops at the stone wall";
}

// Her own bomb bursts where she stands: the death sound, the death fall, the
// counter stops at 20, and a key starts the room again with one life less.
TEST(Rules, OwnBombKillsHerAndAKeyRestartsTheRoom) {
    const auto trace = traceOf({"--room", "1"}, "S\n-*30\nK\n");
    EXPECT_EQ(sounds(trace[1]), std::vector<int>{2}) << "the bomb is placed";
    EXPECT_EQ(field(trace[10], "DyingCounter"), 0);
    EXPECT_EQ(field(trace[11], "DyingCounter"), 1);
    EXPECT_EQ(sounds(trace[11]), std::vector<int>{8});
    EXPECT_EQ(player(trace[11], "frame"), 10);
    EXPECT_EQ(player(trace[12], "y"), 304);
    EXPECT_EQ(player(trace[17], "y"), 384);
    EXPECT_EQ(player(trace[18], "y"), 384) << "she stops below the playfield";
    EXPECT_EQ(sounds(trace[13]), std::vector<int>{}) << "no brick sound while she dies";
    EXPECT_EQ(field(trace[30], "DyingCounter"), 20);
    EXPECT_EQ(field(trace[31], "DyingCounter"), 20) << "no key held: she waits";
    EXPECT_EQ(field(trace[31], "Lives"), 5);

    const QJsonObject restart = trace[32];
    EXPECT_EQ(field(restart, "Lives"), 4);
    EXPECT_EQ(field(restart, "DyingCounter"), 0);
    EXPECT_EQ(text(restart, "status"), "ROOM  1  SCORE     000  REST 4");
    for (const char* same : {"PlayMap", "ItemTable", "EnemyTable", "HoleTable", "Player"})
        EXPECT_EQ(restart[QLatin1String(same)], trace[0][QLatin1String(same)]) << same;
}

// Each clear: the clear sound, five pause ticks, then the held key moves on
// in the sixth tick with a life more. The tenth room of a loaded set leads
// to the title, not to the ending.
TEST(Rules, LoadedSetOfTenRoomsEndsOnTheTitle) {
    QTemporaryDir dir;
    const Room room = ladderRoom();
    const std::string set =
        writeTestFile(dir, "ladders.zom",
                      roomSetBytes({room, room, room, room, room, room, room, room, room, room}));
    std::string script;
    for (int i = 0; i < 10; ++i) script += ClimbOut;
    const auto trace = traceOf({"--rooms", set}, script);
    ASSERT_EQ(trace.size(), 10u * ClimbOutTicks + 1);

    EXPECT_EQ(field(trace[0], "PlayMode"), 2);
    EXPECT_EQ(field(trace[0], "ApplesLeft"), 0);
    const int clear = 24; // two steps, then 22 steps up from y = 320 to -32
    EXPECT_EQ(player(trace[clear - 1], "y"), -16);
    EXPECT_EQ(player(trace[clear], "y"), -32);
    EXPECT_EQ(sounds(trace[clear]), std::vector<int>{9});
    for (int pause = 0; pause <= 5; ++pause)
        EXPECT_EQ(field(trace[clear + pause], "GameState"), 1 + pause);
    EXPECT_EQ(field(trace[clear + 6], "GameState"), 0);
    EXPECT_EQ(field(trace[clear + 6], "RoomIndex"), 1);
    EXPECT_EQ(field(trace[clear + 6], "Lives"), 6);
    EXPECT_EQ(text(trace[clear + 6], "status"), "ROOM  2  SCORE     000  REST 6");

    const QJsonObject room10 = trace[9 * ClimbOutTicks];
    EXPECT_EQ(field(room10, "RoomIndex"), 9);
    EXPECT_EQ(field(room10, "GameState"), 0);
    const QJsonObject last = trace.back();
    EXPECT_EQ(field(last, "GameState"), 8);
    EXPECT_EQ(field(last, "PlayMode"), 0);
    EXPECT_EQ(field(last, "HiScore"), 100);
    EXPECT_EQ(text(last, "status"), "HI-SCORE   10000");
}

TEST(Rules, TestPlayRestartsTheSameRoomWithFiveLives) {
    QTemporaryDir dir;
    const Room empty = roomFromRows({});
    const std::string set =
        writeTestFile(dir, "third.zom", roomSetBytes({empty, empty, ladderRoom()}));
    const auto trace = traceOf({"--rooms", set, "--test", "3"}, ClimbOut);
    EXPECT_EQ(field(trace[0], "PlayMode"), 1);
    EXPECT_EQ(text(trace[0], "status"), "ROOM  3  SCORE     000  REST 5");
    const QJsonObject again = trace.back();
    EXPECT_EQ(field(again, "GameState"), 0);
    EXPECT_EQ(field(again, "RoomIndex"), 2);
    EXPECT_EQ(field(again, "Lives"), 5);
    EXPECT_EQ(field(again, "PlayMode"), 1);
    EXPECT_EQ(player(again, "x"), 32);
    EXPECT_EQ(player(again, "y"), 320);
    EXPECT_EQ(text(again, "status"), "ROOM  3  SCORE     000  REST 5");
}

// A file shorter than a set replaces only its leading rooms: the others are
// the empty rooms the buffer held, and a room without a heroine start leaves
// her at (32, 0), where she falls.
TEST(Rules, ShortRoomSetFileFillsOnlyItsRooms) {
    QTemporaryDir dir;
    const Room ladder = ladderRoom();
    const std::string file =
        writeTestFile(dir, "one.zom", std::string(ladder.begin(), ladder.end()));

    const QJsonObject first = traceOf({"--rooms", file}, "").at(0);
    EXPECT_EQ(field(first, "PlayMode"), 2);
    EXPECT_EQ(field(first, "RoomIndex"), 0);
    EXPECT_EQ(player(first, "x"), 32);
    EXPECT_EQ(player(first, "y"), 320);
    EXPECT_EQ(playMapCell(first, 0, 2), '2');

    const auto second = traceOf({"--rooms", file, "--room", "2"}, "-*2\n");
    EXPECT_EQ(field(second[0], "RoomIndex"), 1);
    EXPECT_EQ(text(second[0], "status"), "ROOM  2  SCORE     000  REST 5");
    const std::string emptyRows = "4000000000000004";
    for (int r = 0; r < 11; ++r)
        EXPECT_EQ(text(second[0], "PlayMap").substr((r + 1) * 16, 16), emptyRows) << "row " << r;
    EXPECT_EQ(player(second[0], "x"), 32);
    EXPECT_EQ(player(second[0], "y"), 0);
    EXPECT_EQ(player(second[0], "frame"), 0);
    EXPECT_EQ(player(second[2], "y"), 32);
}

// Steps are half a cell: releasing the key leaves her straddling two cells.
TEST(Rules, SheWalksInHalfSteps) {
    QTemporaryDir dir;
    const std::string set = writeTestFile(
        dir, "floor.zom",
        roomSetBytes({roomFromRows({"4..............4", "4..............4", "4..............4",
                                    "4..............4", "4..............4", "4..............4",
                                    "4..............4", "4..............4", "4..............4",
                                    "4..............4", "47.............4"})}));
    const auto walk = traceOf({"--rooms", set, "--test", "1"}, "R*2\n");
    EXPECT_EQ(player(walk[1], "x"), 48);
    EXPECT_EQ(player(walk[1], "frame"), 4);
    EXPECT_EQ(player(walk[1], "facing"), 3);
    EXPECT_EQ(player(walk[2], "x"), 64);
    EXPECT_EQ(player(walk[2], "frame"), 5);

    const auto stop = traceOf({"--rooms", set, "--test", "1"}, "R\n-\n");
    EXPECT_EQ(player(stop[2], "x"), 48);
    EXPECT_EQ(player(stop[2], "frame"), 3);
}

} // namespace
