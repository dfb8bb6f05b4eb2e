#include "hooklib/win/thread_hooks.h"

#include "hooklib/win/zrv_exports.h"

#include "hooklib/win/binding_mark.h"
#include "hooklib/win/hook_commands.h"
#include "hooklib/win/process_state.h"
#include "hooklib/win/residency.h"
#include "hooklib/win/shared_state.h"
#include "hooklib/win/zrv_exports.h"

#include <atomic>

namespace zrv::threadhooks {
namespace {

// A thread's own pair of hooks and the binding they were made under.
struct OwnHooks {
    HHOOK call;
    HHOOK ret;
    HHOOK binding;
};

HMODULE g_library = nullptr;
DWORD g_ownSlot = TLS_OUT_OF_INDEXES;   // OwnHooks* of the thread, or null
DWORD g_knownSlot = TLS_OUT_OF_INDEXES; // binding under which the thread is known to be hooked
std::atomic<long> g_ownThreads{0};

// Thread values are read and written without disturbing the program's last
// error, which TlsGetValue clears: these run in the middle of its calls.
void* tlsGet(DWORD slot) noexcept {
    const DWORD error = GetLastError();
    void* value = TlsGetValue(slot);
    SetLastError(error);
    return value;
}

void tlsSet(DWORD slot, void* value) noexcept {
    const DWORD error = GetLastError();
    TlsSetValue(slot, value);
    SetLastError(error);
}

// The binding in force: the call hook handle the loader handed over, null
// while unbound. Written by the loader's process at any time.
HHOOK currentBinding() noexcept { return *static_cast<HHOOK volatile*>(&g_shared.callHook); }

bool slotsReady() noexcept { return g_ownSlot != TLS_OUT_OF_INDEXES && g_knownSlot != TLS_OUT_OF_INDEXES; }

// While any thread has hooks of its own, the library holds a reference on
// itself: the event hook that mapped it may go at any time.
bool pinLibrary() noexcept {
    if (g_ownThreads.fetch_add(1) != 0 || !g_library)
        return true;
    HMODULE pinned = nullptr;
    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                           reinterpret_cast<LPCSTR>(&ThreadPatch), &pinned))
        return true;
    g_ownThreads.fetch_sub(1);
    return false;
}

void unpinLibrary() noexcept {
    // Never dropped here: this code runs inside the library.
    if (g_ownThreads.fetch_sub(1) == 1 && g_library)
        residency::adoptReference();
}

void removeOwn(OwnHooks* own) noexcept {
    tlsSet(g_ownSlot, nullptr);
    tlsSet(g_knownSlot, nullptr);
    UnhookWindowsHookEx(own->call);
    UnhookWindowsHookEx(own->ret);
    HeapFree(GetProcessHeap(), 0, own);
    unpinLibrary();
}

// True when this thread's own hooks belong to the binding in force; hooks of
// an earlier binding remove themselves here.
bool ownHooksCurrent() noexcept {
    if (!slotsReady())
        return false;
    auto* own = static_cast<OwnHooks*>(tlsGet(g_ownSlot));
    if (!own)
        return false; // removed during this very message
    if (own->binding == currentBinding())
        return true;
    removeOwn(own);
    return false;
}

LRESULT CALLBACK ownCallHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (ownHooksCurrent())
        return PatchAPI2(code, wParam, lParam);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK ownReturnHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (ownHooksCurrent())
        return PatchAPI(code, wParam, lParam);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void installOwn(HHOOK binding) noexcept {
    auto* own = static_cast<OwnHooks*>(HeapAlloc(GetProcessHeap(), 0, sizeof(OwnHooks)));
    if (!own)
        return;
    if (!pinLibrary()) {
        HeapFree(GetProcessHeap(), 0, own);
        return;
    }
    const DWORD thread = GetCurrentThreadId();
    own->ret = SetWindowsHookExA(WH_CALLWNDPROCRET, ownReturnHook, g_library, thread);
    own->call = SetWindowsHookExA(WH_CALLWNDPROC, ownCallHook, g_library, thread);
    own->binding = binding;
    if (!own->ret || !own->call) {
        if (own->ret)
            UnhookWindowsHookEx(own->ret);
        if (own->call)
            UnhookWindowsHookEx(own->call);
        HeapFree(GetProcessHeap(), 0, own);
        unpinLibrary();
        return;
    }
    tlsSet(g_ownSlot, own);
    tlsSet(g_knownSlot, binding);
}

// `wnd` has just been made by the calling thread.
void ensureHooked(HWND wnd) noexcept {
    const ProcessState& s = state();
    if (!slotsReady() || s.excluded.load(std::memory_order_relaxed))
        return;
    const HHOOK binding = currentBinding();
    // Most windows are made by threads hooked already: one look decides.
    if (!binding || tlsGet(g_knownSlot) == binding)
        return;
    // An event of another process or thread reaches us out of context (on
    // Windows, a program of the other bitness): nothing to hook here.
    if (GetWindowThreadProcessId(wnd, nullptr) != GetCurrentThreadId())
        return;
    if (auto* own = static_cast<OwnHooks*>(tlsGet(g_ownSlot))) {
        if (own->binding == binding) {
            tlsSet(g_knownSlot, binding);
            return;
        }
        removeOwn(own);
    }
    // A thread that had windows when the loader bound has the loader's hooks:
    // a second pair would pass every message through the library twice.
    if (s.hookMessage != 0)
        SendMessageA(wnd, s.hookMessage, HOOKCMD_PROBE, 0);
    if (tlsGet(g_knownSlot) == binding)
        return;
    // The loader that made this binding may have been killed, with the
    // platform keeping its event hook.
    if (!bindingMarkPresent())
        return;
    installOwn(binding);
}

} // namespace

void attach(HMODULE library) noexcept {
    g_library = library;
    g_ownSlot = TlsAlloc();
    g_knownSlot = TlsAlloc();
}

void detach() noexcept {
    // The library is only unloaded once no thread has hooks of its own.
    if (g_ownSlot != TLS_OUT_OF_INDEXES)
        TlsFree(g_ownSlot);
    if (g_knownSlot != TLS_OUT_OF_INDEXES)
        TlsFree(g_knownSlot);
    g_ownSlot = g_knownSlot = TLS_OUT_OF_INDEXES;
}

void onThreadDetach() noexcept {
    if (!slotsReady())
        return;
    if (auto* own = static_cast<OwnHooks*>(tlsGet(g_ownSlot)))
        removeOwn(own);
}

bool answerProbe(const CWPSTRUCT& c) noexcept {
    const UINT hookMessage = state().hookMessage;
    if (c.wParam != HOOKCMD_PROBE || hookMessage == 0 || c.message != hookMessage || !slotsReady())
        return false;
    tlsSet(g_knownSlot, currentBinding());
    return true;
}

long ownHookedThreads() noexcept { return g_ownThreads.load(); }

} // namespace zrv::threadhooks

extern "C" void CALLBACK ThreadPatch(HWINEVENTHOOK, DWORD event, HWND wnd, LONG object, LONG,
                                     DWORD, DWORD) noexcept {
    if (event != EVENT_OBJECT_CREATE || object != OBJID_WINDOW || !wnd)
        return;
    const DWORD error = GetLastError();
    zrv::threadhooks::ensureHooked(wnd);
    SetLastError(error);
}
