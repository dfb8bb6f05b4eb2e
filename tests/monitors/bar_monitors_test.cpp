// The real tessel.exe on a desktop of two monitors, driven with the real
// mouse: the bar dragged onto the other monitor snaps to that monitor's edges
// and opens its dialogs there; at other DPIs the skin keeps its pixels.
#include "bar/win/resource.h"
#include "tests/bar/win/bar_fixture.h"
#include "tests/monitors/monitor_fixture.h"

#include <gtest/gtest.h>

namespace tessel::test {
namespace {

using namespace zt::test;

constexpr int kElementIdBase = 100;
constexpr int kMoveElement = 20;

HWND element(HWND bar, int i) {
    return GetDlgItem(bar, kElementIdBase + i);
}

RECT screenRect(HWND w) {
    RECT r = {};
    GetWindowRect(w, &r);
    return r;
}

// Drags the bar by its move element so that its corner goes to `to`, with
// the pace of a hand.
void dragBarTo(HWND bar, POINT to) {
    const RECT m = screenRect(element(bar, kMoveElement)), b = screenRect(bar);
    const POINT grab = {(m.left + m.right) / 2, (m.top + m.bottom) / 2};
    const POINT drop = {grab.x + to.x - b.left, grab.y + to.y - b.top};
    pressAt(grab);
    for (int i = 1; i <= 10; ++i) {
        SetCursorPos(grab.x + (drop.x - grab.x) * i / 10, grab.y + (drop.y - grab.y) * i / 10);
        pumpMessages(40);
    }
    pumpMessages(400);
    releaseAt(drop);
}

void expectOnMonitor(HWND dialog, const zt::Monitor& m, bool centred, const char* what) {
    ASSERT_TRUE(dialog) << what;
    const RECT r = screenRect(dialog);
    EXPECT_TRUE(inside(r, m.work))
        << what << " at " << describe(r) << ", work area " << describe(m.work);
    if (centred) {
        const zt::Rect c = zt::centredIn(r.right - r.left, r.bottom - r.top, m.work);
        EXPECT_EQ(r.left, c.left) << what;
        EXPECT_EQ(r.top, c.top) << what;
    }
}

void closeDialog(HWND dialog) {
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    waitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 3000);
}

void barOnTheOtherMonitor(const char* name) {
    const zt::Monitor other = otherMonitor();
    ASSERT_FALSE(other.bounds.empty()) << "this test needs a second monitor";
    BarFolder folder(name);
    Process p = folder.start();
    HWND bar = waitForBar(p.id());
    ASSERT_TRUE(bar);
    pumpMessages(400);
    const int w = 800, h = 100; // the test skin's bar
    const zt::Rect o = other.bounds;
    struct Case {
        const char* what;
        POINT drop;     // where the drag leaves the bar's corner
        POINT expected; // where the release puts it
    };
    // 3 pixels (45 twips) from an edge of the other monitor snap to it; 20
    // pixels stay. Its bottom is not the primary monitor's bottom.
    const Case cases[] = {
        {"near its left and top edges", {o.left + 3, o.top + 3}, {o.left, o.top}},
        {"in the open", {o.left + 20, o.top + 60}, {o.left + 20, o.top + 60}},
        {"near its right edge", {o.right - w - 3, o.top + 60}, {o.right - w, o.top + 60}},
        {"near its bottom", {o.left + 20, o.bottom - h - 3}, {o.left + 20, o.bottom - h}},
    };
    for (const Case& c : cases) {
        dragBarTo(bar, c.drop);
        EXPECT_TRUE(waitFor(
            [&] {
                const RECT r = screenRect(bar);
                return r.left == c.expected.x && r.top == c.expected.y;
            },
            3000))
            << c.what << ": at " << describe(screenRect(bar));
    }
    // Room beside it for the program popup.
    dragBarTo(bar, {o.left + 10, o.top + 40});
    ASSERT_TRUE(waitFor([&] { return screenRect(bar).left == o.left + 10; }, 3000));

    // Every dialog of the bar opens on its monitor, inside the work area.
    struct Dialog {
        const char* what;
        int element;   // clicked on the bar
        int controlId; // that the dialog holds
        bool centred;
    };
    const Dialog dialogs[] = {
        {"run dialog", 8, IDC_RUN, true},
        {"exit dialog", 12, IDC_EXIT_TESSEL, true},
        {"folder window", 5, IDC_FOLDER_LIST, true},
        {"file browser", 15, IDC_OPEN, true},
        {"program popup", 0, IDC_EDIT_PROGRAMS, false},
    };
    for (const Dialog& d : dialogs) {
        clickWindow(element(bar, d.element));
        HWND dialog = findDialog(p.id(), d.controlId);
        expectOnMonitor(dialog, other, d.centred, d.what);
        if (d.controlId != IDC_EDIT_PROGRAMS) {
            closeDialog(dialog);
            continue;
        }
        // The popup stands beside the bar; its editor opens centred.
        const RECT pr = screenRect(dialog), br = screenRect(bar);
        EXPECT_TRUE(pr.left == br.right || pr.right == br.left) << describe(pr);
        clickWindow(GetDlgItem(dialog, IDC_EDIT_PROGRAMS));
        HWND editor = findDialog(p.id(), IDC_DONE);
        expectOnMonitor(editor, other, true, "program list editor");
        closeDialog(editor);
    }
    p.kill();
}

TEST(SecondMonitorBar, SnapsToItsEdgesAndOpensItsDialogsThere) {
    barOnTheOtherMonitor("mon2");
}
TEST(LeftMonitorBar, SnapsToItsEdgesAndOpensItsDialogsThere) {
    barOnTheOtherMonitor("monleft");
}

// At any DPI the bar shows the skin's bitmaps at their own sizes, each where
// the file puts it in skin pixels, and its clock's text in skin pixels too,
// so that it stays inside the bar as the skin was drawn for it.
TEST(DpiBar, SkinPixelsAtEveryDpi) {
    int clockHeightAt96 = 0;
    for (int dpi : {96, 120, 144}) {
        SCOPED_TRACE(dpi);
        ScopedDpi screen(dpi);
        BarFolder folder("dpi" + std::to_string(dpi));
        Process p = folder.start();
        HWND bar = waitForBar(p.id());
        ASSERT_TRUE(bar);
        pumpMessages(400);
        RECT client = {};
        GetClientRect(bar, &client);
        EXPECT_EQ(client.right, 800);
        EXPECT_EQ(client.bottom, 100);
        const SkinLayout l = testLayout();
        for (int i = 0; i < kElementCount; ++i) {
            if (i == 10)
                continue;
            RECT r = screenRect(element(bar, i));
            MapWindowPoints(nullptr, bar, reinterpret_cast<POINT*>(&r), 2);
            EXPECT_EQ(r.left, l.elements[i].left / 15) << "element " << i;
            EXPECT_EQ(r.top, l.elements[i].top / 15) << "element " << i;
            EXPECT_EQ(r.right - r.left, elementSize(i).cx) << "element " << i;
            EXPECT_EQ(r.bottom - r.top, elementSize(i).cy) << "element " << i;
        }
        HWND clock = FindWindowExA(bar, nullptr, "TesselLabel", nullptr);
        ASSERT_TRUE(clock);
        RECT c = screenRect(clock);
        MapWindowPoints(nullptr, bar, reinterpret_cast<POINT*>(&c), 2);
        EXPECT_TRUE(inside(c, {0, 0, 800, 100})) << "clock at " << describe(c);
        if (dpi == 96)
            clockHeightAt96 = c.bottom - c.top;
        EXPECT_EQ(c.bottom - c.top, clockHeightAt96) << "the clock's text in skin pixels";
        p.kill();
    }
}

} // namespace
} // namespace tessel::test
