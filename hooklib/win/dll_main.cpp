#include "hooklib/win/process_state.h"
#include "hooklib/win/thread_hooks.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) noexcept {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        zrv::processAttach(instance);
        break;
    case DLL_PROCESS_DETACH:
        zrv::processDetach(reserved != nullptr);
        break;
    case DLL_THREAD_DETACH:
        zrv::threadhooks::onThreadDetach();
        break;
    default:
        break;
    }
    return TRUE;
}
