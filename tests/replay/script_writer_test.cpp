// Writing what a player did as a script: which lines it gives, and that the
// script sends the very same events before the very same ticks.
#include "script.h"

#include "engine.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace {

// Plays `what` into a writer: "+R" / "-R" a key event of a script key, "+13"
// a key event of any virtual-key code, "." a tick. Returns every line written,
// the held-back one included.
std::string written(const std::string& what) {
    ScriptWriter writer;
    std::string text;
    std::istringstream in(what);
    for (std::string token; in >> token;) {
        if (token == ".") {
            text += writer.tick();
            continue;
        }
        const bool down = token[0] == '+';
        const std::string key = token.substr(1);
        int virtualKey = 0;
        if (key[0] >= '0' && key[0] <= '9') {
            virtualKey = std::stoi(key);
        } else {
            for (int i = 0; i < ScriptKeyCount; ++i)
                if (scriptKeyLetter(i) == key[0]) virtualKey = scriptKeyVirtualKey(i);
        }
        writer.keyEvent({down, virtualKey});
    }
    return text + writer.finish();
}

struct WriteCase {
    const char* name;
    const char* played;
    const char* lines;
};

void PrintTo(const WriteCase& c, std::ostream* os) {
    *os << c.name;
}

class ScriptWriterWrites : public testing::TestWithParam<WriteCase> {};

TEST_P(ScriptWriterWrites, TheseLines) {
    EXPECT_EQ(written(GetParam().played), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Played, ScriptWriterWrites,
    testing::Values(WriteCase{"NothingPlayedNothingWritten", "", ""},
                    WriteCase{"TicksWithNoKey", ". . .", "-*3\n"},
                    WriteCase{"HeldKeyIsAWordPerTick", "+R . . . -R .", "R*3\n-\n"},
                    WriteCase{"PressAndReleaseBetweenTwoTicks", ". +R -R . .", "-\n+R -R\n-\n"},
                    WriteCase{"AutoRepeatIsLowerCase", "+S . +S . +S . .", "S\ns*2\nS\n"},
                    WriteCase{"TwoKeysInOneTick", "+U +R . . -U -R .", "UR*2\n-\n"},
                    WriteCase{"TwoKeysInAnotherOrder", "+R +U .", "+R +U\n"},
                    WriteCase{"OneKeyLetGoAnotherPressed", "+L . -L +R .", "L\nR\n"},
                    WriteCase{"PressedBeforeLetGo", "+L . +R -L .", "L\n+R -L\n"},
                    WriteCase{"ReleaseAndPressAgain", "+S . -S +S .", "S\n-S +S\n"},
                    WriteCase{"AnyOtherKeyIsK", "+13 . -13 +65 . -65 +255 -255 .",
                              "K\n-K +K\n-K +K -K\n"},
                    WriteCase{"TwoOtherKeysHeld", "+13 +65 . -13 .", "+K +K\n-\n"},
                    WriteCase{"KeyUpOfAKeyNotHeld", "-115 .", "-K\n"},
                    WriteCase{"SameEventLineTwice", "+S -S . +S -S .", "+S -S\n+S -S\n"},
                    WriteCase{"EventsAfterTheLastTickAreNotWritten", "+R . -R +L", "R\n"}),
    [](const testing::TestParamInfo<WriteCase>& info) { return std::string(info.param.name); });

// Random play, written and parsed again: before every tick the script sends
// exactly the events the game got (any other key as K's letter A).
TEST(ScriptWriter, ScriptSendsTheEventsOfEveryTick) {
    constexpr int Keys[] = {VkUp, VkDown, VkLeft, VkRight, VkShift, VkSpace, 13, 65, 112};
    std::mt19937 random(11);
    for (int round = 0; round < 300; ++round) {
        ScriptWriter writer;
        std::string text(ScriptWriter::Header);
        std::vector<std::vector<KeyEvent>> played(1);
        const int steps = 1 + static_cast<int>(random() % 200);
        for (int step = 0; step < steps; ++step) {
            if (random() % 3 == 0) {
                text += writer.tick();
                played.emplace_back();
                continue;
            }
            const KeyEvent e{random() % 2 == 0, Keys[random() % std::size(Keys)]};
            writer.keyEvent(e);
            played.back().push_back({e.down, scriptKeyVirtualKey(scriptKeyOf(e.virtualKey))});
        }
        played.pop_back(); // after the last tick
        text += writer.finish();

        Script script;
        ScriptError error;
        ASSERT_TRUE(parseScript(text, script, error)) << error.line << ": " << error.message;
        ASSERT_EQ(script.ticks, static_cast<std::int64_t>(played.size())) << text;
        std::uint8_t held = 0;
        for (std::size_t t = 1; t <= played.size(); ++t) {
            const std::vector<KeyEvent> sent = script.eventsBefore(held, script.at(t));
            ASSERT_EQ(sent, played[t - 1]) << "tick " << t << " of\n" << text;
            held = heldAfter(held, sent);
        }
    }
}

} // namespace
