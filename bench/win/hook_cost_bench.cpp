// Per-message cost of the effects library's two hooks with every effect off,
// against a bare pass-through pair installed the same way (global hooks from
// a DLL), measured in the same run. Prints both and their ratio, and the
// library's hooks the way programs get them: installed on the thread by the
// loader, and installed by the thread itself through ThreadPatch.
#include "hooklib/win/binding_mark.h"
#include "bench/win/host_times.h"
#include "hooklib/win/zrv_exports.h"
#include "tests/support/win/test_support.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string exeDir() {
    char buf[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, buf, MAX_PATH);
    std::string s = buf;
    return s.substr(0, s.find_last_of('\\'));
}

LRESULT CALLBACK quietProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg >= WM_USER || msg == WM_WINDOWPOSCHANGED || msg == WM_SHOWWINDOW ||
        msg == WM_ERASEBKGND || msg == WM_MOVE || msg == WM_NCACTIVATE)
        return 1;
    return DefWindowProcA(w, msg, wp, lp);
}

// An assorted mix, including messages the library routes to its effects.
double nsPerMessage(HWND w, int rounds) {
    WINDOWPOS pos = {w, nullptr, 1, 2, 3, 4, SWP_NOZORDER};
    const UINT msgs[] = {WM_USER, WM_WINDOWPOSCHANGED, WM_SHOWWINDOW, WM_ERASEBKGND,
                         WM_MOVE, WM_NCACTIVATE, WM_USER + 1, WM_APP};
    const double start = zt::bench::nanosecondsNow();
    for (int i = 0; i < rounds; ++i)
        for (UINT m : msgs)
            SendMessageA(w, m, 0, m == WM_WINDOWPOSCHANGED ? reinterpret_cast<LPARAM>(&pos) : 0);
    const double n = static_cast<double>(rounds) * (sizeof msgs / sizeof msgs[0]);
    return (zt::bench::nanosecondsNow() - start) / n;
}

struct HookPair {
    HHOOK ret = nullptr, call = nullptr;
    void remove() {
        if (call)
            UnhookWindowsHookEx(call);
        if (ret)
            UnhookWindowsHookEx(ret);
        ret = call = nullptr;
    }
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void writeEffectsOff() {
    const char* off[] = {"Shadows", "SemiMenus", "SemiMenusShadow", "TransOn9X", "SEMITRANS",
                         "SLIDE", "SEMIDRAG", "SEMIDRAGGHOST", "MAXLIMIT", "CUSTOMBKCOLOUR",
                         "CUSTOMFORECOLOUR"};
    for (const char* k : off)
        WritePrivateProfileStringA("GLOBAL", k, "0", "Zirvane.ini");
}

} // namespace

int main() {
    const std::string dir = exeDir();
    // The developer's settings are set aside on every path out, early
    // returns included.
    zt::test::ScopedSettingsFiles files;
    writeEffectsOff();

    HMODULE zrv = LoadLibraryA((dir + "\\zrv.dll").c_str());
    HMODULE pass = LoadLibraryA((dir + "\\zrv_passthru.dll").c_str());
    if (!zrv || !pass) {
        std::printf("hook_cost_bench: cannot load zrv.dll or zrv_passthru.dll from %s\n", dir.c_str());
        return 1;
    }
    auto zRet = zrvExport<HOOKPROC>(zrv, "PatchAPI");
    auto zCall = zrvExport<HOOKPROC>(zrv, "PatchAPI2");
    auto zSet = zrvExport<SetHookPtrProc>(zrv, "SetHookPtr");
    auto zThread = zrvExport<ThreadPatchProc>(zrv, "ThreadPatch");
    auto pRet = zrvExport<HOOKPROC>(pass, "PassReturn");
    auto pCall = zrvExport<HOOKPROC>(pass, "PassCall");
    auto pSet = zrvExport<void(CALLBACK*)(HHOOK, HHOOK)>(pass, "SetPassHooks");

    WNDCLASSA wc = {};
    wc.lpfnWndProc = quietProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "HookCostBench";
    RegisterClassA(&wc);
    HWND w = CreateWindowExA(0, wc.lpszClassName, "bench", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                             nullptr, nullptr, wc.hInstance, nullptr);

    // Under wine a global hook costs a server round trip per call, so a few
    // thousand messages a trial already give stable figures.
    const int rounds = 250;
    const int trials = 7;
    std::vector<double> none, bare, lib, loaderThread, ownThread;
    UINT_PTR binding = 0x5000;
    nsPerMessage(w, rounds / 4); // warm up
    for (int t = 0; t < trials; ++t) {
        none.push_back(nsPerMessage(w, rounds));

        HookPair p;
        p.ret = SetWindowsHookExA(WH_CALLWNDPROCRET, pRet, pass, 0);
        p.call = SetWindowsHookExA(WH_CALLWNDPROC, pCall, pass, 0);
        pSet(p.ret, p.call);
        bare.push_back(nsPerMessage(w, rounds));
        p.remove();

        HookPair z;
        z.ret = SetWindowsHookExA(WH_CALLWNDPROCRET, zRet, zrv, 0);
        z.call = SetWindowsHookExA(WH_CALLWNDPROC, zCall, zrv, 0);
        zSet(z.ret, z.call, nullptr);
        lib.push_back(nsPerMessage(w, rounds));
        z.remove();

        // A new binding for each: a thread remembers the binding it was
        // found hooked under.
        const DWORD self = GetCurrentThreadId();
        HookPair th;
        th.ret = SetWindowsHookExA(WH_CALLWNDPROCRET, zRet, zrv, self);
        th.call = SetWindowsHookExA(WH_CALLWNDPROC, zCall, zrv, self);
        zSet(th.ret, th.call, nullptr);
        loaderThread.push_back(nsPerMessage(w, rounds));
        th.remove();

        ++binding;
        zSet(reinterpret_cast<HHOOK>(binding), reinterpret_cast<HHOOK>(binding), nullptr);
        HANDLE mark = zrv::makeBindingMark();
        if (zThread)
            zThread(nullptr, EVENT_OBJECT_CREATE, w, OBJID_WINDOW, 0, self, 0);
        ownThread.push_back(nsPerMessage(w, rounds));
        zSet(nullptr, nullptr, nullptr);
        CloseHandle(mark);
        SendMessageA(w, WM_NULL, 0, 0); // the thread's own pair removes itself
        ++binding;
    }
    DestroyWindow(w);

    const double n = median(none), b = median(bare), l = median(lib);
    const double lt = median(loaderThread), ot = median(ownThread);
    std::printf("hook cost per message (%s, median of %d trials of %d messages)\n",
                sizeof(void*) == 8 ? "win64" : "win32", trials, rounds * 8);
    std::printf("  no hooks            %9.0f ns\n", n);
    std::printf("  bare pass-through   %9.0f ns\n", b);
    std::printf("  zrv, effects off    %9.0f ns\n", l);
    std::printf("  ratio zrv / bare    %9.3f   (goal <= 1.10)\n", l / b);
    std::printf("  zrv, thread hooks set by the loader   %9.0f ns\n", lt);
    std::printf("  zrv, thread hooks set by the thread   %9.0f ns%s\n", ot,
                zThread ? "" : "   (no ThreadPatch export: not measured)");
    std::printf("  (e) own hooks / loader's hooks %9.3f   (the thread's own pair checks its binding)\n",
                ot / lt);
    std::printf("  hook overhead ratio %9.3f   ((zrv - none) / (bare - none))\n", (l - n) / (b - n));

    FreeLibrary(pass);
    FreeLibrary(zrv);
    return 0;
}
