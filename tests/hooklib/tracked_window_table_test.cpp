#include "hooklib/tracked_window_table.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <thread>
#include <vector>

namespace {

using zrv::TrackedWindowTable;

// Handles the "platform" no longer knows as windows.
std::set<std::uint32_t> g_dead;
bool isWindow(std::uint32_t h) { return g_dead.count(h) == 0; }

class Table : public ::testing::Test {
protected:
    void SetUp() override { g_dead.clear(); }
    std::unique_ptr<TrackedWindowTable> t = std::make_unique<TrackedWindowTable>();
};

TEST_F(Table, ProbingStartsAtHandleModulo2999PlusOne) {
    struct Case {
        std::uint32_t handle;
        int slot;
    };
    constexpr Case cases[] = {
        {1, 2}, {2998, 2999}, {2999, 1}, {5997, 2999}, {5998, 1}, {0xFFFFFFFFu, 0xFFFFFFFFu % 2999 + 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(t->track(c.handle, isWindow), c.slot) << c.handle;
        EXPECT_EQ(t->find(c.handle), c.slot) << c.handle;
        EXPECT_EQ(t->at(c.slot), c.handle);
        t->untrack(c.handle);
        EXPECT_EQ(t->find(c.handle), 0);
    }
}

TEST_F(Table, EqualModuloHandlesTakeConsecutiveSlotsAndWrapToSlotOne) {
    // 2998, 5997, 8996 all start at slot 2999; the second and third wrap.
    EXPECT_EQ(t->track(2998, isWindow), 2999);
    EXPECT_EQ(t->track(5997, isWindow), 1);
    EXPECT_EQ(t->track(8996, isWindow), 2);
    // Finding the later ones still works after the first has gone: empty
    // slots do not stop the search.
    t->untrack(2998);
    EXPECT_EQ(t->at(2999), 0u);
    EXPECT_EQ(t->find(5997), 1);
    EXPECT_EQ(t->find(8996), 2);
    // The freed slot is the first usable one again.
    EXPECT_EQ(t->findSlotForInsert(11995, isWindow), 2999);
}

TEST_F(Table, TrackingTwiceKeepsOneSlot) {
    EXPECT_EQ(t->track(100, isWindow), 101);
    EXPECT_EQ(t->track(100, isWindow), 101);
    EXPECT_EQ(t->findSlotForInsert(100, isWindow), 101);
    t->untrack(100);
    EXPECT_EQ(t->find(100), 0);
}

TEST_F(Table, StaleEntryIsOverwrittenButStillFoundUntilThen) {
    t->track(10, isWindow);  // slot 11
    t->track(3009, isWindow); // same start, slot 12
    g_dead.insert(10);
    EXPECT_EQ(t->find(10), 11) << "find does not judge liveness";
    EXPECT_EQ(t->findSlotForInsert(6008, isWindow), 11);
    EXPECT_EQ(t->track(6008, isWindow), 11);
    EXPECT_EQ(t->find(10), 0);
    EXPECT_EQ(t->find(3009), 12);
}

TEST_F(Table, FullTableGivesMinusOneAndLastElementIsNeverUsed) {
    for (std::uint32_t h = 1; h <= 2999; ++h)
        ASSERT_GT(t->track(h * 7919u, isWindow), 0) << h;
    EXPECT_EQ(t->findSlotForInsert(123456, isWindow), TrackedWindowTable::kFull);
    EXPECT_EQ(t->track(123456, isWindow), TrackedWindowTable::kFull);
    EXPECT_EQ(t->at(3000), 0u) << "element 2999 is not a slot";
    EXPECT_EQ(t->at(0), 0u);
    // An already tracked handle is still found in a full table.
    EXPECT_EQ(t->findSlotForInsert(7919u * 5, isWindow), t->find(7919u * 5));
    // One gone window makes room.
    g_dead.insert(7919u * 17);
    const int slot = t->track(123456, isWindow);
    EXPECT_GT(slot, 0);
    EXPECT_EQ(t->find(123456), slot);
    EXPECT_EQ(t->find(7919u * 17), 0);
    t->clear();
    for (int s = 1; s <= TrackedWindowTable::kLastSlot; ++s)
        ASSERT_EQ(t->at(s), 0u);
}

TEST_F(Table, ReleaseEmptiesOnlyTheHandleItNames) {
    t->track(42, isWindow);
    t->release(44, 42);
    t->release(43, 99);
    EXPECT_EQ(t->find(42), 43);
    t->release(43, 42);
    EXPECT_EQ(t->find(42), 0);
    t->release(-5, 0);
    t->release(3000, 0);
}

TEST_F(Table, ConcurrentTrackAndUntrackLoseNoEntry) {
    constexpr int kThreads = 4;
    constexpr std::uint32_t kPerThread = 600;
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i)
        threads.emplace_back([this, i] {
            // All threads' handles collide on the same few start slots.
            for (int round = 0; round < 20; ++round) {
                for (std::uint32_t k = 0; k < kPerThread; ++k)
                    t->track((k * kThreads + i) * 2999u + 7, nullptr);
                if (round + 1 < 20)
                    for (std::uint32_t k = 0; k < kPerThread; ++k)
                        t->untrack((k * kThreads + i) * 2999u + 7);
            }
        });
    for (auto& th : threads)
        th.join();
    int held = 0;
    for (int s = 1; s <= TrackedWindowTable::kLastSlot; ++s)
        held += t->at(s) != 0;
    EXPECT_EQ(held, kThreads * static_cast<int>(kPerThread));
    for (int i = 0; i < kThreads; ++i)
        for (std::uint32_t k = 0; k < kPerThread; ++k)
            ASSERT_GT(t->find((k * kThreads + i) * 2999u + 7), 0);
}

} // namespace
