#include "hooklib/win/process_state.h"

#include "common/win/platform_function.h"
#include "hooklib/win/fx_menu.h"
#include "hooklib/win/fx_tracking.h"
#include "hooklib/win/settings_reads.h"
#include "hooklib/win/shadow_window.h"
#include "hooklib/win/shared_state.h"
#include "hooklib/win/thread_hooks.h"
#include "hooklib/win/zrv_exports.h"
#include "hooklib/window_kinds.h"

#include <cstring>

namespace zrv {
namespace {

ProcessState g_state;

constexpr char kShellExecutable[] = "EXPLORER.EXE";
constexpr char kHookMessageName[] = "ZRVHook";

ATOM registerEffectClass(const char* name, WNDPROC proc) noexcept {
    WNDCLASSA wc = {};
    wc.style = 0;
    wc.lpfnWndProc = proc;
    wc.hInstance = g_state.hostInstance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    wc.lpszMenuName = "";
    wc.lpszClassName = name;
    if (ATOM atom = RegisterClassA(&wc))
        return atom;
    // Already there (registered by an earlier attach of this process).
    WNDCLASSA existing = {};
    return static_cast<ATOM>(GetClassInfoA(g_state.hostInstance, name, &existing));
}

} // namespace

ProcessState& state() noexcept { return g_state; }

void processAttach(HMODULE library) noexcept {
    ProcessState& s = g_state;
    s.library = library;
    s.hostInstance = GetModuleHandleA(nullptr);
    s.sawBound.store(g_shared.returnHook != nullptr || g_shared.callHook != nullptr);

    // Attach loads the settings itself, below; the hooks wait for it.
    s.reload.loadInProgress.store(true);
    s.reload.generationSeen.store(sharedGeneration());
    s.settings.appTransparent = false;

    fx::clearTrackedTable();

    s.hookMessage = RegisterWindowMessageA(kHookMessageName);
    threadhooks::attach(library);
    findMainFile();

    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    applicationSectionName(path, s.appSection);
    s.isShellProcess = std::strcmp(s.appSection, kShellExecutable) == 0;

    HMODULE user32 = GetModuleHandleA("User32.dll");
    s.updateLayeredWindow = zt::platformFunction<UpdateLayeredWindowFn>(user32, "UpdateLayeredWindow");
    s.setLayeredWindowAttributes =
        zt::platformFunction<SetLayeredWindowAttributesFn>(user32, "SetLayeredWindowAttributes");

    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    s.platformMovesMaximizeRecord = !(ntdll && GetProcAddress(ntdll, "wine_get_version"));

    LoadEffectSettings();

    s.shadowClassAtom = registerEffectClass(kinds::kShadowClass, fx::ShadowWndProc);
    s.fakeMenuClassAtom = registerEffectClass(kinds::kFakeMenuClass, fakeWndProc);
}

void processDetach(bool processTerminating) noexcept {
    // When the whole process is ending, its windows die with it and the other
    // threads are already gone: messages to them could only hang.
    if (processTerminating)
        return;
    threadhooks::detach();
    fx::closeTrackedForDetach(true);
    fx::closeMenuCoversForDetach();
    Sleep(100);
    UnregisterClassA(kinds::kShadowClass, g_state.hostInstance);
    UnregisterClassA(kinds::kFakeMenuClass, g_state.hostInstance);
}

} // namespace zrv
