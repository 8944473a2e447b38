// The command line of zommel-replay.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct ReplayOptions {
    std::optional<std::string> roomsFile;  // --rooms FILE: a room-set file
    int room = 0;                          // --room N: 1 to 10, 0 when not given
    int testRoom = 0;                      // --test N: 1 to 10, 0 when not given
    std::optional<std::string> scriptFile; // --script FILE, "-" for standard input
    std::int64_t ticks = -1;               // --ticks N, -1: the script's length
    bool trace = false;                    // --trace
    std::optional<std::string> framesDir;  // --frames DIR
    std::optional<std::string> pngFile;    // --png FILE
    std::optional<std::string> hashPng;    // --hash-png FILE: only the frame hash of a picture
    bool help = false;                     // --help
};

// The usage text, for --help and after an argument error.
extern const char* const ReplayUsage;

// Reads the arguments (without the program name). Returns false with one
// message when an argument is unknown, lacks its value, is out of range or
// does not go with another.
bool parseReplayArguments(const std::vector<std::string>& args, ReplayOptions& options,
                          std::string& error);
