#include "loader/win/library_binding.h"

#include "hooklib/win/zrv_exports.h"
#include "loader/win/settings_file.h"

namespace zrv::loader {

bool LibraryBinding::bind(HWND owner) {
    // Bound already: a second hook pair would replace the handles of the
    // first, which could then never be removed.
    if (library_)
        return true;
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
    // Cleared first: in every process the library watches these handles and
    // closes its effect windows once they are gone.
    if (library_)
        if (auto setHooks = zrvExport<SetHookPtrProc>(library_, "SetHookPtr"))
            setHooks(nullptr, nullptr, nullptr);
    if (returnHook_)
        UnhookWindowsHookEx(returnHook_);
    if (callHook_)
        UnhookWindowsHookEx(callHook_);
    if (library_)
        FreeLibrary(library_);
    library_ = nullptr;
    returnHook_ = callHook_ = nullptr;
}

} // namespace zrv::loader
