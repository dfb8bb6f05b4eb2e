#include "loader/win/companion_link.h"

#include "binding/companion_protocol.h"
#include "common/win/program_folder.h"

#include <string>

namespace zrv::loader {
namespace {

bool isFile(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

// The companion's message-only window that belongs to process `id`, if it
// has made one yet.
HWND companionWindowOf(DWORD id) {
    HWND w = nullptr;
    while ((w = FindWindowExA(HWND_MESSAGE, w, companion::kWindowClass, nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == id)
            return w;
    }
    return nullptr;
}

} // namespace

bool CompanionLink::running() const {
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

bool CompanionLink::start() {
    // A 32-bit loader's own library already reaches the 32-bit programs.
    if (sizeof(void*) != 8)
        return false;
    if (running())
        return true;
    const std::string folder = zt::programFolder() + "\\" + companion::kSubfolder;
    const std::string exe = folder + "\\" + companion::kExecutable;
    if (!isFile(exe) || !isFile(folder + "\\zrv.dll"))
        return false;
    std::string command =
        "\"" + exe + "\" " + companion::loaderIdArgument(GetCurrentProcessId());
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    zt::ScopedProcessInfo started;
    if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &si, started.out())) {
        process_.reset();
        return false;
    }
    process_.reset(started.releaseProcess());
    return true;
}

void CompanionLink::stop() {
    if (!process_)
        return;
    const DWORD id = GetProcessId(process_.get());
    // The companion may not have made its window yet when it was started a
    // moment ago: look for it while waiting.
    bool asked = false;
    const DWORD start = GetTickCount();
    while (WaitForSingleObject(process_.get(), 20) == WAIT_TIMEOUT) {
        if (GetTickCount() - start >= companion::kEndWaitMs) {
            // Its hooks go with its process.
            TerminateProcess(process_.get(), 0);
            WaitForSingleObject(process_.get(), companion::kEndWaitMs);
            break;
        }
        if (!asked)
            if (HWND w = companionWindowOf(id))
                asked = PostMessageA(w, WM_CLOSE, 0, 0) != FALSE;
    }
    process_.reset();
}

void notifyCompanions() {
    HWND w = nullptr;
    while ((w = FindWindowExA(HWND_MESSAGE, w, companion::kWindowClass, nullptr)) != nullptr)
        PostMessageA(w, companion::kUpdateSettingMessage, 0, 0);
}

} // namespace zrv::loader
