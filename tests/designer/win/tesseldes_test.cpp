// The real tesseldes.exe: a skin opened, arranged and written, and the bar
// started on what it wrote.
#include "tests/designer/win/designer_fixture.h"

#include "designer/design_model.h"
#include "designer/win/resource.h"
#include "formats/skin_files.h"
#include "tests/support/win/bitmap_files.h"

#include <gtest/gtest.h>

namespace tessel::designer::test {
namespace {

using namespace zt::test;

constexpr int kTw = 15; // twips per pixel on the test display (96 DPI)
constexpr int kBarElementIdBase = 100; // the bar's element windows
constexpr char kCompleted[] = "Completed!";
constexpr char kWriteFailed[] = "Shit there was an error";

std::string num(long long v) { return (v < 0 ? "" : " ") + std::to_string(v) + " "; }
long long valueOf(const std::string& line) { return std::atoll(line.c_str()); }

RECT windowRect(HWND w) {
    RECT r = {};
    GetWindowRect(w, &r);
    return r;
}

COLORREF screenPixelAt(POINT pt) {
    HDC dc = GetDC(nullptr);
    const COLORREF c = GetPixel(dc, pt.x, pt.y);
    ReleaseDC(nullptr, dc);
    return c;
}

TEST(Tesseldes, DefaultSkinRoundTripAndTheBarStartsOnIt) {
    DesignerRun run("roundtrip");
    std::string message;
    ASSERT_TRUE(run.open(defaultSkinFolder(), &message));
    EXPECT_EQ(message, "");
    EXPECT_FALSE(IsWindow(run.chooser())) << "the skin chooser is closed";
    const std::string original =
        readTextFile(skinFilePath(defaultSkinFolder(), kSkinSettingsFile));

    // The canvas: caption "Tessel", sized to the background plus its frame,
    // the progress preview half filled.
    char caption[64] = {};
    GetWindowTextA(run.canvas(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Tessel");
    EXPECT_EQ(run.text(1), "Tessel");
    EXPECT_EQ(SendMessageA(run.canvas(), 0x0408 /* PBM_GETPOS */, 0, 0), 50);
    RECT bg = run.elementRect(kImage1);
    EXPECT_EQ(bg.left, 0);
    EXPECT_EQ(bg.top, 0);
    EXPECT_EQ(bg.right, 1000);
    EXPECT_EQ(bg.bottom, 40);
    // The whole background shows, whatever frame the platform draws.
    RECT client = {};
    GetClientRect(run.canvas(), &client);
    EXPECT_EQ(client.right, 1000);
    EXPECT_EQ(client.bottom, 40);
    // The control panel stands beside the canvas, inside the work area.
    const RECT cr = windowRect(run.canvas()), pr = windowRect(run.panel());
    RECT over = {}, work = {};
    EXPECT_FALSE(IntersectRect(&over, &cr, &pr))
        << "panel " << pr.left << "," << pr.top << " over the canvas";
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_TRUE(pr.left >= work.left && pr.top >= work.top && pr.right <= work.right &&
                pr.bottom <= work.bottom);
    // Elements stand where the file puts them.
    for (int i = 0; i < kButtonPicCount; ++i) {
        const RECT r = run.elementRect(i);
        EXPECT_EQ(r.left * kTw, valueOf(lineOf(original, 6 + 2 * i))) << i;
        EXPECT_EQ(r.top * kTw, valueOf(lineOf(original, 7 + 2 * i))) << i;
    }
    EXPECT_EQ(run.text(2), formatPlain(static_cast<double>(valueOf(lineOf(original, 50)))));

    // Written into a copy of the skin, so that the bar can start on it.
    const std::string skin = run.dir() + "\\Skin";
    copyFolder(defaultSkinFolder(), skin);
    deleteFile(skin + "\\skinsettings.tsl");
    ASSERT_EQ(run.make(skin + "\\skinsettings.tsl"), kCompleted);
    const std::string written = readTextFile(skin + "\\skinsettings.tsl");
    const auto lines = splitLines(written);
    ASSERT_EQ(lines.size(), 70u);
    EXPECT_EQ(written.substr(written.size() - 2), "\r\n");
    EXPECT_EQ(lines[0], "Tessel");
    const RECT wr = windowRect(run.canvas());
    EXPECT_EQ(lines[1], num(wr.left * kTw));
    EXPECT_EQ(lines[2], num(wr.top * kTw));
    // The bar's size plus the file's fixed frame, so that the bar takes
    // exactly the background's size.
    EXPECT_EQ(lines[3], num(1000 * kTw + 115));
    EXPECT_EQ(lines[4], num(40 * kTw + 360));
    for (int n = 6; n <= 70; ++n)
        EXPECT_EQ(lines[n - 1], lineOf(original, n)) << "line " << n;

    // Minimized, the canvas still gives the place it is restored to.
    ShowWindow(run.canvas(), SW_MINIMIZE);
    ASSERT_TRUE(waitFor([&] { return IsIconic(run.canvas()) != FALSE; }, 3000));
    ASSERT_EQ(run.make(run.dir() + "\\minimized.tsl"), kCompleted);
    EXPECT_EQ(readTextFile(run.dir() + "\\minimized.tsl"), written);
    ShowWindow(run.canvas(), SW_RESTORE);

    // The bar on the written skin.
    const std::string bar = run.dir() + "\\Bar";
    CreateDirectoryA(bar.c_str(), nullptr);
    CopyFileA(inExeDir("tessel.exe").c_str(), (bar + "\\tessel.exe").c_str(), FALSE);
    CopyFileA(inExeDir("programs.prg").c_str(), (bar + "\\programs.prg").c_str(), FALSE);
    writeTextFile(bar + "\\tessel.tsi", "global\r\n" + skin + "\r\n");
    Process tessel("\"" + bar + "\\tessel.exe\"", bar);
    HWND barWnd = nullptr;
    ASSERT_TRUE(waitFor(
        [&] {
            barWnd = findWindowOfProcess(tessel.id(), "TesselBar", nullptr);
            return barWnd && IsWindowVisible(barWnd);
        },
        10000));
    const RECT br = windowRect(barWnd);
    EXPECT_EQ(br.right - br.left, 1000);
    EXPECT_EQ(br.bottom - br.top, 40);
    for (int i = 0; i < kButtonPicCount; ++i) {
        RECT r = windowRect(GetDlgItem(barWnd, kBarElementIdBase + i));
        MapWindowPoints(nullptr, barWnd, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left * kTw, valueOf(lineOf(original, 6 + 2 * i))) << i;
        EXPECT_EQ(r.top * kTw, valueOf(lineOf(original, 7 + 2 * i))) << i;
    }
    tessel.kill();
}

struct DragCase {
    const char* what;
    int element;
    POINT by;     // pixels
    UINT buttons;
    POINT moved;  // pixels the element should have moved
};

TEST(Tesseldes, DraggingWithTheRealMouse) {
    DesignerRun run("drag");
    ASSERT_TRUE(run.open(defaultSkinFolder()));
    const std::string original =
        readTextFile(skinFilePath(defaultSkinFolder(), kSkinSettingsFile));
    // A drag begun on empty canvas moves nothing it passes over: from a
    // free spot on element 11's row, across element 11 and beyond.
    const RECT e11 = run.elementRect(11);
    const int row = (e11.top + e11.bottom) / 2;
    POINT empty = {-1, row};
    for (int x = 0; x < 1000 && empty.x < 0; ++x) {
        bool free = true;
        for (int i = 0; i < kCanvasElementCount && free; ++i) {
            const RECT r = run.elementRect(i);
            free = i == kImage1 || !PtInRect(&r, {x, row});
        }
        if (free)
            empty.x = x;
    }
    ASSERT_GE(empty.x, 0) << "no free spot on the row of element 11";
    ClientToScreen(run.canvas(), &empty);
    const POINT at11 = run.elementCentreOnScreen(11);
    dragWithMouse(empty, {at11.x + (at11.x - empty.x) / 2 + 20, at11.y}, MK_LBUTTON);
    const std::string still = run.dir() + "\\still.tsl";
    ASSERT_EQ(run.make(still), kCompleted);
    for (int n = 6; n <= 67; ++n)
        EXPECT_EQ(lineOf(readTextFile(still), n), lineOf(original, n)) << "line " << n;

    const int offLeft = -(run.elementRect(4).right + 40);
    const DragCase cases[] = {
        {"left drag", 0, {30, 10}, MK_LBUTTON, {30, 10}},
        {"off the left edge", 4, {offLeft, 0}, MK_LBUTTON, {offLeft, 0}},
        {"right drag", 5, {40, 20}, MK_RBUTTON, {0, 0}},
        {"left and right", 6, {40, 20}, MK_LBUTTON | MK_RBUTTON, {0, 0}},
        {"task area", kTaskArea, {-20, 3}, MK_LBUTTON, {-20, 3}},
    };
    for (const auto& c : cases) {
        const POINT from = run.elementCentreOnScreen(c.element);
        dragWithMouse(from, {from.x + c.by.x, from.y + c.by.y}, c.buttons);
    }
    // Stacking: element 9 dropped onto element 8 lies beneath it, so a press
    // there takes element 8, as the bar would show it on top.
    const POINT at8 = run.elementCentreOnScreen(8), at9 = run.elementCentreOnScreen(9);
    dragWithMouse(at9, at8, MK_LBUTTON);
    dragWithMouse(at8, {at8.x + 25, at8.y + 7}, MK_LBUTTON);

    const std::string path = run.dir() + "\\dragged.tsl";
    ASSERT_EQ(run.make(path), kCompleted);
    const std::string written = readTextFile(path);
    EXPECT_EQ(valueOf(lineOf(written, 6 + 2 * 9)),
              valueOf(lineOf(original, 6 + 2 * 9)) + (at8.x - at9.x) * kTw);
    EXPECT_EQ(valueOf(lineOf(written, 7 + 2 * 9)),
              valueOf(lineOf(original, 7 + 2 * 9)) + (at8.y - at9.y) * kTw);
    EXPECT_EQ(valueOf(lineOf(written, 6 + 2 * 8)), valueOf(lineOf(original, 6 + 2 * 8)) + 25 * kTw);
    EXPECT_EQ(valueOf(lineOf(written, 7 + 2 * 8)), valueOf(lineOf(original, 7 + 2 * 8)) + 7 * kTw);
    for (const auto& c : cases) {
        const int line = 6 + 2 * c.element;
        EXPECT_EQ(valueOf(lineOf(written, line)),
                  valueOf(lineOf(original, line)) + c.moved.x * kTw)
            << c.what;
        EXPECT_EQ(valueOf(lineOf(written, line + 1)),
                  valueOf(lineOf(original, line + 1)) + c.moved.y * kTw)
            << c.what;
    }
    EXPECT_LT(valueOf(lineOf(written, 6 + 2 * 4)), 0);
    // Dragging does not resize: the task area's size lines are unchanged.
    EXPECT_EQ(lineOf(written, 50), lineOf(original, 50));
    EXPECT_EQ(lineOf(written, 51), lineOf(original, 51));
}

TEST(Tesseldes, ControlPanelBoxesArrowsOptionsAndColours) {
    DesignerRun run("panel");
    ASSERT_TRUE(run.open(defaultSkinFolder()));
    const std::string path = run.dir() + "\\panel.tsl";

    // Typed sizes: a number applies at once, anything else is ignored.
    run.type(2, "2000");
    run.type(2, "abc");
    run.type(3, "-5");
    EXPECT_EQ(run.text(2), "abc");
    EXPECT_EQ(run.elementRect(kTaskArea).right - run.elementRect(kTaskArea).left, 2000 / kTw);

    // Each arrow: the size it names moves by 20 twips, and exactly the
    // boxes of the table are refreshed (a box holding "stale" was not).
    struct Arrow {
        int command;
        int box;       // the box showing the size changed
        int delta;
        int otherBox;  // the element's other box
        bool otherRefreshed;
    };
    const Arrow arrows[] = {
        {2, 2, -20, 3, true},  {3, 2, 20, 3, true},   {4, 3, -20, 2, true},
        {5, 3, 20, 2, true},   {6, 4, 20, 5, true},   {7, 4, -20, 5, true},
        {8, 5, 20, 4, false},  {9, 5, -20, 4, false}, {10, 7, 20, 6, true},
        {11, 7, -20, 6, true}, {12, 6, 20, 7, true},  {13, 6, -20, 7, true},
        {14, 9, 20, 8, true},  {15, 9, -20, 8, true}, {16, 8, 20, 9, true},
        {17, 8, -20, 9, true},
    };
    for (const auto& a : arrows) {
        run.type(a.box, "100");
        run.type(a.otherBox, "stale");
        run.click(a.command);
        EXPECT_EQ(run.text(a.box), std::to_string(100 + a.delta)) << "Command" << a.command;
        EXPECT_EQ(run.text(a.otherBox) != "stale", a.otherRefreshed) << "Command" << a.command;
    }
    // A step below zero stops at 0.
    run.type(4, "10");
    run.click(7);
    EXPECT_EQ(run.text(4), "0");

    run.type(2, "2000");
    run.type(3, "300");
    ASSERT_EQ(run.make(path), kCompleted);
    std::string written = readTextFile(path);
    EXPECT_EQ(lineOf(written, 50), " 2000 ");
    EXPECT_EQ(lineOf(written, 51), " 300 ");
    EXPECT_EQ(lineOf(written, 59), " 0 "); // progress bar height
    EXPECT_EQ(lineOf(written, 68), "True");

    // Orientation.
    for (const auto& [option, word] : {std::pair{IDC_OPTION2, "False"}, {IDC_OPTION1, "True"}}) {
        SendMessageA(GetDlgItem(run.panel(), option), BM_CLICK, 0, 0);
        ASSERT_EQ(run.make(path), kCompleted);
        EXPECT_EQ(lineOf(readTextFile(path), 68), word);
    }

    // Colours: a colour chosen for the buttons; the list's "Set" then
    // cancelled applies the shared dialog's colour too.
    run.press(19);
    HWND dlg = nullptr;
    ASSERT_TRUE(waitFor(
        [&] {
            dlg = GetLastActivePopup(run.panel());
            return dlg && dlg != run.panel() && IsWindowVisible(dlg) &&
                   GetDlgItem(dlg, 706);
        },
        5000));
    // The dialog's red, green and blue boxes.
    SendMessageA(GetDlgItem(dlg, 706), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("10"));
    SendMessageA(GetDlgItem(dlg, 707), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("20"));
    SendMessageA(GetDlgItem(dlg, 708), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("30"));
    PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_TRUE(waitFor([&] { return !IsWindow(dlg); }, 5000));
    run.press(20);
    ASSERT_TRUE(waitFor(
        [&] {
            dlg = GetLastActivePopup(run.panel());
            return dlg && dlg != run.panel() && IsWindowVisible(dlg);
        },
        5000));
    PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_TRUE(waitFor([&] { return !IsWindow(dlg); }, 5000));

    // An empty shell name: an empty caption and an empty first line.
    run.type(1, "");
    char caption[32] = "x";
    GetWindowTextA(run.canvas(), caption, sizeof caption);
    EXPECT_STREQ(caption, "");

    ASSERT_EQ(run.make(path), kCompleted);
    written = readTextFile(path);
    const long long chosen = 10 | 20 << 8 | 30 << 16;
    EXPECT_EQ(lineOf(written, 69), num(chosen));
    EXPECT_EQ(lineOf(written, 70), num(chosen));
    EXPECT_EQ(lineOf(written, 1), "");
    EXPECT_EQ(splitLines(written).size(), 70u);
}

TEST(Tesseldes, OpenWithoutASkinKeepsTheDesignTimeLayout) {
    DesignerRun run("noskin");
    std::string message;
    ASSERT_TRUE(run.open(run.dir(), &message));
    EXPECT_NE(message.find("File not found"), std::string::npos) << message;
    EXPECT_NE(message.find(" email support@tessel.example for help"), std::string::npos)
        << message;

    const std::string path = run.dir() + "\\fresh.tsl";
    ASSERT_EQ(run.make(path), kCompleted);
    const auto lines = splitLines(readTextFile(path));
    SkinLayout designTime;
    std::string problem;
    ASSERT_TRUE(layoutForFile(designTimeLayout(), designTime, problem)) << problem;
    const auto expected = splitLines(skinSettingsText(designTime).all());
    ASSERT_EQ(lines.size(), 70u);
    EXPECT_EQ(lines[0], "Tessel");
    for (int n = 6; n <= 70; ++n)
        EXPECT_EQ(lines[n - 1], expected[n - 1]) << "line " << n;
    // Neither option chosen, system colours: "False" and two negatives.
    EXPECT_EQ(lines[67], "False");
    EXPECT_LT(valueOf(lines[68]), 0);
    EXPECT_LT(valueOf(lines[69]), 0);

    // Closing the canvas ends the whole program.
    PostMessageA(run.canvas(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(run.endsWithin(5000));
}

// The skin's pictures in the kinds of bitmap file a skin author may save:
// each takes its own size on the canvas and shows its own colour.
TEST(Tesseldes, SkinPicturesOfEveryBitmapKind) {
    DesignerRun run("kinds");
    const std::string skin = run.dir() + "\\Skin";
    copyFolder(defaultSkinFolder(), skin);
    const struct {
        const char* what;
        int element;
        std::string data;
        SIZE size;
        COLORREF colour;
    } cases[] = {
        {"24-bit", 0, bitmapFile(21, 13, RGB(200, 30, 40)), {21, 13}, RGB(200, 30, 40)},
        {"24-bit top-down", 1, bitmapFile(17, -11, RGB(20, 180, 90)), {17, 11}, RGB(20, 180, 90)},
        {"32-bit", 2, bitmapFile(15, 9, RGB(70, 60, 250), 32), {15, 9}, RGB(70, 60, 250)},
        {"8-bit palette", 3, bitmapFile(19, 12, RGB(250, 250, 0), 8), {19, 12}, RGB(250, 250, 0)},
        {"4-bit palette", 4, bitmapFile(13, 7, RGB(0, 200, 200), 4), {13, 7}, RGB(0, 200, 200)},
        {"1-bit palette", 5, bitmapFile(33, 10, RGB(255, 128, 0), 1), {33, 10}, RGB(255, 128, 0)},
        {"8-bit run-length", 6, bitmapFile(23, 14, RGB(90, 0, 90), 8, true), {23, 14},
         RGB(90, 0, 90)},
    };
    for (const auto& c : cases)
        writeTextFile(elementBitmapPath(skin, c.element, BitmapLook::Normal), c.data);
    std::string message;
    ASSERT_TRUE(run.open(skin, &message));
    EXPECT_EQ(message, "");
    for (const auto& c : cases) {
        const RECT r = run.elementRect(c.element);
        EXPECT_EQ(r.right - r.left, c.size.cx) << c.what;
        EXPECT_EQ(r.bottom - r.top, c.size.cy) << c.what;
        const POINT centre = run.elementCentreOnScreen(c.element);
        EXPECT_TRUE(waitFor([&] { return screenPixelAt(centre) == c.colour; }, 3000))
            << c.what << ": " << std::hex << screenPixelAt(centre);
    }
}

// A file that is no bitmap stops the load at that picture with "Invalid
// picture". (A bitmap cut short is the platform's to judge: it shows what
// there is.)
TEST(Tesseldes, BrokenPicturesStopTheLoad) {
    const struct {
        const char* what;
        std::string data;
    } cases[] = {
        {"not a bitmap", "this is no picture"},
        {"empty", ""},
    };
    for (const auto& c : cases) {
        DesignerRun run("broken");
        const std::string skin = run.dir() + "\\Skin";
        copyFolder(defaultSkinFolder(), skin);
        writeTextFile(elementBitmapPath(skin, 3, BitmapLook::Normal), c.data);
        std::string message;
        ASSERT_TRUE(run.open(skin, &message)) << c.what;
        EXPECT_NE(message.find("Invalid picture"), std::string::npos) << c.what << ": " << message;
        // Elements before it have their pictures, the rest the design-time size.
        EXPECT_NE(run.elementRect(2).right - run.elementRect(2).left, 24) << c.what;
        EXPECT_EQ(run.elementRect(4).right - run.elementRect(4).left, 24) << c.what;
    }
}

// A picture chosen through the sample button's file dialog becomes the
// canvas's own background, visible where no element covers it.
TEST(Tesseldes, CanvasPictureFromTheSampleButton) {
    DesignerRun run("backdrop");
    std::string message;
    ASSERT_TRUE(run.open(run.dir(), &message)); // no skin: nothing covers the corner
    // A one-pixel red GIF.
    const unsigned char gif[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80,
                                 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00,
                                 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01,
                                 0x00, 0x3B};
    const struct {
        const char* file;
        std::string data;
        COLORREF shown;
    } cases[] = {
        {"green.bmp", bitmapFile(40, 40, RGB(10, 200, 30)), RGB(10, 200, 30)},
        {"red.gif", std::string(reinterpret_cast<const char*>(gif), sizeof gif), RGB(255, 0, 0)},
    };
    POINT corner = {0, 0};
    ClientToScreen(run.canvas(), &corner);
    for (const auto& c : cases) {
        const std::string path = run.dir() + "\\" + c.file;
        writeTextFile(path, c.data);
        run.press(1);
        HWND dlg = nullptr;
        ASSERT_TRUE(waitFor(
            [&] {
                dlg = GetLastActivePopup(run.panel());
                return dlg && dlg != run.panel() && IsWindowVisible(dlg);
            },
            5000))
            << c.file;
        HWND name = GetDlgItem(dlg, 0x47c); // the file name box
        if (!name)
            name = GetDlgItem(dlg, 0x480);
        ASSERT_TRUE(name) << c.file;
        SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        ASSERT_TRUE(waitFor([&] { return !IsWindow(dlg); }, 5000)) << c.file;
        EXPECT_TRUE(waitFor([&] { return screenPixelAt(corner) == c.shown; }, 3000))
            << c.file << ": " << std::hex << screenPixelAt(corner);
    }
}

TEST(Tesseldes, BrokenSkinsStopTheLoadWhereTheyFail) {
    const std::string original =
        readTextFile(skinFilePath(defaultSkinFolder(), kSkinSettingsFile));
    {
        // No screen-saver picture: elements 0 to 12 have theirs, the rest and
        // the background none.
        DesignerRun run("nossave");
        const std::string skin = run.dir() + "\\Skin";
        copyFolder(defaultSkinFolder(), skin);
        deleteFile(skin + "\\ssaveout.bmp");
        std::string message;
        ASSERT_TRUE(run.open(skin, &message));
        EXPECT_NE(message.find("ssaveout.bmp"), std::string::npos) << message;
        for (int i = 0; i < kButtonPicCount; ++i) {
            if (i == kTaskArea)
                continue;
            const RECT r = run.elementRect(i);
            const bool sizedToDesignTime = r.right - r.left == 24 && r.bottom - r.top == 24;
            EXPECT_EQ(sizedToDesignTime, i >= 13) << i;
        }
        EXPECT_EQ(run.elementRect(kImage1).right, 0);
    }
    {
        // 69 lines: everything up to the button colour, no picture.
        DesignerRun run("short");
        const std::string skin = run.dir() + "\\Skin";
        copyFolder(defaultSkinFolder(), skin);
        std::string text = original;
        text.erase(text.rfind("\r\n", text.size() - 3) + 2);
        writeTextFile(skin + "\\skinsettings.tsl", text);
        std::string message;
        ASSERT_TRUE(run.open(skin, &message));
        EXPECT_NE(message.find("Input past end of file"), std::string::npos) << message;
        EXPECT_EQ(run.elementRect(0).right - run.elementRect(0).left, 24);
        const std::string path = run.dir() + "\\short.tsl";
        ASSERT_EQ(run.make(path), kCompleted);
        const std::string written = readTextFile(path);
        for (int n = 6; n <= 69; ++n)
            EXPECT_EQ(lineOf(written, n), lineOf(original, n)) << "line " << n;
        EXPECT_EQ(lineOf(written, 70), num(static_cast<int32_t>(0x80000005u)));
    }
}

TEST(Tesseldes, FailedWritesLeaveTheOldFile) {
    DesignerRun run("writefail");
    ASSERT_TRUE(run.open(defaultSkinFolder()));
    const std::string out = run.dir() + "\\Out";
    CreateDirectoryA(out.c_str(), nullptr);
    const std::string target = out + "\\skinsettings.tsl";
    const std::string old = "old skin\r\n 1 \r\n";
    writeTextFile(target, old);
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);

    const struct {
        const char* what;
        std::string path;
    } cases[] = {
        {"empty path", ""},
        {"missing folder", out + "\\Missing\\skinsettings.tsl"},
        {"write-protected file", target},
        {"a folder", out},
    };
    for (const auto& c : cases)
        EXPECT_EQ(run.make(c.path), kWriteFailed) << c.what;
    // A real click on "Make the file" activates the progress window once
    // more, and that writes (and fails) once, not twice.
    EXPECT_EQ(run.make("", true), kWriteFailed);
    std::string again;
    EXPECT_FALSE(run.waitForBox("Tessel Designer", again, 1500)) << again;
    EXPECT_EQ(readTextFile(target), old);
    // Nothing else was left in the folder: no temporary file, no new file.
    int files = 0;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((out + "\\*").c_str(), &fd);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    do
        files += !(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    while (FindNextFileA(h, &fd));
    FindClose(h);
    EXPECT_EQ(files, 1);
    EXPECT_EQ(GetFileAttributesA((run.dir() + "\\Missing").c_str()), INVALID_FILE_ATTRIBUTES);

    // A canvas moved out to x = 2300 pixels (a second monitor) lies beyond
    // what the file holds: the message names it, and the old file stays.
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    RECT canvas = {};
    ASSERT_TRUE(GetWindowRect(run.canvas(), &canvas));
    SetWindowPos(run.canvas(), nullptr, 2300, canvas.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const std::string refused = run.make(target);
    EXPECT_NE(refused.find("the left edge of the canvas window is 34500 twips"),
              std::string::npos)
        << refused;
    EXPECT_EQ(readTextFile(target), old);
    SetWindowPos(run.canvas(), nullptr, canvas.left, canvas.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    // Once writable, the same path takes all 70 lines.
    EXPECT_EQ(run.make(target), kCompleted);
    EXPECT_EQ(splitLines(readTextFile(target)).size(), 70u);

    // Closing the control panel ends the whole program.
    PostMessageA(run.panel(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(run.endsWithin(5000));
}

} // namespace
} // namespace tessel::designer::test

namespace tessel::designer::test {
namespace {
// Not a test: holds the designer open on the default skin for screenshots
// (run with --gtest_also_run_disabled_tests --gtest_filter=*Showcase*).
TEST(Tesseldes, DISABLED_Showcase) {
    DesignerRun run("showcase");
    ASSERT_TRUE(run.open(defaultSkinFolder()));
    run.type(2, "2000");
    zt::test::pumpMessages(6000);
    run.press(18);
    zt::test::pumpMessages(6000);
}

TEST(Tesseldes, DISABLED_ShowcaseLoadMessage) {
    DesignerRun run("showcase2");
    std::string message;
    ASSERT_TRUE(run.open(run.dir(), &message));
    zt::test::pumpMessages(8000);
}
} // namespace
} // namespace tessel::designer::test
