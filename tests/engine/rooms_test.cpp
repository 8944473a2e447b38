// The ten rooms that come with the game, and the empty rooms of PLAY EDIT's buffer.
#include "tiny_room.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int cellOf(const RoomSet& set, int room, int r, int c) {
    return set[RoomBytes * room + RoomColumns * r + c];
}

std::string rowOf(const RoomSet& set, int room, int r) {
    std::string text;
    for (int c = 0; c < RoomColumns; ++c) text += "0123456789a"[cellOf(set, room, r, c)];
    return text;
}

struct SampleRows {
    const char* row0;
    const char* row5;
    const char* row10;
};

TEST(BuiltInRooms, MatchTheGamesRoomTable) {
    const SampleRows rooms[RoomsPerSet] = {
        {"4000000050003334", "4444400026034a24", "400002a3a3344444"},
        {"4605000000005054", "4246400270046424", "42823a33a33a2824"},
        {"4600065050505054", "4a23636323606424", "42060023a33a33a4"},
        {"4000000005066004", "4068323333a2a334", "466026363002a604"},
        {"4000050600000004", "4143a32003002034", "4860600206006334"},
        {"4070030660300054", "4086230802305084", "420003266632a604"},
        {"4555555555555554", "42a9007620626924", "4252555525555524"},
        {"4800000000500004", "43aaa1aaaa200004", "4606720020002084"},
        {"4005800005000054", "494a23aaa1399a24", "4600020002008024"},
        {"4700500000000004", "4800320245454424", "4800320202620624"},
    };
    for (int n = 0; n < RoomsPerSet; ++n) {
        SCOPED_TRACE(::testing::Message() << "room " << n + 1);
        EXPECT_EQ(rowOf(BuiltInRoomSet, n, 0), rooms[n].row0);
        EXPECT_EQ(rowOf(BuiltInRoomSet, n, 5), rooms[n].row5);
        EXPECT_EQ(rowOf(BuiltInRoomSet, n, 10), rooms[n].row10);
    }
    // A few single cells from the other rows.
    EXPECT_EQ(cellOf(BuiltInRoomSet, 0, 9, 7), CodeHeroine);
    EXPECT_EQ(cellOf(BuiltInRoomSet, 2, 2, 7), CodeAppleInBrick);
    EXPECT_EQ(cellOf(BuiltInRoomSet, 4, 1, 7), CodeBagInBrick);
    EXPECT_EQ(cellOf(BuiltInRoomSet, 6, 3, 5), CodeAppleInBrick);
    EXPECT_EQ(cellOf(BuiltInRoomSet, 7, 4, 5), CodeFalseBrick);
    EXPECT_EQ(cellOf(BuiltInRoomSet, 8, 8, 6), CodeHeroine);
}

TEST(BuiltInRooms, AreWalledWithStoneAndHaveOneHeroineStart) {
    for (int n = 0; n < RoomsPerSet; ++n) {
        SCOPED_TRACE(::testing::Message() << "room " << n + 1);
        int starts = 0;
        for (int r = 0; r < RoomRows; ++r) {
            for (int c = 0; c < RoomColumns; ++c) {
                const int code = cellOf(BuiltInRoomSet, n, r, c);
                EXPECT_LT(code, CodeCount);
                if (r == RoomRows - 1 || c == 0 || c == RoomColumns - 1) {
                    EXPECT_EQ(code, CodeStone) << "cell " << r << "," << c;
                }
                starts += code == CodeHeroine;
            }
        }
        EXPECT_EQ(starts, 1);
    }
}

TEST(BuiltInRooms, PlayEditsBufferStartsAsTenEmptyRooms) {
    Game game;
    for (int n = 0; n < RoomsPerSet; ++n)
        for (int r = 0; r < RoomRows; ++r)
            for (int c = 0; c < RoomColumns; ++c) {
                const bool wall = r == RoomRows - 1 || c == 0 || c == RoomColumns - 1;
                ASSERT_EQ(cellOf(game.LoadedRoomSet, n, r, c), wall ? CodeStone : CodeEmpty)
                    << "room " << n + 1 << " cell " << r << "," << c;
            }
}

} // namespace
