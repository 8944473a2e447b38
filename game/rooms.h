// Room codes, room sets and the ten rooms that come with the game.
#pragma once

#include <array>
#include <cstdint>

// Cell codes of rooms, the editor palette and room-set files.
enum RoomCode : std::int8_t {
    CodeEmpty = 0,
    CodeFalseBrick = 1,   // looks like a brick, holds nothing up
    CodeLadder = 2,
    CodeBrick = 3,
    CodeStone = 4,
    CodeHiddenLadder = 5, // appears once the last apple is taken
    CodeApple = 6,
    CodeHeroine = 7,      // the heroine's start; later ones are kind-2 enemies
    CodeEnemy = 8,
    CodeAppleInBrick = 9,
    CodeBagInBrick = 10,
    CodeCount = 11,
};

constexpr int RoomColumns = 16;
constexpr int RoomRows = 12;
constexpr int RoomBytes = RoomColumns * RoomRows; // 192, row-major
constexpr int RoomsPerSet = 10;
constexpr int RoomSetBytes = RoomBytes * RoomsPerSet; // 1920, the size of a room-set file

using Room = std::array<std::uint8_t, RoomBytes>;
using RoomSet = std::array<std::uint8_t, RoomSetBytes>;

// The game's own ten rooms.
extern const RoomSet BuiltInRoomSet;

// An empty room: stone in columns 0 and 15 and in row 11, nothing inside.
void makeEmptyRoom(std::uint8_t* room);
// Ten empty rooms.
RoomSet emptyRoomSet();
