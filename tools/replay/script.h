// Input scripts of the headless runner: one tick per line, the keys held
// during that tick.
//
//   # comment            blank lines and comments are skipped
//   -                    a tick with no key held
//   UR                   up and right held
//   R*12                 the same line twelve times
//   s                    SHIFT held, with a key-down even if it was held before
//
// Letters: U D L R (arrows), S (SHIFT), P (SPACE), K (any other key).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The keys of a script, as bits, in the order their events are sent.
enum ScriptKey : std::uint8_t {
    KeyUp = 1 << 0,
    KeyDown = 1 << 1,
    KeyLeft = 1 << 2,
    KeyRight = 1 << 3,
    KeyShift = 1 << 4,
    KeySpace = 1 << 5,
    KeyOther = 1 << 6,
};
constexpr int ScriptKeyCount = 7;

// The script letter and the virtual-key code of key bit i (0 to 6).
char scriptKeyLetter(int i);
int scriptKeyVirtualKey(int i);

// The keys of one tick.
struct ScriptTick {
    std::uint8_t held = 0;   // keys held during the tick
    std::uint8_t repeat = 0; // keys that get a key-down even if held before (lower case)
    bool operator==(const ScriptTick&) const = default;
};

// One line of a script: its keys, held for `count` ticks in a row.
struct ScriptRun {
    ScriptTick keys;
    std::int32_t count = 1;
};

// A script too long to be a sensible replay is refused.
constexpr std::int64_t MaxScriptTicks = 10'000'000;

struct Script {
    std::vector<ScriptRun> runs;
    std::int64_t ticks = 0; // the sum of the counts

    // The keys of tick t (1-based); ticks past the end hold no key.
    // Ticks must be asked for in increasing order for this to be fast.
    ScriptTick at(std::int64_t t) const;

  private:
    mutable std::size_t cursorRun_ = 0;
    mutable std::int64_t cursorStart_ = 1; // first tick of runs[cursorRun_]
};

struct ScriptError {
    int line = 0; // 1-based line of the bad token
    std::string message;
};

// Parses a whole script. Any byte sequence is accepted as input: on a bad
// line it returns false with the line number and a message.
bool parseScript(std::string_view text, Script& script, ScriptError& error);

// A key event sent to the game: a key-down or key-up of a virtual key.
struct KeyEvent {
    bool down = false;
    int virtualKey = 0;
    bool operator==(const KeyEvent&) const = default;
};

// The events sent before a tick that holds `now` after one that held
// `previous`: key-ups of the keys let go, then key-downs of the keys newly
// held or repeated, each group in the order U D L R S P K.
std::vector<KeyEvent> keyEventsBetween(const ScriptTick& previous, const ScriptTick& now);
