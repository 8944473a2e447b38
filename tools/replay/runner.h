// The headless runner: a game started as the command line asks, driven tick
// by tick from a script, reported as a trace and as frames.
#pragma once

#include "engine.h"
#include "options.h"
#include "script.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

class QImage;

// One game played without a window.
class Replay {
  public:
    Replay();

    // Starts the game as the program does (title screen), then as the options
    // ask: room N of the built-in set, PLAY EDIT of a room-set file (from its
    // room 1 or room N), or test play of room N of a file. Returns false with
    // one message, naming the file, when the sprite sheet or the room-set file
    // cannot be used; the file is refused exactly as the game refuses it.
    bool start(const ReplayOptions& options, std::string& error);

    // One tick: `events` sent in order, then Timer1Timer while the timer
    // runs. Returns whether the tick ran.
    bool tick(const std::vector<KeyEvent>& events);
    // Tick t (1-based) of `script`, after its ticks before.
    bool tick(const Script& script, std::int64_t t);

    Game& game() { return *game_; }
    const Game& game() const { return *game_; }

  private:
    std::unique_ptr<Game> game_;
    RoomSet rooms_{};       // the room-set file; test play reads its room from here
    std::uint8_t held_ = 0; // the script keys held, for the next word
};

// The frame on screen as a 512 x 416 picture.
QImage frameImage(const Game& game);

// The hash frameHash gives for a frame saved as a picture; the picture must be
// 512 x 416.
std::uint64_t imageFrameHash(const QImage& image);

// Reads a script from a file ("-": from `in`). Returns false with one message
// naming the file (and the line of a bad token).
bool readScript(const std::string& file, std::istream& in, Script& script, std::string& error);

// The whole program: arguments without the program name, the script's
// standard input, the trace's standard output and the messages' standard
// error. Returns the exit status: 0 done, 2 on any error.
int runReplay(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
              std::ostream& err);
