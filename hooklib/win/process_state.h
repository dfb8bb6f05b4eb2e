// Everything the library keeps per process, in one owned object.
#pragma once
#include <windows.h>

#include "hooklib/effect_settings.h"
#include "hooklib/held_windows.h"
#include "hooklib/reload_claim.h"
#include "hooklib/tracked_window_table.h"
#include "hooklib/win/layering.h"

#include <atomic>

namespace zrv {

struct ProcessState {
    EffectSettings settings;
    // Which thread loads the settings, and whether a load is under way: both
    // hooks then pass every message on untouched.
    ReloadGate reload;
    // The program's settings section keeps it out of every effect. Tested
    // first by both hooks; once set it stays set for the life of the process,
    // so an excluded program never even reloads.
    std::atomic<bool> excluded{false};
    UINT hookMessage = 0;
    bool isShellProcess = false;
    char appSection[kAppSectionSize] = {};
    UpdateLayeredWindowFn updateLayeredWindow = nullptr;
    SetLayeredWindowAttributesFn setLayeredWindowAttributes = nullptr;
    HINSTANCE hostInstance = nullptr; // the process's own module: effect classes belong to it
    HMODULE library = nullptr;        // this library when it is a DLL; null when linked in
    // Windows that received effects, for the reload and the unload to undo.
    TrackedWindowTable tracked;
    ATOM shadowClassAtom = 0;    // "VelkShadow" in this process
    ATOM fakeMenuClassAtom = 0;  // "FakeMenu"
    // Effects alive that run library code later (timers, effect windows),
    // and whether the keeper thread that holds the library for them runs.
    std::atomic<long> effectHolds{0};
    std::atomic<bool> keeperRunning{false};
    std::atomic<bool> sawBound{false}; // the hooks were seen bound once
    HeldWindows heldWindows;           // windows whose timers hold the library
    // The full tracked table has beeped; it never beeps again.
    std::atomic<bool> fullTableBeeped{false};
    // Taken by the one thread at a time that paints or rebuilds a shadow.
    std::atomic<bool> shadowPaintBusy{false};
    // Menus: the class atom of pop-up menus once one has been recognised by
    // name, the last menu window that received message 0x1E5, the turn at
    // taking a menu, and the opacity read when the last menu was taken.
    std::atomic<ATOM> menuAtom{0};
    std::atomic<HWND> lastMenuWindow{nullptr};
    std::atomic<bool> menuBusy{false};
    std::atomic<DWORD> menuTurnOwner{0}; // the thread holding the turn, 0 for none
    std::atomic<int> menuOpacity{220};
    // The last system command seen in the process was a move: only such a
    // move is dragged translucently.
    std::atomic<bool> lastCommandWasMove{false};
    RECT dragStart = {}; // outer rectangle of the last window whose drag started
    // Whether the platform moves a maximize record made for the primary
    // monitor onto the window's own monitor (Windows does; wine places the
    // window exactly where the record says). Asked once, at attach.
    bool platformMovesMaximizeRecord = true;

};

ProcessState& state() noexcept;

// Attach and detach in their order; `library` is this module when it is a DLL.
void processAttach(HMODULE library) noexcept;
void processDetach(bool processTerminating) noexcept;

} // namespace zrv
