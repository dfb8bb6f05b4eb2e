// Title-bar drags with real mouse input: the library's code linked into this
// program, its hooks on this thread. Wine runs the move loop itself for this
// program's unmanaged windows; the input comes from a second thread while the
// window's thread sits in that loop.
#include "hooklib/win/process_state.h"
#include "hooklib/win/settings_reads.h"
#include "hooklib/win/window_props.h"
#include "tests/hooklib/win/attached_library.h"
#include "tests/hooklib/win/drag_support.h"
#include "tests/hooklib/win/excluded_program.h"
#include "tests/hooklib/win/thread_hooks.h"
#include "tests/support/win/import_patch.h"
#include "tests/support/win/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

using namespace zt::test;
using namespace dragtest;
namespace props = zrv::props;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr int kToleranceMix = 12;

LRESULT CALLBACK countingProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_PAINT)
        ++paintsOf(w);
    return DefWindowProcA(w, m, wp, lp);
}

class Drag : public ::testing::Test {
protected:
    void SetUp() override {
        zrv::test::attachLibraryOnce();
        load(); // every test starts from the defaults
        brush_ = CreateSolidBrush(kRed);
        WNDCLASSA wc = {};
        wc.lpfnWndProc = countingProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.hbrBackground = brush_;
        wc.lpszClassName = "DragTestRed";
        RegisterClassA(&wc);
    }
    void TearDown() override {
        for (HWND w : windows_)
            if (IsWindow(w))
                DestroyWindow(w);
        pumpMessages(50);
        UnregisterClassA("DragTestRed", GetModuleHandleA(nullptr));
        DeleteObject(brush_);
    }
    static void set(const char* key, int value) { writeIni("Zirvane.ini", "GLOBAL", key, value); }
    static void load() { zrv::LoadEffectSettings(); }

    HWND redWindow(DWORD exStyle = 0) {
        HWND w = CreateWindowExA(exStyle, "DragTestRed", "drag me", WS_OVERLAPPEDWINDOW, 100, 100,
                                 400, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        windows_.push_back(w);
        ShowWindow(w, SW_SHOW);
        UpdateWindow(w);
        pumpMessages(200);
        return w;
    }

    ScopedSettingsFiles files_;
    zrv::test::ThreadHooks hooks_;
    HBRUSH brush_ = nullptr;
    std::vector<HWND> windows_;
};

bool layeredNow(HWND w) {
    return (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
}

bool similar(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

TEST_F(Drag, TitleBarDragShowsTheFrozenPictureTranslucentThenRestores) {
    HWND w = redWindow();
    const POINT newPlace = {750, 650}, oldPlace = {150, 200};
    const COLORREF behindNew = screenPixel(newPlace);
    const int paintsBefore = paintsOf(w);
    const DragRun run = dragCaption(w, {300, 300}, [&](Observed& o) {
        o.pixelAt[0] = screenPixel(newPlace);
        o.pixelAt[1] = screenPixel(oldPlace);
    });
    ASSERT_TRUE(run.moved) << "the window did not follow the mouse";
    EXPECT_TRUE(run.during.layered);
    EXPECT_TRUE(run.during.hasPicture);
    EXPECT_TRUE(run.during.hasPictureDc);
    EXPECT_FALSE(run.after.layered);
    EXPECT_FALSE(run.after.hasPicture);
    EXPECT_FALSE(run.after.hasPictureDc) << "\"HH2\" must go with \"HH\"";
    EXPECT_GT(paintsOf(w), paintsBefore) << "the window is repainted after the release";
    if (!compositorRunning())
        GTEST_SKIP() << "no compositor on the display: translucency is not on screen";
    const COLORREF mixed = mix(kRed, behindNew, 200);
    EXPECT_TRUE(similar(run.during.pixelAt[0], mixed, kToleranceMix))
        << std::hex << "seen 0x" << run.during.pixelAt[0] << ", expected about 0x" << mixed;
    EXPECT_FALSE(similar(run.during.pixelAt[1], kRed, 40)) << "the desktop shows at the old place";
    EXPECT_TRUE(similar(screenPixel(newPlace), kRed, 4)) << "opaque again after the release";
}

// The parts of the desktop the library has repainted, seen through this
// program's import table.
struct DesktopRepaints {
    static inline std::vector<RECT> asked;
    static inline DesktopRepaints* self = nullptr;
    static BOOL WINAPI redrawWindow(HWND w, const RECT* r, HRGN rgn, UINT flags) {
        if (w == GetDesktopWindow() && r)
            asked.push_back(*r);
        return self->patch_.original<decltype(&RedrawWindow)>()(w, r, rgn, flags);
    }
    DesktopRepaints() {
        self = this;
        asked.clear();
    }
    ~DesktopRepaints() { self = nullptr; }
    zt::test::ImportPatch patch_{"user32.dll", "RedrawWindow",
                                 reinterpret_cast<void*>(&redrawWindow)};
};

bool sameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// A ghost drag leaves the desktop at the starting place alone until the drag
// ends (the window's old image stays there), then repaints it; a translucent
// drag repaints it as the drag starts, so the desktop shows through.
TEST_F(Drag, GhostDragRepaintsTheStartingPlaceOnlyAtTheEnd) {
    struct Case {
        int ghost;
        size_t duringDrag, afterDrag;
    };
    for (const Case c : {Case{1, 0, 1}, Case{0, 1, 1}}) {
        SCOPED_TRACE(c.ghost ? "ghost" : "translucent");
        set("SEMIDRAGGHOST", c.ghost);
        load();
        HWND w = redWindow();
        RECT start = {};
        GetWindowRect(w, &start);
        DesktopRepaints repaints;
        ASSERT_TRUE(repaints.patch_.ok());
        size_t during = 0;
        const DragRun run =
            dragCaption(w, {200, 150}, [&](Observed&) { during = DesktopRepaints::asked.size(); });
        ASSERT_TRUE(run.moved);
        EXPECT_TRUE(run.during.layered);
        EXPECT_EQ(during, c.duringDrag);
        ASSERT_EQ(DesktopRepaints::asked.size(), c.afterDrag);
        EXPECT_TRUE(sameRect(DesktopRepaints::asked.back(), start));
        DestroyWindow(w);
    }
}

TEST_F(Drag, GhostDragShowsTheSamePictureAndCleansUp) {
    set("SEMIDRAGGHOST", 1);
    set("SEMIDRAGVAL", 120);
    load();
    HWND w = redWindow();
    const POINT newPlace = {750, 650};
    const COLORREF behindNew = screenPixel(newPlace);
    const DragRun run = dragCaption(w, {300, 300},
                                    [&](Observed& o) { o.pixelAt[0] = screenPixel(newPlace); });
    ASSERT_TRUE(run.moved);
    EXPECT_TRUE(run.during.layered);
    EXPECT_TRUE(run.during.hasPicture);
    EXPECT_FALSE(run.after.layered);
    EXPECT_FALSE(run.after.hasPicture);
    EXPECT_FALSE(run.after.hasPictureDc);
    if (!compositorRunning())
        GTEST_SKIP() << "no compositor on the display: translucency is not on screen";
    EXPECT_TRUE(similar(run.during.pixelAt[0], mix(kRed, behindNew, 120), kToleranceMix))
        << "\"SEMIDRAGVAL\" is read at the drag";
}

TEST_F(Drag, WindowComesBackWhateverHappensInTheProcessDuringTheMove) {
    struct Case {
        const char* what;
        void (*meanwhile)();
    };
    static const Case cases[] = {
        {"another thread saw a size command",
         [] { zrv::state().lastCommandWasMove = false; }},
        {"the settings were reloaded with dragging off",
         [] {
             writeIni("Zirvane.ini", "GLOBAL", "SEMIDRAG", 0);
             zrv::LoadEffectSettings();
         }},
    };
    for (const Case& c : cases) {
        set("SEMIDRAG", 1);
        load();
        HWND w = redWindow();
        const DragRun run = dragCaption(w, {120, 80}, [&](Observed&) { c.meanwhile(); });
        ASSERT_TRUE(run.moved) << c.what;
        EXPECT_TRUE(run.during.hasPicture) << c.what;
        EXPECT_FALSE(run.after.layered) << c.what;
        EXPECT_FALSE(run.after.hasPicture) << c.what;
        EXPECT_FALSE(run.after.hasPictureDc) << c.what;
        DestroyWindow(w);
    }
}

TEST_F(Drag, WindowDestroyedMidDragTakesItsPictureAlong) {
    HWND w = redWindow();
    zrv::state().lastCommandWasMove = true;
    SendMessageA(w, WM_ENTERSIZEMOVE, 0, 0);
    const HGDIOBJ picture = GetPropA(w, props::kSnapshot);
    const HGDIOBJ context = GetPropA(w, props::kSnapshotDc);
    ASSERT_NE(picture, nullptr);
    DestroyWindow(w);
    EXPECT_EQ(GetObjectType(picture), 0u) << "the picture is deleted";
    EXPECT_EQ(GetObjectType(context), 0u) << "its context is deleted";
}

TEST_F(Drag, BorderResizeAfterATitleBarDragIsLeftAlone) {
    HWND w = redWindow();
    ASSERT_TRUE(dragCaption(w, {100, 50}, nullptr).moved);
    const DragRun resize = dragRightBorder(w, 120);
    ASSERT_TRUE(resize.resized) << "the border drag did not resize the window";
    EXPECT_FALSE(resize.during.layered);
    EXPECT_FALSE(resize.during.hasPicture);
}

TEST_F(Drag, LayeredWindowsAndSemiDragOffAreDraggedAsTheyAre) {
    HWND layered = redWindow(WS_EX_LAYERED);
    SetLayeredWindowAttributes(layered, 0, 150, LWA_ALPHA);
    const DragRun a = dragCaption(layered, {150, 100}, nullptr);
    ASSERT_TRUE(a.moved);
    EXPECT_FALSE(a.during.hasPicture) << "application transparency";
    BYTE alpha = 0;
    DWORD flags = 0;
    EXPECT_TRUE(GetLayeredWindowAttributes(layered, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 150);
    EXPECT_TRUE(a.after.layered);
    DestroyWindow(layered);

    set("SEMIDRAG", 0);
    load();
    HWND plain = redWindow();
    const DragRun b = dragCaption(plain, {150, 100}, nullptr);
    ASSERT_TRUE(b.moved);
    EXPECT_FALSE(b.during.layered) << "SEMIDRAG 0";
    EXPECT_FALSE(b.during.hasPicture) << "SEMIDRAG 0";
}

// An excluded program's windows are dragged as they are, translucent and
// ghost dragging alike: no layering and no photograph at any point.
TEST_F(Drag, AnExcludedProgramsWindowsAreDraggedAsTheyAre) {
    zrv::test::ExcludedProgram excluded;
    for (int ghost : {0, 1}) {
        SCOPED_TRACE(ghost ? "ghost" : "translucent");
        set("SEMIDRAG", 1);
        set("SEMIDRAGGHOST", ghost);
        load();
        HWND w = redWindow();
        const DragRun run = dragCaption(w, {150, 100}, nullptr);
        ASSERT_TRUE(run.moved);
        EXPECT_FALSE(run.during.layered);
        EXPECT_FALSE(run.during.hasPicture);
        EXPECT_FALSE(run.during.hasPictureDc);
        EXPECT_FALSE(run.after.layered);
        DestroyWindow(w);
    }
}

// A program's own "HH" and "HH2" on its window: a bitmap and a memory drawing
// context that are the program's, which the library must neither release
// nor replace.
struct ProgramsPicture {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateBitmap(8, 8, 1, 32, nullptr);
    ProgramsPicture() = default;
    ProgramsPicture(const ProgramsPicture&) = delete;
    ProgramsPicture& operator=(const ProgramsPicture&) = delete;
    ~ProgramsPicture() {
        if (GetObjectType(dc) == OBJ_MEMDC)
            DeleteDC(dc);
        if (GetObjectType(bmp) == OBJ_BITMAP)
            DeleteObject(bmp);
    }
    void hangOn(HWND w) const {
        SetPropA(w, props::kSnapshot, bmp);
        SetPropA(w, props::kSnapshotDc, dc);
    }
    bool alive() const { return GetObjectType(bmp) == OBJ_BITMAP && GetObjectType(dc) == OBJ_MEMDC; }
    bool namedBy(HWND w) const {
        return GetPropA(w, props::kSnapshot) == bmp && GetPropA(w, props::kSnapshotDc) == dc;
    }
};

TEST_F(Drag, AProgramsOwnPictureOutlivesTheEndOfASizeOrOfAMoveWithDraggingOff) {
    ProgramsPicture own;
    ASSERT_TRUE(own.alive());
    HWND w = redWindow();
    own.hangOn(w);
    // A border resize: no move command, the effect is not for it.
    const DragRun resize = dragRightBorder(w, 60);
    ASSERT_TRUE(resize.resized);
    EXPECT_TRUE(own.alive()) << "after a border resize";
    EXPECT_TRUE(own.namedBy(w)) << "after a border resize";
    // Dragging off: a move begins and ends.
    set("SEMIDRAG", 0);
    load();
    zrv::state().lastCommandWasMove = true;
    SendMessageA(w, WM_ENTERSIZEMOVE, 0, 0);
    SendMessageA(w, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_TRUE(own.alive()) << "\"SEMIDRAG\" 0";
    EXPECT_TRUE(own.namedBy(w)) << "\"SEMIDRAG\" 0";
}

// The window is dragged as it is: the library's picture would take the
// program's names, and the start would release what they named.
TEST_F(Drag, ATitleBarDragLeavesAProgramsOwnPictureAlone) {
    ProgramsPicture own;
    HWND w = redWindow();
    own.hangOn(w);
    const DragRun run = dragCaption(w, {120, 80}, nullptr);
    ASSERT_TRUE(run.moved);
    EXPECT_FALSE(run.during.layered);
    EXPECT_TRUE(own.alive());
    EXPECT_TRUE(own.namedBy(w));
    EXPECT_FALSE(layeredNow(w));
}

TEST_F(Drag, AProgramsOwnPictureOutlivesItsWindow) {
    ProgramsPicture own;
    HWND w = redWindow();
    own.hangOn(w);
    DestroyWindow(w);
    EXPECT_TRUE(own.alive());
}

// What the library does with its drawing objects, seen through this
// program's import table: a bitmap deleted while still selected into a
// memory context is not freed on Windows (wine frees it later, so only the
// order shows it), and a screen copy that fails.
struct DrawingWatch {
    static inline std::vector<HDC> liveContexts;
    static inline int deletedWhileSelected = 0;
    static inline int failedCopies = 0;
    static inline bool failCopies = false;
    static inline DrawingWatch* self = nullptr;

    static HDC WINAPI createCompatibleDC(HDC dc) {
        HDC made = self->create_.original<decltype(&CreateCompatibleDC)>()(dc);
        if (made)
            liveContexts.push_back(made);
        return made;
    }
    static BOOL WINAPI deleteDC(HDC dc) {
        liveContexts.erase(std::remove(liveContexts.begin(), liveContexts.end(), dc),
                           liveContexts.end());
        return self->deleteDc_.original<decltype(&DeleteDC)>()(dc);
    }
    static BOOL WINAPI deleteObject(HGDIOBJ obj) {
        if (GetObjectType(obj) == OBJ_BITMAP)
            for (HDC dc : liveContexts)
                if (GetCurrentObject(dc, OBJ_BITMAP) == obj)
                    ++deletedWhileSelected;
        return self->deleteObject_.original<decltype(&DeleteObject)>()(obj);
    }
    static BOOL WINAPI bitBlt(HDC d, int x, int y, int w, int h, HDC s, int sx, int sy, DWORD op) {
        if (failCopies) {
            ++failedCopies;
            return FALSE;
        }
        return self->bitBlt_.original<decltype(&BitBlt)>()(d, x, y, w, h, s, sx, sy, op);
    }

    DrawingWatch() {
        self = this;
        liveContexts.clear();
        deletedWhileSelected = failedCopies = 0;
        failCopies = false;
    }
    ~DrawingWatch() { self = nullptr; }
    bool ok() const { return create_.ok() && deleteDc_.ok() && deleteObject_.ok() && bitBlt_.ok(); }

    zt::test::ImportPatch create_{"gdi32.dll", "CreateCompatibleDC",
                                  reinterpret_cast<void*>(&createCompatibleDC)};
    zt::test::ImportPatch deleteDc_{"gdi32.dll", "DeleteDC", reinterpret_cast<void*>(&deleteDC)};
    zt::test::ImportPatch deleteObject_{"gdi32.dll", "DeleteObject",
                                        reinterpret_cast<void*>(&deleteObject)};
    zt::test::ImportPatch bitBlt_{"gdi32.dll", "BitBlt", reinterpret_cast<void*>(&bitBlt)};
};

TEST_F(Drag, AFailedDragStartReleasesItsPictureAfterTheContextHoldingIt) {
    HWND w = redWindow();
    DrawingWatch watch;
    ASSERT_TRUE(watch.ok()) << "the program imports the drawing functions";
    const unsigned long objectsBefore = gdiObjectsOfThisProcess();
    DrawingWatch::failCopies = true;
    zrv::state().lastCommandWasMove = true;
    SendMessageA(w, WM_ENTERSIZEMOVE, 0, 0);
    DrawingWatch::failCopies = false;
    ASSERT_GT(DrawingWatch::failedCopies, 0) << "the drag start copied no picture";
    EXPECT_EQ(DrawingWatch::deletedWhileSelected, 0)
        << "the picture was deleted while still selected into its context";
    EXPECT_FALSE(layeredNow(w));
    EXPECT_EQ(GetPropA(w, props::kSnapshot), nullptr);
    EXPECT_EQ(GetPropA(w, props::kSnapshotDc), nullptr);
    EXPECT_EQ(gdiObjectsOfThisProcess(), objectsBefore);
    SendMessageA(w, WM_EXITSIZEMOVE, 0, 0);
}

} // namespace
