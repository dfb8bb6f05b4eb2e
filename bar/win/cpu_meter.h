// The CPU meter: a scrolling graph of the processor load, one column per
// tick of the bar's CPU timer.
#pragma once
#include <windows.h>

#include "bar/win/cpu_usage.h"
#include "common/win/scoped.h"

#include <cstdint>
#include <memory>

namespace tessel::win {

inline constexpr char kMeterClass[] = "TesselMeter";
inline constexpr int kMeterId = 300;

class CpuMeter {
public:
    static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);

    // The meter's window, a child of `bar`.
    void create(HWND bar, HINSTANCE instance);
    // The graph's bitmaps and pens, and its first lines.
    void prepare();
    // Starts reading the processor load; the graph moves from then on.
    void startMeasuring();
    void tick();
    void place(int x, int y);

private:
    void paint(HWND wnd) const;

    HWND wnd_ = nullptr;
    // Bitmaps and pens before the DCs they are selected into: the DCs go first.
    zt::ScopedBitmap graph_, scroll_;
    zt::ScopedPen gridPen_, tracePen_;
    zt::ScopedMemDc graphDc_, scrollDc_;
    int32_t tick_ = 0;
    int16_t previousY_ = 16;
    std::unique_ptr<CPUUsage> cpu_;
};

} // namespace tessel::win
