// Fuzz target: any 1920-byte room set and any key bytes, played as PLAY EDIT
// and as test play of one of its rooms. The game must never read or write
// outside its tables, whatever the rooms hold.
//
// Input: 1920 bytes of rooms (missing bytes are empty rooms), then one byte
// per tick: the low three bits pick a key (up, right, down, left, shift,
// space, a letter, none), bit 3 says up or down. In the first key byte,
// bits 4 to 7 choose PLAY EDIT (0 to 5) or the test play of a room (6 to 15).
#include "engine.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {

constexpr int Keys[] = {VkUp, VkRight, VkDown, VkLeft, VkShift, VkSpace, 'A', 0};
constexpr int MaxTicks = 300;

void play(Game& g, const std::uint8_t* keys, std::size_t count) {
    for (std::size_t t = 0; t < count && t < MaxTicks; ++t) {
        const int key = Keys[keys[t] & 7];
        if (key) {
            if (keys[t] & 8)
                g.FormKeyDown(key);
            else
                g.FormKeyUp(key);
        }
        g.Timer1Timer();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RoomSet rooms = emptyRoomSet();
    const std::size_t roomBytes = size < RoomSetBytes ? size : RoomSetBytes;
    std::memcpy(rooms.data(), data, roomBytes);
    const std::uint8_t* keys = data + roomBytes;
    const std::size_t keyCount = size - roomBytes;

    auto game = std::make_unique<Game>();
    const int choice = keyCount ? keys[0] >> 4 : 0;
    if (choice < 6) {
        game->startLoadedSet(rooms);
    } else {
        const int room = choice - 6;
        game->startTestPlay(rooms.data() + room * RoomBytes, room);
    }
    play(*game, keys, keyCount);
    return 0;
}
