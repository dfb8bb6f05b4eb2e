// A stand-in for the effects library, loaded from a folder of its own under
// the module name "ZRV.DLL": it counts the sheet's UpdateSetting calls.
#include <windows.h>

namespace {
LONG updates = 0;
}

extern "C" __declspec(dllexport) void CALLBACK UpdateSetting() { InterlockedIncrement(&updates); }
extern "C" __declspec(dllexport) LONG CALLBACK UpdateCount() { return updates; }
