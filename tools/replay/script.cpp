#include "script.h"

#include "engine.h"

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

// Parses one line without its comment. Returns false with a message.
bool parseLine(std::string_view line, bool& empty, ScriptRun& run, std::string& message) {
    std::size_t i = 0;
    while (i < line.size() && isBlank(line[i])) ++i;
    std::size_t end = line.size();
    while (end > i && isBlank(line[end - 1])) --end;
    line = line.substr(i, end - i);
    empty = line.empty();
    if (empty) return true;

    std::size_t wordEnd = 0;
    while (wordEnd < line.size() && !isBlank(line[wordEnd]) && line[wordEnd] != '*') ++wordEnd;
    const std::string_view word = line.substr(0, wordEnd);
    if (word.empty()) {
        message = "a repeat needs the keys before it: " + quoted(line);
        return false;
    }
    run = ScriptRun{};
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

} // namespace

char scriptKeyLetter(int i) {
    return Letters[i];
}
int scriptKeyVirtualKey(int i) {
    return VirtualKeys[i];
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

bool parseScript(std::string_view text, Script& script, ScriptError& error) {
    Script parsed;
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
        if (!parseLine(line, empty, run, message)) {
            error = {lineNumber, message};
            return false;
        }
        if (empty) continue;
        if (parsed.ticks + run.count > MaxScriptTicks) {
            error = {lineNumber,
                     "the script runs more than " + std::to_string(MaxScriptTicks) + " ticks"};
            return false;
        }
        parsed.ticks += run.count;
        // Neighbouring lines with the same keys are one run.
        if (!parsed.runs.empty() && parsed.runs.back().keys == run.keys)
            parsed.runs.back().count += run.count;
        else
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
