// The 32-bit companion's run: binds its zrv.dll as the loader binds its own,
// follows the loader's settings notifications through a message-only window,
// and unhooks when told to end or when the loader's process has ended.
#pragma once
#include <windows.h>

namespace zrv::companion {

// Runs until WM_CLOSE reaches the companion's window or `loader` (a process
// handle with SYNCHRONIZE access) is signalled. Returns the exit code.
int runCompanion(HANDLE loader);

} // namespace zrv::companion
