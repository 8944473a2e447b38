// The input script: what each line means, which lines are refused and where,
// and the key events sent between two ticks.
#include "script.h"

#include "engine.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Ticks written back as script words, lower case for a repeated key-down;
// an event line's tick as its events in brackets.
std::string render(const Script& script) {
    std::string text;
    for (std::int64_t t = 1; t <= script.ticks; ++t) {
        const ScriptTick keys = script.at(t);
        if (!text.empty()) text += ' ';
        if (keys.eventCount) {
            text += '[';
            for (const KeyEvent& e : script.eventsBefore(0, keys)) {
                if (text.back() != '[') text += ' ';
                text += e.down ? '+' : '-';
                text += scriptKeyLetter(scriptKeyOf(e.virtualKey));
            }
            text += ']';
            continue;
        }
        if (!keys.held) text += '-';
        for (int i = 0; i < ScriptKeyCount; ++i) {
            if (!(keys.held & (1 << i))) continue;
            const char letter = scriptKeyLetter(i);
            text += (keys.repeat & (1 << i)) ? static_cast<char>(letter - 'A' + 'a') : letter;
        }
    }
    return text;
}

struct ParseCase {
    const char* name;
    std::string text;
    std::string ticks; // as render() writes them
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << c.name;
}

class ScriptParses : public testing::TestWithParam<ParseCase> {};

TEST_P(ScriptParses, IntoTheseTicks) {
    Script script;
    ScriptError error;
    ASSERT_TRUE(parseScript(GetParam().text, script, error))
        << "line " << error.line << ": " << error.message;
    EXPECT_EQ(render(script), GetParam().ticks);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ScriptParses,
    testing::Values(ParseCase{"Empty", "", ""},
                    ParseCase{"CommentsAndBlankLines", "# walk to the ladder\n\n   \n\t\n", ""},
                    ParseCase{"NoKey", "-", "-"},
                    ParseCase{"OneTickPerLine", "R\nUR\n-\nS", "R UR - S"},
                    ParseCase{"LettersInAnyOrder", "SRU", "URS"},
                    ParseCase{"EveryKey", "UDLRSPK", "UDLRSPK"},
                    ParseCase{"Repeat", "R*3\n-*2", "R R R - -"},
                    ParseCase{"RepeatWithBlanksAndComment", "  L *2  # two steps\n", "L L"},
                    ParseCase{"RepeatWithLeadingZeros", "D*003", "D D D"},
                    ParseCase{"WindowsLineEnds", "R\r\nL*2\r\n", "R L L"},
                    ParseCase{"CommentRightAfterKeys", "K#any key", "K"},
                    ParseCase{"LowerCaseRepeatsTheKeyDown", "r*2\nUs", "r r Us"},
                    ParseCase{"LowerAndUpperOfOneKey", "Rr", "r"},
                    ParseCase{"LastLineWithoutLineEnd", "-\nP", "- P"},
                    ParseCase{"EventLine", "+R -R +S", "[+R -R +S]"},
                    ParseCase{"KeyUpAloneIsAnEventLine", "-R", "[-R]"},
                    ParseCase{"EventLineWithBlanksAndComment", "  +U\t-U  # tap\n", "[+U -U]"},
                    ParseCase{"EventLinesAreOneTickEach", "+S -S\n+S -S\n", "[+S -S] [+S -S]"},
                    ParseCase{"EventsSameKeyTwice", "+K +K -K", "[+K +K -K]"},
                    ParseCase{"WordsAndEventLinesMixed", "R*2\n-R +L\nL\n-", "R R [-R +L] L -"}),
    [](const testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

struct ErrorCase {
    const char* name;
    std::string text;
    int line;
    std::string message; // a part of the message
};

void PrintTo(const ErrorCase& c, std::ostream* os) {
    *os << c.name;
}

class ScriptRefuses : public testing::TestWithParam<ErrorCase> {};

TEST_P(ScriptRefuses, WithTheLineAndWhy) {
    Script script;
    script.ticks = 99;
    ScriptError error;
    ASSERT_FALSE(parseScript(GetParam().text, script, error));
    EXPECT_EQ(error.line, GetParam().line);
    EXPECT_NE(error.message.find(GetParam().message), std::string::npos) << error.message;
    EXPECT_EQ(script.ticks, 99) << "a refused script leaves the old one alone";
}

INSTANTIATE_TEST_SUITE_P(
    BadTokens, ScriptRefuses,
    testing::Values(
        ErrorCase{"UnknownLetter", "X", 1, "unknown key 'X' in 'X'"},
        ErrorCase{"UnknownLetterLaterLine", "R\n# comment\n\nRx*2", 4, "unknown key 'x' in 'Rx'"},
        ErrorCase{"DashAfterKeys", "R-", 1, "unknown key '-' in 'R-'"},
        ErrorCase{"TwoWords", "R L", 1, "unexpected 'L' after the keys 'R'"},
        ErrorCase{"RepeatWithoutNumber", "R*", 1, "a repeat is '*' and a number, not '*'"},
        ErrorCase{"RepeatNegative", "R*-1", 1, "a repeat is '*' and a number"},
        ErrorCase{"RepeatWithJunk", "R*3x", 1, "not '*3x'"},
        ErrorCase{"RepeatTwice", "R*3*4", 1, "not '*3*4'"},
        ErrorCase{"RepeatZero", "-\nR*0", 2, "a repeat count is at least 1"},
        ErrorCase{"RepeatWithoutKeys", "*3", 1, "a repeat needs the keys before it"},
        ErrorCase{"RepeatTooLong", "R*10000001", 1, "is more than 10000000 ticks"},
        ErrorCase{"RepeatBeyondAnyInteger", "R*999999999999999999999999999", 1,
                  "is more than 10000000 ticks"},
        ErrorCase{"ScriptTooLong", "R*5000000\n-\nL*5000000", 3,
                  "the script runs more than 10000000 ticks"},
        ErrorCase{"ControlByte", std::string("R\n\x01", 3), 2, "unknown key '\\x01'"},
        ErrorCase{"NulByte", std::string("R\0", 2), 1, "unknown key '\\x00'"},
        ErrorCase{"HighByte", "\xff\xfe", 1, "unknown key '\\xff' in '\\xff\\xfe'"},
        ErrorCase{"EventOfAnUnknownKey", "+X", 1, "unknown key 'X' in '+X'"},
        ErrorCase{"EventOfALowerCaseKey", "-\n+r", 2, "unknown key 'r' in '+r'"},
        ErrorCase{"EventWithoutAKey", "+", 1, "an event is '+' or '-' and one key, not '+'"},
        ErrorCase{"EventWithTwoKeys", "+RL", 1, "an event is '+' or '-' and one key, not '+RL'"},
        ErrorCase{"EventWithTwoSigns", "+R --R", 1, "one key, not '--R'"},
        ErrorCase{"RepeatOnAnEventLine", "+R*3", 1,
                  "an event line is one tick and takes no repeat"},
        ErrorCase{"RepeatApartOnAnEventLine", "+R -R *3", 1, "takes no repeat: '*3'"},
        ErrorCase{"WordInAnEventLine", "+R L", 1,
                  "'L' is not an event: a line holds either held keys or events"},
        ErrorCase{"EventAfterAWord", "R +L", 1,
                  "unexpected '+L' after the keys 'R' (a line holds either keys or events)"},
        ErrorCase{"EventAfterNoKey", "- -L", 1, "unexpected '-L' after the keys '-'"}),
    [](const testing::TestParamInfo<ErrorCase>& info) { return std::string(info.param.name); });

TEST(Script, LongestScriptIsAcceptedAndEndsWithNoKey) {
    Script script;
    ScriptError error;
    ASSERT_TRUE(parseScript("L*2\nR*9999997\nU", script, error)) << error.message;
    EXPECT_EQ(script.ticks, MaxScriptTicks);
    EXPECT_EQ(script.at(2).held, KeyLeft);
    EXPECT_EQ(script.at(3).held, KeyRight);
    EXPECT_EQ(script.at(MaxScriptTicks - 1).held, KeyRight);
    EXPECT_EQ(script.at(MaxScriptTicks).held, KeyUp);
    EXPECT_EQ(script.at(MaxScriptTicks + 1).held, 0) << "past the end no key is held";
    EXPECT_EQ(script.at(1).held, KeyLeft) << "asking again from the start";
}

// Whatever bytes a script holds, the parser answers: either the ticks or a
// line of the text.
TEST(Script, AnyBytesGiveTicksOrAnErrorLine) {
    std::string alphabet = "UDLRSPKudlrspk-+-+*#0123456789 \t\r\n\n\nXx";
    alphabet += '\0';
    std::mt19937 random(20260101);
    for (int round = 0; round < 3000; ++round) {
        std::string text(random() % 40, ' ');
        for (char& c : text)
            c = (random() % 8 == 0) ? static_cast<char>(random())
                                    : alphabet[random() % alphabet.size()];
        Script script;
        ScriptError error;
        if (parseScript(text, script, error)) {
            std::int64_t sum = 0;
            for (const ScriptRun& run : script.runs) sum += run.count;
            EXPECT_EQ(sum, script.ticks);
            EXPECT_LE(script.ticks, MaxScriptTicks);
            std::uint8_t held = 0;
            for (std::int64_t t = 1; t <= std::min<std::int64_t>(script.ticks + 1, 2000); ++t) {
                const ScriptTick keys = script.at(t);
                held = heldAfter(held, script.eventsBefore(held, keys));
                EXPECT_EQ(held, keys.held);
            }
        } else {
            const auto lines = 1 + std::count(text.begin(), text.end(), '\n');
            EXPECT_GE(error.line, 1);
            EXPECT_LE(error.line, lines);
            EXPECT_FALSE(error.message.empty());
        }
    }
}

struct EventCase {
    const char* name;
    ScriptTick previous, now;
    std::vector<KeyEvent> events;
};

void PrintTo(const EventCase& c, std::ostream* os) {
    *os << c.name;
}

constexpr int OtherKey = 65; // K: the letter A

class KeyEvents : public testing::TestWithParam<EventCase> {};

TEST_P(KeyEvents, UpsThenDownsInKeyOrder) {
    EXPECT_EQ(keyEventsBetween(GetParam().previous, GetParam().now), GetParam().events);
}

INSTANTIATE_TEST_SUITE_P(
    BetweenTicks, KeyEvents,
    testing::Values(
        EventCase{"NewKeyGoesDown", {}, {KeyRight, 0}, {{true, VkRight}}},
        EventCase{"HeldKeySendsNothing", {KeyRight, 0}, {KeyRight, 0}, {}},
        EventCase{
            "LowerCaseSendsAnotherKeyDown", {KeyShift, 0}, {KeyShift, KeyShift}, {{true, VkShift}}},
        EventCase{"ReleasedKeyGoesUp", {KeyRight | KeyUp, 0}, {KeyUp, 0}, {{false, VkRight}}},
        EventCase{"UpsBeforeDowns",
                  {KeyUp | KeyRight, 0},
                  {KeyLeft | KeyShift, 0},
                  {{false, VkUp}, {false, VkRight}, {true, VkLeft}, {true, VkShift}}},
        EventCase{"OrderUDLRSPK",
                  {},
                  {KeyOther | KeySpace | KeyShift | KeyRight | KeyLeft | KeyDown | KeyUp, 0},
                  {{true, VkUp},
                   {true, VkDown},
                   {true, VkLeft},
                   {true, VkRight},
                   {true, VkShift},
                   {true, VkSpace},
                   {true, OtherKey}}},
        EventCase{"AnyOtherKeyIsALetter", {KeyOther, 0}, {}, {{false, OtherKey}}}),
    [](const testing::TestParamInfo<EventCase>& info) { return std::string(info.param.name); });

// The events sent before each tick of a script, as "+R -R" per tick and "|"
// between ticks: a word after an event line starts from what its events left
// held.
std::string eventsSent(const std::string& text) {
    Script script;
    ScriptError error;
    if (!parseScript(text, script, error)) return "error: " + error.message;
    std::string sent;
    std::uint8_t held = 0;
    for (std::int64_t t = 1; t <= script.ticks; ++t) {
        if (t > 1) sent += " |";
        const std::vector<KeyEvent> events = script.eventsBefore(held, script.at(t));
        for (const KeyEvent& e : events) {
            sent += e.down ? " +" : " -";
            sent += scriptKeyLetter(scriptKeyOf(e.virtualKey));
        }
        held = heldAfter(held, events);
        EXPECT_EQ(held, script.at(t).held) << "tick " << t;
    }
    return sent;
}

TEST(Script, WordsAfterEventLinesStartFromWhatTheEventsLeftHeld) {
    struct Case {
        const char* text;
        const char* sent;
    };
    for (const Case& c : {
             Case{"+R\nR\n-", " +R | | -R"},         // still held: the word sends nothing
             Case{"+R -R\nR", " +R -R | +R"},        // let go again: the word presses it
             Case{"S\n+S\ns\nS", " +S | +S | +S |"}, // repeats, with or without an event line
             Case{"UR\n-U\n-", " +U +R | -U | -R"},
             Case{"+K +K\n-K\nK", " +K +K | -K | +K"},
             Case{"-R\n-", " -R |"}, // a key-up of a key not held is sent as written
             Case{"L\n+R -L +U\nUR", " +L | +R -L +U |"},
         })
        EXPECT_EQ(eventsSent(c.text), c.sent) << c.text;
}

} // namespace
