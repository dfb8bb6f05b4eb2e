#include "hooklib/win/residency.h"

#include "hooklib/win/fx_tracking.h"
#include "hooklib/win/hook_commands.h"
#include "hooklib/win/process_state.h"
#include "hooklib/win/shared_state.h"
#include "hooklib/win/window_props.h"
#include "hooklib/window_kinds.h"

#include "common/win/scoped.h"

namespace zrv::residency {
namespace {

// How often the keeper looks, and how many quiet looks in a row it waits
// before it lets go: long enough for the code that released the last hold to
// have returned from the library.
constexpr DWORD kKeeperPollMs = 100;
constexpr int kQuietLooksBeforeLeaving = 2;
// While unbound the effect windows are closed on the first look and again
// every so many looks after: a hook call that was under way at the unbind
// may still have made a shadow. Not on every look: a hung thread's queue
// would fill with close commands.
constexpr int kLooksBetweenCloses = 10;

// References handed over by adoptReference, dropped as the keeper leaves.
std::atomic<long> g_adoptedReferences{0};

bool isLiveWindow(std::uint32_t handle) { return IsWindow(props::windowFromValue(handle)) != FALSE; }

bool bound() noexcept { return g_shared.returnHook != nullptr || g_shared.callHook != nullptr; }

BOOL CALLBACK postCloseToOwnWindow(HWND wnd, LPARAM) noexcept {
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    // Posted, not sent: the window's thread may be busy or hung, and the
    // keeper must not wait for it. The window closes when its thread next
    // looks at its queue.
    if (pid == GetCurrentProcessId() && fx::isEffectWindow(wnd))
        PostMessageA(wnd, state().hookMessage, HOOKCMD_CLOSE, 0);
    return TRUE;
}

// The loader has unbound: nothing will move or close the effect windows any
// more, so they close now. Their owners forget them.
void closeEffectWindows() noexcept {
    if (state().hookMessage == 0)
        return;
    fx::closeTrackedForDetach(false);
    EnumWindows(postCloseToOwnWindow, 0);
}

DWORD WINAPI keeper(LPVOID module) noexcept {
    ProcessState& s = state();
    for (;;) {
        int quiet = 0;
        int looksUnbound = 0;
        while (quiet < kQuietLooksBeforeLeaving) {
            Sleep(kKeeperPollMs);
            if (bound()) {
                // Bound again before the effects of the last unbind were
                // over: the next unbind closes the effect windows afresh.
                s.sawBound.store(true);
                looksUnbound = 0;
            } else if (s.sawBound.load() && looksUnbound++ % kLooksBetweenCloses == 0) {
                closeEffectWindows();
            }
            // A window whose timer held the library may have been destroyed
            // with no hook left to see it: its timer died with it.
            for (int gone = s.heldWindows.sweep(isLiveWindow); gone > 0; --gone)
                release();
            quiet = s.effectHolds.load() == 0 ? quiet + 1 : 0;
        }
        s.keeperRunning.store(false);
        // A hold taken while we were leaving either found us still running
        // (then we stay) or started a keeper of its own with its own
        // reference (then we go).
        if (s.effectHolds.load() == 0 || s.keeperRunning.exchange(true))
            break;
    }
    if (module) {
        // Still mapped meanwhile: the keeper's own reference goes last.
        for (long n = g_adoptedReferences.exchange(0); n > 0; --n)
            FreeLibrary(static_cast<HMODULE>(module));
        FreeLibraryAndExitThread(static_cast<HMODULE>(module), 0);
    }
    return 0;
}

void startKeeper() noexcept {
    ProcessState& s = state();
    // Looked at now as well: an unbind may come before the keeper's first look.
    if (bound())
        s.sawBound.store(true);
    if (!s.library || s.keeperRunning.exchange(true))
        return;
    HMODULE pinned = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                            reinterpret_cast<LPCSTR>(&keeper), &pinned)) {
        s.keeperRunning.store(false);
        return;
    }
    if (zt::ScopedKernelHandle(CreateThread(nullptr, 0, keeper, pinned, 0, nullptr)))
        return;
    // No thread to let go of it later: the reference is kept for the life of
    // the process, which is safe; unmapping under a live effect is not.
}

} // namespace

void hold() noexcept {
    if (state().effectHolds.fetch_add(1) == 0 || !state().keeperRunning.load())
        startKeeper();
}

void release() noexcept {
    // Never below zero, whatever a caller does twice.
    long n = state().effectHolds.load();
    while (n > 0 && !state().effectHolds.compare_exchange_weak(n, n - 1)) {
    }
}

void holdFor(HWND wnd, HeldWindows::Kind kind) noexcept {
    switch (state().heldWindows.add(kind, props::handleValue(wnd))) {
    case HeldWindows::Added::New:
        hold();
        break;
    case HeldWindows::Added::Full:
        // Nothing would ever release this hold: the library stays mapped
        // for the life of the process, which is safe.
        hold();
        break;
    case HeldWindows::Added::Already:
        break;
    }
}

void releaseFor(HWND wnd, HeldWindows::Kind kind) noexcept {
    if (state().heldWindows.remove(kind, props::handleValue(wnd)))
        release();
}

void adoptReference() noexcept {
    g_adoptedReferences.fetch_add(1);
    // A keeper that leaves now or later takes it along.
    hold();
    release();
}

long holds() noexcept { return state().effectHolds.load(); }

void onEffectWindowMessage(UINT msg) noexcept {
    if (msg == WM_NCCREATE)
        hold();
    else if (msg == WM_NCDESTROY)
        release();
}

} // namespace zrv::residency
