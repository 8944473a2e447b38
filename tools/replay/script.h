// Input scripts of the headless runner: one tick per line.
//
//   # comment            blank lines and comments are skipped
//   -                    a tick with no key held
//   UR                   up and right held
//   R*12                 the same line twelve times
//   s                    SHIFT held, with a key-down even if it was held before
//   +R -R +S             an event line: right down, right up, SHIFT down, then the tick
//
// Letters: U D L R (arrows), S (SHIFT), P (SPACE), K (any other key).
//
// A held-key word says which keys are held during its tick: before the tick
// the keys let go get a key-up, then the keys newly held (and the lower-case
// ones) a key-down. An event line says exactly which events come before its
// tick: `+X` a key-down, `-X` a key-up, in the order written, so that a key
// pressed and let go between two ticks can be written. An event line is
// always one tick (no `*N`), and words and events do not mix on a line.
// After an event line the keys held are those its events leave held (a `+X`
// of a held key is an auto-repeat); the next word starts from them.
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
// The key bit (0 to 6) a virtual-key code is written as: any key outside the
// game's six is K.
int scriptKeyOf(int virtualKey);

// The keys of one tick.
struct ScriptTick {
    std::uint8_t held = 0;   // keys held during the tick (after an event line's events)
    std::uint8_t repeat = 0; // keys that get a key-down even if held before (lower case)
    // An event line: its events, Script::events[firstEvent] onwards. None for a word.
    std::uint32_t firstEvent = 0;
    std::uint32_t eventCount = 0;
    bool operator==(const ScriptTick&) const = default;
};

// One line of a script: its keys, held for `count` ticks in a row.
struct ScriptRun {
    ScriptTick keys;
    std::int32_t count = 1;
};

// A script too long to be a sensible replay is refused.
constexpr std::int64_t MaxScriptTicks = 10'000'000;
constexpr std::int64_t MaxScriptEvents = 100'000'000;

// A key event sent to the game: a key-down or key-up of a virtual key.
struct KeyEvent {
    bool down = false;
    int virtualKey = 0;
    bool operator==(const KeyEvent&) const = default;
};

struct Script {
    std::vector<ScriptRun> runs;
    // The events of the event lines, one byte each: the key bit (0 to 6),
    // plus 0x80 for a key-down.
    std::vector<std::uint8_t> events;
    std::int64_t ticks = 0; // the sum of the counts

    // The keys of tick t (1-based); ticks past the end hold no key.
    // Ticks must be asked for in increasing order for this to be fast.
    ScriptTick at(std::int64_t t) const;

    // The events sent before the tick `now` while the keys `held` are held:
    // an event line's own events, or those that make a word's keys held.
    std::vector<KeyEvent> eventsBefore(std::uint8_t held, const ScriptTick& now) const;

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

// The events sent before a tick that holds `now` after one that held
// `previous`: key-ups of the keys let go, then key-downs of the keys newly
// held or repeated, each group in the order U D L R S P K.
std::vector<KeyEvent> keyEventsBetween(const ScriptTick& previous, const ScriptTick& now);

// The keys held after `events`, starting from `held`.
std::uint8_t heldAfter(std::uint8_t held, const std::vector<KeyEvent>& events);

// Writes what a player did as a script that replays it: the key events the
// game got and the ticks it ran. Each tick gives one line for the events
// since the tick before: the held-key word when replaying the word would send
// exactly these events, otherwise an event line. Equal word lines in a row
// become one line with `*N`, so a line is held back until the next differs.
class ScriptWriter {
  public:
    static constexpr std::string_view Header = "# zommel recording\n";

    // A key event passed to the game.
    void keyEvent(const KeyEvent& event);
    // A tick runs. Returns the whole lines it completes, perhaps none.
    std::string tick();
    // The end of the recording: the line still held back, if any.
    std::string finish();

  private:
    std::uint8_t held_ = 0;        // what replaying the lines so far leaves held
    std::vector<KeyEvent> events_; // since the last tick
    std::string word_;             // the word line held back
    std::int64_t wordCount_ = 0;   // its ticks
};
