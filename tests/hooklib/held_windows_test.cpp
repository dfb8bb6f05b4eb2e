// The records of windows whose timers keep the library mapped: each hold is
// given back exactly once, whoever notices the end first.
#include "hooklib/held_windows.h"

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>
#include <vector>

namespace {

using zrv::HeldWindows;
using Added = HeldWindows::Added;

std::set<std::uint32_t> g_live;
bool live(std::uint32_t h) { return g_live.count(h) != 0; }

TEST(HeldWindows, RecordsOncePerWindowAndKind) {
    HeldWindows held;
    struct Step {
        const char* what;
        bool add; // else remove
        HeldWindows::Kind kind;
        std::uint32_t handle;
        Added added;  // for an add
        bool removed; // for a remove
        int count;
    };
    const Step steps[] = {
        {"a fade starts", true, HeldWindows::kFade, 0x10, Added::New, false, 1},
        {"it starts again", true, HeldWindows::kFade, 0x10, Added::Already, false, 1},
        {"a slide of the same window", true, HeldWindows::kSlide, 0x10, Added::New, false, 2},
        {"no window", true, HeldWindows::kFade, 0, Added::Already, false, 2},
        {"the fade ends", false, HeldWindows::kFade, 0x10, Added::New, true, 1},
        {"and is seen to end again", false, HeldWindows::kFade, 0x10, Added::New, false, 1},
        {"a menu never held", false, HeldWindows::kMenuAlpha, 0x10, Added::New, false, 1},
        {"the slide ends", false, HeldWindows::kSlide, 0x10, Added::New, true, 0},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        if (s.add)
            EXPECT_EQ(held.add(s.kind, s.handle), s.added);
        else
            EXPECT_EQ(held.remove(s.kind, s.handle), s.removed);
        EXPECT_EQ(held.count(), s.count);
    }
}

TEST(HeldWindows, FullRowSaysSoAndAFreedSlotIsReused) {
    HeldWindows held;
    for (std::uint32_t h = 1; h <= HeldWindows::kCapacity; ++h)
        ASSERT_EQ(held.add(HeldWindows::kFade, h), Added::New);
    EXPECT_EQ(held.add(HeldWindows::kFade, 9999), Added::Full);
    EXPECT_EQ(held.add(HeldWindows::kSlide, 9999), Added::New) << "each kind has its own row";
    EXPECT_TRUE(held.remove(HeldWindows::kFade, 7));
    EXPECT_EQ(held.add(HeldWindows::kFade, 9999), Added::New);
}

TEST(HeldWindows, SweepTakesOnlyWindowsThatAreGone) {
    HeldWindows held;
    g_live = {1, 3};
    for (std::uint32_t h : {1u, 2u, 3u, 4u})
        held.add(HeldWindows::kFade, h);
    held.add(HeldWindows::kMenuAlpha, 2);
    EXPECT_EQ(held.sweep(live), 3);
    EXPECT_EQ(held.count(), 2);
    EXPECT_EQ(held.sweep(live), 0) << "nothing is released twice";
    EXPECT_FALSE(held.remove(HeldWindows::kFade, 2));
    EXPECT_TRUE(held.remove(HeldWindows::kFade, 3));
}

// The timer's last step and the keeper's sweep race for the same record:
// exactly one of them gives the hold back.
TEST(HeldWindows, RemoveAndSweepRacingReleaseEachRecordOnce) {
    constexpr std::uint32_t kWindows = 200;
    for (int round = 0; round < 20; ++round) {
        HeldWindows held;
        g_live.clear(); // every window is gone
        for (std::uint32_t h = 1; h <= kWindows; ++h)
            held.add(HeldWindows::kSlide, h);
        std::atomic<int> released{0};
        std::thread sweeper([&] { released += held.sweep(live); });
        for (std::uint32_t h = 1; h <= kWindows; ++h)
            released += held.remove(HeldWindows::kSlide, h) ? 1 : 0;
        sweeper.join();
        ASSERT_EQ(released.load(), static_cast<int>(kWindows));
        ASSERT_EQ(held.count(), 0);
    }
}

} // namespace
