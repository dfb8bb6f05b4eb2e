// The per-process list of windows that received effects, so that a settings
// reload and the unloading of the library can undo them. Open addressing over
// a fixed array; handles are the 32-bit values the platform guarantees window
// handles fit in. Portable: the "is it still a window" test is passed in.
#pragma once

#include <atomic>
#include <cstdint>

namespace zrv {

class TrackedWindowTable {
public:
    static constexpr int kElements = 3000;
    // Slots are numbered 1 to kLastSlot; slot s lives in element s-1, so the
    // last element is never used.
    static constexpr int kLastSlot = 2999;
    static constexpr int kFull = -1;

    using IsWindowFn = bool (*)(std::uint32_t handle);

    // Empties every slot.
    void clear() noexcept;

    // The slot holding `handle`, or 0. Empty slots do not stop the search.
    int find(std::uint32_t handle) const noexcept;

    // The first slot in probing order that holds `handle`, holds 0, or holds a
    // handle that `isWindow` says is gone; kFull when none does.
    int findSlotForInsert(std::uint32_t handle, IsWindowFn isWindow) const noexcept;

    // Stores `handle` unless it is already there. Gives its slot, or kFull
    // (the caller signals a full table). Several threads of a process may
    // track and untrack at once: a slot is only ever claimed by an exchange
    // from the value that was seen in it, so no entry is lost.
    int track(std::uint32_t handle, IsWindowFn isWindow) noexcept;

    // Empties the slot holding `handle`, if any.
    void untrack(std::uint32_t handle) noexcept;

    // The handle in slot `slot` (1 to kLastSlot), 0 for a free slot.
    std::uint32_t at(int slot) const noexcept;
    // Empties slot `slot` if it still holds `handle`.
    void release(int slot, std::uint32_t handle) noexcept;

    // Slot where the probing for `handle` starts.
    static int firstSlot(std::uint32_t handle) noexcept {
        return static_cast<int>(handle % kLastSlot) + 1;
    }

private:
    std::atomic<std::uint32_t> slots_[kElements] = {};
};

} // namespace zrv
