#include "hooklib/win/process_state.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) noexcept {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        zrv::processAttach(instance);
        break;
    case DLL_PROCESS_DETACH:
        zrv::processDetach(reserved != nullptr);
        break;
    default:
        break;
    }
    return TRUE;
}
