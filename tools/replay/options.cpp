#include "options.h"

#include "rooms.h"
#include "script.h"

const char* const ReplayUsage =
    "usage: zommel-replay [--rooms FILE] [--room N | --test N] [--script FILE] [--ticks N]\n"
    "                     [--trace] [--frames DIR] [--png FILE]\n"
    "       zommel-replay --hash-png FILE\n";

namespace {

// A whole decimal number from `low` to `high`; anything else is refused.
bool parseNumber(const std::string& text, std::int64_t low, std::int64_t high,
                 std::int64_t& value) {
    if (text.empty() || text.size() > 12) return false;
    std::int64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    if (v < low || v > high) return false;
    value = v;
    return true;
}

} // namespace

bool parseReplayArguments(const std::vector<std::string>& args, ReplayOptions& options,
                          std::string& error) {
    ReplayOptions parsed;
    std::vector<std::string> seen;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "--help" || name == "-h") {
            parsed.help = true;
            continue;
        }
        if (name == "--trace") {
            parsed.trace = true;
            continue;
        }
        const bool known = name == "--rooms" || name == "--room" || name == "--test" ||
                           name == "--script" || name == "--ticks" || name == "--frames" ||
                           name == "--png" || name == "--hash-png";
        if (!known) {
            error = "unknown argument '" + name + "'";
            return false;
        }
        for (const std::string& before : seen) {
            if (before == name) {
                error = name + " is given twice";
                return false;
            }
        }
        seen.push_back(name);
        if (i + 1 >= args.size()) {
            error = name + " needs a value";
            return false;
        }
        const std::string& value = args[++i];
        std::int64_t number = 0;
        if (name == "--rooms") {
            parsed.roomsFile = value;
        } else if (name == "--room" || name == "--test") {
            if (!parseNumber(value, 1, RoomsPerSet, number)) {
                error = name + " takes a room from 1 to " + std::to_string(RoomsPerSet) +
                        ", not '" + value + "'";
                return false;
            }
            (name == "--room" ? parsed.room : parsed.testRoom) = static_cast<int>(number);
        } else if (name == "--script") {
            parsed.scriptFile = value;
        } else if (name == "--ticks") {
            if (!parseNumber(value, 0, MaxScriptTicks, number)) {
                error = "--ticks takes a number of ticks from 0 to " +
                        std::to_string(MaxScriptTicks) + ", not '" + value + "'";
                return false;
            }
            parsed.ticks = number;
        } else if (name == "--frames") {
            parsed.framesDir = value;
        } else if (name == "--png") {
            parsed.pngFile = value;
        } else {
            parsed.hashPng = value;
        }
    }
    if (parsed.hashPng && (seen.size() > 1 || parsed.trace)) {
        error = "--hash-png goes with no other option";
        return false;
    }
    if (parsed.room && parsed.testRoom) {
        error = "--room and --test cannot be given together";
        return false;
    }
    if (parsed.testRoom && !parsed.roomsFile) {
        error = "--test plays a room of a room-set file: give the file with --rooms";
        return false;
    }
    options = std::move(parsed);
    return true;
}
