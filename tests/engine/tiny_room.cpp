#include "tiny_room.h"

#include "image_io.h"

#include <algorithm>
#include <stdexcept>

Room roomFrom(std::initializer_list<const char*> rows) {
    return roomFrom(std::vector<std::string>(rows.begin(), rows.end()));
}

Room roomFrom(const std::vector<std::string>& rows) {
    Room room{};
    makeEmptyRoom(room.data());
    int r = 0;
    for (const std::string& text : rows) {
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

const Surface& patternSheet() {
    static const Surface sheet = [] {
        Surface s(PlayfieldWidth, PlayfieldHeight);
        for (int y = 0; y < s.height(); ++y)
            for (int x = 0; x < s.width(); ++x)
                s.set(x, y, static_cast<Pixel>(y * s.width() + x + 1));
        return s;
    }();
    return sheet;
}

bool sameRect(const Surface& a, int x, int y, const Surface& b, int bx, int by, int w, int h) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (a.at(x + i, y + j) != b.at(bx + i, by + j)) return false;
    return true;
}

TinyGame::TinyGame(std::initializer_list<const char*> rows, Mode mode, bool withSheet)
    : TinyGame(roomFrom(rows), mode, withSheet) {}

TinyGame::TinyGame(const Room& startRoom, Mode mode, bool withSheet) : room(startRoom) {
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
    hold(std::vector<int>(keys.begin(), keys.end()));
}

void TinyGame::hold(const std::vector<int>& keys) {
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
