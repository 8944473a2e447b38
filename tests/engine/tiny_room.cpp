#include "tiny_room.h"

#include "image_io.h"

#include <algorithm>
#include <stdexcept>

Room roomFrom(std::initializer_list<const char*> rows) {
    Room room{};
    makeEmptyRoom(room.data());
    int r = 0;
    for (const char* row : rows) {
        const std::string text(row);
        if (text.size() != RoomColumns || r >= RoomRows)
            throw std::invalid_argument("a room row has 16 cells and a room 12 rows: " + text);
        for (int c = 0; c < RoomColumns; ++c) {
            const char ch = text[c];
            room[r * RoomColumns + c] =
                static_cast<std::uint8_t>(ch == '.' ? 0 : ch <= '9' ? ch - '0' : ch - 'a' + 10);
        }
        ++r;
    }
    return room;
}

const Surface& realSheet() {
    static Surface sheet = [] {
        Surface s(PlayfieldWidth, PlayfieldHeight);
        if (!loadSurface(SpriteSheetResource, s))
            throw std::runtime_error("the sprite sheet resource could not be read");
        return s;
    }();
    return sheet;
}

TinyGame::TinyGame(std::initializer_list<const char*> rows, Mode mode, bool withSheet)
    : room(roomFrom(rows)) {
    if (withSheet) game->FormCreate(realSheet());
    if (mode == Mode::TestPlay) {
        game->startTestPlay(room.data(), 0);
    } else {
        RoomSet set = emptyRoomSet();
        std::copy(room.begin(), room.end(), set.begin());
        game->startLoadedSet(set);
    }
}

void TinyGame::hold(std::initializer_list<int> keys) {
    for (int i = 0; i < heldCount_; ++i)
        if (std::find(keys.begin(), keys.end(), held_[i]) == keys.end())
            game->FormKeyUp(held_[i]);
    for (int key : keys)
        if (std::find(held_, held_ + heldCount_, key) == held_ + heldCount_)
            game->FormKeyDown(key);
    heldCount_ = 0;
    for (int key : keys)
        if (heldCount_ < 8) held_[heldCount_++] = key;
}

void TinyGame::tick(int n) {
    for (int i = 0; i < n; ++i) game->Timer1Timer();
}
