// The shipped zrv.dll, loaded and installed the way the loader does it.
#include "hooklib/win/zrv_exports.h"
#include "tests/support/win/test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace zt::test;

struct Export {
    const char* name;
    WORD ordinal;
};
constexpr Export kExports[] = {
    {"PatchAPI", 1}, {"PatchAPI2", 2},   {"SetHookPtr", 3},     {"fakeWndProc", 4},
    {"stubPatch", 5}, {"Patch3", 6},     {"UpdateSetting", 7},  {"ThreadPatch", 8},
    {"PatchAPI3", 31},
};

TEST(ZrvDll, EveryExportResolvesByNameAndByOrdinal) {
    HMODULE lib = LoadLibraryA(inExeDir("zrv.dll").c_str());
    ASSERT_NE(lib, nullptr);
    for (const Export& e : kExports) {
        FARPROC byName = GetProcAddress(lib, e.name);
        FARPROC byOrdinal = GetProcAddress(lib, MAKEINTRESOURCEA(e.ordinal));
        EXPECT_NE(byName, nullptr) << e.name;
        EXPECT_EQ(byName, byOrdinal) << e.name;
    }
    FreeLibrary(lib);
}

TEST(ZrvDll, RegistersItsMessageAndClassesForTheHostModule) {
    HMODULE lib = LoadLibraryA(inExeDir("zrv.dll").c_str());
    ASSERT_NE(lib, nullptr);
    HINSTANCE host = GetModuleHandleA(nullptr);
    for (const char* cls : {"VelkShadow", "FakeMenu"}) {
        WNDCLASSA wc = {};
        ASSERT_TRUE(GetClassInfoA(host, cls, &wc)) << cls;
        EXPECT_EQ(wc.style, 0u) << cls;
        EXPECT_EQ(wc.cbClsExtra, 0) << cls;
        EXPECT_EQ(wc.cbWndExtra, 0) << cls;
        EXPECT_EQ(wc.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)) << cls;
        EXPECT_EQ(wc.hIcon, nullptr) << cls;
        WNDCLASSA other = {};
        EXPECT_FALSE(GetClassInfoA(lib, cls, &other)) << cls << " belongs to the host, not the library";
    }
    // Registration by name: the same number in every process.
    const UINT msg = RegisterWindowMessageA("ZRVHook");
    EXPECT_GE(msg, 0xC000u);
    FreeLibrary(lib);
    // Unmapping unregisters both classes.
    WNDCLASSA wc = {};
    EXPECT_FALSE(GetClassInfoA(host, "VelkShadow", &wc));
    EXPECT_FALSE(GetClassInfoA(host, "FakeMenu", &wc));
}

TEST(ZrvDll, SharedSectionIsMarkedShared) {
    HMODULE lib = LoadLibraryA(inExeDir("zrv.dll").c_str());
    ASSERT_NE(lib, nullptr);
    auto* base = reinterpret_cast<BYTE*>(lib);
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    IMAGE_SECTION_HEADER* sec = IMAGE_FIRST_SECTION(nt);
    bool found = false;
    for (int i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
        if (std::strncmp(reinterpret_cast<const char*>(sec[i].Name), ".shared", 8) == 0) {
            found = true;
            EXPECT_TRUE(sec[i].Characteristics & IMAGE_SCN_MEM_SHARED);
            // Three hook handles and the 32-bit counter (padded on win64).
            EXPECT_EQ(sec[i].Misc.VirtualSize, 3 * sizeof(void*) + sizeof(void*));
        }
    }
    EXPECT_TRUE(found);
    FreeLibrary(lib);
}

// --- messages pass through both hooks untouched ---

struct Seen {
    UINT msg;
    WPARAM wp;
    LPARAM lp;
    std::vector<BYTE> payload;
};
std::vector<Seen> g_procSeen;
std::vector<Seen> g_nextHookSeen;

std::vector<BYTE> payloadOf(UINT msg, LPARAM lp) {
    auto bytes = [](const void* p, size_t n) {
        const BYTE* b = static_cast<const BYTE*>(p);
        return std::vector<BYTE>(b, b + n);
    };
    switch (msg) {
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED:
        return bytes(reinterpret_cast<void*>(lp), sizeof(WINDOWPOS));
    case WM_GETMINMAXINFO:
        return bytes(reinterpret_cast<void*>(lp), sizeof(MINMAXINFO));
    case WM_SETTEXT:
        return bytes(reinterpret_cast<void*>(lp), std::strlen(reinterpret_cast<char*>(lp)) + 1);
    default:
        return {};
    }
}

constexpr UINT kProbeBase = WM_APP + 100;
bool g_recording = false;

LRESULT resultFor(UINT msg, WPARAM wp) { return static_cast<LRESULT>(msg * 7 + wp * 3 + 11); }

LRESULT CALLBACK recordingProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (g_recording) {
        g_procSeen.push_back({msg, wp, lp, payloadOf(msg, lp)});
        return resultFor(msg, wp);
    }
    return DefWindowProcA(w, msg, wp, lp);
}

HHOOK g_nextHook = nullptr;
LRESULT CALLBACK nextCallHook(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION && g_recording) {
        auto* c = reinterpret_cast<CWPSTRUCT*>(lp);
        g_nextHookSeen.push_back({c->message, c->wParam, c->lParam, {}});
    }
    return CallNextHookEx(g_nextHook, code, wp, lp);
}

struct Sent {
    UINT msg;
    WPARAM wp;
};
// Messages each effect watches for, plus ordinary ones.
constexpr Sent kTable[] = {
    {WM_USER + 1, 42},       {WM_SHOWWINDOW, 1},     {WM_SHOWWINDOW, 0},
    {WM_WINDOWPOSCHANGING, 0}, {WM_WINDOWPOSCHANGED, 0}, {WM_NCACTIVATE, 1},
    {WM_NCACTIVATE, 0},      {WM_GETMINMAXINFO, 0},  {WM_SYSCOMMAND, 0xF012},
    {WM_ENTERSIZEMOVE, 0},   {WM_EXITSIZEMOVE, 0},   {WM_MENUSELECT, 0x12345},
    {WM_ERASEBKGND, 0},      {0x1E5, 3},             {WM_NCPAINT, 1},
    {WM_NCCALCSIZE, 0},      {WM_SETTEXT, 0},        {WM_APP + 7, 0xFFFF},
};

class ZrvHooksInstalled : public ::testing::TestWithParam<bool> {};

TEST_P(ZrvHooksInstalled, EveryMessageReachesProcedureAndNextHookUnchanged) {
    const bool global = GetParam();
    // Two effects act on messages of the table by design: maximize to a set
    // size rewrites the min-max record, a drag start turns the window's
    // redraw off and on. Both are off here; this is about the hooks.
    ScopedSettingsFiles files;
    writeIni("Zirvane.ini", "GLOBAL", "MAXLIMIT", 0);
    writeIni("Zirvane.ini", "GLOBAL", "SEMIDRAG", 0);
    HMODULE lib = LoadLibraryA(inExeDir("zrv.dll").c_str());
    ASSERT_NE(lib, nullptr);
    auto patchApi = zrvExport<HOOKPROC>(lib, "PatchAPI");
    auto patchApi2 = zrvExport<HOOKPROC>(lib, "PatchAPI2");
    auto setHookPtr = zrvExport<SetHookPtrProc>(lib, "SetHookPtr");
    ASSERT_TRUE(patchApi && patchApi2 && setHookPtr);

    TestWindowClass cls("ZrvPassThrough", recordingProc);
    HWND w = CreateWindowExA(0, cls.name, "pass", WS_OVERLAPPEDWINDOW, 10, 10, 200, 150, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(w, nullptr);

    // The recorder is installed first so that it is the next hook after ours.
    const DWORD tid = global ? 0 : GetCurrentThreadId();
    g_nextHook = SetWindowsHookExA(WH_CALLWNDPROC, nextCallHook, nullptr, GetCurrentThreadId());
    HHOOK ret = SetWindowsHookExA(WH_CALLWNDPROCRET, patchApi, lib, tid);
    HHOOK call = SetWindowsHookExA(WH_CALLWNDPROC, patchApi2, lib, tid);
    ASSERT_TRUE(ret && call && g_nextHook);
    setHookPtr(ret, call, nullptr);

    g_procSeen.clear();
    g_nextHookSeen.clear();
    g_recording = true;
    char text[] = "some text";
    std::vector<LRESULT> results;
    std::vector<Seen> sent;
    for (const Sent& s : kTable) {
        WINDOWPOS wpos = {w, HWND_TOP, 5, 6, 70, 80, SWP_NOACTIVATE};
        MINMAXINFO mmi = {{1, 2}, {300, 400}, {5, 6}, {7, 8}, {900, 1000}};
        LPARAM lp = 0x1234;
        if (s.msg == WM_WINDOWPOSCHANGING || s.msg == WM_WINDOWPOSCHANGED)
            lp = reinterpret_cast<LPARAM>(&wpos);
        else if (s.msg == WM_GETMINMAXINFO)
            lp = reinterpret_cast<LPARAM>(&mmi);
        else if (s.msg == WM_SETTEXT)
            lp = reinterpret_cast<LPARAM>(text);
        sent.push_back({s.msg, s.wp, lp, payloadOf(s.msg, lp)});
        results.push_back(SendMessageA(w, s.msg, s.wp, lp));
        // The payload after the call is what the procedure left: unchanged.
        EXPECT_EQ(payloadOf(s.msg, lp), sent.back().payload) << "message " << s.msg;
    }
    g_recording = false;

    UnhookWindowsHookEx(call);
    UnhookWindowsHookEx(ret);
    UnhookWindowsHookEx(g_nextHook);
    DestroyWindow(w);

    ASSERT_EQ(g_procSeen.size(), sent.size());
    for (size_t i = 0; i < sent.size(); ++i) {
        EXPECT_EQ(g_procSeen[i].msg, sent[i].msg) << i;
        EXPECT_EQ(g_procSeen[i].wp, sent[i].wp) << i;
        EXPECT_EQ(g_procSeen[i].lp, sent[i].lp) << i;
        EXPECT_EQ(g_procSeen[i].payload, sent[i].payload) << "message " << sent[i].msg;
        EXPECT_EQ(results[i], resultFor(sent[i].msg, sent[i].wp)) << "message " << sent[i].msg;
    }
    if (!global) {
        // Thread hooks run newest first, so the recorder sees what ours passed on.
        ASSERT_EQ(g_nextHookSeen.size(), sent.size());
        for (size_t i = 0; i < sent.size(); ++i) {
            EXPECT_EQ(g_nextHookSeen[i].msg, sent[i].msg) << i;
            EXPECT_EQ(g_nextHookSeen[i].wp, sent[i].wp) << i;
            EXPECT_EQ(g_nextHookSeen[i].lp, sent[i].lp) << i;
        }
    }
    FreeLibrary(lib);
}

INSTANTIATE_TEST_SUITE_P(ThreadAndGlobal, ZrvHooksInstalled, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Global" : "Thread"; });

} // namespace
