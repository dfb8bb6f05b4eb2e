// The real tesseldes.exe with its canvas on either monitor, dragged with the
// real mouse, and a skin written at one DPI shown by the bar at another.
#include "formats/skin_files.h"
#include "tests/bar/win/bar_fixture.h"
#include "tests/designer/win/designer_fixture.h"
#include "tests/monitors/monitor_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace tessel::designer::test {
namespace {

using namespace zt::test;

constexpr char kCompleted[] = "Completed!";
long long valueOf(const std::string& line) {
    return std::atoll(line.c_str());
}

RECT screenRect(HWND w) {
    RECT r = {};
    GetWindowRect(w, &r);
    return r;
}

void moveCanvas(HWND canvas, int left, int top) {
    SetWindowPos(canvas, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    waitFor([&] { return screenRect(canvas).left == left && screenRect(canvas).top == top; }, 3000);
}

// The canvas at a corner of the other monitor: elements are dragged there
// with the real pointer, and the file holds the canvas's screen place in
// twips, negative left of the primary monitor.
void canvasOnTheOtherMonitor(const char* name) {
    const zt::Monitor other = otherMonitor();
    ASSERT_FALSE(other.bounds.empty()) << "this test needs a second monitor";
    DesignerRun run(name);
    ASSERT_TRUE(run.open(defaultSkinFolder()));
    const std::string original = readTextFile(skinFilePath(defaultSkinFolder(), kSkinSettingsFile));
    const POINT corner = {other.work.left + 30, other.work.top + 20};
    moveCanvas(run.canvas(), corner.x, corner.y);
    const POINT from = run.elementCentreOnScreen(0);
    ASSERT_TRUE(inside({from.x, from.y, from.x + 1, from.y + 1}, other.bounds));
    dragWithMouse(from, {from.x + 20, from.y + 10}, MK_LBUTTON);

    const std::string path = run.dir() + "\\on_monitor.tsl";
    ASSERT_EQ(run.make(path), kCompleted);
    const std::string written = readTextFile(path);
    EXPECT_EQ(valueOf(lineOf(written, 2)), corner.x * 15LL);
    EXPECT_EQ(valueOf(lineOf(written, 3)), corner.y * 15LL);
    EXPECT_EQ(valueOf(lineOf(written, 6)), valueOf(lineOf(original, 6)) + 20 * 15);
    EXPECT_EQ(valueOf(lineOf(written, 7)), valueOf(lineOf(original, 7)) + 10 * 15);

    // The bar reads that file and stands where the canvas stood.
    SkinLayout layout;
    ASSERT_FALSE(readSkinLayout(written, layout).failed());
    EXPECT_EQ(layout.barLeft, corner.x * 15);

    // Beyond the file's 16-bit twips (about 2184 pixels from the primary
    // monitor's corner) the clear message comes, and no file.
    if (other.bounds.left < 0) {
        moveCanvas(run.canvas(), -2200, corner.y);
        const std::string refused = run.dir() + "\\beyond.tsl";
        const std::string message = run.make(refused);
        EXPECT_NE(message.find("not written"), std::string::npos) << message;
        EXPECT_EQ(GetFileAttributesA(refused.c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

// A skin whose canvas stood on a monitor that is not there now (below both
// of these) opens with its canvas on a monitor the user can reach.
void canvasFromAMonitorThatIsGone(const char* name) {
    DesignerRun run(name);
    const std::string skin = run.dir() + "\\Skin";
    copyFolder(defaultSkinFolder(), skin);
    const std::string file = skinFilePath(skin, kSkinSettingsFile);
    std::vector<std::string> lines = splitLines(readTextFile(file));
    ASSERT_GE(lines.size(), 70u);
    lines[2] = formatNumberForFile(1100 * 15); // line 3: the canvas's top
    std::string text;
    for (const std::string& l : lines)
        text += l + "\r\n";
    writeTextFile(file, text);
    ASSERT_TRUE(run.open(skin));
    const RECT r = screenRect(run.canvas());
    bool onOne = false;
    for (const zt::Monitor& m : platformMonitors())
        onOne = onOne || inside(r, m.work);
    EXPECT_TRUE(onOne) << describe(r);
}

TEST(SecondMonitorDesigner, CanvasThere) {
    canvasOnTheOtherMonitor("mon2");
}
TEST(SecondMonitorDesigner, CanvasFromAMonitorThatIsGone) {
    canvasFromAMonitorThatIsGone("gone2");
}
TEST(LeftMonitorDesigner, CanvasAtNegativeCoordinates) {
    canvasOnTheOtherMonitor("monleft");
}
TEST(LeftMonitorDesigner, CanvasFromAMonitorThatIsGone) {
    canvasFromAMonitorThatIsGone("goneleft");
}

// A skin written by the designer at one DPI and read by the bar at another:
// every element stands on the bar where the designer showed it on the
// canvas, in the pixels of the skin's bitmaps.
TEST(DpiDesigner, SkinWrittenAtOneDpiIsShownAlikeAtAnother) {
    struct Case {
        int written, read;
    };
    static constexpr Case cases[] = {{144, 96}, {96, 120}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.written << " then " << c.read);
        tessel::test::BarFolder folder("dpi_" + std::to_string(c.written));
        RECT shown[kElementCount] = {};
        {
            ScopedDpi dpi(c.written);
            DesignerRun run("dpi_" + std::to_string(c.written));
            ASSERT_TRUE(run.open(folder.skinDir()));
            const POINT from = run.elementCentreOnScreen(3);
            dragWithMouse(from, {from.x + 7, from.y + 3}, MK_LBUTTON);
            for (int i = 0; i < kElementCount; ++i)
                shown[i] = run.elementRect(i);
            ASSERT_EQ(run.make(skinFilePath(folder.skinDir(), kSkinSettingsFile)), kCompleted);
        }
        ScopedDpi dpi(c.read);
        Process bar = folder.start();
        HWND wnd = tessel::test::waitForBar(bar.id());
        ASSERT_TRUE(wnd);
        for (int i = 0; i < kElementCount; ++i) {
            if (i == 10)
                continue;
            RECT r = screenRect(GetDlgItem(wnd, 100 + i));
            MapWindowPoints(nullptr, wnd, reinterpret_cast<POINT*>(&r), 2);
            EXPECT_EQ(r.left, shown[i].left) << "element " << i;
            EXPECT_EQ(r.top, shown[i].top) << "element " << i;
            EXPECT_EQ(r.right, shown[i].right) << "element " << i;
            EXPECT_EQ(r.bottom, shown[i].bottom) << "element " << i;
        }
        bar.kill();
    }
}

} // namespace
} // namespace tessel::designer::test
