#include "late_bound.h"

#include <commdlg.h>
#include <ole2.h>

namespace tessel::designer::win {

bool initPictures() {
    using Init = HRESULT(WINAPI*)(LPVOID);
    static const bool done = [] {
        auto init = lateBound<Init>("ole32.dll", "OleInitialize");
        return init && SUCCEEDED(init(nullptr));
    }();
    return done;
}

namespace {
// "Name|pattern" becomes the dialog's "Name\0pattern\0\0".
std::string dialogFilter(const char* filter) {
    std::string f = filter;
    for (char& c : f)
        if (c == '|')
            c = '\0';
    f.push_back('\0');
    f.push_back('\0');
    return f;
}

// The common dialog's open or save question; the chosen path, or empty.
std::string askPath(HWND owner, const char* filter, const std::string& startFolder, DWORD flags,
                    const char* function) {
    std::string f = dialogFilter(filter);
    char path[MAX_PATH] = {};
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = f.c_str();
    ofn.lpstrFile = path;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = startFolder.empty() ? nullptr : startFolder.c_str();
    ofn.Flags = flags;
    auto ask = lateBound<BOOL(WINAPI*)(OPENFILENAMEA*)>("comdlg32.dll", function);
    return ask && ask(&ofn) ? std::string(path) : std::string();
}
} // namespace

std::string askOpenPath(HWND owner, const char* filter, const std::string& startFolder) {
    return askPath(owner, filter, startFolder,
                   OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST, "GetOpenFileNameA");
}

std::string askSavePath(HWND owner, const char* filter) {
    return askPath(owner, filter, std::string(), OFN_HIDEREADONLY | OFN_PATHMUSTEXIST,
                   "GetSaveFileNameA");
}

} // namespace tessel::designer::win
