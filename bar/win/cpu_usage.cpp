#include "bar/win/cpu_usage.h"

#include "bar/cpu_graph.h"
#include "common/win/platform_function.h"
#include "common/win/scoped.h"

#include <windows.h>

#include <cstdint>

namespace tessel::win {

using namespace zt;

namespace {

// HKEY_DYN_DATA: the dynamic statistics of Windows 9x. Reading the start key
// starts the kernel's statistic; there is no stop.
const HKEY kDynData = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000006));
constexpr char kStartKey[] = "PerfStats\\StartStat";
constexpr char kDataKey[] = "PerfStats\\StatData";
constexpr char kCpuValue[] = "KERNEL\\CPUUsage";

// False when the key or the value cannot be read; `value` is then 0.
bool queryDword(const char* key, DWORD& value) {
    value = 0;
    HKEY k = nullptr;
    if (RegOpenKeyA(kDynData, key, &k) != ERROR_SUCCESS)
        return false;
    ScopedRegKey owner(k);
    DWORD type = REG_BINARY, size = sizeof value;
    if (RegQueryValueExA(k, kCpuValue, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) ==
        ERROR_SUCCESS)
        return true;
    value = 0;
    return false;
}

DWORD queryDword(const char* key) {
    DWORD value = 0;
    queryDword(key, value);
    return value;
}

class DynDataUsage : public CPUUsage {
public:
    void InitCPUUsage() override { queryDword(kStartKey); }
    int GetCPUUsage() override { return static_cast<int32_t>(queryDword(kDataKey)); }
};

using GetSystemTimesFn = BOOL(WINAPI*)(FILETIME*, FILETIME*, FILETIME*);

uint64_t ticks(const FILETIME& f) { return (uint64_t(f.dwHighDateTime) << 32) | f.dwLowDateTime; }

class SystemTimesUsage : public CPUUsage {
public:
    explicit SystemTimesUsage(GetSystemTimesFn fn) : fn_(fn) {}
    void InitCPUUsage() override { sample(idle_, kernel_, user_); }
    int GetCPUUsage() override {
        uint64_t i, k, u;
        if (!sample(i, k, u))
            return 0;
        int load = loadFromTimes(idle_, kernel_, user_, i, k, u);
        idle_ = i, kernel_ = k, user_ = u;
        return load;
    }

private:
    bool sample(uint64_t& i, uint64_t& k, uint64_t& u) {
        FILETIME fi, fk, fu;
        if (!fn_(&fi, &fk, &fu))
            return false;
        i = ticks(fi), k = ticks(fk), u = ticks(fu);
        return true;
    }
    GetSystemTimesFn fn_;
    uint64_t idle_ = 0, kernel_ = 0, user_ = 0;
};

class NoUsage : public CPUUsage {
public:
    void InitCPUUsage() override {}
    int GetCPUUsage() override { return 0; }
};

} // namespace

std::unique_ptr<CPUUsage> CPUUsage::create() {
    // The statistic counts only once it has been started; a system that has
    // the keys but never fills the value (wine has them empty) would show a
    // flat graph, so the value itself must be readable.
    DWORD ignored = 0;
    if (queryDword(kStartKey, ignored) && queryDword(kDataKey, ignored))
        return std::make_unique<DynDataUsage>();
    // Not on every system this program runs on: looked up by name.
    auto fn = zt::platformFunction<GetSystemTimesFn>(GetModuleHandleA("kernel32.dll"),
                                                     "GetSystemTimes");
    if (fn)
        return std::make_unique<SystemTimesUsage>(fn);
    return std::make_unique<NoUsage>();
}

} // namespace tessel::win
