// How the library's hook procedures come to run in a program's threads.
//
// The loader does not install system-wide hooks. A system-wide hook reaches
// programs of the other bitness too: on Windows their messages are then
// marshalled to the loader's own thread and every one of them waits for it,
// and under wine the first hook whose library cannot be loaded ends the chain
// for that program. Instead, every hook of this library is a thread hook on a
// thread of a program of the library's own bitness:
//
// - threads that have windows when the loader binds get hooks installed by
//   the loader (`PatchAPI`, `PatchAPI2`);
// - every later thread gets its hooks from the thread itself: the loader's
//   in-context window-creation event (`ThreadPatch`) runs inside the thread
//   that creates a window, before that window can be shown, and installs the
//   library's two hooks on that thread, once.
//
// A thread hook installed by the thread itself lives as long as the binding
// it was made under (the call hook handle the loader handed to
// `SetHookPtr`): at the thread's first message after an unbind or a new bind
// it removes itself. Such hooks hold the library in the process; the last one
// to go hands that reference to the keeper thread, which drops it.
#pragma once
#include <windows.h>

namespace zrv::threadhooks {

// The process attach and detach of the library.
void attach(HMODULE library) noexcept;
void detach() noexcept;

// A thread of the process is ending: its own hooks go with it.
void onThreadDetach() noexcept;

// Is `c` the probe that asks whether this thread's messages already pass
// through the library? Answered by the loader-installed call hook.
bool answerProbe(const CWPSTRUCT& c) noexcept;

// Observations for tests: threads of the process with hooks of their own.
long ownHookedThreads() noexcept;

} // namespace zrv::threadhooks
