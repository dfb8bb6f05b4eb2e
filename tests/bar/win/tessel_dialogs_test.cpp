// The bar's dialogs on the real tessel.exe, driven with the mouse: the
// program popup and its editor, the file browser, the folder window, the run
// dialog and the frame they share.
#include "bar/win/resource.h"
#include "tests/bar/win/bar_fixture.h"

#include "common/win/scoped.h"

#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace tessel::test {
namespace {

using namespace zt::test;

constexpr int kElementIdBase = 100;

HWND element(HWND bar, int i) { return GetDlgItem(bar, kElementIdBase + i); }

RECT screenRect(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    return r;
}

// The frame's close picture: 16 pixels square at the top right.
POINT closePicture(HWND dialog) {
    RECT r;
    GetClientRect(dialog, &r);
    POINT pt = {r.right - 8, 8};
    ClientToScreen(dialog, &pt);
    return pt;
}

void setText(HWND dialog, int id, const std::string& text) {
    std::wstring w(text.begin(), text.end());
    SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(w.c_str()));
}

// Presses OK on a report and waits until the dialog under it is active
// again: a click sent while wine still hands the focus back is lost.
void dismissReport(HWND box, HWND under) {
    pressOk(box);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(box); }, 3000));
    waitFor([&] { return GetForegroundWindow() == under && IsWindowEnabled(under); }, 2000);
    pumpMessages(300);
}

bool gone(HWND w) {
    return waitFor([&] { return !IsWindow(w) || !IsWindowVisible(w); }, 5000);
}

struct Bar {
    explicit Bar(const std::string& name) : folder(name) {}
    bool start() {
        process = folder.start();
        wnd = waitForBar(process.id());
        // The bar takes its skin's place right after it first shows.
        pumpMessages(400);
        return wnd != nullptr;
    }
    HWND openEditor() {
        clickWindow(element(wnd, 0));
        HWND popup = findDialog(process.id(), IDC_EDIT_PROGRAMS);
        if (!popup)
            return nullptr;
        clickWindow(GetDlgItem(popup, IDC_EDIT_PROGRAMS));
        return findDialog(process.id(), IDC_DONE);
    }
    BarFolder folder;
    Process process;
    HWND wnd = nullptr;
};

TEST(TesselDialogs, ProgramPopupBesideTheBarStartsAndReports) {
    Bar b("popup");
    b.folder.write("programs.prg", " 2 \r\nBroken\r\nFilename\r\nShell\r\ncmd.exe /c echo ran> ran.txt\r\n");
    ASSERT_TRUE(b.start());
    clickWindow(element(b.wnd, 0));
    HWND popup = findDialog(b.process.id(), IDC_PROGRAMS);
    ASSERT_TRUE(popup);
    // A vertical bar in the left half: the popup stands right of it, level with it.
    const RECT bar = screenRect(b.wnd), pr = screenRect(popup);
    EXPECT_EQ(pr.left, bar.right);
    EXPECT_EQ(pr.top, bar.top);
    HWND list = GetDlgItem(popup, IDC_PROGRAMS);
    EXPECT_EQ(listRows(list), (std::vector<std::string>{"Broken", "Shell"}));

    // "Filename" cannot start: the second form of the report, popup stays.
    clickRow(list, 0, true);
    std::string text;
    HWND box = waitForMessageBox(b.process.id(), text);
    ASSERT_TRUE(box);
    EXPECT_EQ(text.rfind("Error 53", 0), 0u) << text;
    EXPECT_EQ(text.find("has occured"), std::string::npos) << text;
    dismissReport(box, popup);
    EXPECT_TRUE(IsWindowVisible(popup));

    // A program that starts closes the popup.
    clickRow(list, 1, true);
    EXPECT_TRUE(gone(popup));
    EXPECT_TRUE(waitFor([&] { return GetFileAttributesA((b.folder.dir() + "\\ran.txt").c_str()) !=
                                     INVALID_FILE_ATTRIBUTES; }, 10000));

    // Element 0 shows the popup, and hides it at the next click.
    clickWindow(element(b.wnd, 0));
    popup = findDialog(b.process.id(), IDC_PROGRAMS);
    ASSERT_TRUE(popup);
    clickWindow(element(b.wnd, 0));
    EXPECT_TRUE(gone(popup));
}

TEST(TesselDialogs, EditorAddsUpdatesRemovesAndSaves) {
    Bar b("editor");
    ASSERT_TRUE(b.start());
    HWND editor = b.openEditor();
    ASSERT_TRUE(editor);
    EXPECT_FALSE(findDialog(b.process.id(), IDC_EDIT_PROGRAMS, 500)); // the popup closed
    HWND names = GetDlgItem(editor, IDC_NAMES), commands = GetDlgItem(editor, IDC_COMMANDS);

    clickWindow(GetDlgItem(editor, IDC_REMOVE)); // no row selected: nothing happens
    EXPECT_EQ(listRows(names).size(), 1u);
    clickWindow(GetDlgItem(editor, IDC_ADD));
    EXPECT_EQ(listRows(names), (std::vector<std::string>{"Notepad", "Program name"}));
    EXPECT_EQ(listRows(commands), (std::vector<std::string>{"notepad.exe", "Filename"}));

    // A row clicked in one list is the same row in the other and in the boxes.
    clickRow(commands, 1);
    EXPECT_EQ(SendMessageA(names, LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(itemText(editor, IDC_NAME), "Program name");
    EXPECT_EQ(itemText(editor, IDC_COMMAND), "Filename");
    setText(editor, IDC_NAME, "Mine, with a comma");
    setText(editor, IDC_COMMAND, "\"C:\\My Tools\\x.exe\" -a");
    clickWindow(GetDlgItem(editor, IDC_UPDATE));
    EXPECT_EQ(listRows(names)[1], "Mine, with a comma");

    clickRow(names, 0);
    clickWindow(GetDlgItem(editor, IDC_REMOVE));
    EXPECT_EQ(listRows(names), (std::vector<std::string>{"Mine, with a comma"}));

    clickWindow(GetDlgItem(editor, IDC_DONE));
    EXPECT_TRUE(gone(editor));
    EXPECT_EQ(readTextFile(b.folder.dir() + "\\programs.prg"),
              " 1 \r\nMine, with a comma\r\n\"C:\\My Tools\\x.exe\" -a\r\n");

    // The close picture puts back the list as the editor found it.
    editor = b.openEditor();
    ASSERT_TRUE(editor);
    clickWindow(GetDlgItem(editor, IDC_ADD));
    clickAt(closePicture(editor));
    EXPECT_TRUE(gone(editor));
    clickWindow(element(b.wnd, 0));
    HWND popup = findDialog(b.process.id(), IDC_PROGRAMS);
    ASSERT_TRUE(popup);
    EXPECT_EQ(listRows(GetDlgItem(popup, IDC_PROGRAMS)), (std::vector<std::string>{"Mine, with a comma"}));
}

TEST(TesselDialogs, AFailedSaveKeepsTheOldListAndIsReported) {
    Bar b("locked");
    ASSERT_TRUE(b.start());
    HWND editor = b.openEditor();
    ASSERT_TRUE(editor);
    clickWindow(GetDlgItem(editor, IDC_ADD));
    const std::string path = b.folder.dir() + "\\programs.prg";
    {
        // Another program holds the list open and shares it with nobody.
        zt::ScopedKernelHandle lock(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                                FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_NE(lock.get(), INVALID_HANDLE_VALUE);
        clickWindow(GetDlgItem(editor, IDC_DONE));
        std::string text;
        HWND box = waitForMessageBox(b.process.id(), text);
        ASSERT_TRUE(box);
        EXPECT_EQ(text.rfind("Error 70 has occured, Permission denied", 0), 0u) << text;
        dismissReport(box, editor);
    }
    EXPECT_TRUE(IsWindowVisible(editor)); // nothing the user entered is lost
    EXPECT_EQ(readTextFile(path), " 1 \r\nNotepad\r\nnotepad.exe\r\n");
    EXPECT_EQ(GetFileAttributesA((path + ".new").c_str()), INVALID_FILE_ATTRIBUTES);
    clickWindow(GetDlgItem(editor, IDC_DONE));
    {
        std::string text;
        EXPECT_FALSE(waitForMessageBox(b.process.id(), text, 1000)) << text;
    }
    EXPECT_TRUE(gone(editor));
    EXPECT_EQ(readTextFile(path), " 2 \r\nNotepad\r\nnotepad.exe\r\nProgram name\r\nFilename\r\n");
}

TEST(TesselDialogs, FileBrowserListsThePatternAndConfirmsToItsCaller) {
    Bar b("browser");
    b.folder.write("song.mp3", "");
    b.folder.write("Tune.WAV", "");
    ASSERT_TRUE(b.start());
    HWND editor = b.openEditor();
    ASSERT_TRUE(editor);
    clickRow(GetDlgItem(editor, IDC_NAMES), 0);
    clickWindow(GetDlgItem(editor, IDC_BROWSE_PROGRAM));
    HWND browser = findDialog(b.process.id(), IDC_FILES);
    ASSERT_TRUE(browser);
    // It starts in the bar's current folder, its own folder here.
    HWND files = GetDlgItem(browser, IDC_FILES);
    EXPECT_EQ(listRows(files), (std::vector<std::string>{"tessel.exe"}));

    // Switching to the editor and back takes no old or empty path.
    SetForegroundWindow(editor);
    pumpMessages(300);
    EXPECT_EQ(itemText(editor, IDC_COMMAND), "notepad.exe");
    SetForegroundWindow(browser);
    pumpMessages(300);

    clickRow(files, 0);
    const std::string chosen = b.folder.dir() + "\\tessel.exe";
    EXPECT_EQ(itemText(browser, IDC_PATH), chosen);
    clickWindow(GetDlgItem(browser, IDC_OPEN));
    EXPECT_TRUE(gone(browser));
    EXPECT_TRUE(waitFor([&] { return itemText(editor, IDC_COMMAND) == chosen; }, 3000));
    EXPECT_EQ(listRows(GetDlgItem(editor, IDC_COMMANDS))[0], chosen);
    clickAt(closePicture(editor));
    ASSERT_TRUE(gone(editor));

    // The player's open element lists media files; the close picture
    // confirms nothing.
    clickWindow(element(b.wnd, 15));
    browser = findDialog(b.process.id(), IDC_FILES);
    ASSERT_TRUE(browser);
    EXPECT_EQ(listRows(GetDlgItem(browser, IDC_FILES)), (std::vector<std::string>{"song.mp3", "Tune.WAV"}));
    clickAt(closePicture(browser));
    EXPECT_TRUE(gone(browser));

    // The run dialog shows the last confirmed path and browses for programs.
    clickWindow(element(b.wnd, 8));
    HWND run = findDialog(b.process.id(), IDC_RUN);
    ASSERT_TRUE(run);
    EXPECT_EQ(itemText(run, IDC_COMMAND_LINE), chosen);
    clickWindow(GetDlgItem(run, IDC_BROWSE_RUN));
    browser = findDialog(b.process.id(), IDC_FILES);
    ASSERT_TRUE(browser);
    EXPECT_EQ(listRows(GetDlgItem(browser, IDC_FILES)), (std::vector<std::string>{"tessel.exe"}));
    // The path box takes what the user types; a double click on a folder opens it.
    HWND folders = GetDlgItem(browser, IDC_FOLDERS);
    const auto rows = listRows(folders);
    const auto skins = std::find(rows.begin(), rows.end(), "Skins");
    ASSERT_NE(skins, rows.end());
    clickRow(folders, int(skins - rows.begin()), true);
    EXPECT_TRUE(waitFor([&] { return listRows(GetDlgItem(browser, IDC_FILES)).empty(); }, 3000));
    setText(browser, IDC_PATH, "cmd.exe /c echo ran> ran.txt");
    clickWindow(GetDlgItem(browser, IDC_OPEN));
    EXPECT_TRUE(gone(browser));
    EXPECT_TRUE(waitFor([&] { return itemText(run, IDC_COMMAND_LINE) == "cmd.exe /c echo ran> ran.txt"; }, 3000));
}

TEST(TesselDialogs, RunDialogRunsAndReports) {
    Bar b("run");
    ASSERT_TRUE(b.start());
    clickWindow(element(b.wnd, 8));
    HWND run = findDialog(b.process.id(), IDC_RUN);
    ASSERT_TRUE(run);
    EXPECT_EQ(itemText(run, IDC_COMMAND_LINE), ""); // nothing chosen yet

    setText(run, IDC_COMMAND_LINE, "no_such_program.exe");
    clickWindow(GetDlgItem(run, IDC_RUN));
    std::string text;
    HWND box = waitForMessageBox(b.process.id(), text);
    ASSERT_TRUE(box);
    EXPECT_EQ(text.rfind("Error 53", 0), 0u) << text;
    EXPECT_NE(text.find("no_such_program.exe"), std::string::npos) << text;
    dismissReport(box, run);
    EXPECT_TRUE(IsWindowVisible(run));
    // The typed command stays for another try.
    pumpMessages(300);
    EXPECT_EQ(itemText(run, IDC_COMMAND_LINE), "no_such_program.exe");

    // A file that is there but is no program has its own number.
    b.folder.write("notaprogram.exe", "just text");
    setText(run, IDC_COMMAND_LINE, b.folder.dir() + "\\notaprogram.exe");
    clickWindow(GetDlgItem(run, IDC_RUN));
    box = waitForMessageBox(b.process.id(), text);
    ASSERT_TRUE(box);
    EXPECT_EQ(text.find("Error 53"), std::string::npos) << text;
    EXPECT_EQ(text.rfind("Error ", 0), 0u) << text;
    dismissReport(box, run);

    setText(run, IDC_COMMAND_LINE, "cmd.exe /c echo ran> ran.txt");
    clickWindow(GetDlgItem(run, IDC_RUN));
    EXPECT_TRUE(gone(run));
    EXPECT_TRUE(waitFor([&] { return GetFileAttributesA((b.folder.dir() + "\\ran.txt").c_str()) !=
                                     INVALID_FILE_ATTRIBUTES; }, 10000));

    // The run element shows the dialog, then hides it.
    clickWindow(element(b.wnd, 8));
    run = findDialog(b.process.id(), IDC_RUN);
    ASSERT_TRUE(run);
    clickWindow(element(b.wnd, 8));
    EXPECT_TRUE(gone(run));
}

// The names a special folder holds, as the shell lists them to this test:
// the oracle for what the bar's pane shows.
std::set<std::string> namesInSpecialFolder(int folderId) {
    std::set<std::string> names;
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return names;
    LPITEMIDLIST pidl = nullptr;
    IShellFolder* desktop = nullptr;
    IShellFolder* folder = nullptr;
    IEnumIDList* items = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, folderId, &pidl)) &&
        SUCCEEDED(SHGetDesktopFolder(&desktop))) {
        if (pidl->mkid.cb == 0) {
            folder = desktop;
            folder->AddRef();
        } else {
            desktop->BindToObject(pidl, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&folder));
        }
    }
    if (folder && folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &items) == S_OK) {
        LPITEMIDLIST item = nullptr;
        while (items->Next(1, &item, nullptr) == S_OK) {
            STRRET str = {};
            if (SUCCEEDED(folder->GetDisplayNameOf(item, SHGDN_INFOLDER, &str))) {
                char name[MAX_PATH] = {};
                if (str.uType == STRRET_WSTR) {
                    WideCharToMultiByte(CP_ACP, 0, str.pOleStr, -1, name, MAX_PATH, nullptr, nullptr);
                    CoTaskMemFree(str.pOleStr);
                } else if (str.uType == STRRET_CSTR) {
                    lstrcpynA(name, str.cStr, MAX_PATH);
                }
                names.insert(name);
            }
            CoTaskMemFree(item);
        }
        items->Release();
    }
    if (folder)
        folder->Release();
    if (desktop)
        desktop->Release();
    CoTaskMemFree(pidl);
    CoUninitialize();
    return names;
}

BOOL CALLBACK findListView(HWND w, LPARAM lp) {
    char cls[64] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (lstrcmpiA(cls, "SysListView32") == 0 && IsWindowVisible(w)) {
        *reinterpret_cast<HWND*>(lp) = w;
        return FALSE;
    }
    return TRUE;
}

// The item texts of the first list view under `window`, read from the bar's
// process through memory of its own.
std::set<std::string> namesInPane(HWND window, DWORD pid) {
    std::set<std::string> names;
    HWND view = nullptr;
    EnumChildWindows(window, findListView, reinterpret_cast<LPARAM>(&view));
    if (!view)
        return names;
    zt::ScopedKernelHandle process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
    if (!process)
        return names;
    const SIZE_T size = sizeof(LVITEMA) + MAX_PATH;
    void* remote = VirtualAllocEx(process.get(), nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    if (!remote)
        return names;
    const LRESULT count = SendMessageA(view, LVM_GETITEMCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = int(i);
        item.pszText = static_cast<char*>(remote) + sizeof(LVITEMA);
        item.cchTextMax = MAX_PATH;
        char text[MAX_PATH] = {};
        if (WriteProcessMemory(process.get(), remote, &item, sizeof item, nullptr) &&
            SendMessageA(view, LVM_GETITEMTEXTA, WPARAM(i), LPARAM(remote)) >= 0 &&
            ReadProcessMemory(process.get(), item.pszText, text, MAX_PATH - 1, nullptr))
            names.insert(text);
    }
    VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
    return names;
}

TEST(TesselDialogs, FolderWindowOnEachElementsEntry) {
    Bar b("folders");
    ASSERT_TRUE(b.start());
    struct Case {
        int element;
        const char* entry;
        int folderId;
    };
    // Each entry's special folder, as the shell numbers them.
    static constexpr Case cases[] = {
        {5, "Personal", 5}, {6, "Desktop", 0}, {7, "Start Menu", 11}, {11, "Control Panel", 3}};
    HWND window = nullptr;
    for (const auto& c : cases) {
        clickWindow(element(b.wnd, c.element));
        window = findDialog(b.process.id(), IDC_FOLDER_LIST);
        ASSERT_TRUE(window) << c.entry;
        HWND combo = GetDlgItem(window, IDC_FOLDER_LIST);
        EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 13);
        EXPECT_TRUE(waitFor([&] { return itemText(window, IDC_FOLDER_LIST) == c.entry; }, 3000))
            << itemText(window, IDC_FOLDER_LIST);
        // The shell's pane is there and shown beside the list.
        HWND pane = nullptr;
        EXPECT_TRUE(waitFor(
            [&] {
                for (HWND w = GetWindow(window, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
                    if (w != combo && IsWindowVisible(w) && GetDlgCtrlID(w) != IDC_FOLDER_PANE)
                        pane = w;
                return pane != nullptr;
            },
            5000))
            << c.entry;
        // The pane shows that folder's contents, as the shell lists them.
        const std::set<std::string> expected = namesInSpecialFolder(c.folderId);
        std::set<std::string> shown;
        EXPECT_TRUE(waitFor(
            [&] {
                shown = namesInPane(window, b.process.id());
                return shown == expected;
            },
            5000))
            << c.entry << ": shows " << shown.size() << " names, the folder holds "
            << expected.size() << (shown.empty() ? "" : ", first shown: " + *shown.begin());
        // A second click hides the window.
        clickWindow(element(b.wnd, c.element));
        EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(window); }, 3000)) << c.entry;
    }
    // Closed with its close picture, it comes back on the next element's entry.
    clickWindow(element(b.wnd, 5));
    ASSERT_TRUE(findDialog(b.process.id(), IDC_FOLDER_LIST));
    clickAt(closePicture(window));
    EXPECT_TRUE(waitFor([&] { return !IsWindow(window); }, 3000));
    clickWindow(element(b.wnd, 6));
    window = findDialog(b.process.id(), IDC_FOLDER_LIST);
    ASSERT_TRUE(window);
    EXPECT_EQ(itemText(window, IDC_FOLDER_LIST), "Desktop");
}

TEST(TesselDialogs, ClicksActOnlyWhereTheyStartAndEnd) {
    Bar b("clicks");
    // Element 3's pressed picture is larger than its normal one.
    writeBitmap(elementBitmapPath(b.folder.skinDir(), 3, BitmapLook::Pressed), 30, 24, pressedColour(3));
    ASSERT_TRUE(b.start());

    HWND el3 = element(b.wnd, 3);
    const RECT normal = screenRect(el3);
    POINT mid = {normal.left + 4, normal.top + 4};
    pressAt(mid);
    EXPECT_TRUE(waitFor([&] { RECT r = screenRect(el3); return r.right - r.left == 30 && r.bottom - r.top == 24; }, 3000))
        << screenRect(el3).right - screenRect(el3).left << " x "
        << screenRect(el3).bottom - screenRect(el3).top << " pixel "
        << std::hex << screenPixel(mid);
    // Released away from the element: no action, normal picture and size again.
    releaseAt({normal.left + 200, normal.top + 60});
    EXPECT_TRUE(waitFor([&] { RECT r = screenRect(el3); return r.right - r.left == elementSize(3).cx; }, 3000));
    EXPECT_FALSE(findDialog(b.process.id(), IDC_EXIT_TESSEL, 300));

    // The exit dialog's close picture: pressed there and released elsewhere
    // it does nothing; a release over the bar's exit element runs nothing.
    clickWindow(element(b.wnd, 12));
    HWND exitDialog = findDialog(b.process.id(), IDC_EXIT_TESSEL);
    ASSERT_TRUE(exitDialog);
    const RECT exitEl = screenRect(element(b.wnd, 1));
    pressAt(closePicture(exitDialog));
    releaseAt({exitEl.left + 3, exitEl.top + 3});
    pumpMessages(300);
    EXPECT_TRUE(IsWindowVisible(exitDialog));
    std::string text;
    EXPECT_FALSE(waitForMessageBox(b.process.id(), text, 500)) << text; // element 1 did not act
    clickAt(closePicture(exitDialog));
    EXPECT_TRUE(waitFor([&] { return !IsWindow(exitDialog); }, 3000));

    // A release on an element whose press began elsewhere runs nothing.
    PostMessageA(element(b.wnd, 1), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_FALSE(waitForMessageBox(b.process.id(), text, 800)) << text;
}

TEST(TesselDialogs, DialogDragSnapsToTheScreenEdge) {
    Bar b("snap");
    ASSERT_TRUE(b.start());
    clickWindow(element(b.wnd, 8));
    HWND run = findDialog(b.process.id(), IDC_RUN);
    ASSERT_TRUE(run);
    struct Case {
        int top;      // where the drag leaves the dialog's top edge
        int expected; // after the release
    };
    // 300 twips (20 pixels) from the top: pulled to 0; 400 (27 pixels) stays.
    static constexpr Case cases[] = {{20, 0}, {27, 27}, {300, 300}};
    for (const auto& c : cases) {
        RECT r = screenRect(run);
        POINT grab = {r.left + 20, r.top + 8};
        pressAt(grab);
        for (int i = 1; i <= 4; ++i) {
            SetCursorPos(grab.x, grab.y + (c.top - r.top) * i / 4);
            pumpMessages(40);
        }
        releaseAt({grab.x, grab.y + c.top - r.top});
        EXPECT_TRUE(waitFor([&] { return screenRect(run).top == c.expected; }, 3000))
            << c.top << ": at " << screenRect(run).top;
    }
}

} // namespace
} // namespace tessel::test
