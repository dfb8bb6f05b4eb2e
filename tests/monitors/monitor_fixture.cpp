#include "tests/monitors/monitor_fixture.h"

#include "common/win/monitors.h"

#include <algorithm>

namespace zt::test {
namespace {

constexpr char kDesktopKey[] = "Control Panel\\Desktop";

BOOL CALLBACK addMonitor(HMONITOR m, HDC, LPRECT, LPARAM lp) {
    auto* list = reinterpret_cast<std::vector<std::pair<bool, Monitor>>*>(lp);
    MONITORINFO mi = {};
    mi.cbSize = sizeof mi;
    if (GetMonitorInfoA(m, &mi))
        list->push_back({(mi.dwFlags & MONITORINFOF_PRIMARY) != 0,
                         {win::toRect(mi.rcMonitor), win::toRect(mi.rcWork)}});
    return TRUE;
}

} // namespace

std::vector<Monitor> platformMonitors() {
    std::vector<std::pair<bool, Monitor>> found;
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&found));
    std::stable_partition(found.begin(), found.end(), [](const auto& m) { return m.first; });
    std::vector<Monitor> list;
    for (const auto& m : found)
        list.push_back(m.second);
    return list;
}

Monitor otherMonitor() {
    const std::vector<Monitor> list = platformMonitors();
    return list.size() > 1 ? list[1] : Monitor{};
}

std::string describe(const RECT& r) {
    return describe(win::toRect(r));
}
std::string describe(const Rect& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ") - (" +
           std::to_string(r.right) + ", " + std::to_string(r.bottom) + ")";
}

ScopedDpi::ScopedDpi(int dpi) {
    DWORD size = sizeof before_;
    had_ = RegGetValueA(HKEY_CURRENT_USER, kDesktopKey, "LogPixels", RRF_RT_REG_DWORD, nullptr,
                        &before_, &size) == ERROR_SUCCESS;
    set(dpi);
}

ScopedDpi::~ScopedDpi() {
    if (had_)
        set(static_cast<int>(before_));
    else
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktopKey, "LogPixels");
}

void ScopedDpi::set(int dpi) {
    const DWORD value = static_cast<DWORD>(dpi);
    RegSetKeyValueA(HKEY_CURRENT_USER, kDesktopKey, "LogPixels", REG_DWORD, &value, sizeof value);
}

} // namespace zt::test
