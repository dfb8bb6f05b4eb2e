#include "loader/win/library_binding.h"

#include "hooklib/win/zrv_exports.h"
#include "loader/win/settings_file.h"

namespace zrv::loader {

bool LibraryBinding::bind(HWND owner) {
    // By full path: through the search order a zrv.dll planted in the current
    // folder would be loaded, and then mapped into every process.
    const std::string path = programFolder() + "\\zrv.dll";
    library_ = LoadLibraryA(path.c_str());
    if (!library_) {
        MessageBoxA(owner, kMissingText, kMissingCaption, MB_OK | MB_ICONERROR);
        return false;
    }
    if (auto proc = zrvExport<HOOKPROC>(library_, "PatchAPI"))
        returnHook_ = SetWindowsHookExA(WH_CALLWNDPROCRET, proc, library_, 0);
    if (auto proc = zrvExport<HOOKPROC>(library_, "PatchAPI2"))
        callHook_ = SetWindowsHookExA(WH_CALLWNDPROC, proc, library_, 0);
    if (auto setHooks = zrvExport<SetHookPtrProc>(library_, "SetHookPtr"))
        setHooks(returnHook_, callHook_, thirdHook_);
    return true;
}

void LibraryBinding::unbind() {
    if (returnHook_)
        UnhookWindowsHookEx(returnHook_);
    if (callHook_)
        UnhookWindowsHookEx(callHook_);
    if (library_)
        FreeLibrary(library_);
    library_ = nullptr;
}

} // namespace zrv::loader
