// The configuration sheet's pages and dialogs, run in this program (which
// carries the loader's templates) on a thread of their own and driven from
// the test's thread with the messages a user's actions produce.
#include "loader/loader_rules.h"
#include "loader/win/my_property_sheet.h"
#include "loader/win/tray_icon.h"
#include "loader/resource.h"
#include "tests/support/win/test_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

using namespace zt::test;
using zrv::loader::CMyPropertySheet;

constexpr char kMain[] = "Zirvane.ini";
constexpr char kApps[] = "Zirvane2.ini";
constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

enum Tab { About, Animations, Menus, Dragging, Maximize, Icons, Transparency, Startup, Shadows };

std::string global(const char* key) { return readIni(kMain, "GLOBAL", key); }

HWND waitForDialog(const char* title, DWORD timeoutMs = 5000) {
    HWND w = nullptr;
    waitFor([&] { return (w = findWindowOfProcess(GetCurrentProcessId(), "#32770", title)) && IsWindowVisible(w); },
            timeoutMs);
    return w;
}

// One modal run of the sheet on a thread of its own.
class Sheet {
public:
    Sheet() {
        thread_ = std::thread([this] {
            CMyPropertySheet sheet;
            sheet.doModal(nullptr);
            ended_ = true;
        });
        wnd_ = waitForDialog(CMyPropertySheet::kCaption);
    }
    ~Sheet() { close(); }
    HWND wnd() const { return wnd_; }
    // Shows a tab (creating its page the first time) and returns the page.
    HWND page(Tab tab) {
        SendMessageA(wnd_, PSM_SETCURSEL, tab, 0);
        return reinterpret_cast<HWND>(SendMessageA(wnd_, PSM_GETCURRENTPAGEHWND, 0, 0));
    }
    void close() {
        if (!thread_.joinable())
            return;
        if (wnd_) {
            const DWORD thread = GetWindowThreadProcessId(wnd_, nullptr);
            PostMessageA(GetDlgItem(wnd_, IDCANCEL), BM_CLICK, 0, 0);
            // The sheet's modal loop looks at its end only when a message
            // arrives, as the user's next mouse move would bring.
            waitFor([&] {
                PostThreadMessageA(thread, WM_NULL, 0, 0);
                return ended_.load();
            }, 10000, 50);
        }
        thread_.join();
        wnd_ = nullptr;
    }

private:
    std::thread thread_;
    HWND wnd_ = nullptr;
    std::atomic<bool> ended_{false};
};

bool isChecked(HWND dlg, int id) { return SendMessageA(GetDlgItem(dlg, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
bool isEnabled(HWND dlg, int id) { return IsWindowEnabled(GetDlgItem(dlg, id)) != FALSE; }
void click(HWND dlg, int id) { SendMessageA(GetDlgItem(dlg, id), BM_CLICK, 0, 0); }
// For a click that opens a modal window: do not wait for it to close.
void clickLater(HWND dlg, int id) { PostMessageA(GetDlgItem(dlg, id), BM_CLICK, 0, 0); }
void answer(HWND box, int button) { PostMessageA(box, WM_COMMAND, button, 0); }
int sliderPos(HWND dlg, int id) { return static_cast<int>(SendMessageA(GetDlgItem(dlg, id), TBM_GETPOS, 0, 0)); }
std::string itemText(HWND dlg, int id) {
    char buf[256] = {};
    GetDlgItemTextA(dlg, id, buf, sizeof buf);
    return buf;
}
// A drag of the slider to `pos` that ends with the release of the mouse.
void dragSlider(HWND dlg, int id, int pos) {
    HWND slider = GetDlgItem(dlg, id);
    SendMessageA(slider, TBM_SETPOS, TRUE, pos);
    NMHDR hdr = {slider, static_cast<UINT_PTR>(id), static_cast<UINT>(NM_RELEASEDCAPTURE)};
    SendMessageA(dlg, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&hdr));
}

class LoaderPages : public ::testing::Test {
protected:
    ScopedSettingsFiles files_;
};

TEST_F(LoaderPages, SheetHasNinePagesInTabOrderWithOkAndCancelOnly) {
    Sheet sheet;
    ASSERT_NE(sheet.wnd(), nullptr);
    HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet.wnd(), PSM_GETTABCONTROL, 0, 0));
    ASSERT_NE(tabs, nullptr);
    const char* titles[] = {"About Zirvane", "Animations", "Menu Effects", "Window Dragging", "Maximize to set size",
                            "Desktop Icons", "Transparency", "Startup", "Shadows"};
    ASSERT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 9);
    for (int i = 0; i < 9; ++i) {
        char buf[64] = {};
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = buf;
        item.cchTextMax = sizeof buf;
        SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(buf, titles[i]);
    }
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 0);
    EXPECT_NE(GetDlgItem(sheet.wnd(), IDOK), nullptr);
    HWND apply = GetDlgItem(sheet.wnd(), 0x3021);
    EXPECT_TRUE(apply == nullptr || !IsWindowVisible(apply));
    HWND help = GetDlgItem(sheet.wnd(), IDHELP);
    EXPECT_TRUE(help == nullptr || !IsWindowVisible(help));
    // About: each button shows the address it opens, beside the program.
    HWND about = sheet.page(About);
    EXPECT_EQ(itemText(about, IDC_ABOUT_SITE), inExeDir("zirvane.html"));
    EXPECT_EQ(itemText(about, IDC_ABOUT_SUITE), inExeDir("suite.html"));
}

TEST_F(LoaderPages, AnimationsPageWritesItsSwitchesAtOpenAndOnChange) {
    writeIni(kMain, "GLOBAL", "SEMITRANS", 5);
    writeIni(kMain, "GLOBAL", "SLIDESCREEN", 5);
    writeIni(kMain, "GLOBAL", "SLIDEFROM", 1);
    Sheet sheet;
    HWND p = sheet.page(Animations);
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(isChecked(p, IDC_FADE));
    EXPECT_EQ(global("SEMITRANS"), "1") << "the fade switch is written back as the page opens";
    EXPECT_EQ(global("SLIDE"), "1") << "the slide switch is written as the page opens, default included";
    EXPECT_FALSE(isChecked(p, IDC_SLIDE_SCREEN));
    EXPECT_EQ(global("SLIDESCREEN"), "5") << "not written until it is clicked";
    EXPECT_TRUE(isChecked(p, IDC_SLIDE_BOTTOM));
    EXPECT_TRUE(isChecked(p, IDC_SLIDE_TOOL)) << "absent = on";
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(p, IDC_SLIDE_TOP)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(p, IDC_SLIDE_LEFT)));

    struct Step {
        int id;
        const char* key;
        const char* value;
    };
    const Step steps[] = {
        {IDC_FADE_NONSIZE, "NONSIZE", "1"}, {IDC_FADE_SMALL, "SMALLONLY", "1"},
        {IDC_SLIDE_SCREEN, "SLIDESCREEN", "1"}, {IDC_SLIDE_TOOL, "SLIDETOOL", "0"},
        {IDC_SLIDE_TOP, "SLIDEFROM", "0"}, {IDC_SLIDE_BOTTOM, "SLIDEFROM", "1"},
        {IDC_FADE, "SEMITRANS", "0"}, {IDC_SLIDE, "SLIDE", "0"},
    };
    for (const Step& s : steps) {
        click(p, s.id);
        EXPECT_EQ(global(s.key), s.value) << s.id;
    }
    // Rules A and B now disable what depends on them.
    for (int id : {IDC_FADE_NONSIZE, IDC_FADE_SMALL, IDC_SLIDE_TOP, IDC_SLIDE_SCREEN, IDC_SLIDE_TOOL})
        EXPECT_FALSE(isEnabled(p, id)) << id;
}

TEST_F(LoaderPages, SlidersWriteOnReleaseOnlyAndChecksWrite) {
    writeIni(kMain, "GLOBAL", "SemiMenusShadow", 2);
    Sheet sheet;
    HWND menus = sheet.page(Menus);
    EXPECT_EQ(sliderPos(menus, IDC_VISIBILITY), 200);
    EXPECT_TRUE(isChecked(menus, IDC_EFFECT_ON));
    EXPECT_FALSE(isChecked(menus, IDC_EFFECT_EXTRA)) << "checked only for exactly 1";
    EXPECT_EQ(global("SemiMenusVal"), "<missing>") << "nothing written at open";
    SendMessageA(GetDlgItem(menus, IDC_VISIBILITY), WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageA(GetDlgItem(menus, IDC_VISIBILITY), WM_KEYUP, VK_RIGHT, 0);
    EXPECT_EQ(sliderPos(menus, IDC_VISIBILITY), 201);
    EXPECT_EQ(global("SemiMenusVal"), "<missing>") << "keyboard moves are not stored";
    dragSlider(menus, IDC_VISIBILITY, 255);
    EXPECT_EQ(global("Semimenusval"), "255");
    click(menus, IDC_EFFECT_ON);
    EXPECT_EQ(global("SemiMenus"), "0");
    click(menus, IDC_EFFECT_EXTRA);
    EXPECT_EQ(global("SemiMenusShadow"), "1");

    HWND drag = sheet.page(Dragging);
    EXPECT_EQ(sliderPos(drag, IDC_VISIBILITY), 200);
    EXPECT_TRUE(isChecked(drag, IDC_EFFECT_ON));
    dragSlider(drag, IDC_VISIBILITY, 17);
    EXPECT_EQ(global("SEMIDRAGVAL"), "17");
    click(drag, IDC_EFFECT_EXTRA);
    EXPECT_EQ(global("SEMIDRAGGHOST"), "1");
    click(drag, IDC_EFFECT_ON);
    EXPECT_EQ(global("SEMIDRAG"), "0");
    // Cancel keeps every change.
    sheet.close();
    EXPECT_EQ(global("Semimenusval"), "255");
    EXPECT_EQ(global("SEMIDRAG"), "0");
}

// Closing the sheet by either button tells the library mapped as "ZRV.DLL",
// looked up anew at every close.
TEST_F(LoaderPages, ClosingTheSheetNotifiesTheLibraryEachTime) {
    { Sheet sheet; } // no library mapped: nothing to call, no failure
    HMODULE lib = LoadLibraryA(inExeDir("counter\\zrv.dll").c_str());
    ASSERT_NE(lib, nullptr);
    ASSERT_EQ(GetModuleHandleA("ZRV.DLL"), lib);
    using CountProc = LONG(CALLBACK*)();
    auto count = reinterpret_cast<CountProc>(reinterpret_cast<void*>(GetProcAddress(lib, "UpdateCount")));
    ASSERT_NE(count, nullptr);
    {
        Sheet sheet;
        click(sheet.page(Menus), IDC_EFFECT_ON);
    } // Cancel
    EXPECT_EQ(count(), 1);
    {
        Sheet sheet;
        PostMessageA(GetDlgItem(sheet.wnd(), IDOK), BM_CLICK, 0, 0);
    }
    EXPECT_EQ(count(), 2);
    FreeLibrary(lib);
}

TEST_F(LoaderPages, MaximizePageWritesTextAsTypedAndEnablesByItsBox) {
    Sheet sheet;
    HWND p = sheet.page(Maximize);
    EXPECT_FALSE(isChecked(p, IDC_MAXLIMIT));
    EXPECT_EQ(global("MAXLIMIT"), "0") << "the size limit switch is written as the page opens";
    EXPECT_EQ(itemText(p, IDC_MAXWIDTH), "800");
    EXPECT_EQ(itemText(p, IDC_MAXHEIGHT), "600");
    EXPECT_EQ(global("MAXWIDTH"), "<missing>") << "the page's own fill is not an edit";
    EXPECT_FALSE(isEnabled(p, IDC_MAXWIDTH));
    EXPECT_TRUE(isChecked(p, IDC_MAXLEFT));
    click(p, IDC_MAXLIMIT);
    EXPECT_EQ(global("MAXLIMIT"), "1");
    EXPECT_TRUE(isEnabled(p, IDC_MAXWIDTH) && isEnabled(p, IDC_MAXHEIGHT));
    SetDlgItemTextA(p, IDC_MAXWIDTH, "1024");
    EXPECT_EQ(global("MAXWIDTH"), "1024");
    SetDlgItemTextA(p, IDC_MAXWIDTH, "");
    EXPECT_EQ(global("MAXWIDTH"), "") << "an emptied box is written empty";
    SetDlgItemTextA(p, IDC_MAXHEIGHT, "480");
    EXPECT_EQ(global("MAXHEIGHT"), "480");
    click(p, IDC_MAXLEFT);
    EXPECT_EQ(global("MAXLEFT"), "0");
}

TEST_F(LoaderPages, DesktopIconsPageAndACancelledColourDialog) {
    writeIni(kMain, "GLOBAL", "CUSTOMBKCOLOUR", 1);
    writeIni(kMain, "GLOBAL", "CUSTOMFORECOLOUR", 1);
    writeIni(kMain, "GLOBAL", "TXTCOLOUR", 0x123456);
    Sheet sheet;
    HWND p = sheet.page(Icons);
    EXPECT_FALSE(isChecked(p, IDC_ICON_TRANSPARENT)) << "checked only for 2";
    EXPECT_TRUE(isChecked(p, IDC_ICON_FORECOLOUR));
    EXPECT_TRUE(isEnabled(p, IDC_ICON_SETCOLOUR));
    click(p, IDC_ICON_TRANSPARENT);
    EXPECT_EQ(global("CUSTOMBKCOLOUR"), "2");
    click(p, IDC_ICON_TRANSPARENT);
    EXPECT_EQ(global("CUSTOMBKCOLOUR"), "0");

    clickLater(p, IDC_ICON_SETCOLOUR);
    HWND colour = nullptr;
    ASSERT_TRUE(waitFor([&] {
        for (HWND w : windowsOfProcess(GetCurrentProcessId(), "#32770"))
            if (w != sheet.wnd() && IsWindowVisible(w) && GetWindow(w, GW_OWNER) == sheet.wnd())
                colour = w;
        return colour != nullptr;
    }, 5000));
    answer(colour, IDCANCEL);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(colour); }, 3000));
    EXPECT_EQ(global("TXTCOLOUR"), std::to_string(0x123456));

    click(p, IDC_ICON_FORECOLOUR);
    EXPECT_EQ(global("CUSTOMFORECOLOUR"), "0");
    EXPECT_FALSE(isEnabled(p, IDC_ICON_SETCOLOUR));
}

TEST_F(LoaderPages, ShadowsPageAndItsSettingsDialog) {
    writeIni(kMain, "GLOBAL", "ShadowsVar", 0);
    Sheet sheet;
    HWND p = sheet.page(Shadows);
    EXPECT_FALSE(isChecked(p, IDC_SHADOWS_CONSTANT));
    EXPECT_FALSE(isChecked(p, IDC_SHADOWS_VARIABLE)) << "0 shows the hidden radio only";
    EXPECT_EQ(global("SHADOWS"), "0") << "the shadow switch is written as the page opens";
    EXPECT_FALSE(isEnabled(p, IDC_SHADOWS_SETTINGS));
    click(p, IDC_SHADOWS_ON);
    EXPECT_EQ(global("Shadows"), "1");
    EXPECT_TRUE(isEnabled(p, IDC_SHADOWS_SETTINGS));
    click(p, IDC_SHADOWS_CONSTANT);
    EXPECT_EQ(global("ShadowsVar"), "1");
    click(p, IDC_SHADOWS_VARIABLE);
    EXPECT_EQ(global("ShadowsVar"), "2");

    clickLater(p, IDC_SHADOWS_SETTINGS);
    HWND dlg = waitForDialog("Modify shadow settings");
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(sliderPos(dlg, IDC_SHSET_SIZE), 8);
    EXPECT_EQ(sliderPos(dlg, IDC_SHSET_ALPHA), 128);
    EXPECT_EQ(itemText(dlg, IDC_SHSET_SIZE_LABEL), "8 pixels");
    SendMessageA(GetDlgItem(dlg, IDC_SHSET_SIZE), TBM_SETPOS, TRUE, 20);
    EXPECT_TRUE(waitFor([&] { return itemText(dlg, IDC_SHSET_SIZE_LABEL) == "20 pixels"; }, 1000));
    click(dlg, IDC_SHSET_SEMITRANS);
    EXPECT_FALSE(isEnabled(dlg, IDC_SHSET_ALPHA));
    EXPECT_FALSE(isEnabled(dlg, IDC_SHSET_VISIBLE));
    EXPECT_EQ(global("shadowsSemiTrans"), "<missing>") << "the box writes at OK only";
    SendMessageA(GetDlgItem(dlg, IDC_SHSET_ALPHA), TBM_SETPOS, TRUE, 99);
    answer(dlg, IDOK);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(dlg); }, 3000));
    EXPECT_EQ(global("shadowsSemiTrans"), "0");
    EXPECT_EQ(global("RealShadowAlpha"), "99");
    EXPECT_EQ(global("RealShadowSize"), "20");
}

std::string appsFileText() { return readTextFile(inWindowsDir(kApps)); }
int listCount(HWND p) { return static_cast<int>(SendDlgItemMessageA(p, IDC_APP_LIST, LB_GETCOUNT, 0, 0)); }
std::string listLine(HWND p, int i) {
    char buf[256] = {};
    SendDlgItemMessageA(p, IDC_APP_LIST, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buf));
    return buf;
}
void select(HWND p, const char* name) {
    SendDlgItemMessageA(p, IDC_APP_LIST, LB_SELECTSTRING, -1, reinterpret_cast<LPARAM>(name));
}

TEST_F(LoaderPages, TransparencyListAddModifyDelete) {
    writeTextFile(inWindowsDir(kApps),
                  "[GLOBAL]\r\nTrans=1\r\n[notepad.exe]\r\nTrans=200\r\nOther=x\r\n[Global]\r\n[calc.exe\r\n[a]b]\r\n");
    Sheet sheet;
    HWND p = sheet.page(Transparency);
    ASSERT_EQ(listCount(p), 3);
    EXPECT_EQ(listLine(p, 0), "a");
    EXPECT_EQ(listLine(p, 1), "Global");
    EXPECT_EQ(listLine(p, 2), "notepad.exe");

    // Modify with no selection does nothing; with one, writes the slider.
    click(p, IDC_APP_MODIFY);
    EXPECT_EQ(waitForDialog("Modify per application transparency", 300), nullptr);
    select(p, "notepad.exe");
    clickLater(p, IDC_APP_MODIFY);
    HWND mod = waitForDialog("Modify per application transparency");
    ASSERT_NE(mod, nullptr);
    EXPECT_EQ(itemText(mod, IDC_MOD_NAME), "notepad.exe");
    EXPECT_EQ(sliderPos(mod, IDC_ADD_SLIDER), 200);
    SendDlgItemMessageA(mod, IDC_ADD_SLIDER, TBM_SETPOS, TRUE, 100);
    answer(mod, IDOK);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(mod); }, 3000));
    EXPECT_EQ(readIni(kApps, "NOTEPAD.EXE", "Trans"), "100");

    // Add: short names are dropped, unsafe ones refused, good ones written.
    struct AddCase {
        const char* name;
        const char* section; // nullptr: nothing written
    };
    const AddCase adds[] = {{"a.ex", nullptr}, {"ab.exe", "ab.exe"}};
    for (const AddCase& a : adds) {
        clickLater(p, IDC_APP_ADD);
        HWND add = waitForDialog("Set per application semi transparency");
        ASSERT_NE(add, nullptr);
        EXPECT_EQ(sliderPos(add, IDC_ADD_SLIDER), 220);
        EXPECT_EQ(itemText(add, IDC_ADD_KIND), "Application (.exe)");
        EXPECT_FALSE(isEnabled(add, IDC_ADD_KIND));
        SetDlgItemTextA(add, IDC_ADD_NAME, a.name);
        answer(add, IDOK);
        EXPECT_TRUE(waitFor([&] { return !IsWindow(add); }, 3000)) << a.name;
        if (a.section)
            EXPECT_EQ(readIni(kApps, a.section, "Trans"), "220");
        else
            EXPECT_EQ(appsFileText().find(a.name), std::string::npos);
    }
    EXPECT_EQ(listCount(p), 4) << "refilled after Add";

    clickLater(p, IDC_APP_ADD);
    HWND add = waitForDialog("Set per application semi transparency");
    ASSERT_NE(add, nullptr);
    SetDlgItemTextA(add, IDC_ADD_NAME, "evil.exe]\r\n[GLOBAL");
    answer(add, IDOK);
    HWND refused = waitForDialog(zrv::loader::kUnsafeNameCaption);
    ASSERT_NE(refused, nullptr);
    answer(refused, IDOK);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(refused); }, 3000));
    EXPECT_TRUE(IsWindow(add)) << "the dialog stays open for a corrected name";
    // The browse button's Cancel empties the box.
    SetDlgItemTextA(add, IDC_ADD_NAME, "something.exe");
    clickLater(add, IDC_ADD_BROWSE);
    HWND open = nullptr;
    ASSERT_TRUE(waitFor([&] {
        for (HWND w : windowsOfProcess(GetCurrentProcessId(), "#32770"))
            if (IsWindowVisible(w) && GetWindow(w, GW_OWNER) == add)
                open = w;
        return open != nullptr;
    }, 5000));
    answer(open, IDCANCEL);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(open); }, 3000));
    EXPECT_TRUE(waitFor([&] { return itemText(add, IDC_ADD_NAME).empty(); }, 1000));
    answer(add, IDCANCEL);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(add); }, 3000));
    EXPECT_EQ(appsFileText().find("evil"), std::string::npos);

    // Delete asks; No keeps, Yes removes the whole section.
    select(p, "notepad.exe");
    clickLater(p, IDC_APP_DELETE);
    HWND ask = waitForDialog("Remove Setting?");
    ASSERT_NE(ask, nullptr);
    answer(ask, IDNO);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(ask); }, 3000));
    EXPECT_EQ(readIni(kApps, "notepad.exe", "Other"), "x");
    clickLater(p, IDC_APP_DELETE);
    ask = waitForDialog("Remove Setting?");
    ASSERT_NE(ask, nullptr);
    answer(ask, IDYES);
    EXPECT_TRUE(waitFor([&] { return listCount(p) == 3; }, 3000));
    EXPECT_EQ(readIni(kApps, "notepad.exe", "Other"), "<missing>");
    EXPECT_EQ(readIni(kApps, "notepad.exe", "Trans"), "<missing>");
}

// The "never touch" box: Add writes the key only when ticked, Modify shows it
// and removes it again when unticked, leaving the section's other keys.
TEST_F(LoaderPages, NoEffectsBoxOfAddAndModify) {
    Sheet sheet;
    HWND p = sheet.page(Transparency);
    struct AddCase {
        const char* name;
        bool ticked;
        const char* stored;
    };
    const AddCase adds[] = {{"game.exe", true, "1"}, {"plain.exe", false, "<missing>"}};
    for (const AddCase& a : adds) {
        clickLater(p, IDC_APP_ADD);
        HWND add = waitForDialog("Set per application semi transparency");
        ASSERT_NE(add, nullptr);
        EXPECT_EQ(IsDlgButtonChecked(add, IDC_APP_NOEFFECTS), BST_UNCHECKED);
        SetDlgItemTextA(add, IDC_ADD_NAME, a.name);
        CheckDlgButton(add, IDC_APP_NOEFFECTS, a.ticked ? BST_CHECKED : BST_UNCHECKED);
        answer(add, IDOK);
        EXPECT_TRUE(waitFor([&] { return !IsWindow(add); }, 3000)) << a.name;
        EXPECT_EQ(readIni(kApps, a.name, "NoEffects"), a.stored) << a.name;
    }

    select(p, "game.exe");
    clickLater(p, IDC_APP_MODIFY);
    HWND mod = waitForDialog("Modify per application transparency");
    ASSERT_NE(mod, nullptr);
    EXPECT_EQ(IsDlgButtonChecked(mod, IDC_APP_NOEFFECTS), BST_CHECKED);
    CheckDlgButton(mod, IDC_APP_NOEFFECTS, BST_UNCHECKED);
    answer(mod, IDOK);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(mod); }, 3000));
    EXPECT_EQ(readIni(kApps, "game.exe", "NoEffects"), "<missing>");
    EXPECT_EQ(readIni(kApps, "game.exe", "Trans"), "220");
}

TEST_F(LoaderPages, DeleteWithNothingSelectedRemovesOnlyAnUnnamedSection) {
    writeTextFile(inWindowsDir(kApps), "[]\r\nTrans=5\r\n[keep.exe]\r\nTrans=9\r\n");
    Sheet sheet;
    HWND p = sheet.page(Transparency);
    ASSERT_EQ(listCount(p), 2) << "an empty section name is listed as an empty line";
    SendDlgItemMessageA(p, IDC_APP_LIST, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    clickLater(p, IDC_APP_DELETE);
    HWND ask = waitForDialog("Remove Setting?");
    ASSERT_NE(ask, nullptr) << "asked also without a selection";
    answer(ask, IDYES);
    EXPECT_TRUE(waitFor([&] { return listCount(p) == 1; }, 3000));
    EXPECT_EQ(listLine(p, 0), "keep.exe");
    EXPECT_EQ(readIni(kApps, "keep.exe", "Trans"), "9");
}

TEST_F(LoaderPages, TransparencyPageCreatesAMissingFile) {
    deleteFile(inWindowsDir(kApps));
    Sheet sheet;
    HWND p = sheet.page(Transparency);
    EXPECT_EQ(listCount(p), 0);
    EXPECT_NE(GetFileAttributesA(inWindowsDir(kApps).c_str()), INVALID_FILE_ATTRIBUTES);
}

// The Run value, saved and put back around each test.
class RunValue {
public:
    RunValue() {
        RegCreateKeyA(HKEY_CURRENT_USER, kRunKey, &key_);
        size_ = sizeof saved_;
        had_ = RegQueryValueExA(key_, "Zirvane", nullptr, &type_, saved_, &size_) == ERROR_SUCCESS;
        RegDeleteValueA(key_, "Zirvane");
    }
    ~RunValue() {
        RegDeleteValueA(key_, "Zirvane");
        if (had_)
            RegSetValueExA(key_, "Zirvane", 0, type_, saved_, size_);
        RegCloseKey(key_);
    }
    void set(const std::string& v) {
        RegSetValueExA(key_, "Zirvane", 0, REG_SZ, reinterpret_cast<const BYTE*>(v.c_str()),
                       static_cast<DWORD>(v.size() + 1));
    }
    bool read(std::string& value, DWORD& type, DWORD& size) {
        BYTE buf[512] = {};
        size = sizeof buf;
        if (RegQueryValueExA(key_, "Zirvane", nullptr, &type, buf, &size) != ERROR_SUCCESS)
            return false;
        value.assign(reinterpret_cast<char*>(buf));
        return true;
    }

private:
    HKEY key_ = nullptr;
    BYTE saved_[512] = {};
    DWORD size_ = 0, type_ = 0;
    bool had_ = false;
};

TEST_F(LoaderPages, StartupPageShowsRunValuesLongerThanEightAsOn) {
    RunValue run;
    for (const auto& [value, on] : {std::pair{"12345678", false}, std::pair{"123456789", true}}) {
        run.set(value);
        Sheet sheet;
        EXPECT_EQ(isChecked(sheet.page(Startup), IDC_STARTUP_RUN), on) << value;
    }
}

TEST_F(LoaderPages, StartupPageAsksBeforeWritingTheRunValue) {
    RunValue run;
    writeIni(kMain, "INSTALLED", "DIR", "C:\\Zirvane");
    writeIni(kMain, "GLOBAL", "SHOWICON", 2);
    Sheet sheet;
    HWND p = sheet.page(Startup);
    EXPECT_FALSE(isChecked(p, IDC_STARTUP_SHOWICON)) << "checked only for exactly 1";
    click(p, IDC_STARTUP_SHOWICON);
    EXPECT_EQ(global("SHOWICON"), "1");

    std::string value;
    DWORD type = 0, size = 0;
    clickLater(p, IDC_STARTUP_RUN);
    HWND ask = waitForDialog("Getting Zirvane to start automatically");
    ASSERT_NE(ask, nullptr);
    answer(ask, IDNO);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(ask); }, 3000));
    EXPECT_TRUE(waitFor([&] { return !isChecked(p, IDC_STARTUP_RUN); }, 1000));
    EXPECT_FALSE(run.read(value, type, size)) << "No leaves the registry untouched";

    clickLater(p, IDC_STARTUP_RUN);
    ask = waitForDialog("Getting Zirvane to start automatically");
    ASSERT_NE(ask, nullptr);
    answer(ask, IDYES);
    EXPECT_TRUE(waitFor([&] { return run.read(value, type, size); }, 3000));
    EXPECT_EQ(value, "C:\\Zirvane\\zrvload.exe");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, value.size() + 1) << "the terminating zero is stored";
    EXPECT_TRUE(isChecked(p, IDC_STARTUP_RUN));

    click(p, IDC_STARTUP_RUN);
    EXPECT_FALSE(run.read(value, type, size)) << "unchecking deletes the value";
}

// The tray menu: texts from "qalang.ini", command ids kept.
TEST(LoaderTrayMenu, TranslatesTextsFromTheLanguageFileAndKeepsIds) {
    ScopedSettingsFiles lang({"qalang.ini"});
    writeIni("qalang.ini", "Menu", "&Configure Zirvane", "&Einstellungen");
    writeIni("qalang.ini", "Menu", "&Unload Zirvane", "");
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TRAYMENU));
    ASSERT_NE(menu, nullptr);
    HMENU sub = GetSubMenu(menu, 0);
    zrv::loader::CTrayIcon::translateMenu(sub);
    struct Item {
        const char* text;
        UINT id;
    };
    const Item items[] = {{"&Einstellungen", ID_CONFIGURE_ZIRVANE}, {"", 0}, {"&Unload Zirvane", ID_UNLOAD_ZIRVANE}};
    ASSERT_EQ(GetMenuItemCount(sub), 3);
    for (int i = 0; i < 3; ++i) {
        char buf[64] = {};
        GetMenuStringA(sub, i, buf, sizeof buf, MF_BYPOSITION);
        EXPECT_STREQ(buf, items[i].text) << i;
        if (items[i].id) {
            EXPECT_EQ(GetMenuItemID(sub, i), items[i].id) << i;
        }
    }
    EXPECT_TRUE(GetMenuState(sub, 1, MF_BYPOSITION) & MF_SEPARATOR);
    DestroyMenu(menu);
}

// The notification handler: another icon's messages are not handled, a
// double click sends the first item's command to the owner.
UINT lastCommand = 0;
LRESULT CALLBACK trayOwnerProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_COMMAND)
        lastCommand = LOWORD(wp);
    return DefWindowProcA(w, m, wp, lp);
}

TEST(LoaderTrayMenu, DoubleClickSendsTheConfigureCommand) {
    TestWindowClass cls("LoaderTrayOwner", trayOwnerProc);
    HWND owner = CreateWindowA(cls.name, "owner", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    {
        zrv::loader::CTrayIcon tray;
        ASSERT_TRUE(tray.create(owner, WM_USER + 10, "Zirvane 0.75", nullptr, IDR_TRAYMENU));
        EXPECT_EQ(tray.onTrayNotification(IDR_TRAYMENU + 1, WM_LBUTTONDBLCLK), 0);
        EXPECT_EQ(lastCommand, 0u);
        EXPECT_EQ(tray.onTrayNotification(IDR_TRAYMENU, WM_MOUSEMOVE), 1);
        EXPECT_EQ(tray.onTrayNotification(IDR_TRAYMENU, WM_LBUTTONDBLCLK), 1);
        EXPECT_EQ(lastCommand, static_cast<UINT>(ID_CONFIGURE_ZIRVANE));
        EXPECT_TRUE(tray.shown());
        tray.remove();
        EXPECT_FALSE(tray.shown());
        EXPECT_FALSE(tray.setIconFromResource(IDR_MAINFRAME)) << "no icon to change once removed";
    }
    DestroyWindow(owner);
}

} // namespace
