// Keeps the library mapped while anything of it is alive in the process.
//
// Effect timers on programs' windows call into the library, and so do the
// library's own windows through their class procedures. When the hooks are
// removed the platform would unmap the library, and the next timer tick or
// shadow message would run code that is gone. So every such effect holds
// the library while it lives: the first hold takes a reference on the
// module and starts a keeper thread; the keeper closes the effect windows
// once the library is unbound and, when no hold is left, drops the reference
// from its own thread (FreeLibraryAndExitThread), never from inside an
// effect.
#pragma once
#include <windows.h>

#include "hooklib/held_windows.h"

namespace zrv::residency {

// An effect that will run library code later begins or ends. Every hold is
// matched by exactly one release.
void hold() noexcept;
void release() noexcept;

// An effect timer on `wnd` begins or ends. A timer that is started again
// holds once; ending one that holds nothing does nothing. Should the window
// be destroyed where no hook sees it (after the library was unbound), the
// keeper notices it is gone and lets its hold go.
void holdFor(HWND wnd, HeldWindows::Kind kind) noexcept;
void releaseFor(HWND wnd, HeldWindows::Kind kind) noexcept;

// Hands the keeper one reference on the library, taken by code that cannot
// drop it itself because it runs inside the library. The keeper drops it as
// it leaves (at once, when nothing else holds the library).
void adoptReference() noexcept;

// How many holds are outstanding (for tests).
long holds() noexcept;

// Called by the window procedures of the library's own classes with every
// message: a window holds the library from its creation to its last message.
void onEffectWindowMessage(UINT msg) noexcept;

} // namespace zrv::residency
