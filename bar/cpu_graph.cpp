#include "bar/cpu_graph.h"

#include <cmath>

namespace tessel {

int traceY(int32_t load) {
    // Clamped so that a wild reading cannot leave the drawing range; anything
    // beyond these bounds is off the picture anyway.
    if (load > 100000)
        load = 100000;
    if (load < -100000)
        load = -100000;
    return static_cast<int>(std::nearbyint(32.0 - load / 3.125));
}

namespace {
int32_t mod30(int32_t tick) {
    int32_t m = tick % kGridEvery;
    return m < 0 ? m + kGridEvery : m;
}
} // namespace

bool gridLineDue(int32_t tick) { return mod30(tick) == 0; }

std::vector<int> initialGridColumns(int32_t tick) {
    std::vector<int> xs;
    for (int x = kGridEvery - mod30(tick); x <= 60; x += kGridEvery)
        xs.push_back(x);
    return xs;
}

int loadFromTimes(uint64_t idle0, uint64_t kernel0, uint64_t user0, uint64_t idle1,
                  uint64_t kernel1, uint64_t user1) {
    if (idle1 < idle0 || kernel1 < kernel0 || user1 < user0)
        return 0;
    uint64_t total = (kernel1 - kernel0) + (user1 - user0);
    uint64_t idle = idle1 - idle0;
    if (total == 0 || idle > total)
        return 0;
    return static_cast<int>(((total - idle) * 100 + total / 2) / total);
}

} // namespace tessel
