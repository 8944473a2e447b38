#include "script.h"

#include "engine.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr char Letters[ScriptKeyCount + 1] = "UDLRSPK";
// Any key outside the game's six: the letter A.
constexpr int OtherVirtualKey = 65;
constexpr int VirtualKeys[ScriptKeyCount] = {VkUp,    VkDown,  VkLeft,         VkRight,
                                             VkShift, VkSpace, OtherVirtualKey};

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// A short, printable rendering of a token for a message.
std::string quoted(std::string_view token) {
    constexpr std::size_t MaxShown = 24;
    std::string out = "'";
    for (std::size_t i = 0; i < token.size() && i < MaxShown; ++i) {
        const auto c = static_cast<unsigned char>(token[i]);
        if (c >= 0x20 && c < 0x7F && c != '\'' && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        }
    }
    if (token.size() > MaxShown) out += "...";
    return out + "'";
}

int letterIndex(char c) {
    const char upper = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    for (int i = 0; i < ScriptKeyCount; ++i)
        if (Letters[i] == upper) return i;
    return -1;
}

bool isUpperKeyLetter(char c) {
    return c >= 'A' && c <= 'Z' && letterIndex(c) >= 0;
}

// An event line starts with a `+X` or `-X` token; a lone `-` is the word for
// no key.
bool isEventLine(std::string_view line) {
    return line[0] == '+' ||
           (line[0] == '-' && line.size() > 1 && !isBlank(line[1]) && line[1] != '*');
}

// Parses an event line, trimmed, appending its events to `events`.
bool parseEventLine(std::string_view line, std::vector<std::uint8_t>& events,
                    std::string& message) {
    std::size_t p = 0;
    while (p < line.size()) {
        std::size_t end = p;
        while (end < line.size() && !isBlank(line[end])) ++end;
        const std::string_view token = line.substr(p, end - p);
        p = end;
        while (p < line.size() && isBlank(line[p])) ++p;

        if (token.find('*') != std::string_view::npos) {
            message = "an event line is one tick and takes no repeat: " + quoted(token);
            return false;
        }
        if (token[0] != '+' && token[0] != '-') {
            message = quoted(token) +
                      " is not an event: a line holds either held keys or events (+X, -X)";
            return false;
        }
        if (token.size() != 2) {
            message = "an event is '+' or '-' and one key, not " + quoted(token);
            return false;
        }
        if (!isUpperKeyLetter(token[1])) {
            message = "unknown key " + quoted(token.substr(1)) + " in " + quoted(token) +
                      " (event keys are U D L R S P K)";
            return false;
        }
        events.push_back(
            static_cast<std::uint8_t>(letterIndex(token[1]) | (token[0] == '+' ? 0x80 : 0)));
    }
    return true;
}

// Parses one line without its comment. An event line's events are appended
// to `events` and `run.keys` names them. Returns false with a message.
bool parseLine(std::string_view line, bool& empty, ScriptRun& run,
               std::vector<std::uint8_t>& events, std::string& message) {
    std::size_t i = 0;
    while (i < line.size() && isBlank(line[i])) ++i;
    std::size_t end = line.size();
    while (end > i && isBlank(line[end - 1])) --end;
    line = line.substr(i, end - i);
    empty = line.empty();
    if (empty) return true;

    run = ScriptRun{};
    if (isEventLine(line)) {
        const std::size_t first = events.size();
        if (!parseEventLine(line, events, message)) return false;
        run.keys.firstEvent = static_cast<std::uint32_t>(first);
        run.keys.eventCount = static_cast<std::uint32_t>(events.size() - first);
        return true;
    }

    std::size_t wordEnd = 0;
    while (wordEnd < line.size() && !isBlank(line[wordEnd]) && line[wordEnd] != '*') ++wordEnd;
    const std::string_view word = line.substr(0, wordEnd);
    if (word.empty()) {
        message = "a repeat needs the keys before it: " + quoted(line);
        return false;
    }
    if (word != "-") {
        for (char c : word) {
            const int k = letterIndex(c);
            if (k < 0) {
                message = "unknown key " + quoted(std::string_view(&c, 1)) + " in " + quoted(word) +
                          " (keys are U D L R S P K, or - for none)";
                return false;
            }
            run.keys.held |= static_cast<std::uint8_t>(1 << k);
            if (c >= 'a' && c <= 'z') run.keys.repeat |= static_cast<std::uint8_t>(1 << k);
        }
    }

    std::size_t p = wordEnd;
    while (p < line.size() && isBlank(line[p])) ++p;
    if (p == line.size()) return true;
    if (line[p] != '*') {
        message = "unexpected " + quoted(line.substr(p)) + " after the keys " + quoted(word);
        if (line[p] == '+' || line[p] == '-') message += " (a line holds either keys or events)";
        return false;
    }
    ++p;
    while (p < line.size() && isBlank(line[p])) ++p;
    const std::size_t digits = p;
    std::int64_t count = 0;
    while (p < line.size() && line[p] >= '0' && line[p] <= '9') {
        count = count * 10 + (line[p] - '0');
        if (count > MaxScriptTicks) {
            message = "the repeat " + quoted(line.substr(digits)) + " is more than " +
                      std::to_string(MaxScriptTicks) + " ticks";
            return false;
        }
        ++p;
    }
    if (p == digits || p != line.size()) {
        message = "a repeat is '*' and a number, not " + quoted(line.substr(wordEnd));
        return false;
    }
    if (count < 1) {
        message = "a repeat count is at least 1: " + quoted(line.substr(wordEnd));
        return false;
    }
    run.count = static_cast<std::int32_t>(count);
    return true;
}

KeyEvent decodeEvent(std::uint8_t code) {
    return {(code & 0x80) != 0, VirtualKeys[code & 0x7F]};
}

// The key bit of a key event.
std::uint8_t bitOf(const KeyEvent& e) {
    return static_cast<std::uint8_t>(1 << scriptKeyOf(e.virtualKey));
}

} // namespace

char scriptKeyLetter(int i) {
    return Letters[i];
}
int scriptKeyVirtualKey(int i) {
    return VirtualKeys[i];
}
int scriptKeyOf(int virtualKey) {
    for (int i = 0; i < ScriptKeyCount - 1; ++i)
        if (VirtualKeys[i] == virtualKey) return i;
    return ScriptKeyCount - 1;
}

ScriptTick Script::at(std::int64_t t) const {
    if (t < cursorStart_) {
        cursorRun_ = 0;
        cursorStart_ = 1;
    }
    while (cursorRun_ < runs.size() && t >= cursorStart_ + runs[cursorRun_].count) {
        cursorStart_ += runs[cursorRun_].count;
        ++cursorRun_;
    }
    if (t < 1 || cursorRun_ >= runs.size()) return {};
    return runs[cursorRun_].keys;
}

std::vector<KeyEvent> Script::eventsBefore(std::uint8_t held, const ScriptTick& now) const {
    if (now.eventCount == 0) return keyEventsBetween(ScriptTick{held, 0}, now);
    std::vector<KeyEvent> sent;
    sent.reserve(now.eventCount);
    for (std::uint32_t i = 0; i < now.eventCount; ++i)
        sent.push_back(decodeEvent(events[now.firstEvent + i]));
    return sent;
}

bool parseScript(std::string_view text, Script& script, ScriptError& error) {
    Script parsed;
    std::uint8_t held = 0; // what the lines so far leave held
    int lineNumber = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (const std::size_t hash = line.find('#'); hash != std::string_view::npos)
            line = line.substr(0, hash);

        bool empty = false;
        ScriptRun run;
        std::string message;
        if (!parseLine(line, empty, run, parsed.events, message)) {
            error = {lineNumber, message};
            return false;
        }
        if (empty) continue;
        if (parsed.ticks + run.count > MaxScriptTicks) {
            error = {lineNumber,
                     "the script runs more than " + std::to_string(MaxScriptTicks) + " ticks"};
            return false;
        }
        if (static_cast<std::int64_t>(parsed.events.size()) > MaxScriptEvents) {
            error = {lineNumber, "the script sends more than " + std::to_string(MaxScriptEvents) +
                                     " key events"};
            return false;
        }
        ScriptTick& keys = run.keys;
        if (keys.eventCount) {
            for (std::uint32_t i = 0; i < keys.eventCount; ++i) {
                const std::uint8_t code = parsed.events[keys.firstEvent + i];
                const auto bit = static_cast<std::uint8_t>(1 << (code & 0x7F));
                held = (code & 0x80) ? (held | bit) : (held & ~bit);
            }
            keys.held = held;
        } else {
            held = keys.held;
        }
        parsed.ticks += run.count;
        // Neighbouring lines with the same keys are one run; an event line
        // repeated gives the same events, which are kept once.
        if (!parsed.runs.empty()) {
            ScriptTick& last = parsed.runs.back().keys;
            if (keys.eventCount && last.eventCount == keys.eventCount && last.held == keys.held &&
                std::equal(parsed.events.begin() + last.firstEvent,
                           parsed.events.begin() + last.firstEvent + last.eventCount,
                           parsed.events.begin() + keys.firstEvent)) {
                parsed.events.resize(keys.firstEvent);
                keys.firstEvent = last.firstEvent;
            }
            if (last == keys) {
                parsed.runs.back().count += run.count;
                continue;
            }
        }
        parsed.runs.push_back(run);
    }
    script = std::move(parsed);
    return true;
}

std::vector<KeyEvent> keyEventsBetween(const ScriptTick& previous, const ScriptTick& now) {
    std::vector<KeyEvent> events;
    for (int i = 0; i < ScriptKeyCount; ++i) {
        const int bit = 1 << i;
        if ((previous.held & bit) && !(now.held & bit)) events.push_back({false, VirtualKeys[i]});
    }
    for (int i = 0; i < ScriptKeyCount; ++i) {
        const int bit = 1 << i;
        if ((now.held & bit) && (!(previous.held & bit) || (now.repeat & bit)))
            events.push_back({true, VirtualKeys[i]});
    }
    return events;
}

std::uint8_t heldAfter(std::uint8_t held, const std::vector<KeyEvent>& events) {
    for (const KeyEvent& e : events)
        held = e.down ? static_cast<std::uint8_t>(held | bitOf(e))
                      : static_cast<std::uint8_t>(held & ~bitOf(e));
    return held;
}

// ---- writing ----

void ScriptWriter::keyEvent(const KeyEvent& event) {
    events_.push_back({event.down, scriptKeyVirtualKey(scriptKeyOf(event.virtualKey))});
}

std::string ScriptWriter::tick() {
    // The word that comes closest: the keys held afterwards, lower case for
    // a held key that got another key-down.
    ScriptTick word{heldAfter(held_, events_), 0};
    for (const KeyEvent& e : events_)
        if (e.down && (held_ & bitOf(e))) word.repeat |= bitOf(e);
    word.repeat &= word.held;

    std::string line;
    const bool isWord = keyEventsBetween(ScriptTick{held_, 0}, word) == events_;
    if (isWord) {
        if (!word.held) line = "-";
        for (int i = 0; i < ScriptKeyCount; ++i) {
            if (!(word.held & (1 << i))) continue;
            const char letter = scriptKeyLetter(i);
            line += (word.repeat & (1 << i)) ? static_cast<char>(letter - 'A' + 'a') : letter;
        }
    } else {
        for (const KeyEvent& e : events_) {
            if (!line.empty()) line += ' ';
            line += e.down ? '+' : '-';
            line += scriptKeyLetter(scriptKeyOf(e.virtualKey));
        }
    }
    held_ = word.held;
    events_.clear();

    if (isWord && line == word_ && wordCount_ < MaxScriptTicks) {
        ++wordCount_;
        return {};
    }
    std::string done = finish();
    if (isWord) {
        word_ = line;
        wordCount_ = 1;
    } else {
        done += line + '\n';
    }
    return done;
}

std::string ScriptWriter::finish() {
    std::string line;
    if (wordCount_ == 1) line = word_ + '\n';
    if (wordCount_ > 1) line = word_ + '*' + std::to_string(wordCount_) + '\n';
    word_.clear();
    wordCount_ = 0;
    return line;
}
