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

Room roomFrom(std::initializer_list<const char*> rows);

// The game's own sprite sheet, for tests that look at pixels.
const Surface& realSheet();

struct TinyGame {
    enum class Mode { LoadedSet, TestPlay };

    // Starts `room` as room 1 of a loaded set (ordinary rules, 5 lives) or
    // as test play. With `withSheet`, the real sprite sheet is used.
    explicit TinyGame(std::initializer_list<const char*> rows, Mode mode = Mode::LoadedSet,
                      bool withSheet = false);

    Game& operator*() { return *game; }
    Game* operator->() { return game.get(); }

    // Holds exactly these keys from now on (key-ups for the others first).
    void hold(std::initializer_list<int> keys);
    // Runs n ticks.
    void tick(int n = 1);

    Room room;
    std::unique_ptr<Game> game = std::make_unique<Game>();

private:
    int held_[8]{};
    int heldCount_ = 0;
};
