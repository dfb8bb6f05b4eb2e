// The settings read through the platform's profile functions.
#include "hooklib/win/settings_reads.h"

#include "hooklib/effect_settings.h"
#include "hooklib/use_key_cache.h"
#include "hooklib/win/fx_tracking.h"
#include "hooklib/win/observations.h"
#include "hooklib/win/process_state.h"
#include "hooklib/win/shared_state.h"

#include <cstdint>
#include <cstring>
#include <utility>

namespace zrv {
namespace {

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

// The use keys already read, while "Zirvane.ini" stays as it was and no
// reload was asked for. One lock: hook procedures run on every thread.
UseKeyCache g_useKeys;
SRWLOCK g_useKeysLock = SRWLOCK_INIT;
// Where the platform's profile functions find "Zirvane.ini": the Windows
// folder. Set at attach; empty, the cache is not used.
char g_mainFilePath[MAX_PATH + 1] = {};

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
    ProcessState& s = state();
    const PlatformProfile profile;
    loadEffectSettings(s.settings, profile, s.appSection, s.updateLayeredWindow != nullptr);
    // Set before the gate opens: a reload that newly excludes the program
    // then resets its tracked windows (their shadows close, their layering
    // goes) and nothing builds them again.
    if (s.settings.excluded)
        s.excluded.store(true);
    s.reload.release();
    fx::resetTrackedWindows();
    noteReloadFinished();
}

} // namespace zrv
