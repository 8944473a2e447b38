// Fuzz target: any 1920-byte room set and any key bytes, played as PLAY EDIT
// and as test play of one of its rooms. The game must never read or write
// outside its tables, whatever the rooms hold.
//
// Input: 1920 bytes of rooms (missing bytes are empty rooms), then one byte
// per tick: the low three bits pick a key (up, right, down, left, shift,
// space, a letter, none), bit 3 says up or down, bits 4 to 7 pick the room
// of the test play from the first byte.
#include "engine.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {

constexpr int Keys[] = {VkUp, VkRight, VkDown, VkLeft, VkShift, VkSpace, 'A', 0};
constexpr int MaxTicks = 400;

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
    static Surface sheet(PlayfieldWidth, PlayfieldHeight);
    RoomSet rooms = emptyRoomSet();
    const std::size_t roomBytes = size < RoomSetBytes ? size : RoomSetBytes;
    std::memcpy(rooms.data(), data, roomBytes);
    const std::uint8_t* keys = data + roomBytes;
    const std::size_t keyCount = size - roomBytes;

    auto loaded = std::make_unique<Game>();
    loaded->FormCreate(sheet);
    loaded->startLoadedSet(rooms);
    play(*loaded, keys, keyCount);

    const int room = keyCount ? (keys[0] >> 4) % RoomsPerSet : 0;
    auto test = std::make_unique<Game>();
    test->FormCreate(sheet);
    test->startTestPlay(rooms.data() + room * RoomBytes, room);
    play(*test, keys, keyCount);
    return 0;
}
