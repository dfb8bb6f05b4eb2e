// Which thread starts a settings reload. Every thread of a process runs the
// hooks, and several can notice a new settings generation at once: exactly
// one of them may start the reload, the others pass their messages on.
#pragma once

#include <atomic>

namespace zrv {

struct ReloadGate {
    // Set while the settings are being read; the hooks then leave the
    // effects alone.
    std::atomic<bool> loadInProgress{false};
    // The settings generation the process last started loading.
    std::atomic<unsigned long> generationSeen{0};

    // True for the one caller that is to start loading `current`: the flag
    // is taken with one compare-exchange, so two threads cannot both take
    // it, and a generation already loaded is not loaded twice.
    bool claim(unsigned long current) noexcept {
        if (generationSeen.load(std::memory_order_acquire) == current)
            return false;
        bool expected = false;
        if (!loadInProgress.compare_exchange_strong(expected, true, std::memory_order_acq_rel))
            return false;
        // Another thread may have loaded this generation between the look
        // and the claim.
        if (generationSeen.load(std::memory_order_acquire) == current) {
            loadInProgress.store(false, std::memory_order_release);
            return false;
        }
        generationSeen.store(current, std::memory_order_release);
        return true;
    }
    // The load is over: the hooks may act again.
    void release() noexcept { loadInProgress.store(false, std::memory_order_release); }
    bool busy() const noexcept { return loadInProgress.load(std::memory_order_acquire); }
};

} // namespace zrv
