// A stand-in for the effects library in the companion's folder. It exports
// no hook procedures, so the companion installs no hooks with it (a library
// of the loader's own bitness would otherwise be mapped into the loader and
// taken for a resident copy's); its UpdateSetting count lives in a shared
// section, so a test that loads the same file reads how often the companion
// passed a reload on.
#include <windows.h>

namespace {
LONG g_updates __attribute__((section(".shared"), shared)) = 0;
} // namespace

extern "C" __declspec(dllexport) void CALLBACK UpdateSetting() { InterlockedIncrement(&g_updates); }
extern "C" __declspec(dllexport) LONG CALLBACK UpdateCount() { return g_updates; }
