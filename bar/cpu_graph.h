// The CPU meter's arithmetic: a 61 x 32 pixel graph that scrolls one column
// left every tick, with a grid line every 30 ticks and the load drawn as a
// filled column.
#pragma once

#include <cstdint>
#include <vector>

namespace tessel {

inline constexpr int kGraphWidth = 61;
inline constexpr int kGraphHeight = 32;
inline constexpr int kGridEvery = 30;
inline constexpr int kTraceColumn = 59;
inline constexpr int kStartY = 16;

// 32 - load / 3.125, rounded to the nearest whole number, ties to even: 100 %
// gives 0, 0 % gives 32. Loads above 100 give negative values (drawn clipped).
int traceY(int32_t loadPercent);

bool gridLineDue(int32_t tick);

// Columns of the vertical grid lines drawn when the graph is prepared at the
// given tick: 30 - (tick mod 30), stepping by 30, while <= 60.
std::vector<int> initialGridColumns(int32_t tick);

// The processor load between two readings of the idle, kernel (which
// includes idle) and user times, in percent 0 to 100; 0 when nothing elapsed.
int loadFromTimes(uint64_t idle0, uint64_t kernel0, uint64_t user0, uint64_t idle1,
                  uint64_t kernel1, uint64_t user1);

} // namespace tessel
