// The runner as a program: its errors, the shape of its trace, its frames and
// the same trace on every run.
#include "replay_helpers.h"
#include "runner.h"
#include "trace.h"

#include <QDir>
#include <QImage>
#include <QJsonArray>

#include <gtest/gtest.h>

namespace {

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

struct ErrorCase {
    const char* name;
    std::vector<std::string> args; // "{dir}" stands for the test's directory
    std::string input;
    std::string message; // the start of the one line on standard error
};

void PrintTo(const ErrorCase& c, std::ostream* os) {
    *os << c.name;
}

class RunnerRefuses : public testing::TestWithParam<ErrorCase> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        writeTestFile(dir, "bad.txt", "R*2\n# then the typo\nRQ\n");
        writeTestFile(dir, "empty.zom", "");
        std::string badCode = roomSetBytes({});
        badCode[RoomBytes + 1] = 11;
        writeTestFile(dir, "bad.zom", badCode);
        writeTestFile(dir, "plain", "not a directory");
        QImage small(16, 16, QImage::Format_RGB32);
        small.fill(Qt::black);
        ASSERT_TRUE(small.save(dir.filePath(QStringLiteral("small.png"))));
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    }
    std::string path(const std::string& text) const {
        return replaceAll(text, "{dir}", dir.path().toStdString());
    }
    QTemporaryDir dir;
};

TEST_P(RunnerRefuses, WithStatusTwoAndOneLine) {
    std::vector<std::string> args;
    for (const std::string& arg : GetParam().args) args.push_back(path(arg));
    const RunOutput run = runReplayWith(args, GetParam().input);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "") << "nothing is traced after an error at start";
    const std::string expected = "zommel-replay: " + path(GetParam().message);
    EXPECT_EQ(run.err.substr(0, expected.size()), expected) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(run.err.back(), '\n');
}

INSTANTIATE_TEST_SUITE_P(
    Errors, RunnerRefuses,
    testing::Values(
        ErrorCase{"BadArgument",
                  {"--room", "11"},
                  "",
                  "--room takes a room from 1 to 10, not '11' (see --help)"},
        ErrorCase{"MissingScript",
                  {"--script", "{dir}/none.txt"},
                  "",
                  "cannot read the script {dir}/none.txt: No such file or directory"},
        ErrorCase{"ScriptIsADirectory",
                  {"--script", "{dir}/sub"},
                  "",
                  "cannot read the script {dir}/sub: Is a directory"},
        ErrorCase{"BadScriptToken",
                  {"--room", "1", "--script", "{dir}/bad.txt", "--trace"},
                  "",
                  "{dir}/bad.txt:3: unknown key 'Q' in 'RQ'"},
        ErrorCase{"BadTokenOnStandardInput",
                  {"--script", "-"},
                  "P\n- walk\n",
                  "standard input:2: unexpected 'walk' after the keys '-'"},
        ErrorCase{
            "MissingRoomSet", {"--rooms", "{dir}/none.zom"}, "", "the room set {dir}/none.zom: "},
        ErrorCase{"EmptyRoomSet",
                  {"--rooms", "{dir}/empty.zom", "--room", "2"},
                  "",
                  "the room set {dir}/empty.zom: The file is empty: it holds no rooms."},
        ErrorCase{"RoomSetWithABadCode",
                  {"--rooms", "{dir}/bad.zom", "--test", "1"},
                  "",
                  "the room set {dir}/bad.zom: Room 2, row 0, column 1 holds the code 11, "
                  "which is not a room code (0 to 10)."},
        ErrorCase{"FramesUnderAFile",
                  {"--room", "1", "--frames", "{dir}/plain/frames"},
                  "",
                  "cannot create the frame directory {dir}/plain/frames"},
        ErrorCase{"PngIntoAMissingDirectory",
                  {"--room", "1", "--png", "{dir}/none/last.png"},
                  "",
                  "cannot write the frame {dir}/none/last.png"},
        ErrorCase{"HashOfAMissingPicture",
                  {"--hash-png", "{dir}/none.png"},
                  "",
                  "cannot read the picture {dir}/none.png"},
        ErrorCase{"HashOfSomethingElse",
                  {"--hash-png", "{dir}/plain"},
                  "",
                  "cannot read the picture {dir}/plain"},
        ErrorCase{"HashOfAPictureOfAnotherSize",
                  {"--hash-png", "{dir}/small.png"},
                  "",
                  "the picture {dir}/small.png is 16 x 16, not a frame of 512 x 416"}),
    [](const testing::TestParamInfo<ErrorCase>& info) { return std::string(info.param.name); });

TEST(Runner, HelpIsNoError) {
    const RunOutput run = runReplayWith({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("usage: zommel-replay", 0), 0u);
    EXPECT_EQ(run.err, "");
}

TEST(Runner, WithoutTraceWritesNothing) {
    const RunOutput run = runReplayWith({"--room", "1", "--script", "-"}, "R*5\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
}

TEST(Runner, TraceHasTickZeroThenOneLinePerTick) {
    // The script's length by default; --ticks cuts it short or runs on with no key.
    const std::string script = "# two steps right, one more\nR*3\n";
    struct Case {
        std::vector<std::string> extra;
        int lines;
    };
    for (const Case& c : {Case{{}, 4}, Case{{"--ticks", "0"}, 1}, Case{{"--ticks", "2"}, 3},
                          Case{{"--ticks", "5"}, 6}}) {
        std::vector<std::string> args = {"--room", "1", "--script", "-", "--trace"};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const auto trace = runReplayWith(args, script).trace();
        ASSERT_EQ(trace.size(), static_cast<std::size_t>(c.lines));
        for (int t = 0; t < c.lines; ++t) EXPECT_EQ(trace[t]["tick"].toInt(), t);
    }
    // Past the script's end she holds no key: she stops, back in her standing frame.
    const auto trace =
        runReplayWith({"--room", "1", "--script", "-", "--trace", "--ticks", "5"}, script).trace();
    EXPECT_EQ(trace[3]["Player"].toObject()["x"].toInt(), 272);
    EXPECT_EQ(trace[3]["Player"].toObject()["frame"].toInt(), 4);
    EXPECT_EQ(trace[5]["Player"].toObject()["x"].toInt(), 272);
    EXPECT_EQ(trace[5]["Player"].toObject()["frame"].toInt(), 3);
}

TEST(Runner, TraceLineFieldsInTheirOrder) {
    const RunOutput run = runReplayWith({"--room", "1", "--trace"});
    ASSERT_EQ(run.status, 0);
    const std::string line = run.lines().at(0);
    const std::string start =
        R"({"tick":0,"GameState":0,"PlayMode":0,"RoomIndex":0,"Score":0,"Lives":5,)"
        R"("HiScore":100,"ApplesLeft":12,"BagsTotal":13,"BagsTaken":0,"ChainValue":0,)"
        R"("DyingCounter":0,"LadderRevealRow":-1,"sounds":[],)"
        R"("Player":{"x":224,"y":288,"dx":0,"dy":0,"frame":3,"facing":0},)"
        R"("EnemyTable":[{"slot":0,"state":1,"x":32,"y":32,"hdir":1,"vdir":0,"frame":3}],)"
        R"("ItemTable":[{"slot":0,"kind":1,"x":416,"y":64},)";
    EXPECT_EQ(line.substr(0, start.size()), start);
    const std::string end = R"("BombTable":[],"FragmentTable":[],"HoleTable":[],"PopupTable":[],)"
                            R"("PlayMap":"4000000000000004)";
    EXPECT_NE(line.find(end), std::string::npos) << line;
    const std::string status = R"(,"status":"ROOM  1  SCORE     000  REST 5","frame":")";
    const std::size_t at = line.find(status);
    ASSERT_NE(at, std::string::npos) << line;
    const std::string hash = line.substr(at + status.size());
    ASSERT_EQ(hash.size(), 18u) << "16 hex digits, a quote and the closing brace";
    EXPECT_EQ(hash.find_first_not_of("0123456789abcdef"), 16u);
    EXPECT_EQ(hash.substr(16), "\"}");
}

// Each table lists its occupied slots only, in slot order, with its fields.
TEST(Runner, TablesListOccupiedSlotsWithTheirFields) {
    // A bomb, its three fragments, the holes they break; then two apples for popups.
    const auto trace =
        runReplayWith({"--room", "1", "--script", "-", "--trace"}, "S\nR*4\n-*8\nR*10\n").trace();
    auto keysOf = [](const QJsonObject& line, const char* table) {
        const QJsonArray entries = line[QLatin1String(table)].toArray();
        EXPECT_FALSE(entries.isEmpty()) << table;
        return entries.isEmpty() ? QStringList() : entries.first().toObject().keys();
    };
    auto sorted = [](QStringList keys) {
        keys.sort();
        return keys;
    };
    EXPECT_EQ(keysOf(trace[1], "BombTable"), sorted({"slot", "timer", "x", "y"}));
    EXPECT_EQ(keysOf(trace[11], "FragmentTable"), sorted({"slot", "x", "y", "dx", "dy"}));
    EXPECT_EQ(keysOf(trace[16], "HoleTable"), sorted({"slot", "phase", "x", "y"}));
    EXPECT_EQ(keysOf(trace[16], "ItemTable"), sorted({"slot", "kind", "x", "y"}));
    EXPECT_EQ(keysOf(trace[22], "PopupTable"), sorted({"slot", "value", "x", "y", "timer"}));

    EXPECT_EQ(trace[11]["FragmentTable"].toArray().size(), 3);
    // The broken bricks let out two money bags: they take the first free slots after the apples.
    const QJsonArray items = trace[16]["ItemTable"].toArray();
    ASSERT_EQ(items.size(), 14);
    for (int i = 0; i < items.size(); ++i) EXPECT_EQ(items[i].toObject()["slot"].toInt(), i);
    EXPECT_EQ(items[12].toObject()["kind"].toInt(), 2);
}

TEST(Runner, PlayMapWritesEveryCodeAsOneCharacter) {
    Replay replay;
    std::string error;
    ReplayOptions options;
    options.room = 1;
    ASSERT_TRUE(replay.start(options, error)) << error;
    replay.game().setCell(2, 5, 15);
    replay.game().setCell(3, 5, 16);
    replay.game().setCell(4, 5, -1);
    const std::string map = playMapText(replay.game());
    ASSERT_EQ(map.size(), 208u);
    EXPECT_EQ(map.substr(0, 16), "4000000000000004") << "the guard row comes first";
    EXPECT_EQ(map.substr(16, 16), "4000000000003334") << "room 1, row 0, hidden ladder as 0";
    EXPECT_EQ(map.substr(3 * 16, 16), "43333f3323323004") << "apples are items, not cells";
    EXPECT_EQ(map[4 * 16 + 5], '?');
    EXPECT_EQ(map[5 * 16 + 5], '?');
    EXPECT_EQ(map.substr(12 * 16), "4444444444444444");
}

// The hash runs over R, G, B of the playfield's rows, then the status bar's.
TEST(Runner, FrameHashIsFnv1aOfTheRgbBytes) {
    Game game;
    EXPECT_EQ(frameHash(game), 0xcf406e1bcb852325ull) << "an all-black frame";
    game.Image1.set(0, 0, 0xFF010203u);
    game.Image4.set(511, 31, 0xFFABCDEFu);
    EXPECT_EQ(frameHash(game), 0xe675703fe580da20ull);
    EXPECT_EQ(framePixel(game, 511, 415), 0xFFABCDEFu);
}

TEST(Runner, FramesArePicturesOfTheTracedFrames) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string frames = dir.filePath(QStringLiteral("frames/run1")).toStdString();
    const std::string png = dir.filePath(QStringLiteral("last.png")).toStdString();
    const RunOutput run = runReplayWith(
        {"--room", "1", "--script", "-", "--trace", "--frames", frames, "--png", png}, "S\nL*2\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto trace = run.trace();
    const QDir framesDir(QString::fromStdString(frames));
    EXPECT_EQ(framesDir.entryList(QDir::Files),
              QStringList({"000001.png", "000002.png", "000003.png"}));
    for (int t = 1; t <= 3; ++t) {
        const QImage image(framesDir.filePath(QStringLiteral("%1.png").arg(t, 6, 10, QChar('0'))));
        ASSERT_EQ(image.size(), QSize(FrameWidth, FrameHeight));
        Game game;
        for (int y = 0; y < FrameHeight; ++y)
            for (int x = 0; x < FrameWidth; ++x)
                (y < PlayfieldHeight ? game.Image1.set(x, y, image.pixel(x, y))
                                     : game.Image4.set(x, y - PlayfieldHeight, image.pixel(x, y)));
        char hash[17];
        std::snprintf(hash, sizeof hash, "%016llx",
                      static_cast<unsigned long long>(frameHash(game)));
        EXPECT_EQ(trace[t]["frame"].toString().toStdString(), hash) << "tick " << t;
    }
    EXPECT_EQ(QImage(QString::fromStdString(png)),
              QImage(framesDir.filePath(QStringLiteral("000003.png"))))
        << "--png writes the last frame";
}

// --hash-png hashes a picture the way the trace hashes the frame, so that a
// screenshot of the window can be compared with a replay.
TEST(Runner, HashOfASavedFrameIsTheTracedHash) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string png = dir.filePath(QStringLiteral("end.png")).toStdString();
    const RunOutput run = runReplayWith({"--script", "-", "--trace", "--png", png}, "-*3\nP\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const RunOutput hash = runReplayWith({"--hash-png", png});
    ASSERT_EQ(hash.status, 0) << hash.err;
    EXPECT_EQ(hash.err, "");
    EXPECT_EQ(hash.out, run.trace().back()["frame"].toString().toStdString() + "\n");
    EXPECT_EQ(run.trace().back()["GameState"].toInt(), StatePlay) << "a room, not the title";
}

// An event line sends its events in order before its tick: on the title,
// SPACE let go again before the tick is never seen; SPACE still down when
// another key is let go starts the game.
TEST(Runner, EventLinesSendTheirEventsInOrder) {
    const std::vector<std::string> args = {"--script", "-", "--trace"};
    const auto tapped = runReplayWith(args, "-\n+P -P\n-\n").trace();
    ASSERT_EQ(tapped.size(), 4u);
    EXPECT_EQ(tapped[3]["GameState"].toInt(), StateTitle);
    const auto started = runReplayWith(args, "-\n+P +K -K\n-\n").trace();
    ASSERT_EQ(started.size(), 4u);
    EXPECT_EQ(started[2]["GameState"].toInt(), StatePlay);
    const auto held = runReplayWith(args, "-\nP\n-\n").trace();
    EXPECT_EQ(held[3]["frame"], started[3]["frame"]);
}

// The same arguments give the same trace, byte for byte: bombs, fragments,
// an enemy that catches her, a restart and a walk.
TEST(Runner, SameArgumentsSameTrace) {
    const std::vector<std::string> args = {"--room", "1", "--script", "-", "--trace"};
    const std::string script = "S\nL*3\n-*110\nK\nR*20\nU*12\ns\n-*30\n";
    const RunOutput first = runReplayWith(args, script);
    const RunOutput second = runReplayWith(args, script);
    ASSERT_EQ(first.status, 0);
    EXPECT_EQ(first.lines().size(), 179u);
    EXPECT_EQ(first.out, second.out);
}

} // namespace
