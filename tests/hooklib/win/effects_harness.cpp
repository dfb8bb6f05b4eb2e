#include "tests/hooklib/win/effects_harness.h"

#include "hooklib/win/hook_commands.h"
#include "hooklib/win/process_state.h"
#include "hooklib/win/window_props.h"
#include "hooklib/win/zrv_exports.h"
#include "tests/hooklib/win/attached_library.h"
#include "tests/support/win/test_support.h"

#include <cstring>
#include <iterator>
#include <map>
#include <mutex>

namespace fxtest {
namespace {

std::mutex g_attachLock;
Recorder g_recorder;
std::map<HWND, ShadowLog> g_shadowLogs;

BOOL CALLBACK collectProp(HWND, LPSTR name, HANDLE, ULONG_PTR param) {
    // Atom-named properties come through as small integers, not strings.
    if (reinterpret_cast<ULONG_PTR>(name) <= 0xFFFF)
        return TRUE;
    auto* out = reinterpret_cast<std::vector<std::string>*>(param);
    for (const char* p : zrv::props::kAll)
        if (std::strcmp(p, name) == 0)
            out->push_back(name);
    return TRUE;
}

// Each recording window's way through its destruction, for the trace.
constexpr size_t kLeftoversTraced = 12;
std::mutex g_traceLock;
std::map<HWND, Leftover> g_inFlight;

void traceMessage(HWND w, UINT msg) {
    std::lock_guard<std::mutex> lock(g_traceLock);
    if (msg == WM_NCCREATE) {
        Leftover& t = g_inFlight[w];
        t = Leftover{};
        t.createdIn = g_recorder.phase;
        t.destroyedIn = -1;
        return;
    }
    auto it = g_inFlight.find(w);
    if (it == g_inFlight.end())
        return;
    Leftover& t = it->second;
    if (msg == WM_DESTROY) {
        t.destroyedIn = g_recorder.phase;
        HWND shadow = static_cast<HWND>(GetPropA(w, zrv::props::kShadowRight));
        t.shadowOpenAtDestroy = shadow ? (IsWindow(shadow) ? 1 : 0) : -1;
    } else if (t.destroyedIn >= 0 && msg != WM_NCDESTROY) {
        ++t.messagesAfterDestroy;
        t.lastMessage = msg;
    }
}

void traceLeftover(HWND w, const std::vector<std::string>& left) {
    std::lock_guard<std::mutex> lock(g_traceLock);
    auto it = g_inFlight.find(w);
    if (it != g_inFlight.end() && it->second.messagesAfterDestroy > 0)
        InterlockedIncrement(&g_recorder.windowsMessagedAfterDestroy);
    if (!left.empty() && it != g_inFlight.end() && g_recorder.leftovers.size() < kLeftoversTraced) {
        Leftover t = it->second;
        for (const std::string& p : left)
            t.props += " " + p;
        g_recorder.leftovers.push_back(t);
    }
    if (it != g_inFlight.end())
        g_inFlight.erase(it);
}

LRESULT CALLBACK recordingProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_WINDOWPOSCHANGED && w == g_recorder.watched &&
        (reinterpret_cast<const WINDOWPOS*>(lp)->flags & SWP_FRAMECHANGED))
        ++g_recorder.frameChangedMoves;
    traceMessage(w, msg);
    static const UINT hookMessage = RegisterWindowMessageA("ZRVHook");
    if (msg == hookMessage && wp == zrv::HOOKCMD_RESET)
        InterlockedIncrement(&g_recorder.resetsAnswered);
    if (msg == WM_NCDESTROY) {
        std::vector<std::string> left = libraryProps(w);
        traceLeftover(w, left);
        if (!left.empty())
            InterlockedIncrement(&g_recorder.windowsWithLeftovers);
        for (const std::string& name : left)
            for (size_t i = 0; i < std::size(zrv::props::kAll); ++i)
                if (name == zrv::props::kAll[i])
                    InterlockedIncrement(&g_recorder.leftoverByProp[i]);
        if (w == g_recorder.watched)
            g_recorder.leftAtNcDestroy = left;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

LRESULT CALLBACK fakeShadowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == zrv::state().hookMessage && msg != 0) {
        ShadowLog& log = g_shadowLogs[w];
        log.commands.push_back(wp);
        log.alphaAtCommand.push_back(zrv::props::getInt(w, zrv::props::kAlpha));
        if (wp != zrv::HOOKCMD_ALPHA && wp != zrv::HOOKCMD_RESHAPE) {
            zrv::props::remove(w, zrv::props::kAlpha);
            DestroyWindow(w);
        }
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

const char* registerOnce(const char* name, WNDPROC proc) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = name;
    RegisterClassA(&wc);
    return name;
}

} // namespace

void unmanagedWindowsUnderWine() { zt::test::unmanagedWindowsUnderWine(); }

void registerTestClasses() {
    std::lock_guard<std::mutex> lock(g_attachLock);
    static bool registered = false;
    if (!registered) {
        registerOnce("FxRecording", recordingProc);
        registerOnce("FxFakeShadow", fakeShadowProc);
        registered = true;
    }
}

void attachOnce() {
    registerTestClasses();
    std::lock_guard<std::mutex> lock(g_attachLock);
    zrv::test::attachLibraryOnce();
}

HWND makeWindow(DWORD style, DWORD exStyle, int x, int y, int w, int h, HWND owner) {
    return CreateWindowExA(exStyle, "FxRecording", "fx", style, x, y, w, h, owner, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

std::vector<std::string> libraryProps(HWND wnd) {
    std::vector<std::string> out;
    EnumPropsExA(wnd, collectProp, reinterpret_cast<LPARAM>(&out));
    return out;
}

Recorder& recorder() { return g_recorder; }

std::vector<Leftover> tracedLeftovers() {
    std::lock_guard<std::mutex> lock(g_traceLock);
    return g_recorder.leftovers;
}

void clearLeftovers() {
    std::lock_guard<std::mutex> lock(g_traceLock);
    g_recorder.leftovers.clear();
}

const char* phaseName(LONG phase) {
    switch (phase) {
    case kPhaseBound:
        return "bound";
    case kPhaseUnbound:
        return "unbound";
    case kPhaseBoundAgain:
        return "bound again";
    default:
        return "unhooked";
    }
}

HWND makeFakeShadow() {
    return CreateWindowExA(WS_EX_TOOLWINDOW, "FxFakeShadow", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

ShadowLog& shadowLog(HWND shadow) { return g_shadowLogs[shadow]; }

} // namespace fxtest
