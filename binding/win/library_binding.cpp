#include "binding/win/library_binding.h"

#include "common/win/scoped.h"
#include "hooklib/win/binding_mark.h"
#include "hooklib/win/zrv_exports.h"
#include "binding/reach.h"
#include "common/win/program_folder.h"

#include <algorithm>
#include <map>
#include <utility>

namespace zrv::binding {
namespace {

using ThreadList = std::vector<std::pair<DWORD, DWORD>>; // thread, process

void addThreadOf(HWND wnd, ThreadList& threads) {
    DWORD process = 0;
    const DWORD thread = GetWindowThreadProcessId(wnd, &process);
    if (thread != 0)
        threads.emplace_back(thread, process);
}

BOOL CALLBACK collectChild(HWND wnd, LPARAM threads) {
    addThreadOf(wnd, *reinterpret_cast<ThreadList*>(threads));
    return TRUE;
}

BOOL CALLBACK collectTopLevel(HWND wnd, LPARAM threads) {
    addThreadOf(wnd, *reinterpret_cast<ThreadList*>(threads));
    // A child window can belong to a thread that has no top-level window.
    EnumChildWindows(wnd, collectChild, threads);
    return TRUE;
}

// Every thread that has a window on the desktop, once.
ThreadList threadsWithWindows() {
    ThreadList threads;
    EnumWindows(collectTopLevel, reinterpret_cast<LPARAM>(&threads));
    std::sort(threads.begin(), threads.end());
    threads.erase(std::unique(threads.begin(), threads.end()), threads.end());
    return threads;
}

bool isWow64(HANDLE process) {
    BOOL wow = FALSE;
    return IsWow64Process(process, &wow) && wow;
}

bool reachable(DWORD process) {
    if (process == GetCurrentProcessId())
        return true;
    zt::ScopedKernelHandle h(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process));
    if (!h)
        return false;
    return reachesProgram(sizeof(void*) == 8, isWow64(GetCurrentProcess()), isWow64(h.get()));
}

} // namespace

LibraryBinding::HookPair LibraryBinding::hookThread(DWORD thread) const {
    HookPair p = {nullptr, nullptr};
    if (auto proc = zrvExport<HOOKPROC>(library_, "PatchAPI"))
        p.ret = SetWindowsHookExA(WH_CALLWNDPROCRET, proc, library_, thread);
    if (auto proc = zrvExport<HOOKPROC>(library_, "PatchAPI2"))
        p.call = SetWindowsHookExA(WH_CALLWNDPROC, proc, library_, thread);
    return p;
}

void LibraryBinding::hookThreadsWithWindows() {
    std::map<DWORD, bool> reachableProcess;
    const DWORD self = GetCurrentThreadId();
    for (const auto& [thread, process] : threadsWithWindows()) {
        if (thread == self)
            continue;
        auto known = reachableProcess.find(process);
        if (known == reachableProcess.end())
            known = reachableProcess.emplace(process, reachable(process)).first;
        if (!known->second)
            continue;
        const HookPair p = hookThread(thread);
        if (p.ret || p.call)
            threadHooks_.push_back(p);
    }
}

bool LibraryBinding::bind(HWND owner) {
    // Bound already: a second set of hooks would pass every message through
    // the library twice.
    if (library_)
        return true;
    // By full path: through the search order a zrv.dll planted in the current
    // folder would be loaded, and then mapped into every process.
    const std::string path = zt::programFolder() + "\\zrv.dll";
    library_ = LoadLibraryA(path.c_str());
    if (!library_) {
        MessageBoxA(owner, kMissingText, kMissingCaption, MB_OK | MB_ICONERROR);
        return false;
    }
    // The threads that have windows now, this one first; the handles of this
    // thread's pair are the binding the library compares with.
    const HookPair own = hookThread(GetCurrentThreadId());
    returnHook_ = own.ret;
    callHook_ = own.call;
    hookThreadsWithWindows();
    mark_ = makeBindingMark();
    if (auto setHooks = zrvExport<SetHookPtrProc>(library_, "SetHookPtr"))
        setHooks(returnHook_, callHook_, thirdHook_);
    // Threads to come hook themselves as they make a window, before it can be
    // shown. Programs of the other bitness never load the library for it: on
    // Windows their events come to this thread out of context, where the
    // procedure does nothing.
    if (auto patch = zrvExport<ThreadPatchProc>(library_, "ThreadPatch"))
        creationHook_ = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, library_, patch,
                                        0, 0, WINEVENT_INCONTEXT | WINEVENT_SKIPOWNPROCESS);
    return true;
}

void LibraryBinding::unbind() {
    // Cleared first: in every process the library watches these handles,
    // closes its effect windows once they are gone, and a thread's own hooks
    // remove themselves at its next message.
    if (library_)
        if (auto setHooks = zrvExport<SetHookPtrProc>(library_, "SetHookPtr"))
            setHooks(nullptr, nullptr, nullptr);
    if (creationHook_)
        UnhookWinEvent(creationHook_);
    creationHook_ = nullptr;
    if (returnHook_)
        UnhookWindowsHookEx(returnHook_);
    if (callHook_)
        UnhookWindowsHookEx(callHook_);
    for (const HookPair& p : threadHooks_) {
        if (p.ret)
            UnhookWindowsHookEx(p.ret);
        if (p.call)
            UnhookWindowsHookEx(p.call);
    }
    threadHooks_.clear();
    if (mark_)
        CloseHandle(mark_);
    mark_ = nullptr;
    if (library_)
        FreeLibrary(library_);
    library_ = nullptr;
    returnHook_ = callHook_ = nullptr;
}

void redrawDesktop() {
    RedrawWindow(GetDesktopWindow(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

} // namespace zrv::binding
