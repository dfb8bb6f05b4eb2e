// Helpers for the Win32 tests that run under wine: the Windows folder and its
// settings files, message pumping, waiting, second processes.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace zt::test {

// With no window manager on the test display, wine waits up to two seconds
// for one at every hide and destroy of a managed window. Makes this program's
// windows unmanaged (wine places and frames them itself); call before the
// first window is made.
void unmanagedWindowsUnderWine();

std::string windowsDir();
std::string inWindowsDir(const std::string& file);
// The folder of the running test program (where zrv.dll and helpers are).
std::string exeDir();
std::string inExeDir(const std::string& file);

void writeIni(const char* file, const char* section, const char* key, const char* value);
void writeIni(const char* file, const char* section, const char* key, int value);
std::string readIni(const char* file, const char* section, const char* key,
                    const char* missing = "<missing>");
void deleteFile(const std::string& path);
void writeTextFile(const std::string& path, const std::string& text);
std::string readTextFile(const std::string& path);

// Moves the given settings files out of the Windows folder for the life of the
// object (so each test starts from none) and puts the originals back after.
// What it sets aside stays beside the file ("NAME.testsave", or the mark
// "NAME.testnone" when there was none) until it is put back: a test program
// that was killed before it could do so leaves them, and the next guard, or
// scripts/run.sh, puts the originals back in place of the killed test's files.
// Guards of one file may nest within a program.
class ScopedSettingsFiles {
public:
    explicit ScopedSettingsFiles(std::vector<std::string> names = {"Zirvane.ini", "Zirvane2.ini"});
    ~ScopedSettingsFiles();
    ScopedSettingsFiles(const ScopedSettingsFiles&) = delete;
    ScopedSettingsFiles& operator=(const ScopedSettingsFiles&) = delete;

private:
    struct SetAside {
        std::string key;   // the file's name in lower case, for the nesting count
        std::string path;  // the file itself
        std::string saved; // the original, moved aside
        std::string none;  // the mark that there was no original
        bool held = false; // false: the file could not be moved aside and is left alone
    };
    std::vector<SetAside> files_;
};

// Dispatches this thread's messages for about `ms` milliseconds.
void pumpMessages(DWORD ms);
// Pumps messages until `done` holds or `timeoutMs` passes; returns `done()`.
bool waitFor(const std::function<bool()>& done, DWORD timeoutMs, DWORD stepMs = 10);

// A started program; killed on destruction if still running.
class Process {
public:
    Process() = default;
    Process(const std::string& commandLine, const std::string& workDir = "");
    ~Process();
    Process(Process&& o) noexcept;
    Process& operator=(Process&& o) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool started() const { return info_.hProcess != nullptr; }
    DWORD id() const { return info_.dwProcessId; }
    HANDLE handle() const { return info_.hProcess; }
    // Waits for the end; returns the exit code, or STILL_ACTIVE on timeout.
    DWORD wait(DWORD timeoutMs);
    bool running() const;
    void kill();

private:
    PROCESS_INFORMATION info_ = {};
};

// Top-level windows of a process (visible or not), optionally of a class or title.
std::vector<HWND> windowsOfProcess(DWORD pid, const char* className = nullptr,
                                   const char* title = nullptr);
HWND findWindowOfProcess(DWORD pid, const char* className, const char* title);
// Waits until such a window is there and visible; null when none is within
// `timeoutMs`.
HWND waitForVisibleWindow(DWORD pid, const char* className, const char* title,
                          DWORD timeoutMs = 10000);
// The texts of a dialog's "Static" children, joined: a message box's message.
std::string staticTexts(HWND dialog);

// GDI objects of this process. Wine answers GetGuiResources with 0; there
// every slot of the process's GDI handle table is looked at instead (a handle
// with no uniqueness bits names its slot).
unsigned long gdiObjectsOfThisProcess();

// True when the process has a module of this name mapped.
bool processHasModule(DWORD pid, const char* moduleName);

// A plain top-level test window with a caller-supplied procedure.
struct TestWindowClass {
    explicit TestWindowClass(const char* name, WNDPROC proc = DefWindowProcA);
    ~TestWindowClass();
    const char* name;
};

} // namespace zt::test
