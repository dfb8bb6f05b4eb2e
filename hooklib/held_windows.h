// The windows whose effect timers keep the library mapped, one record per
// window and kind of timer. A timer's hold is released exactly once: by the
// timer's last step, by the window's destruction as the hooks see it, or, when
// no hook is left to see it, by the keeper noticing the window is gone.
// Portable: the "is it still a window" test is passed in.
#pragma once

#include <atomic>
#include <cstdint>

namespace zrv {

class HeldWindows {
public:
    enum Kind : int { kFade, kSlide, kMenuAlpha, kKinds };
    static constexpr int kCapacity = 256; // per kind

    enum class Added { New, Already, Full };

    // Records `handle` for `kind` unless it is there already.
    Added add(Kind kind, std::uint32_t handle) noexcept;
    // True for the one caller that removed the record.
    bool remove(Kind kind, std::uint32_t handle) noexcept;
    // Removes every record of a window `isWindow` says is gone; gives how
    // many it removed.
    using IsWindowFn = bool (*)(std::uint32_t handle);
    int sweep(IsWindowFn isWindow) noexcept;
    // Records held now.
    int count() const noexcept { return count_.load(std::memory_order_acquire); }

private:
    std::atomic<std::uint32_t> slots_[kKinds][kCapacity] = {};
    std::atomic<int> count_{0};
};

} // namespace zrv
