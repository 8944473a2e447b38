// Small rooms and held keys for engine tests.
//
// A room is given as rows of 16 characters, one room code per cell in hex
// ('.' for an empty cell). Rows left out below the given ones are empty
// rows walled with stone at both sides, and row 11 is a stone floor, so a
// test names only the part of the room that matters.
#pragma once

#include "engine.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

Room roomFrom(std::initializer_list<const char*> rows);
// The same for rows kept in a table.
Room roomFrom(const std::vector<std::string>& rows);

// The game's own sprite sheet, for tests that look at pixels.
const Surface& realSheet();

// A 512 x 384 stand-in for the sheet in which every pixel is different and
// none is black: whatever is copied from it shows where it was copied from.
const Surface& patternSheet();
// True when the w x h rectangle at (x, y) of `a` equals the one at (bx, by) of `b`.
bool sameRect(const Surface& a, int x, int y, const Surface& b, int bx, int by, int w, int h);

struct TinyGame {
    enum class Mode { LoadedSet, TestPlay };

    // Starts `room` as room 1 of a loaded set (ordinary rules, 5 lives) or
    // as test play. With `withSheet`, the real sprite sheet is used.
    explicit TinyGame(std::initializer_list<const char*> rows, Mode mode = Mode::LoadedSet,
                      bool withSheet = false);
    // The same for a room built elsewhere (for example a row of a test table).
    explicit TinyGame(const Room& room, Mode mode = Mode::LoadedSet, bool withSheet = false);

    Game& operator*() { return *game; }
    Game* operator->() { return game.get(); }

    // Holds exactly these keys from now on (key-ups for the others first).
    void hold(std::initializer_list<int> keys);
    void hold(const std::vector<int>& keys);
    // Runs n ticks.
    void tick(int n = 1);

    Room room;
    std::unique_ptr<Game> game = std::make_unique<Game>();

private:
    int held_[8]{};
    int heldCount_ = 0;
};
