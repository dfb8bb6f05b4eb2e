// Programs that no one here wrote, under the resident loader with every effect
// on: wine's own notepad, wordpad, regedit, winemine, winecfg and control
// panel, in both bitnesses where the system has them. For the given number of
// seconds real mouse input opens and closes their menus, drags, maximizes,
// restores and resizes their windows; the settings change every few seconds;
// the loader is unloaded and loaded again half-way. Prints the figures:
// crashes, hangs (every program answers within 5 s throughout), shadow and
// menu cover windows left once the loader has unloaded, and each program's
// handles and memory before the loader started, after the unload half-way
// and after the last; the handles must not grow from the one unload to the
// other.
//   real_programs_soak INSTALL_FOLDER [SECONDS] [control]
// INSTALL_FOLDER holds zrvload.exe and zrv.dll (the 64-bit install folder).
// "control" drives the same programs with the same input and never starts
// the loader: what the programs' handles do on their own, to set beside a
// run with the loader.
#include "bench/win/host_times.h"
#include "tests/support/win/test_support.h"

#include <psapi.h>
#include <winternl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace zt::test;

namespace {

constexpr const char* kPrograms[] = {"notepad", "wordpad", "regedit", "winemine", "winecfg",
                                     "control"};
constexpr DWORD kAnswerMs = 5000;
constexpr UINT kUnloadCommand = 32772;      // the loader's "Unload" command
constexpr UINT kCompanionReload = 0x8000 + 1; // WM_APP + 1 to the 32-bit companion

struct Figures {
    DWORD handles = 0;
    SIZE_T privateBytes = 0;
    bool known = false;
    bool libraryMapped = false; // the effects library still in the process
};

struct Program {
    std::string name; // e.g. "notepad (32-bit)"
    std::string exe;
    Process process;
    HWND window = nullptr;
    Figures before, midway, afterUnload;
    bool crashed = false;
    int hangs = 0;
};

// The handles each process holds, from the system's handle table: wine
// answers GetProcessHandleCount with 0 for another process.
struct HandleEntry {
    ULONG pid;
    UCHAR type, flags;
    USHORT handle;
    void* object;
    ACCESS_MASK access;
};
DWORD handlesOf(DWORD pid) {
    using Query = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);
    static const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    if (!query)
        return 0;
    std::vector<char> buffer(1 << 20);
    ULONG needed = 0;
    constexpr ULONG kSystemHandleInformation = 16;
    LONG status = 0;
    while ((status = query(kSystemHandleInformation, buffer.data(),
                           static_cast<ULONG>(buffer.size()), &needed)) ==
               static_cast<LONG>(0xC0000004) && // STATUS_INFO_LENGTH_MISMATCH
           buffer.size() < (64u << 20))
        buffer.resize(buffer.size() * 2);
    if (status != 0)
        return 0;
    const ULONG count = *reinterpret_cast<const ULONG*>(buffer.data());
    const auto* entries = reinterpret_cast<const HandleEntry*>(buffer.data() + sizeof(void*));
    DWORD n = 0;
    for (ULONG i = 0; i < count; ++i)
        n += entries[i].pid == pid;
    return n;
}

Figures figuresOf(const Process& process) {
    Figures f;
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof pmc;
    if (!GetProcessHandleCount(process.handle(), &f.handles) || f.handles == 0)
        f.handles = handlesOf(process.id());
    f.known = f.handles > 0 &&
              K32GetProcessMemoryInfo(process.handle(), &pmc, sizeof pmc) != FALSE;
    f.privateBytes = pmc.PagefileUsage;
    f.libraryMapped = processHasModule(process.id(), "zrv.dll");
    return f;
}

// Wine places unmanaged windows itself and runs their move and size loops
// without a window manager, so that real pointer drags move and size them.
void unmanaged(const std::string& exe) {
    HKEY key = nullptr;
    const std::string path = "Software\\Wine\\AppDefaults\\" + exe + "\\X11 Driver";
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) == ERROR_SUCCESS) {
        RegSetValueExA(key, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
        RegCloseKey(key);
    }
}

HWND mainWindowOf(DWORD pid) {
    for (HWND w : windowsOfProcess(pid))
        if (IsWindowVisible(w) && (GetWindowLongA(w, GWL_STYLE) & WS_CAPTION) == WS_CAPTION)
            return w;
    return nullptr;
}

void mouse(DWORD flags, int x = 0, int y = 0) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_MOVE) {
        SetCursorPos(x, y);
        in.mi.dwFlags |= MOUSEEVENTF_ABSOLUTE;
        in.mi.dx = MulDiv(x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
        in.mi.dy = MulDiv(y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    }
    SendInput(1, &in, sizeof in);
}

void key(WORD vk) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof in[0]);
}

// A press at `from`, moves as a hand makes them, a still moment, the release.
void drag(POINT from, POINT to) {
    mouse(MOUSEEVENTF_MOVE, from.x, from.y);
    Sleep(60);
    mouse(MOUSEEVENTF_LEFTDOWN);
    for (int i = 1; i <= 8; ++i) {
        Sleep(40);
        mouse(MOUSEEVENTF_MOVE, from.x + (to.x - from.x) * i / 8, from.y + (to.y - from.y) * i / 8);
    }
    Sleep(500);
    mouse(MOUSEEVENTF_LEFTUP);
    Sleep(150);
}

void click(POINT at, int times = 1) {
    mouse(MOUSEEVENTF_MOVE, at.x, at.y);
    Sleep(40);
    for (int i = 0; i < times; ++i) {
        mouse(MOUSEEVENTF_LEFTDOWN);
        mouse(MOUSEEVENTF_LEFTUP);
        Sleep(30);
    }
}

// One action of a user on the window, chosen by `step`.
void act(HWND w, int step) {
    RECT r = {};
    if (!GetWindowRect(w, &r))
        return;
    const int caption = GetSystemMetrics(SM_CYCAPTION), frame = GetSystemMetrics(SM_CYFRAME);
    const POINT title = {r.left + 60, r.top + frame + caption / 2};
    switch (step % 5) {
    case 0: // a menu of the menu bar opened, looked at, closed
        click({r.left + frame + 12, r.top + frame + caption + GetSystemMetrics(SM_CYMENU) / 2});
        Sleep(400);
        key(VK_DOWN);
        Sleep(200);
        key(VK_ESCAPE);
        key(VK_ESCAPE);
        break;
    case 1: // dragged by its title bar
        drag(title, {title.x + 40 - (step % 3) * 40, title.y + 30 - (step % 2) * 60});
        break;
    case 2: // maximized, then restored, by double clicks on the title bar
        click(title, 2);
        Sleep(400);
        if (RECT m = {}; GetWindowRect(w, &m))
            click({m.left + 60, m.top + frame + caption / 2}, 2);
        break;
    case 3: // resized by its lower right corner
        drag({r.right - 2, r.bottom - 2}, {r.right + 30 - (step % 2) * 60, r.bottom + 20 - (step % 2) * 40});
        break;
    default: // a right click on the title bar: the system menu, then away
        mouse(MOUSEEVENTF_MOVE, title.x, title.y);
        mouse(MOUSEEVENTF_RIGHTDOWN);
        mouse(MOUSEEVENTF_RIGHTUP);
        Sleep(400);
        key(VK_ESCAPE);
        break;
    }
}

int effectWindowsLeft() {
    int n = 0;
    struct Count {
        static BOOL CALLBACK each(HWND w, LPARAM p) {
            char name[32] = {};
            GetClassNameA(w, name, sizeof name);
            if (std::string(name) == "VelkShadow" || std::string(name) == "FakeMenu")
                ++*reinterpret_cast<int*>(p);
            return TRUE;
        }
    };
    EnumWindows(Count::each, reinterpret_cast<LPARAM>(&n));
    return n;
}

class Loader {
public:
    explicit Loader(const std::string& folder) : folder_(folder) {}
    bool start() {
        process_ = Process("\"" + folder_ + "\\zrvload.exe\"", folder_);
        return process_.started() &&
               waitFor([&] { return findWindowOfProcess(process_.id(), "#32770", "Zirvane"); },
                       10000);
    }
    bool unload() {
        if (HWND w = findWindowOfProcess(process_.id(), "#32770", "Zirvane"))
            PostMessageA(w, WM_COMMAND, kUnloadCommand, 0);
        return process_.wait(15000) != STILL_ACTIVE;
    }

private:
    std::string folder_;
    Process process_;
};

// The settings change as the configuration sheet changes them: the file, then
// the 64-bit library's reload and the 32-bit companion's.
void changeSettings(HMODULE library, int round) {
    writeIni("Zirvane.ini", "GLOBAL", "TransOn9X", round % 2);
    writeIni("Zirvane.ini", "GLOBAL", "SemiMenusShadow", (round / 2) % 2);
    writeIni("Zirvane.ini", "GLOBAL", "ShadowsVar", round % 3);
    using Update = void(CALLBACK*)();
    if (auto update = reinterpret_cast<Update>(
            reinterpret_cast<void*>(GetProcAddress(library, "UpdateSetting"))))
        update();
    if (HWND companion = FindWindowExA(HWND_MESSAGE, nullptr, "ZirvaneCompanion", nullptr))
        PostMessageA(companion, kCompanionReload, 0, 0);
}

void checkAnswers(std::vector<Program>& programs) {
    for (Program& p : programs) {
        if (p.crashed)
            continue;
        if (!p.process.running()) {
            p.crashed = true;
            DWORD code = 0;
            GetExitCodeProcess(p.process.handle(), &code);
            std::printf("  %s ended during the soak, exit code 0x%lx\n", p.name.c_str(), code);
            continue;
        }
        DWORD_PTR result = 0;
        if (p.window && !SendMessageTimeoutA(p.window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs,
                                             &result))
            ++p.hangs;
    }
}

} // namespace

int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc < 2) {
        std::printf("usage: real_programs_soak INSTALL_FOLDER [SECONDS] [control]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int seconds = argc >= 3 ? std::atoi(argv[2]) : 1800;
    const bool control = argc >= 4 && std::string(argv[3]) == "control";
    ScopedSettingsFiles files;
    for (const char* k : {"Shadows", "SEMITRANS", "SLIDE", "SemiMenus", "SemiMenusShadow",
                          "SEMIDRAG", "MAXLIMIT"})
        writeIni("Zirvane.ini", "GLOBAL", k, 1);
    writeIni("Zirvane.ini", "INSTALLED", "DIR", folder.c_str());

    std::vector<Program> programs;
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    char drive[4] = {windows[0], ':', 0, 0};
    const std::string win = windows, root = drive;
    // Where wine keeps each program, 64-bit first, then 32-bit.
    const auto placesOf = [&](const std::string& name) {
        if (name == "wordpad")
            return std::vector<std::string>{
                root + "\\Program Files\\Windows NT\\Accessories\\wordpad.exe",
                root + "\\Program Files (x86)\\Windows NT\\Accessories\\wordpad.exe"};
        if (name == "regedit")
            return std::vector<std::string>{win + "\\regedit.exe", win + "\\syswow64\\regedit.exe"};
        return std::vector<std::string>{win + "\\system32\\" + name + ".exe",
                                        win + "\\syswow64\\" + name + ".exe"};
    };
    for (int bits = 0; bits < 2; ++bits)
        for (const char* name : kPrograms) {
            const std::string exe = placesOf(name)[static_cast<size_t>(bits)];
            if (GetFileAttributesA(exe.c_str()) == INVALID_FILE_ATTRIBUTES)
                continue;
            unmanaged(std::string(name) + ".exe");
            Program p;
            p.name = std::string(name) + (bits == 0 ? " (64-bit)" : " (32-bit)");
            p.exe = exe;
            programs.push_back(std::move(p));
        }
    for (Program& p : programs) {
        p.process = Process("\"" + p.exe + "\"");
        waitFor([&] { return (p.window = mainWindowOf(p.process.id())) != nullptr; }, 10000, 100);
        if (p.window)
            SetWindowPos(p.window, nullptr, 40 + 30 * static_cast<int>(&p - programs.data()),
                         40 + 25 * static_cast<int>(&p - programs.data()), 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    pumpMessages(2000);
    // A program that keeps one copy per desktop (winecfg, regedit) hands over
    // to the copy of the other bitness: it is left out of the figures.
    std::vector<std::string> leftOut;
    for (size_t i = 0; i < programs.size();)
        if (!programs[i].process.running() || !programs[i].window) {
            leftOut.push_back(programs[i].name + (programs[i].process.running()
                                                      ? " showed no window of its own"
                                                      : " ended as it started"));
            programs[i].process.kill();
            programs.erase(programs.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    for (Program& p : programs)
        p.before = figuresOf(p.process);

    HMODULE library = control ? nullptr : LoadLibraryA((folder + "\\zrv.dll").c_str());
    Loader loader(folder);
    const bool started = control || loader.start();
    std::printf("real programs: %zu running, the loader %s; %d s of input\n", programs.size(),
                control ? "NOT STARTED (control run)" : started ? "started" : "DID NOT START",
                seconds);
    for (const std::string& name : leftOut)
        std::printf("  %s (one copy per desktop): left out\n", name.c_str());

    const DWORD start = GetTickCount();
    DWORD lastChange = start, lastCheck = start;
    bool reloaded = false, unloadedMidway = false, loadedAgain = false;
    int actions = 0, changes = 0, effectWindowsMidway = -1;
    for (int step = 0; GetTickCount() - start < static_cast<DWORD>(seconds) * 1000; ++step) {
        Program& p = programs[static_cast<size_t>(step) % programs.size()];
        if (!p.crashed && p.window && IsWindow(p.window)) {
            act(p.window, step / static_cast<int>(programs.size()) + step);
            ++actions;
        }
        if (!control && GetTickCount() - lastChange > 3000) {
            changeSettings(library, ++changes);
            lastChange = GetTickCount();
        }
        if (GetTickCount() - lastCheck > 2000) {
            checkAnswers(programs);
            lastCheck = GetTickCount();
        }
        if (!reloaded && GetTickCount() - start > static_cast<DWORD>(seconds) * 500) {
            reloaded = true;
            unloadedMidway = control || loader.unload();
            pumpMessages(3000);
            checkAnswers(programs);
            pumpMessages(3000);
            effectWindowsMidway = effectWindowsLeft();
            for (Program& q : programs)
                if (!q.crashed && q.process.running())
                    q.midway = figuresOf(q.process);
            loadedAgain = control || loader.start();
        }
    }
    checkAnswers(programs);
    const bool unloadedAtEnd = control || loader.unload();
    pumpMessages(3000);
    // A message for each program after the unload, as any program in use
    // gets: a thread's own hooks let the library go at their next message.
    checkAnswers(programs);
    pumpMessages(3000);
    const int effectWindowsAtEnd = effectWindowsLeft();
    for (Program& p : programs)
        if (!p.crashed && p.process.running())
            p.afterUnload = figuresOf(p.process);

    int crashes = 0, hangs = 0, grown = 0, mapped = 0;
    const bool underWine = zt::bench::runningUnderWine();
    for (const Program& p : programs) {
        crashes += p.crashed;
        hangs += p.hangs;
        // Under wine a program keeps the library once it has had it (wine
        // never frees a hook library it loaded into a program), and with it
        // whatever loading it cost once. What must not grow is the count
        // between the first unload, half-way, and the last.
        const bool back = p.midway.known && p.afterUnload.known &&
                          p.afterUnload.handles <= p.midway.handles;
        grown += !back;
        mapped += p.afterUnload.libraryMapped;
        std::printf("  %-22s %s; handles %lu -> %lu half-way -> %lu; private memory %lu KB -> "
                    "%lu KB%s%s\n",
                    p.name.c_str(), p.crashed ? "CRASHED" : (p.hangs ? "HUNG" : "answered"),
                    p.before.handles, p.midway.handles, p.afterUnload.handles,
                    static_cast<unsigned long>(p.before.privateBytes / 1024),
                    static_cast<unsigned long>(p.afterUnload.privateBytes / 1024),
                    p.window ? "" : " (no window found)",
                    p.afterUnload.libraryMapped ? "; THE LIBRARY IS STILL MAPPED" : "");
    }
    std::printf("real programs: %d actions, %d settings changes; unloaded half-way %s, loaded "
                "again %s, unloaded at the end %s\n",
                actions, changes, unloadedMidway ? "yes" : "NO", loadedAgain ? "yes" : "NO",
                unloadedAtEnd ? "yes" : "NO");
    std::printf("real programs: crashes %d, hangs %d, shadow and cover windows left %d half-way "
                "and %d at the end, programs whose handles grew from the unload half-way to "
                "the last %d, programs the library stayed in %d%s\n",
                crashes, hangs, effectWindowsMidway, effectWindowsAtEnd, grown, mapped,
                underWine ? " (wine keeps every hook library it loads: not judged)" : "");
    std::printf("  (counted: each program's kernel handles in the system's handle table, its "
                "private memory by the platform's own call; GDI and user objects cannot be "
                "counted under wine, whose GetGuiResources answers 0; memory is shown, not "
                "judged, as a program's own caches grow with use)\n");
    for (Program& p : programs)
        if (p.process.running()) {
            if (p.window)
                PostMessageA(p.window, WM_CLOSE, 0, 0);
            if (p.process.wait(3000) == STILL_ACTIVE)
                p.process.kill();
        }
    if (library)
        FreeLibrary(library);
    return crashes == 0 && hangs == 0 && effectWindowsAtEnd == 0 && effectWindowsMidway == 0 && (underWine || mapped == 0) &&
                   grown == 0 && started && unloadedAtEnd
               ? 0
               : 1;
}
