// Shared by the effect tests and the soak: the library linked into the test
// program, its hooks on the calling thread, windows that record what the
// library does to them.
#pragma once
#include <windows.h>

#include "tests/hooklib/win/thread_hooks.h"

#include <string>
#include <vector>

namespace fxtest {

// Under wine with no window manager on the display, hiding a captioned
// window waits two seconds for a manager that never answers. Marks this
// program's windows as unmanaged (a per-program wine setting) before its
// first window is made.
void unmanagedWindowsUnderWine();

// Runs the library's attach once for this process, and registers the
// classes below.
void attachOnce();
// Only the classes: for a program that binds the shipped library instead.
void registerTestClasses();

using ThreadHooks = zrv::test::ThreadHooks;

// A top-level window of the recording class.
HWND makeWindow(DWORD style, DWORD exStyle, int x, int y, int w, int h, HWND owner = nullptr);

// Names of the library's properties the window still carries.
std::vector<std::string> libraryProps(HWND wnd);

// Where the soak stands, for the trace of windows left with properties.
enum SoakPhase : LONG { kPhaseUnhooked, kPhaseBound, kPhaseUnbound, kPhaseBoundAgain };
const char* phaseName(LONG phase);

// A window that still had library properties at WM_NCDESTROY: when it was
// made and destroyed, and what its window procedure saw on the way out.
struct Leftover {
    LONG createdIn = kPhaseUnhooked;
    LONG destroyedIn = kPhaseUnhooked;
    // At its WM_DESTROY, after the library's call hook: -1 no shadow named,
    // 0 the named shadow already closed (the library saw the destruction),
    // 1 still open (it did not).
    int shadowOpenAtDestroy = -1;
    int messagesAfterDestroy = 0; // reaching its procedure between the two
    UINT lastMessage = 0;
    std::string props;
};

// What the recording windows saw. One record per process; the soak's threads
// only add to the counters.
struct Recorder {
    HWND watched = nullptr;
    int frameChangedMoves = 0;         // WM_WINDOWPOSCHANGED with SWP_FRAMECHANGED, of `watched`
    std::vector<std::string> leftAtNcDestroy; // library properties seen at WM_NCDESTROY
    volatile LONG windowsWithLeftovers = 0;    // any window, any thread
    // How often each of the library's properties (in the order of
    // zrv::props::kAll) was among them.
    volatile LONG leftoverByProp[32] = {};
    volatile LONG phase = kPhaseUnhooked;    // set by the soak
    // Windows whose procedure got messages between WM_DESTROY and
    // WM_NCDESTROY: where the library's clean-up at WM_DESTROY comes too early.
    volatile LONG windowsMessagedAfterDestroy = 0;
    // Reset commands of settings reloads that reached the recording windows.
    volatile LONG resetsAnswered = 0;
    std::vector<Leftover> leftovers;         // the first few, with how they came about
};
// A copy of the leftovers traced so far (taken under the recorder's lock).
std::vector<Leftover> tracedLeftovers();
void clearLeftovers();
Recorder& recorder();

// A stand-in for a shadow window: records the "ZRVHook" commands it gets and
// the "ALP" it had at each, and closes itself on the close command.
HWND makeFakeShadow();
struct ShadowLog {
    std::vector<WPARAM> commands;
    std::vector<int> alphaAtCommand;
};
ShadowLog& shadowLog(HWND shadow);

} // namespace fxtest
