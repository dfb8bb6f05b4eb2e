#include "tests/hooklib/win/effects_soak.h"

#include "hooklib/win/effect_timer.h"
#include "hooklib/win/process_state.h"
#include "hooklib/win/window_props.h"
#include "hooklib/win/zrv_exports.h"
#include "tests/hooklib/win/effects_harness.h"
#include "tests/support/win/test_support.h"

#include <cstdio>
#include <deque>
#include <string>
#include <thread>
#include <vector>

namespace fxtest {
namespace {

namespace props = zrv::props;

constexpr char kStopEvent[] = "zrv_effects_soak_stop";
constexpr char kRunningEvent[] = "zrv_effects_soak_updating";
constexpr size_t kLiveWindows = 6; // windows a thread keeps open at once

// The effects the soak runs with, as settings of "GLOBAL". An effect that
// lands later adds its keys here.
struct Setting {
    const char* key;
    const char* value;
};
constexpr Setting kSoakEffects[] = {
    {"Shadows", "1"},          {"ShadowsVar", "2"},   // graded shadows
    {"shadowsSemiTrans", "1"}, {"SEMITRANS", "1"},    // per-pixel shadows, fade
    {"FADERATE", "10"},        {"SLIDE", "1"},        {"SLIDERATE", "10"},
    {"SemiMenus", "1"},        {"SemiMenusShadow", "1"}, {"TransOn9X", "0"},
    {"SEMIDRAG", "1"},         {"MAXLIMIT", "1"},
};
// Application transparency for the soak's own program.
constexpr int kSoakAppOpacity = 230;

int effectWindowsLeft() {
    return static_cast<int>(
        zt::test::windowsOfProcess(GetCurrentProcessId(), "VelkShadow").size() +
        zt::test::windowsOfProcess(GetCurrentProcessId(), "FakeMenu").size());
}

void drain() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

int soakThread(int index, int count) {
    ThreadHooks hooks;
    HWND owner = makeWindow(WS_OVERLAPPEDWINDOW, 0, 40 + 250 * index, 40, 400, 300);
    ShowWindow(owner, SW_SHOWNOACTIVATE);
    std::deque<HWND> live;
    for (int i = 0; i < count; ++i) {
        HWND w = makeWindow(WS_OVERLAPPEDWINDOW, 0, 10 * (i % 50), 10, 160, 120,
                            i % 2 ? owner : nullptr);
        ShowWindow(w, SW_SHOWNOACTIVATE);
        live.push_back(w);
        if (live.size() > kLiveWindows) {
            DestroyWindow(live.front());
            live.pop_front();
        }
        drain();
        if (index == 0 && i > 0 && i % 500 == 0) {
            std::printf("soak: thread 0 at window %d\n", i);
            std::fflush(stdout);
        }
        if (i % 16 == 0)
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
    }
    for (HWND w : live)
        DestroyWindow(w);
    // The owner's own fade and any reset of it settle before it is looked at.
    // Its shadows and their properties stay as long as it lives, and so does
    // the layer of application transparency when the updater's last change
    // turned it on.
    auto animationLeft = [&] {
        for (const std::string& p : libraryProps(owner))
            if (p != props::kShadowRight && p != props::kShadowBottom && p != props::kWidth &&
                p != props::kHeight && p != props::kAddedLayer)
                return true;
        return false;
    };
    zt::test::waitFor([&] { return !animationLeft(); }, 2000);
    const bool clean = !animationLeft();
    if (!clean) {
        std::string left;
        for (const std::string& p : libraryProps(owner))
            left += " " + p;
        std::printf("soak: thread %d's owner still has:%s\n", index, left.c_str());
        std::fflush(stdout);
    }
    DestroyWindow(owner);
    drain();
    return clean ? 0 : 1;
}

std::string selfCommand(const char* probe) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string("\"") + path + "\" --probe " + probe;
}

} // namespace

int runUpdater(DWORD periodMs) {
    HANDLE stop = OpenEventA(SYNCHRONIZE, FALSE, kStopEvent);
    HANDLE running = OpenEventA(EVENT_MODIFY_STATE, FALSE, kRunningEvent);
    if (!stop || !running)
        return 3;
    SetEvent(running);
    // At most ten minutes, should the test die without telling us. Every
    // reload has each thread close and rebuild the shadows of its tracked
    // windows itself; the reload thread never waits for them.
    if (periodMs == 0)
        periodMs = 200;
    const int rounds = static_cast<int>(600000 / periodMs);
    // Application transparency goes on and off with every other change, so
    // that the soak's windows both fade and take the program's opacity.
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    char section[zrv::kAppSectionSize];
    zrv::applicationSectionName(path, section);
    for (int i = 0; i < rounds && WaitForSingleObject(stop, periodMs) == WAIT_TIMEOUT; ++i) {
        zt::test::writeIni("Zirvane2.ini", section, "Trans", i % 2 ? kSoakAppOpacity : 0);
        UpdateSetting();
    }
    CloseHandle(stop);
    CloseHandle(running);
    return 0;
}

int runShowcase() {
    using namespace zt::test;
    attachOnce();
    ScopedSettingsFiles files;
    writeIni("Zirvane.ini", "GLOBAL", "SEMITRANS", "1");
    writeIni("Zirvane.ini", "GLOBAL", "FADERATE", "600000");
    writeIni("Zirvane.ini", "GLOBAL", "SLIDERATE", "600000");
    zrv::LoadEffectSettings();
    ThreadHooks hooks;
    HWND owner = makeWindow(WS_OVERLAPPEDWINDOW, 0, 100, 100, 600, 400);
    ShowWindow(owner, SW_SHOWNOACTIVATE);
    for (int i = 0; i < 10; ++i)
        zrv::EffectTimerProc(owner, WM_TIMER, zrv::TIMER_FADE, 0);
    HWND w = makeWindow(WS_OVERLAPPEDWINDOW, 0, 0, 0, 300, 150, owner);
    SetWindowTextA(w, "fading and sliding");
    ShowWindow(w, SW_SHOWNOACTIVATE);
    for (int i = 0; i < 2; ++i) {
        zrv::EffectTimerProc(w, WM_TIMER, zrv::TIMER_FADE, 0);
        zrv::EffectTimerProc(w, WM_TIMER, zrv::TIMER_SLIDE, 0);
    }
    pumpMessages(6000);
    DestroyWindow(w);
    DestroyWindow(owner);
    return 0;
}

SoakFigures runSoak(int threads, int windowsPerThread, DWORD updaterPeriodMs) {
    using namespace zt::test;
    attachOnce();
    SoakFigures f;
    f.threads = threads;
    f.windowsPerThread = windowsPerThread;
    ScopedSettingsFiles files;
    for (const Setting& s : kSoakEffects)
        writeIni("Zirvane.ini", "GLOBAL", s.key, s.value);
    writeIni("Zirvane2.ini", zrv::state().appSection, "Trans", kSoakAppOpacity);
    zrv::LoadEffectSettings();
    recorder().windowsWithLeftovers = 0;

    HANDLE process = GetCurrentProcess();
    f.gdiBefore = GetGuiResources(process, GR_GDIOBJECTS);
    f.userBefore = GetGuiResources(process, GR_USEROBJECTS);
    f.windowsBefore = static_cast<unsigned long>(windowsOfProcess(GetCurrentProcessId()).size());
    const int effectWindowsBefore = effectWindowsLeft();
    const unsigned reloadsBefore = zrv::state().reloadsFinished.load();

    HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, kStopEvent);
    HANDLE running = CreateEventA(nullptr, TRUE, FALSE, kRunningEvent);
    Process updater(selfCommand("updater") + " " + std::to_string(updaterPeriodMs));
    f.updaterRan = updater.started() && WaitForSingleObject(running, 20000) == WAIT_OBJECT_0;

    const DWORD start = GetTickCount();
    std::vector<std::thread> pool;
    std::vector<int> results(threads, -1);
    for (int t = 0; t < threads; ++t)
        pool.emplace_back([&, t] { results[t] = soakThread(t, windowsPerThread); });
    for (auto& th : pool)
        th.join();
    f.elapsedMs = GetTickCount() - start;
    f.finished = true;
    for (int r : results) {
        f.ownersWithLeftovers += r != 0;
        f.finished = f.finished && r >= 0;
    }

    SetEvent(stop);
    updater.wait(10000);
    // Let a reload that is still running finish before counting.
    waitFor([] { return !zrv::state().reload.busy(); }, 5000);
    pumpMessages(300);
    f.reloads = zrv::state().reloadsFinished.load() - reloadsBefore;
    f.windowsWithLeftovers = recorder().windowsWithLeftovers;
    f.gdiAfter = GetGuiResources(process, GR_GDIOBJECTS);
    f.userAfter = GetGuiResources(process, GR_USEROBJECTS);
    f.windowsAfter = static_cast<unsigned long>(windowsOfProcess(GetCurrentProcessId()).size());
    f.effectWindowsLeft = effectWindowsLeft() - effectWindowsBefore;
    CloseHandle(stop);
    CloseHandle(running);
    return f;
}

void printSoak(const SoakFigures& f) {
    std::printf("soak: %d threads x %d windows (fade and slide on, every other one owned) in "
                "%lu ms; %u reloads; updater %s\n",
                f.threads, f.windowsPerThread, f.elapsedMs, f.reloads,
                f.updaterRan ? "ran" : "did not start");
    std::printf("soak: windows with library properties at destruction: %ld; owners: %d; "
                "shadow and menu cover windows left: %d\n",
                f.windowsWithLeftovers, f.ownersWithLeftovers, f.effectWindowsLeft);
    std::printf("soak: GDI objects %lu -> %lu, USER objects %lu -> %lu (GetGuiResources), "
                "top-level windows %lu -> %lu\n",
                f.gdiBefore, f.gdiAfter, f.userBefore, f.userAfter, f.windowsBefore,
                f.windowsAfter);
    std::fflush(stdout);
}

} // namespace fxtest
