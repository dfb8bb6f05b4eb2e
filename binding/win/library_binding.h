// The hook library bound into the loader's process and the hooks through
// which it reaches the programs of its own bitness.
//
// No hook is system-wide: a system-wide hook also reaches programs of the
// other bitness, whose every hooked message Windows then hands to the
// loader's thread and waits for, and under wine it ends the hook chain of
// those programs. Threads that have windows at the bind get the library's
// two hooks from here; every thread that makes a window later gets them from
// itself, through the in-context window-creation event (see
// hooklib/win/thread_hooks.h).
#pragma once
#include <windows.h>

#include <vector>

namespace zrv::binding {

class LibraryBinding {
public:
    LibraryBinding() = default;
    ~LibraryBinding() = default; // the system removes the hooks of an ended process
    LibraryBinding(const LibraryBinding&) = delete;
    LibraryBinding& operator=(const LibraryBinding&) = delete;

    // Loads "zrv.dll" from the program's own folder and installs the hooks;
    // shows the missing-library box (owned by `owner`) when it cannot.
    bool bind(HWND owner);
    // Removes every hook and frees the library. Bind again after it binds afresh.
    void unbind();
    HMODULE library() const { return library_; }
    // Threads of other processes that got their hooks from the bind.
    std::size_t threadsHooked() const { return threadHooks_.size(); }

    static constexpr char kMissingCaption[] = "Missing zrv.dll";
    static constexpr char kMissingText[] =
        "Zirvane has not been installed correctly.\n\nPlease try reinstalling this software. "
        "For help, read zirvane.html in the folder of zrvload.exe.";

private:
    struct HookPair {
        HHOOK ret;
        HHOOK call;
    };
    HookPair hookThread(DWORD thread) const;
    void hookThreadsWithWindows();

    HMODULE library_ = nullptr;
    // The pair on the loader's own thread: its handles are the binding the
    // library checks (SetHookPtr).
    HHOOK returnHook_ = nullptr;
    HHOOK callHook_ = nullptr;
    HHOOK thirdHook_ = nullptr; // never installed
    HWINEVENTHOOK creationHook_ = nullptr;
    HANDLE mark_ = nullptr; // the mark of a live binding, held while bound
    std::vector<HookPair> threadHooks_;
};

// Repaints every window of the desktop so that it passes through the hooks.
void redrawDesktop();

} // namespace zrv::binding
