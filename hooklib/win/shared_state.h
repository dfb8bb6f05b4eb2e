// The only state every process that maps the library shares: three hook
// handles and the settings generation counter, in a section marked shared.
#pragma once
#include <windows.h>

namespace zrv {

struct SharedState {
    HHOOK returnHook;
    HHOOK callHook;
    HHOOK thirdHook;
    volatile LONG generation; // unsigned 32-bit in meaning; compared for inequality only
};

extern SharedState g_shared;

inline unsigned long sharedGeneration() { return static_cast<unsigned long>(g_shared.generation); }

} // namespace zrv
