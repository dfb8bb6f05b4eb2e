// The real tessel.exe, each test in a program folder of its own.
#include "common/win/scoped.h"
#include "tests/bar/win/bar_fixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessel::test {
namespace {

using namespace zt::test;

constexpr int kElementIdBase = 100, kTaskButtonIdBase = 200, kClockId = 301;
constexpr int kExitElement = 12;
constexpr int kExitTesselId = 1003;

RECT clientRectOf(HWND child, HWND parent) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

POINT barOrigin(HWND bar) {
    RECT r;
    GetWindowRect(bar, &r);
    return {r.left, r.top};
}

void click(HWND el, int x = 2, int y = 2) {
    PostMessageA(el, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(el, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

TEST(TesselBar, WindowElementsAndPressedLook) {
    BarFolder folder("window");
    Process p = folder.start();
    HWND bar = waitForBar(p.id());
    ASSERT_TRUE(bar);

    RECT r;
    GetWindowRect(bar, &r);
    EXPECT_EQ(r.left, 200);
    EXPECT_EQ(r.top, 200);
    EXPECT_EQ(r.right - r.left, 800);
    EXPECT_EQ(r.bottom - r.top, 100);
    EXPECT_TRUE(GetWindowLongA(bar, GWL_EXSTYLE) & WS_EX_TOPMOST);
    const LONG style = GetWindowLongA(bar, GWL_STYLE);
    EXPECT_FALSE(style & (WS_CAPTION | WS_BORDER | WS_THICKFRAME | WS_DLGFRAME));

    for (int i = 0; i < kElementCount; ++i) {
        HWND el = GetDlgItem(bar, kElementIdBase + i);
        ASSERT_TRUE(el) << i;
        RECT er = clientRectOf(el, bar);
        const SkinLayout l = testLayout();
        EXPECT_EQ(er.left, l.elements[i].left / 15) << i;
        EXPECT_EQ(er.top, l.elements[i].top / 15) << i;
        SIZE want = i == kTaskAreaElement ? SIZE{100, 60} : elementSize(i);
        EXPECT_EQ(er.right - er.left, want.cx) << i;
        EXPECT_EQ(er.bottom - er.top, want.cy) << i;
    }

    // The move element: its pressed picture while the button is down.
    HWND move = GetDlgItem(bar, kElementIdBase + kMoveElement);
    RECT mr;
    GetWindowRect(move, &mr);
    const POINT centre = {mr.left + 3, mr.top + 3};
    EXPECT_TRUE(waitFor([&] { return screenPixel(centre) == normalColour(kMoveElement); }, 3000));
    PostMessageA(move, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_TRUE(waitFor([&] { return screenPixel(centre) == pressedColour(kMoveElement); }, 3000));
    PostMessageA(move, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(waitFor([&] { return screenPixel(centre) == normalColour(kMoveElement); }, 3000));

    // The clock: the time, a line break and today's date.
    char date[64] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof date);
    char text[128] = {};
    GetWindowTextA(GetDlgItem(bar, kClockId), text, sizeof text);
    std::string clock = text;
    size_t br = clock.find("\r\n");
    ASSERT_NE(br, std::string::npos) << clock;
    EXPECT_NE(clock.substr(0, br).find(':'), std::string::npos) << clock;
    EXPECT_EQ(clock.substr(br + 2), date);
}

struct MoveCase {
    int targetLeft;   // pixels, where the drag leaves the bar's left edge
    UINT buttons;     // button state of the move
    int expectedLeft; // after the release; -1: screen width - bar width
};

TEST(TesselBar, MoveAndSnap) {
    BarFolder folder("move");
    Process p = folder.start();
    HWND bar = waitForBar(p.id());
    ASSERT_TRUE(bar);
    HWND move = GetDlgItem(bar, kElementIdBase + kMoveElement);
    const int screen = GetSystemMetrics(SM_CXSCREEN);
    const MoveCase cases[] = {
        {4, MK_LBUTTON, 0},                 // 60 twips from the edge: snaps
        {6, MK_LBUTTON, 6},                 // 90 twips: stays
        {300, MK_LBUTTON, 300},
        {screen - 770, MK_LBUTTON, -1},     // past the right edge: pulled back
        {300, MK_LBUTTON | MK_RBUTTON, -2}, // another button held: no move
    };
    for (const auto& c : cases) {
        const POINT before = barOrigin(bar);
        const int dx = c.targetLeft - before.x;
        PostMessageA(move, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        PostMessageA(move, WM_MOUSEMOVE, c.buttons, MAKELPARAM(2 + dx, 2));
        PostMessageA(move, WM_LBUTTONUP, 0, MAKELPARAM(2 + dx, 2));
        const int want = c.expectedLeft == -1   ? screen - 800
                         : c.expectedLeft == -2 ? before.x
                                                : c.expectedLeft;
        EXPECT_TRUE(waitFor([&] { return barOrigin(bar).x == want; }, 3000))
            << c.targetLeft << ": at " << barOrigin(bar).x << ", expected " << want;
        pumpMessages(200);
        EXPECT_EQ(barOrigin(bar).y, 200);
    }
}

struct BadStart {
    const char* name;
    void (*spoil)(BarFolder&);
    int number;
    const char* mentions;
};

std::string linesWithout70(const SkinLayout& l) {
    std::string t = writeSkinLayout(l);
    t.erase(t.rfind("\r\n", t.size() - 3) + 2);
    return t;
}

std::string replaceLine(const std::string& text, int line, const std::string& value) {
    size_t b = 0;
    for (int i = 1; i < line; ++i)
        b = text.find("\r\n", b) + 2;
    size_t e = text.find("\r\n", b);
    return text.substr(0, b) + value + text.substr(e);
}

TEST(TesselBar, MalformedFilesEndTheProgramWithTheirReport) {
    static const BadStart cases[] = {
        {"mode", [](BarFolder& f) { f.write("tessel.tsi", "Local\r\nTest\r\n"); }, 53,
         "skinsettings.tsl"},
        {"nofolder", [](BarFolder& f) { f.write("tessel.tsi", "local\r\nNone\r\n"); }, 76,
         "skinsettings.tsl"},
        {"short",
         [](BarFolder& f) {
             writeTextFile(f.skinDir() + "\\skinsettings.tsl", linesWithout70(testLayout()));
         },
         62, "skinsettings.tsl, line 70"},
        {"big",
         [](BarFolder& f) {
             writeTextFile(f.skinDir() + "\\skinsettings.tsl",
                           replaceLine(writeSkinLayout(testLayout()), 3, " 40000 "));
         },
         6, "line 3"},
        {"huge",
         [](BarFolder& f) {
             writeTextFile(f.skinDir() + "\\skinsettings.tsl",
                           replaceLine(writeSkinLayout(testLayout()), 5, "1e400"));
         },
         6, "line 5"},
        {"narrow",
         [](BarFolder& f) {
             writeTextFile(f.skinDir() + "\\skinsettings.tsl",
                           replaceLine(writeSkinLayout(testLayout()), 4, "-32654 "));
         },
         6, "line 4"},
        {"notsi", [](BarFolder& f) { f.remove("tessel.tsi"); }, 53, "tessel.tsi"},
        {"noprg", [](BarFolder& f) { f.remove("programs.prg"); }, 53, "programs.prg"},
        {"many", [](BarFolder& f) { f.write("programs.prg", " 201 \r\n"); }, 9, "programs.prg"},
        // Saved as UTF-8, with a skin name the system's code page cannot hold.
        {"utf8",
         [](BarFolder& f) {
             f.write("tessel.tsi", "\xEF\xBB\xBFlocal\r\n\xD0\xA1\xD0\xBA\xD0\xB8\xD0\xBD\r\n");
         },
         321, "tessel.tsi: saved as UTF-8"},
    };
    for (const auto& c : cases) {
        BarFolder folder(std::string("bad_") + c.name);
        c.spoil(folder);
        Process p = folder.start();
        std::string text;
        HWND box = waitForMessageBox(p.id(), text);
        ASSERT_TRUE(box) << c.name;
        char title[64] = "x";
        GetWindowTextA(box, title, sizeof title);
        EXPECT_STREQ(title, "") << c.name;
        const std::string head = "Error " + std::to_string(c.number) + " has occured, ";
        EXPECT_EQ(text.compare(0, head.size(), head), 0) << c.name << ": " << text;
        EXPECT_NE(text.find(c.mentions), std::string::npos) << c.name << ": " << text;
        pressOk(box);
        EXPECT_NE(p.wait(5000), STILL_ACTIVE) << c.name;
    }
}

// Names outside the system's code page: a file saved as UTF-8 that the code
// page can hold is read as such, and a program folder whose name it cannot
// hold either works through its short name or is named in a clear report;
// never "File not found" for files that are there.
TEST(TesselBar, NamesOutsideTheCodePage) {
    {
        BarFolder folder("utf8tsi");
        folder.write("tessel.tsi", "\xEF\xBB\xBFlocal\r\nTest\r\n");
        Process p = folder.start();
        EXPECT_TRUE(waitForBar(p.id())) << "a tessel.tsi with a byte order mark";
        p.kill();
    }
    BarFolder folder("cyrillic");
    const std::wstring from(folder.dir().begin(), folder.dir().end());
    const std::wstring moved = from + L"_\x0421\x043A\x0438\x043D";
    ASSERT_TRUE(MoveFileW(from.c_str(), moved.c_str()));
    std::wstring command = L"\"" + moved + L"\\tessel.exe\"";
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                               moved.c_str(), &si, &pi));
    std::string text;
    HWND box = nullptr;
    HWND bar = nullptr;
    waitFor(
        [&] {
            bar = findWindowOfProcess(pi.dwProcessId, "TesselBar", nullptr);
            if (bar && IsWindowVisible(bar))
                return true;
            box = waitForMessageBox(pi.dwProcessId, text, 50);
            return box != nullptr;
        },
        15000);
    if (box) {
        EXPECT_NE(text.find("characters outside the system's code page"), std::string::npos)
            << text;
        EXPECT_EQ(text.find("File not found"), std::string::npos) << text;
    } else {
        EXPECT_TRUE(bar && IsWindowVisible(bar)) << "neither the bar nor a report";
    }
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    EXPECT_TRUE(MoveFileW(moved.c_str(), from.c_str()));
}

TEST(TesselBar, ALockedListIsNoMissingList) {
    BarFolder folder("lockedlist");
    // Another program holds the list open and shares it with nobody.
    zt::ScopedKernelHandle lock(CreateFileA((folder.dir() + "\\programs.prg").c_str(), GENERIC_READ,
                                            0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_NE(lock.get(), INVALID_HANDLE_VALUE);
    Process p = folder.start();
    std::string text;
    HWND box = waitForMessageBox(p.id(), text);
    ASSERT_TRUE(box);
    EXPECT_EQ(text.rfind("Error 70 has occured, Permission denied (", 0), 0u) << text;
    EXPECT_NE(text.find("programs.prg"), std::string::npos) << text;
    pressOk(box);
    EXPECT_NE(p.wait(5000), STILL_ACTIVE);
}

TEST(TesselBar, BadBitmapIsReportedAndTheBarGoesOn) {
    struct Case {
        const char* file;
        bool missing; // otherwise unreadable
        int number;
    };
    static constexpr Case cases[] = {{"ffin.bmp", true, 53}, {"rwout.bmp", false, 481}};
    for (const auto& c : cases) {
        BarFolder folder(std::string("bitmap_") + c.file);
        const std::string path = folder.skinDir() + "\\" + c.file;
        if (c.missing)
            deleteFile(path);
        else
            writeTextFile(path, "BM this is no picture");
        Process p = folder.start();
        std::string text;
        HWND box = waitForMessageBox(p.id(), text);
        ASSERT_TRUE(box) << c.file;
        const std::string head = "Error " + std::to_string(c.number) + " has occured, ";
        EXPECT_EQ(text.rfind(head, 0), 0u) << text;
        EXPECT_NE(text.find(c.file), std::string::npos) << text;
        pressOk(box);
        HWND bar = waitForBar(p.id());
        ASSERT_TRUE(bar) << c.file;
        EXPECT_TRUE(p.running());
        EXPECT_TRUE(GetWindowLongA(bar, GWL_EXSTYLE) & WS_EX_TOPMOST);
    }
}

TEST(TesselBar, FirstShowingSnapsAndActionsReport) {
    BarFolder folder("actions");
    SkinLayout l = testLayout();
    const int screen = GetSystemMetrics(SM_CXSCREEN);
    l.barLeft = int16_t(tw(screen - 790)); // 10 pixels past the right edge
    folder.writeLayout(l);
    // No volume control under any of its names: the start fails.
    folder.write("tessel.ini", "[Tessel]\r\n");
    Process p = folder.start();
    HWND bar = waitForBar(p.id());
    ASSERT_TRUE(bar);
    EXPECT_TRUE(waitFor([&] { return barOrigin(bar).x == screen - 800; }, 3000))
        << barOrigin(bar).x;

    struct Action {
        int element;
        const char* says;
    };
    char found[MAX_PATH];
    const bool haveVolume = SearchPathA(nullptr, "sndvol32.exe", nullptr, MAX_PATH, found, nullptr) ||
                            SearchPathA(nullptr, "sndvol.exe", nullptr, MAX_PATH, found, nullptr);
    std::vector<Action> actions = {{1, "No web page is set"}};
    if (!haveVolume)
        actions.push_back({14, "Error 53 has occured, File not found (sndvol"});
    for (const auto& a : actions) {
        click(GetDlgItem(bar, kElementIdBase + a.element));
        std::string text;
        HWND box = waitForMessageBox(p.id(), text);
        ASSERT_TRUE(box) << a.element;
        EXPECT_NE(text.find(a.says), std::string::npos) << text;
        pressOk(box);
        EXPECT_TRUE(waitFor([&] { return !IsWindow(box); }, 3000));
        EXPECT_TRUE(p.running());
    }
}

struct TaskWindows {
    zt::test::TestWindowClass cls{"ZtTaskWindow"};
    std::vector<HWND> windows;
    HWND make(const char* title, DWORD style) {
        HWND w = CreateWindowExA(0, cls.name, title, style, 50, 400, 300, 200, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        windows.push_back(w);
        return w;
    }
    ~TaskWindows() {
        for (HWND w : windows)
            DestroyWindow(w);
    }
};

TEST(TesselBar, TaskButtonsForRealWindows) {
    TaskWindows tw;
    HWND one = tw.make("zt task one", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND two = tw.make("zt task two", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND three = tw.make("zt task three", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    tw.make("zt hidden", WS_OVERLAPPEDWINDOW);
    tw.make("zt borderless", WS_POPUP | WS_VISIBLE);
    pumpMessages(200);

    BarFolder folder("tasks");
    Process p = folder.start();
    HWND bar = waitForBar(p.id());
    ASSERT_TRUE(bar);

    // Buttons inside the bar, by caption.
    auto shown = [&] {
        std::vector<std::pair<std::string, RECT>> v;
        for (int i = 1; i <= 25; ++i) {
            HWND b = GetDlgItem(bar, kTaskButtonIdBase + i);
            RECT r = clientRectOf(b, bar);
            // The first rebuild runs before the skin's area is known and gives
            // empty buttons; the first tick lays them out.
            if (r.left < 800 && r.bottom > r.top)
                v.push_back({textOf(b), r});
        }
        return v;
    };
    ASSERT_TRUE(waitFor([&] { return shown().size() == 3; }, 3000))
        << "buttons shown: " << shown().size();
    auto v = shown();
    // Front to back: the last window made is in front.
    const char* order[] = {"zt task three", "zt task two", "zt task one"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(v[i].first, order[i]);
        EXPECT_EQ(v[i].second.top, 20 + 20 * i); // area top 300 twips, 900 high
        EXPECT_EQ(v[i].second.bottom - v[i].second.top, 20);
        EXPECT_EQ(v[i].second.left, 600);
        EXPECT_EQ(v[i].second.right - v[i].second.left, 100);
    }
    EXPECT_EQ(textOf(GetDlgItem(bar, kTaskButtonIdBase)), "Command13");

    // A click restores a minimised window and raises it.
    ShowWindow(one, SW_MINIMIZE);
    pumpMessages(200);
    ASSERT_TRUE(IsIconic(one));
    HWND button = GetDlgItem(bar, kTaskButtonIdBase + 3);
    ASSERT_EQ(textOf(button), "zt task one");
    PostMessageA(bar, WM_COMMAND, MAKEWPARAM(kTaskButtonIdBase + 3, BN_CLICKED), LPARAM(button));
    EXPECT_TRUE(waitFor([&] { return !IsIconic(one); }, 3000));
    auto above = [](HWND a, HWND b) {
        for (HWND w = GetWindow(a, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
            if (w == b)
                return true;
        return false;
    };
    EXPECT_TRUE(waitFor([&] { return above(one, three) && above(one, two); }, 3000));
    EXPECT_TRUE(waitFor([&] { return textOf(GetDlgItem(bar, kTaskButtonIdBase + 1)) == "zt task one"; },
                        3000));
}

TEST(TesselBar, ExitTesselEndsTheProgram) {
    BarFolder folder("exit");
    Process p = folder.start();
    HWND bar = waitForBar(p.id());
    ASSERT_TRUE(bar);
    HWND exitElement = GetDlgItem(bar, kElementIdBase + kExitElement);
    click(exitElement);
    click(exitElement);
    HWND dialog = nullptr;
    ASSERT_TRUE(waitFor(
        [&] {
            dialog = findWindowOfProcess(p.id(), "#32770", nullptr);
            return dialog && IsWindowVisible(dialog);
        },
        5000));
    pumpMessages(300);
    EXPECT_EQ(windowsOfProcess(p.id(), "#32770", nullptr).size(), 1u); // shown once
    HWND exitButton = GetDlgItem(dialog, kExitTesselId);
    ASSERT_TRUE(exitButton);
    EXPECT_EQ(textOf(exitButton), "Exit Tessel");
    EXPECT_EQ(textOf(GetDlgItem(dialog, 1001)), "Shutdown");
    EXPECT_EQ(textOf(GetDlgItem(dialog, 1002)), "Restart");
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(kExitTesselId, BN_CLICKED), LPARAM(exitButton));
    EXPECT_EQ(p.wait(5000), 0u);
}

} // namespace
} // namespace tessel::test
