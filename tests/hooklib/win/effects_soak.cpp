#include "tests/hooklib/win/effects_soak.h"

#include "hooklib/effect_settings.h"
#include "hooklib/win/effect_timer.h"
#include "hooklib/win/settings_reads.h"
#include "hooklib/win/window_props.h"
#include "hooklib/win/zrv_exports.h"
#include "tests/hooklib/win/effects_harness.h"
#include "tests/support/win/test_support.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <deque>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace fxtest {
namespace {

namespace props = zrv::props;

constexpr char kStopEvent[] = "zrv_effects_soak_stop";
constexpr char kRunningEvent[] = "zrv_effects_soak_updating";
// Released by the second process after each settings change it makes.
constexpr char kChangedSemaphore[] = "zrv_effects_soak_changed";
// Changes the threads see while their windows live before they finish:
// however fast or slow the second process starts, the soak always runs
// through some of them.
constexpr int kChangesWhileLive = 3;
constexpr char kLibrary[] = "zrv.dll";
constexpr size_t kLiveWindows = 6; // windows a thread keeps open at once
constexpr DWORD kDrainMs = 200;    // a thread's messages answered after each window, at most
// How long the library may take to leave after an unbind: its fades and
// slides run to their end first.
constexpr DWORD kUnmapTimeoutMs = 15000;

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

std::string appSection() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    char section[zrv::kAppSectionSize] = {};
    zrv::applicationSectionName(path, section);
    return section;
}

int effectWindows() {
    return static_cast<int>(
        zt::test::windowsOfProcess(GetCurrentProcessId(), "VelkShadow").size() +
        zt::test::windowsOfProcess(GetCurrentProcessId(), "FakeMenu").size());
}

bool libraryMapped() { return GetModuleHandleA(kLibrary) != nullptr; }

// Answers the thread's messages until none is left or `ms` have passed.
// Under wine a reload's reset costs a window about 25 ms, and every reload
// (one each 200 ms) sends one to each of a thread's windows: a thread that
// waited for an empty queue would make a window only when the reloads let
// it, now and then a minute apart. A reset not yet answered keeps its
// window out of the next reload's, so what waits stays one per window.
void drain(DWORD ms = INFINITE) {
    const DWORD start = GetTickCount();
    MSG m;
    while ((ms == INFINITE || GetTickCount() - start < ms) &&
           PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

// The library bound to the soak's threads the way the loader binds it: its
// two hook procedures, its hook handles told to it through its export.
class Binding {
public:
    bool bind(const std::vector<DWORD>& threads) {
        lib_ = LoadLibraryA(zt::test::inExeDir(kLibrary).c_str());
        if (!lib_)
            return false;
        const auto ret = zrvExport<HOOKPROC>(lib_, "PatchAPI");
        const auto call = zrvExport<HOOKPROC>(lib_, "PatchAPI2");
        const auto setHookPtr = zrvExport<SetHookPtrProc>(lib_, "SetHookPtr");
        if (!ret || !call || !setHookPtr)
            return false;
        for (DWORD tid : threads) {
            HHOOK r = SetWindowsHookExA(WH_CALLWNDPROCRET, ret, lib_, tid);
            HHOOK c = SetWindowsHookExA(WH_CALLWNDPROC, call, lib_, tid);
            if (!r || !c)
                return false;
            hooks_.push_back(r);
            hooks_.push_back(c);
        }
        setHookPtr(hooks_[0], hooks_[1], nullptr);
        return true;
    }
    // Unhooks, says so through the shared handles, drops our reference: the
    // library then leaves when its effects are over.
    void unbind() {
        if (!lib_)
            return;
        if (const auto setHookPtr = zrvExport<SetHookPtrProc>(lib_, "SetHookPtr"))
            setHookPtr(nullptr, nullptr, nullptr);
        for (HHOOK h : hooks_)
            UnhookWindowsHookEx(h);
        hooks_.clear();
        FreeLibrary(lib_);
        lib_ = nullptr;
    }
    ~Binding() { unbind(); }

private:
    HMODULE lib_ = nullptr;
    std::vector<HHOOK> hooks_;
};

// What the soak's threads and the main thread tell each other.
struct Control {
    explicit Control(int threads) : ids(threads) {
        for (auto& id : ids)
            id.store(0);
    }
    std::vector<std::atomic<DWORD>> ids; // each thread's id, once it has a queue
    std::atomic<bool> go{false};
    int unbinds = 1;
    std::atomic<int> paused{0};          // pauses reached, all threads together
    std::atomic<int> resumed{0};         // unbinds over (bound again)
    std::atomic<int> changes{0};         // settings changes the second process has made
    std::atomic<int> changesNeeded{0};   // ... before the threads may finish
    std::atomic<bool> updaterGone{false};
};

// Counts the second process's changes as they are made, until it ends.
void countChanges(Control& c, HANDLE changed, HANDLE updater) {
    HANDLE both[2] = {changed, updater};
    for (;;) {
        const DWORD r = WaitForMultipleObjects(2, both, FALSE, INFINITE);
        if (r != WAIT_OBJECT_0)
            break;
        c.changes.fetch_add(1);
    }
    c.updaterGone = true;
}

template <class Done>
void pumpUntil(Done done) {
    while (!done()) {
        drain();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    // Wine tells a thread of hooks set for it by another thread only when it
    // next takes a message from its queue: until then its own messages pass
    // them by.
    PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
    drain();
}

int soakThread(int index, int count, Control& c) {
    MSG m;
    PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE); // the queue, for the hooks
    c.ids[index] = GetCurrentThreadId();
    pumpUntil([&] { return c.go.load(); });
    const DWORD started = GetTickCount();
    HWND owner = makeWindow(WS_OVERLAPPEDWINDOW, 0, 40 + 250 * index, 40, 400, 300);
    ShowWindow(owner, SW_SHOWNOACTIVATE);
    std::deque<HWND> live;
    int pauses = 0;
    for (int i = 0; i < count; ++i) {
        if (pauses < c.unbinds && i == (pauses + 1) * count / (c.unbinds + 1)) {
            // Here the library is unbound and bound again. The thread keeps
            // its windows and answers its messages meanwhile: the fades run
            // out and the shadows close.
            ++pauses;
            c.paused.fetch_add(1);
            pumpUntil([&] { return c.resumed.load() >= pauses; });
        }
        HWND w = makeWindow(WS_OVERLAPPEDWINDOW, 0, 10 * (i % 50), 10, 160, 120,
                            i % 2 ? owner : nullptr);
        ShowWindow(w, SW_SHOWNOACTIVATE);
        live.push_back(w);
        if (live.size() > kLiveWindows) {
            DestroyWindow(live.front());
            live.pop_front();
        }
        drain(kDrainMs);
        if (index == 0 && i > 0 && i % 250 == 0) {
            std::printf("soak: thread 0 at window %d after %lu s\n", i,
                        (GetTickCount() - started) / 1000);
            std::fflush(stdout);
        }
        if (i % 16 == 0)
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
    }
    // Some settings changes land while the windows live, whenever the second
    // process got going.
    pumpUntil([&] { return c.changes.load() >= c.changesNeeded.load() || c.updaterGone.load(); });
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
    HANDLE changed = OpenSemaphoreA(SEMAPHORE_MODIFY_STATE, FALSE, kChangedSemaphore);
    HMODULE lib = LoadLibraryA(zt::test::inExeDir(kLibrary).c_str());
    const auto updateSetting = lib ? zrvExport<UpdateSettingProc>(lib, "UpdateSetting") : nullptr;
    if (!stop || !running || !changed || !updateSetting)
        return 0;
    SetEvent(running);
    // At most three hours (the full soak takes about one on a busy machine),
    // should the soak die without telling us.
    if (periodMs == 0)
        periodMs = 200;
    const int rounds = static_cast<int>(3 * 3600 * 1000 / periodMs);
    // Application transparency goes on and off with every other change, so
    // that the soak's windows both fade and take the program's opacity.
    const std::string section = appSection();
    int changes = 0;
    for (; changes < rounds && WaitForSingleObject(stop, periodMs) == WAIT_TIMEOUT; ++changes) {
        zt::test::writeIni("Zirvane2.ini", section.c_str(), "Trans",
                           changes % 2 ? kSoakAppOpacity : 0);
        updateSetting();
        ReleaseSemaphore(changed, 1, nullptr);
    }
    FreeLibrary(lib);
    CloseHandle(changed);
    CloseHandle(stop);
    CloseHandle(running);
    return changes;
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

SoakFigures runSoak(int threads, int windowsPerThread, DWORD updaterPeriodMs, int unbinds) {
    using namespace zt::test;
    registerTestClasses();
    SoakFigures f;
    f.threads = threads;
    f.windowsPerThread = windowsPerThread;
    f.unbinds = unbinds < 1 ? 1 : unbinds;
    ScopedSettingsFiles files;
    for (const Setting& s : kSoakEffects)
        writeIni("Zirvane.ini", "GLOBAL", s.key, s.value);
    writeIni("Zirvane2.ini", appSection().c_str(), "Trans", kSoakAppOpacity);
    recorder().windowsWithLeftovers = 0;
    recorder().windowsMessagedAfterDestroy = 0;
    recorder().resetsAnswered = 0;
    for (auto& n : recorder().leftoverByProp)
        n = 0;
    clearLeftovers();

    f.gdiBefore = gdiObjectsOfThisProcess();
    f.windowsBefore = static_cast<unsigned long>(windowsOfProcess(GetCurrentProcessId()).size());
    const int effectWindowsBefore = effectWindows();

    HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, kStopEvent);
    HANDLE running = CreateEventA(nullptr, TRUE, FALSE, kRunningEvent);
    HANDLE changed = CreateSemaphoreA(nullptr, 0, 0x7fffffff, kChangedSemaphore);
    Process updater(selfCommand("updater") + " " + std::to_string(updaterPeriodMs));
    f.updaterRan = updater.started() && WaitForSingleObject(running, 20000) == WAIT_OBJECT_0;

    Control c(threads);
    std::thread counter;
    if (f.updaterRan && changed)
        counter = std::thread(countChanges, std::ref(c), changed, updater.handle());
    else
        c.updaterGone = true;
    c.unbinds = f.unbinds;
    std::vector<std::thread> pool;
    std::vector<int> results(threads, -1);
    for (int t = 0; t < threads; ++t)
        pool.emplace_back([&, t] { results[t] = soakThread(t, windowsPerThread, c); });
    std::vector<DWORD> ids;
    waitFor(
        [&] {
            for (auto& id : c.ids)
                if (id.load() == 0)
                    return false;
            return true;
        },
        10000);
    for (auto& id : c.ids)
        ids.push_back(id.load());

    const DWORD start = GetTickCount();
    {
        Binding binding;
        f.bound = binding.bind(ids);
        recorder().phase = kPhaseBound;
        c.changesNeeded = c.changes.load() + kChangesWhileLive;
        c.go = true;
        f.unmappedMidway = true;
        for (int n = 1; n <= f.unbinds; ++n) {
            waitFor([&] { return c.paused.load() == threads * n; }, 3 * 3600 * 1000);
            recorder().phase = kPhaseUnbound;
            binding.unbind();
            const DWORD unbound = GetTickCount();

            f.unmappedMidway = waitFor([] { return !libraryMapped(); }, kUnmapTimeoutMs) &&
                               f.unmappedMidway;
            f.unmapMidwayMs = std::max(f.unmapMidwayMs, GetTickCount() - unbound);
            f.effectWindowsAtUnmap =
                std::max(f.effectWindowsAtUnmap, effectWindows() - effectWindowsBefore);
            // The first time: the windows made after it must not add to it.
            if (n == 1)
                f.gdiMidway = gdiObjectsOfThisProcess();
            f.bound = binding.bind(ids) && f.bound;
            recorder().phase = kPhaseBoundAgain;
            c.resumed = n;
        }
        for (auto& th : pool)
            th.join();
    }
    recorder().phase = kPhaseUnhooked;
    f.elapsedMs = GetTickCount() - start;
    f.finished = true;
    for (int r : results) {
        f.ownersWithLeftovers += r != 0;
        f.finished = f.finished && r >= 0;
    }

    SetEvent(stop);
    const DWORD changes = updater.wait(10000);
    if (changes == STILL_ACTIVE)
        updater.kill();
    if (counter.joinable())
        counter.join();
    if (changed)
        CloseHandle(changed);
    f.settingsChanges = changes == STILL_ACTIVE ? 0 : changes;
    f.unmappedAtEnd = waitFor([] { return !libraryMapped(); }, kUnmapTimeoutMs);
    pumpMessages(300);
    f.windowsWithLeftovers = recorder().windowsWithLeftovers;
    f.windowsMessagedAfterDestroy = recorder().windowsMessagedAfterDestroy;
    f.resetsAnswered = recorder().resetsAnswered;
    f.gdiAfter = gdiObjectsOfThisProcess();
    f.windowsAfter = static_cast<unsigned long>(windowsOfProcess(GetCurrentProcessId()).size());
    f.effectWindowsLeft = effectWindows() - effectWindowsBefore;
    CloseHandle(stop);
    CloseHandle(running);
    return f;
}

void printSoak(const SoakFigures& f) {
    std::printf("soak: %d threads x %d windows (every effect on, every other window owned) in "
                "%lu ms; library bound %s; %u settings changes by the second process (%s), "
                "%ld reset commands answered by the windows\n",
                f.threads, f.windowsPerThread, f.elapsedMs, f.bound ? "yes" : "NO",
                f.settingsChanges, f.updaterRan ? "ran" : "did not start", f.resetsAnswered);
    std::printf("soak: unbound %s: library left the process %s after %lu ms%s, effect "
                "windows then %d; left after the final unbind: %s\n",
                f.unbinds == 1 ? "half-way" : (std::to_string(f.unbinds) + " times").c_str(),
                f.unmappedMidway ? "yes" : "NO", f.unmapMidwayMs,
                f.unbinds == 1 ? "" : " at most", f.effectWindowsAtUnmap,
                f.unmappedAtEnd ? "yes" : "NO");
    std::string which;
    for (size_t i = 0; i < std::size(props::kAll); ++i)
        if (const LONG n = recorder().leftoverByProp[i])
            which += std::string(" ") + props::kAll[i] + " x" + std::to_string(n);
    std::printf("soak: windows with library properties at destruction: %ld%s%s; owners: %d; "
                "shadow and menu cover windows left: %d; windows sent messages after their "
                "WM_DESTROY: %ld\n",
                f.windowsWithLeftovers, which.empty() ? "" : ", properties:", which.c_str(),
                f.ownersWithLeftovers, f.effectWindowsLeft, f.windowsMessagedAfterDestroy);
    // How the first few came about: made and destroyed when, whether the
    // library saw the destruction (its shadows closed by WM_DESTROY), and
    // what reached the window after it.
    static const char* const kShadowAtDestroy[] = {"none named", "closed", "STILL OPEN"};
    for (const Leftover& t : tracedLeftovers())
        std::printf("soak:   left:%s; made %s, destroyed %s; shadow at WM_DESTROY %s; %d "
                    "messages after it (last 0x%x)\n",
                    t.props.c_str(), phaseName(t.createdIn), phaseName(t.destroyedIn),
                    kShadowAtDestroy[t.shadowOpenAtDestroy + 1], t.messagesAfterDestroy,
                    t.lastMessage);
    std::printf("soak: GDI objects (counted by the program): %lu at the start, %lu once the "
                "library had left half-way, %lu once it had left at the end; top-level "
                "windows %lu -> %lu\n",
                f.gdiBefore, f.gdiMidway, f.gdiAfter, f.windowsBefore, f.windowsAfter);
    std::fflush(stdout);
}

bool soakPassed(const SoakFigures& f, bool checkGdi) {
    const auto within = [](unsigned long a, unsigned long b) {
        return (a > b ? a - b : b - a) <= 5;
    };
    // Half-way the threads' last windows are still open, at the end none is:
    // fewer objects at the end is no leak, more is.
    const bool noGdiGrowth = !checkGdi || f.gdiAfter <= f.gdiMidway + 5;
    return f.finished && f.bound && f.updaterRan &&
           f.settingsChanges >= static_cast<unsigned>(kChangesWhileLive) &&
           f.unmappedMidway && f.effectWindowsAtUnmap == 0 && f.unmappedAtEnd &&
           f.windowsWithLeftovers == 0 && f.ownersWithLeftovers == 0 &&
           f.effectWindowsLeft == 0 && noGdiGrowth &&
           within(f.windowsBefore, f.windowsAfter);
}

} // namespace fxtest
