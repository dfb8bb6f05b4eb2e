#include "tests/support/win/test_support.h"

#include <tlhelp32.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

namespace zt::test {

void unmanagedWindowsUnderWine() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const char* name = std::strrchr(path, '\\');
    name = name ? name + 1 : path;
    const std::string key = std::string("Software\\Wine\\AppDefaults\\") + name + "\\X11 Driver";
    HKEY k = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k,
                        nullptr) == ERROR_SUCCESS) {
        RegSetValueExA(k, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
        RegCloseKey(k);
    }
}

std::string windowsDir() {
    char buf[MAX_PATH] = {};
    GetWindowsDirectoryA(buf, MAX_PATH);
    return buf;
}

std::string inWindowsDir(const std::string& file) { return windowsDir() + "\\" + file; }

std::string exeDir() {
    char buf[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, buf, MAX_PATH);
    std::string s = buf;
    auto pos = s.find_last_of('\\');
    return pos == std::string::npos ? "." : s.substr(0, pos);
}

std::string inExeDir(const std::string& file) { return exeDir() + "\\" + file; }

void writeIni(const char* file, const char* section, const char* key, const char* value) {
    WritePrivateProfileStringA(section, key, value, file);
}

void writeIni(const char* file, const char* section, const char* key, int value) {
    writeIni(file, section, key, std::to_string(value).c_str());
}

std::string readIni(const char* file, const char* section, const char* key, const char* missing) {
    char buf[1024] = {};
    GetPrivateProfileStringA(section, key, missing, buf, sizeof buf, file);
    return buf;
}

void deleteFile(const std::string& path) { DeleteFileA(path.c_str()); }

void writeTextFile(const std::string& path, const std::string& text) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f << text;
}

std::string readTextFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

namespace {

bool fileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Guards of each file alive in this program: a nested one sets the outer
// test's file aside under names of its own.
std::map<std::string, int>& guardDepth() {
    static std::map<std::string, int> depth;
    return depth;
}

} // namespace

ScopedSettingsFiles::ScopedSettingsFiles(std::vector<std::string> names) {
    // Flush the profile cache so the moves below are seen by later reads.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, "Zirvane.ini");
    for (const auto& n : names) {
        SetAside f;
        f.key = n;
        for (char& c : f.key)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const int depth = guardDepth()[f.key]++;
        const std::string level = depth ? std::to_string(depth) : "";
        f.path = inWindowsDir(n);
        f.saved = f.path + ".testsave" + level;
        f.none = f.path + ".testnone" + level;
        if (depth == 0 && (fileExists(f.saved) || fileExists(f.none))) {
            // A test program was ended before it put the originals back: the
            // file is that test's, what it set aside is the user's.
            DeleteFileA(f.path.c_str());
            if (fileExists(f.saved))
                DeleteFileA(f.none.c_str());
            f.held = true;
        } else {
            // Below the outermost guard nothing set aside can be the user's.
            if (depth > 0) {
                DeleteFileA(f.saved.c_str());
                DeleteFileA(f.none.c_str());
            }
            if (!fileExists(f.path)) {
                writeTextFile(f.none, "");
                f.held = fileExists(f.none);
            } else {
                f.held = MoveFileA(f.path.c_str(), f.saved.c_str()) != FALSE;
            }
        }
        files_.push_back(std::move(f));
    }
}

ScopedSettingsFiles::~ScopedSettingsFiles() {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, "Zirvane.ini");
    for (auto it = files_.rbegin(); it != files_.rend(); ++it) {
        --guardDepth()[it->key];
        if (!it->held)
            continue;
        DeleteFileA(it->path.c_str());
        MoveFileA(it->saved.c_str(), it->path.c_str()); // fails when there was none
        DeleteFileA(it->none.c_str());
    }
}

void pumpMessages(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        if (GetTickCount() - start >= ms)
            break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount() - start < ms);
}

bool waitFor(const std::function<bool()>& done, DWORD timeoutMs, DWORD stepMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= timeoutMs)
            return done();
        pumpMessages(stepMs);
    }
    return true;
}

Process::Process(const std::string& commandLine, const std::string& workDir) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    std::string cmd = commandLine;
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workDir.empty() ? nullptr : workDir.c_str(), &si, &info_))
        info_ = {};
}

Process::~Process() { kill(); }

Process::Process(Process&& o) noexcept : info_(o.info_) { o.info_ = {}; }

Process& Process::operator=(Process&& o) noexcept {
    if (this != &o) {
        kill();
        info_ = o.info_;
        o.info_ = {};
    }
    return *this;
}

DWORD Process::wait(DWORD timeoutMs) {
    if (!info_.hProcess)
        return STILL_ACTIVE;
    if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

bool Process::running() const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

void Process::kill() {
    if (!info_.hProcess)
        return;
    if (running()) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
    info_ = {};
}

namespace {
struct EnumCtx {
    DWORD pid;
    const char* cls;
    const char* title;
    std::vector<HWND> out;
};
BOOL CALLBACK enumProc(HWND w, LPARAM lp) {
    auto* c = reinterpret_cast<EnumCtx*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != c->pid)
        return TRUE;
    char buf[256];
    if (c->cls) {
        GetClassNameA(w, buf, sizeof buf);
        if (lstrcmpiA(buf, c->cls) != 0)
            return TRUE;
    }
    if (c->title) {
        GetWindowTextA(w, buf, sizeof buf);
        if (lstrcmpA(buf, c->title) != 0)
            return TRUE;
    }
    c->out.push_back(w);
    return TRUE;
}
} // namespace

std::vector<HWND> windowsOfProcess(DWORD pid, const char* className, const char* title) {
    EnumCtx c{pid, className, title, {}};
    EnumWindows(enumProc, reinterpret_cast<LPARAM>(&c));
    return c.out;
}

HWND findWindowOfProcess(DWORD pid, const char* className, const char* title) {
    auto v = windowsOfProcess(pid, className, title);
    return v.empty() ? nullptr : v.front();
}

HWND waitForVisibleWindow(DWORD pid, const char* className, const char* title,
                          DWORD timeoutMs) {
    HWND w = nullptr;
    waitFor(
        [&] {
            w = findWindowOfProcess(pid, className, title);
            return w && IsWindowVisible(w);
        },
        timeoutMs);
    return w && IsWindowVisible(w) ? w : nullptr;
}

namespace {
BOOL CALLBACK collectStatic(HWND w, LPARAM lp) {
    char cls[32] = {}, text[512] = {};
    GetClassNameA(w, cls, sizeof cls);
    GetWindowTextA(w, text, sizeof text);
    if (lstrcmpiA(cls, "Static") == 0 && text[0])
        *reinterpret_cast<std::string*>(lp) += text;
    return TRUE;
}
} // namespace

std::string staticTexts(HWND dialog) {
    std::string text;
    EnumChildWindows(dialog, collectStatic, reinterpret_cast<LPARAM>(&text));
    return text;
}

unsigned long gdiObjectsOfThisProcess() {
    if (const DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))
        return n;
    unsigned long n = 0;
    for (std::uintptr_t slot = 1; slot <= 0xFFFF; ++slot)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0)
            ++n;
    return n;
}

bool processHasModule(DWORD pid, const char* moduleName) {
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, pid);
    if (snap == INVALID_HANDLE_VALUE)
        return false;
    MODULEENTRY32 me = {};
    me.dwSize = sizeof me;
    bool found = false;
    for (BOOL ok = Module32First(snap, &me); ok; ok = Module32Next(snap, &me))
        if (lstrcmpiA(me.szModule, moduleName) == 0) {
            found = true;
            break;
        }
    CloseHandle(snap);
    return found;
}

TestWindowClass::TestWindowClass(const char* n, WNDPROC proc) : name(n) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = n;
    RegisterClassA(&wc);
}

TestWindowClass::~TestWindowClass() { UnregisterClassA(name, GetModuleHandleA(nullptr)); }

} // namespace zt::test
