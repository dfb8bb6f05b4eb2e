// The CPU meter's load source on the system at hand.
#include "bar/win/cpu_usage.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using tessel::win::CPUUsage;

// A system that offers the old kernel statistic's keys but never fills them
// (wine does) must not leave the graph flat: with every processor busy the
// reading is above zero, and a percentage.
TEST(CpuUsageTest, BusyProcessorsReadAboveZero) {
    auto cpu = CPUUsage::create();
    ASSERT_TRUE(cpu);
    cpu->InitCPUUsage();
    std::atomic<bool> stop{false};
    std::vector<std::thread> busy;
    SYSTEM_INFO si;
    GetSystemInfo(&si);
    for (DWORD i = 0; i < si.dwNumberOfProcessors; ++i)
        busy.emplace_back([&stop] {
            volatile unsigned n = 0;
            while (!stop)
                n = n + 1;
        });
    Sleep(400);
    const int load = cpu->GetCPUUsage();
    stop = true;
    for (auto& t : busy)
        t.join();
    EXPECT_GT(load, 0);
    EXPECT_LE(load, 100);
}
