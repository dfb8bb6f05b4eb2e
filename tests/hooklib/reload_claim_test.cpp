// Threads that notice a new settings generation together: one reload each.
#include "hooklib/reload_claim.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

TEST(ReloadGate, OneClaimPerGenerationAmongRacingThreads) {
    zrv::ReloadGate gate;
    constexpr int kThreads = 6;
    constexpr unsigned long kGenerations = 300;
    std::atomic<int> claims{0};
    std::atomic<unsigned long> published{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&] {
            for (unsigned long g = 1; g <= kGenerations;) {
                const unsigned long current = published.load();
                if (current < g) {
                    std::this_thread::yield();
                    continue;
                }
                if (gate.claim(current)) {
                    claims.fetch_add(1);
                    gate.release(); // the load is instant here
                }
                g = current + 1;
            }
        });
    for (unsigned long g = 1; g <= kGenerations; ++g) {
        published.store(g);
        // Wait until some thread has taken this generation.
        while (gate.generationSeen.load() != g)
            std::this_thread::yield();
    }
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(claims.load(), static_cast<int>(kGenerations));
}

TEST(ReloadGate, NoClaimWhileLoadingOrForTheSameGeneration) {
    struct Step {
        const char* what;
        unsigned long generation;
        bool releaseFirst;
        bool claimed;
    };
    const Step steps[] = {
        {"first look at a new generation", 1, false, true},
        {"a second thread while loading", 2, false, false},
        {"the generation just loaded", 1, true, false},
        {"the next generation after the load", 2, false, true},
    };
    zrv::ReloadGate gate;
    for (const Step& s : steps) {
        if (s.releaseFirst)
            gate.release();
        EXPECT_EQ(gate.claim(s.generation), s.claimed) << s.what;
    }
    EXPECT_TRUE(gate.busy());
}

} // namespace
