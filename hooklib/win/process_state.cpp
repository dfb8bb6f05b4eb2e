#include "hooklib/win/process_state.h"

#include "common/win/platform_function.h"
#include "formats/effect_keys.h"
#include "hooklib/use_key_cache.h"
#include "hooklib/window_kinds.h"
#include "hooklib/win/effects.h"
#include "hooklib/win/shared_state.h"
#include "hooklib/win/thread_hooks.h"
#include "hooklib/win/zrv_exports.h"

#include <cstring>
#include <utility>

namespace zrv {
namespace {

ProcessState g_state;

constexpr char kShellExecutable[] = "EXPLORER.EXE";
constexpr char kHookMessageName[] = "ZRVHook";

int readProfileInt(const char* file, const char* section, const char* key,
                   int defaultValue) noexcept {
    // A value that cannot occur in a text file marks the missing key.
    static constexpr char kMissing[] = "\x01";
    char text[64] = {};
    GetPrivateProfileStringA(section, key, kMissing, text, sizeof text, file);
    if (text[0] == kMissing[0] && text[1] == '\0')
        return defaultValue;
    return parseProfileInt(text);
}

class PlatformProfile final : public ProfileReader {
public:
    int readInt(const char* file, const char* section, const char* key,
                int defaultValue) const override {
        return readProfileInt(file, section, key, defaultValue);
    }
};

ATOM registerEffectClass(const char* name, WNDPROC proc) noexcept {
    WNDCLASSA wc = {};
    wc.style = 0;
    wc.lpfnWndProc = proc;
    wc.hInstance = g_state.hostInstance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    wc.lpszMenuName = "";
    wc.lpszClassName = name;
    if (ATOM atom = RegisterClassA(&wc))
        return atom;
    // Already there (registered by an earlier attach of this process).
    WNDCLASSA existing = {};
    return static_cast<ATOM>(GetClassInfoA(g_state.hostInstance, name, &existing));
}

// The use keys already read, while "Zirvane.ini" stays as it was and no
// reload was asked for. One lock: hook procedures run on every thread.
UseKeyCache g_useKeys;
SRWLOCK g_useKeysLock = SRWLOCK_INIT;
// Where the platform's profile functions find "Zirvane.ini": the Windows
// folder. Set at attach; empty, the cache is not used.
char g_mainFilePath[MAX_PATH + 1] = {};

void findMainFile() noexcept {
    const UINT n = GetWindowsDirectoryA(g_mainFilePath, MAX_PATH);
    const std::size_t name = std::strlen(keys::kMainFile);
    if (n == 0 || n + 1 + name > MAX_PATH) {
        g_mainFilePath[0] = 0;
        return;
    }
    if (g_mainFilePath[n - 1] != '\\')
        std::strcat(g_mainFilePath, "\\");
    std::strcat(g_mainFilePath, keys::kMainFile);
}

std::uint64_t fileTimeValue(const FILETIME& t) noexcept {
    return static_cast<std::uint64_t>(t.dwHighDateTime) << 32 | t.dwLowDateTime;
}

// One look at the file's attributes, far cheaper than a profile read.
FileStamp mainFileStamp() noexcept {
    FileStamp stamp;
    WIN32_FILE_ATTRIBUTE_DATA d = {};
    if (GetFileAttributesExA(g_mainFilePath, GetFileExInfoStandard, &d)) {
        stamp.exists = true;
        stamp.lastWrite = fileTimeValue(d.ftLastWriteTime);
        stamp.size = static_cast<std::uint64_t>(d.nFileSizeHigh) << 32 | d.nFileSizeLow;
    }
    return stamp;
}

} // namespace

ProcessState& state() noexcept { return g_state; }

namespace {

int readFromFile(const char* key, int defaultValue) noexcept {
    return readProfileInt(keys::kMainFile, keys::kGlobal, key, defaultValue);
}

// One look at the file's stamp and the clock for `count` keys.
template <typename KeyAt> void readThroughCache(int count, int values[], KeyAt keyAt) noexcept {
    if (!g_mainFilePath[0]) {
        for (int i = 0; i < count; ++i)
            values[i] = readFromFile(keyAt(i).first, keyAt(i).second);
        return;
    }
    const FileStamp stamp = mainFileStamp();
    FILETIME now = {};
    GetSystemTimeAsFileTime(&now);
    const unsigned long generation = sharedGeneration();
    AcquireSRWLockExclusive(&g_useKeysLock);
    for (int i = 0; i < count; ++i)
        values[i] = g_useKeys.get(keyAt(i).first, keyAt(i).second, stamp, fileTimeValue(now),
                                  generation, readFromFile);
    ReleaseSRWLockExclusive(&g_useKeysLock);
}

} // namespace

int readUseKey(const char* key, int defaultValue) noexcept {
    int value = 0;
    readThroughCache(1, &value, [&](int) { return std::make_pair(key, defaultValue); });
    return value;
}

void readUseKeys(const keys::IntKey* const keysToRead[], int values[], int count) noexcept {
    readThroughCache(count, values, [&](int i) {
        return std::make_pair(keysToRead[i]->name, keysToRead[i]->libraryDefault);
    });
}

void LoadEffectSettings() noexcept {
    ProcessState& s = g_state;
    const PlatformProfile profile;
    loadEffectSettings(s.settings, profile, s.appSection, s.updateLayeredWindow != nullptr);
    // Set before the gate opens: a reload that newly excludes the program
    // then resets its tracked windows (their shadows close, their layering
    // goes) and nothing builds them again.
    if (s.settings.excluded)
        s.excluded.store(true);
    s.reload.release();
    fx::resetTrackedWindows();
    s.reloadsFinished.fetch_add(1);
}

void processAttach(HMODULE library) noexcept {
    ProcessState& s = g_state;
    s.library = library;
    s.hostInstance = GetModuleHandleA(nullptr);
    s.sawBound.store(g_shared.returnHook != nullptr || g_shared.callHook != nullptr);

    // Attach loads the settings itself, below; the hooks wait for it.
    s.reload.loadInProgress.store(true);
    s.reload.generationSeen.store(sharedGeneration());
    s.settings.appTransparent = false;

    fx::clearTrackedTable();

    s.hookMessage = RegisterWindowMessageA(kHookMessageName);
    threadhooks::attach(library);
    findMainFile();

    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    applicationSectionName(path, s.appSection);
    s.isShellProcess = std::strcmp(s.appSection, kShellExecutable) == 0;

    HMODULE user32 = GetModuleHandleA("User32.dll");
    s.updateLayeredWindow = zt::platformFunction<UpdateLayeredWindowFn>(user32, "UpdateLayeredWindow");
    s.setLayeredWindowAttributes =
        zt::platformFunction<SetLayeredWindowAttributesFn>(user32, "SetLayeredWindowAttributes");

    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    s.platformMovesMaximizeRecord = !(ntdll && GetProcAddress(ntdll, "wine_get_version"));

    LoadEffectSettings();

    s.shadowClassAtom = registerEffectClass(kinds::kShadowClass, fx::ShadowWndProc);
    s.fakeMenuClassAtom = registerEffectClass(kinds::kFakeMenuClass, fakeWndProc);
}

void processDetach(bool processTerminating) noexcept {
    // When the whole process is ending, its windows die with it and the other
    // threads are already gone: messages to them could only hang.
    if (processTerminating)
        return;
    threadhooks::detach();
    fx::closeTrackedForDetach(true);
    fx::closeMenuCoversForDetach();
    Sleep(100);
    UnregisterClassA(kinds::kShadowClass, g_state.hostInstance);
    UnregisterClassA(kinds::kFakeMenuClass, g_state.hostInstance);
}

} // namespace zrv
