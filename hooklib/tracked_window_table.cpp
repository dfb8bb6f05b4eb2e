#include "hooklib/tracked_window_table.h"

namespace zrv {
namespace {

// Visits the slots in probing order: from the first slot up to the last, then
// from 1 up to just before the first. Stops when `visit` returns true and
// gives that slot; 0 when it never does.
template <typename Visit> int probe(std::uint32_t handle, Visit visit) {
    const int start = TrackedWindowTable::firstSlot(handle);
    for (int i = 0; i < TrackedWindowTable::kLastSlot; ++i) {
        int slot = start + i;
        if (slot > TrackedWindowTable::kLastSlot)
            slot -= TrackedWindowTable::kLastSlot;
        if (visit(slot))
            return slot;
    }
    return 0;
}

} // namespace

void TrackedWindowTable::clear() noexcept {
    for (auto& s : slots_)
        s.store(0, std::memory_order_relaxed);
}

std::uint32_t TrackedWindowTable::at(int slot) const noexcept {
    if (slot < 1 || slot > kLastSlot)
        return 0;
    return slots_[slot - 1].load(std::memory_order_relaxed);
}

int TrackedWindowTable::find(std::uint32_t handle) const noexcept {
    if (handle == 0)
        return 0;
    return probe(handle, [&](int slot) { return at(slot) == handle; });
}

int TrackedWindowTable::findSlotForInsert(std::uint32_t handle,
                                          IsWindowFn isWindow) const noexcept {
    const int slot = probe(handle, [&](int s) {
        const std::uint32_t held = at(s);
        return held == handle || held == 0 || (isWindow && !isWindow(held));
    });
    return slot == 0 ? kFull : slot;
}

int TrackedWindowTable::track(std::uint32_t handle, IsWindowFn isWindow) noexcept {
    if (handle == 0)
        return kFull;
    if (const int slot = find(handle))
        return slot;
    const int slot = probe(handle, [&](int s) {
        std::uint32_t held = at(s);
        if (held == handle)
            return true;
        if (held != 0 && (!isWindow || isWindow(held)))
            return false;
        // Another thread may have claimed the slot since it was read; then
        // the probing goes on past it.
        return slots_[s - 1].compare_exchange_strong(held, handle, std::memory_order_relaxed);
    });
    return slot == 0 ? kFull : slot;
}

void TrackedWindowTable::untrack(std::uint32_t handle) noexcept {
    // Two threads tracking one window at the same moment can leave it in two
    // slots; untracking empties both.
    while (const int slot = find(handle))
        release(slot, handle);
}

void TrackedWindowTable::release(int slot, std::uint32_t handle) noexcept {
    if (slot < 1 || slot > kLastSlot)
        return;
    std::uint32_t expected = handle;
    slots_[slot - 1].compare_exchange_strong(expected, 0, std::memory_order_relaxed);
}

} // namespace zrv
