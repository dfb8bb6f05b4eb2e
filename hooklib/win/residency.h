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

namespace zrv::residency {

// An effect that will run library code later begins or ends. Every hold is
// matched by exactly one release.
void hold() noexcept;
void release() noexcept;

// How many holds are outstanding (for tests).
long holds() noexcept;

// Called by the window procedures of the library's own classes with every
// message: a window holds the library from its creation to its last message.
void onEffectWindowMessage(UINT msg) noexcept;

} // namespace zrv::residency
