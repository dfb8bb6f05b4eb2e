#include "hooklib/held_windows.h"

namespace zrv {

HeldWindows::Added HeldWindows::add(Kind kind, std::uint32_t handle) noexcept {
    if (handle == 0 || kind < 0 || kind >= kKinds)
        return Added::Already;
    std::atomic<std::uint32_t>* row = slots_[kind];
    for (int i = 0; i < kCapacity; ++i)
        if (row[i].load(std::memory_order_acquire) == handle)
            return Added::Already;
    for (int i = 0; i < kCapacity; ++i) {
        std::uint32_t empty = 0;
        if (row[i].compare_exchange_strong(empty, handle, std::memory_order_acq_rel)) {
            count_.fetch_add(1, std::memory_order_acq_rel);
            return Added::New;
        }
    }
    return Added::Full;
}

bool HeldWindows::remove(Kind kind, std::uint32_t handle) noexcept {
    if (handle == 0 || kind < 0 || kind >= kKinds || count() == 0)
        return false;
    std::atomic<std::uint32_t>* row = slots_[kind];
    for (int i = 0; i < kCapacity; ++i) {
        std::uint32_t held = handle;
        if (row[i].compare_exchange_strong(held, 0, std::memory_order_acq_rel)) {
            count_.fetch_sub(1, std::memory_order_acq_rel);
            return true;
        }
    }
    return false;
}

int HeldWindows::sweep(IsWindowFn isWindow) noexcept {
    if (!isWindow || count() == 0)
        return 0;
    int removed = 0;
    for (auto& row : slots_)
        for (auto& slot : row) {
            std::uint32_t held = slot.load(std::memory_order_acquire);
            if (held == 0 || isWindow(held))
                continue;
            // The timer's own last step may release the record at the same
            // moment: only one of us takes it.
            if (slot.compare_exchange_strong(held, 0, std::memory_order_acq_rel)) {
                count_.fetch_sub(1, std::memory_order_acq_rel);
                ++removed;
            }
        }
    return removed;
}

} // namespace zrv
