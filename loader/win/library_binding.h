// The hook library bound into the loader's process and its two global hooks.
#pragma once
#include <windows.h>

namespace zrv::loader {

class LibraryBinding {
public:
    LibraryBinding() = default;
    ~LibraryBinding() = default; // the system removes the hooks of an ended process
    LibraryBinding(const LibraryBinding&) = delete;
    LibraryBinding& operator=(const LibraryBinding&) = delete;

    // Loads "zrv.dll" from the program's own folder and installs the hooks;
    // shows the missing-library box (owned by `owner`) when it cannot.
    bool bind(HWND owner);
    // Removes both hooks and frees the library. Bind again after it binds afresh.
    void unbind();
    HMODULE library() const { return library_; }

    static constexpr char kMissingCaption[] = "Missing zrv.dll";
    static constexpr char kMissingText[] =
        "Zirvane has not been installed correctly.\n\nPlease try reinstalling this software. "
        "For help, read zirvane.html in the folder of zrvload.exe.";

private:
    HMODULE library_ = nullptr;
    HHOOK returnHook_ = nullptr;
    HHOOK callHook_ = nullptr;
    HHOOK thirdHook_ = nullptr; // never installed
};

} // namespace zrv::loader
