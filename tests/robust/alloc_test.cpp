// Play allocates nothing: thousands of ticks, room starts, deaths, clears
// and title screens included, without one call of operator new.
#include "engine.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

namespace {
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};
} // namespace

void* operator new(std::size_t size) {
    if (counting) ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
// Our operator new takes its memory from malloc, so free is the matching release.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace {

TEST(NoAllocation, TheCounterSeesAnAllocation) {
    counting = true;
    auto* probe = new int(7);
    counting = false;
    delete probe;
    EXPECT_EQ(allocations.exchange(0), 1);
}

TEST(NoAllocation, DuringPlayAndBetweenRooms) {
    auto game = std::make_unique<Game>();
    Surface sheet(PlayfieldWidth, PlayfieldHeight);
    game->FormCreate(sheet);
    Game& g = *game;

    counting = true;
    g.FormKeyDown(VkSpace); // title: a new game
    for (int t = 0; t < 6000; ++t) {
        g.FormKeyDown((t / 7) % 2 ? VkLeft : VkRight);
        if (t % 13 == 0) g.FormKeyDown(VkShift);
        if (t % 29 == 0) g.FormKeyUp(VkShift);
        if (t % 500 == 250) { // a clear now and then
            g.ApplesLeft = 0;
            g.Player.y = -32;
        }
        g.Timer1Timer();
    }
    g.Putsta();
    g.Puttit();
    counting = false;
    EXPECT_EQ(allocations.load(), 0);
}

} // namespace
