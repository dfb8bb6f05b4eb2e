// Two hook procedures that only pass messages on, with their handles in a
// shared section like the effects library's.
#include <windows.h>

namespace {
HHOOK g_hooks[2] __attribute__((section(".shared"), shared)) = {nullptr, nullptr};
}

extern "C" {
LRESULT CALLBACK PassReturn(int code, WPARAM wp, LPARAM lp) {
    return CallNextHookEx(g_hooks[0], code, wp, lp);
}
LRESULT CALLBACK PassCall(int code, WPARAM wp, LPARAM lp) {
    return CallNextHookEx(g_hooks[1], code, wp, lp);
}
void CALLBACK SetPassHooks(HHOOK ret, HHOOK call) {
    g_hooks[0] = ret;
    g_hooks[1] = call;
}
}
