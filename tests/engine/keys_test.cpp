// The seven key flags: key-downs set them, key-ups clear them, and any key-up
// clears `any`.
#include "tiny_room.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int KeyA = 65; // a key the game has no flag for

struct KeyEvent {
    bool down;
    int key;
};
KeyEvent D(int key) {
    return {true, key};
}
KeyEvent U(int key) {
    return {false, key};
}

struct Flags {
    int up, right, down, left, shift, any, space;
};

struct KeyCase {
    const char* name;
    std::vector<KeyEvent> events;
    Flags want;
};

TEST(KeyFlags, FollowKeyDownsAndKeyUps) {
    const KeyCase cases[] = {
        {"nothing pressed", {}, {0, 0, 0, 0, 0, 0, 0}},
        {"each key sets its own flag and any",
         {D(VkUp), D(VkRight), D(VkDown), D(VkLeft), D(VkShift), D(VkSpace)},
         {1, 1, 1, 1, 1, 1, 1}},
        {"two arrows at once", {D(VkRight), D(VkUp)}, {1, 1, 0, 0, 0, 1, 0}},
        {"releasing one arrow leaves the other",
         {D(VkRight), D(VkUp), U(VkRight)},
         {1, 0, 0, 0, 0, 0, 0}},
        {"a key without a flag sets only any", {D(KeyA)}, {0, 0, 0, 0, 0, 1, 0}},
        {"releasing another key clears any while an arrow is held",
         {D(VkLeft), D(KeyA), U(KeyA)},
         {0, 0, 0, 1, 0, 0, 0}},
        {"the held arrow's repeated key-down sets any again",
         {D(VkLeft), D(KeyA), U(KeyA), D(VkLeft)},
         {0, 0, 0, 1, 0, 1, 0}},
        {"key-up of a key never pressed", {U(VkUp)}, {0, 0, 0, 0, 0, 0, 0}},
        {"SPACE up clears space", {D(VkSpace), U(VkSpace)}, {0, 0, 0, 0, 0, 0, 0}},
        {"SHIFT up clears shift only", {D(VkShift), D(VkDown), U(VkShift)}, {0, 0, 1, 0, 0, 0, 0}},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        Game game;
        for (const KeyEvent& e : c.events) {
            if (e.down)
                game.FormKeyDown(e.key);
            else
                game.FormKeyUp(e.key);
        }
        const KeyStateRecord& k = game.KeyState;
        EXPECT_EQ(k.up, c.want.up);
        EXPECT_EQ(k.right, c.want.right);
        EXPECT_EQ(k.down, c.want.down);
        EXPECT_EQ(k.left, c.want.left);
        EXPECT_EQ(k.shift, c.want.shift);
        EXPECT_EQ(k.any, c.want.any);
        EXPECT_EQ(k.space, c.want.space);
    }
}

TEST(KeyFlags, ReleasingOneKeyClearsOnlyItsFlagAndAny) {
    const int keys[] = {VkUp, VkRight, VkDown, VkLeft, VkShift, VkSpace};
    for (int released : keys) {
        SCOPED_TRACE(::testing::Message() << "key " << released);
        Game game;
        for (int key : keys) game.FormKeyDown(key);
        game.FormKeyUp(released);
        const KeyStateRecord& k = game.KeyState;
        EXPECT_EQ(k.up, released != VkUp);
        EXPECT_EQ(k.right, released != VkRight);
        EXPECT_EQ(k.down, released != VkDown);
        EXPECT_EQ(k.left, released != VkLeft);
        EXPECT_EQ(k.shift, released != VkShift);
        EXPECT_EQ(k.space, released != VkSpace);
        EXPECT_EQ(k.any, 0);
    }
}

int liveBombs(const Game& game) {
    int n = 0;
    for (int i = 0; i < BombSlots; ++i) n += game.BombTable.timer[i] != 0;
    return n;
}

TEST(KeyFlags, HeldShiftDropsAgainOnlyOnARepeatedKeyDown) {
    TinyGame t({"47.............4", "4444444444444444"});
    t->FormKeyDown(VkShift);
    t.tick();
    EXPECT_EQ(liveBombs(*t), 1);
    EXPECT_EQ(t->KeyState.shift, 0); // the drop took the press
    t.tick();
    EXPECT_EQ(liveBombs(*t), 1); // still held, but no new key-down
    t->FormKeyDown(VkShift);     // the keyboard's auto-repeat
    EXPECT_EQ(t->KeyState.shift, 1);
    t.tick();
    EXPECT_EQ(liveBombs(*t), 2);
}

} // namespace
