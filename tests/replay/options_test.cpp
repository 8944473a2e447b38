// The command line: what each argument sets and which combinations are refused.
#include "options.h"

#include <gtest/gtest.h>

namespace {

using Args = std::vector<std::string>;

TEST(Arguments, NoneStartOnTheTitleWithTheScriptLength) {
    ReplayOptions options;
    std::string error;
    ASSERT_TRUE(parseReplayArguments({}, options, error)) << error;
    EXPECT_FALSE(options.roomsFile);
    EXPECT_EQ(options.room, 0);
    EXPECT_EQ(options.testRoom, 0);
    EXPECT_EQ(options.ticks, -1);
    EXPECT_FALSE(options.trace);
}

TEST(Arguments, EveryOptionIsRead) {
    ReplayOptions options;
    std::string error;
    ASSERT_TRUE(
        parseReplayArguments({"--rooms", "set.zom", "--test", "10", "--script", "-", "--ticks", "0",
                              "--trace", "--frames", "out", "--png", "last.png"},
                             options, error))
        << error;
    EXPECT_EQ(options.roomsFile, "set.zom");
    EXPECT_EQ(options.testRoom, 10);
    EXPECT_EQ(options.scriptFile, "-");
    EXPECT_EQ(options.ticks, 0);
    EXPECT_TRUE(options.trace);
    EXPECT_EQ(options.framesDir, "out");
    EXPECT_EQ(options.pngFile, "last.png");

    ASSERT_TRUE(parseReplayArguments({"--room", "1", "--ticks", "10000000"}, options, error));
    EXPECT_EQ(options.room, 1);
    EXPECT_EQ(options.ticks, 10000000);
    EXPECT_FALSE(options.hashPng);

    ASSERT_TRUE(parseReplayArguments({"--hash-png", "shot.png"}, options, error)) << error;
    EXPECT_EQ(options.hashPng, "shot.png");
}

struct BadArguments {
    const char* name;
    Args args;
    std::string message;
};

void PrintTo(const BadArguments& c, std::ostream* os) {
    *os << c.name;
}

class ArgumentsRefused : public testing::TestWithParam<BadArguments> {};

TEST_P(ArgumentsRefused, WithOneMessage) {
    ReplayOptions options;
    std::string error;
    ASSERT_FALSE(parseReplayArguments(GetParam().args, options, error));
    EXPECT_EQ(error, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, ArgumentsRefused,
    testing::Values(
        BadArguments{"Unknown", {"--fast"}, "unknown argument '--fast'"},
        BadArguments{"BareWord", {"room1.txt"}, "unknown argument 'room1.txt'"},
        BadArguments{"MissingValue", {"--room"}, "--room needs a value"},
        BadArguments{"RoomZero", {"--room", "0"}, "--room takes a room from 1 to 10, not '0'"},
        BadArguments{"RoomEleven", {"--room", "11"}, "--room takes a room from 1 to 10, not '11'"},
        BadArguments{
            "RoomNotANumber", {"--room", "1a"}, "--room takes a room from 1 to 10, not '1a'"},
        BadArguments{"TestEleven",
                     {"--rooms", "a.zom", "--test", "11"},
                     "--test takes a room from 1 to 10, not '11'"},
        BadArguments{"NegativeTicks",
                     {"--ticks", "-1"},
                     "--ticks takes a number of ticks from 0 to 10000000, not '-1'"},
        BadArguments{"TooManyTicks",
                     {"--ticks", "10000001"},
                     "--ticks takes a number of ticks from 0 to 10000000, not '10000001'"},
        BadArguments{"HugeTicks",
                     {"--ticks", "99999999999999999999"},
                     "--ticks takes a number of ticks from 0 to 10000000, not "
                     "'99999999999999999999'"},
        BadArguments{"GivenTwice", {"--room", "1", "--room", "2"}, "--room is given twice"},
        BadArguments{"RoomAndTest",
                     {"--rooms", "a.zom", "--room", "1", "--test", "2"},
                     "--room and --test cannot be given together"},
        BadArguments{"TestWithoutRooms",
                     {"--test", "3"},
                     "--test plays a room of a room-set file: give the file with --rooms"},
        BadArguments{"HashPngWithARoom",
                     {"--hash-png", "a.png", "--room", "1"},
                     "--hash-png goes with no other option"},
        BadArguments{"HashPngWithTrace",
                     {"--trace", "--hash-png", "a.png"},
                     "--hash-png goes with no other option"}),
    [](const testing::TestParamInfo<BadArguments>& info) { return std::string(info.param.name); });

} // namespace
