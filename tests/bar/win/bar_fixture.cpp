#include "tests/bar/win/bar_fixture.h"

#include "tests/support/win/bitmap_files.h"

#include <shellapi.h>

#include <vector>

namespace tessel::test {

using namespace zt::test;

COLORREF normalColour(int i) { return RGB(200, 40, 10 * i); }
COLORREF pressedColour(int i) { return RGB(40, 200, 10 * i); }
SIZE elementSize(int i) { return {16 + i % 4, 12 + i % 3}; }

void writeBitmap(const std::string& path, int w, int h, COLORREF c) {
    writeTextFile(path, bitmapFile(w, h, c));
}

SkinLayout testLayout() {
    SkinLayout l;
    l.displayName = "Test";
    l.barLeft = tw(200);
    l.barTop = tw(200);
    l.barWidth = tw(800);
    l.barHeight = tw(100);
    for (int i = 0; i < kElementCount; ++i)
        l.elements[i] = {int16_t(tw(10 + i * 25)), int16_t(tw(5))};
    l.elements[kTaskAreaElement] = {int16_t(tw(600)), 300};
    l.taskAreaWidth = tw(100);
    l.taskAreaHeight = 900;
    l.cpuMeter = {int16_t(tw(10)), int16_t(tw(40))};
    l.clock = {int16_t(tw(700)), int16_t(tw(40))};
    l.positionBar = l.balanceSlider = l.volumeSlider = {-3000, 0, 100, 100};
    l.horizontalFlag = "False";
    l.buttonColour = 0x00C0C0C0;
    l.listColour = static_cast<int32_t>(0x80000005u);
    return l;
}

BarFolder::BarFolder(const std::string& name) : dir_(exeDir() + "\\bar_" + name) {
    CreateDirectoryA(dir_.c_str(), nullptr);
    CreateDirectoryA((dir_ + "\\Skins").c_str(), nullptr);
    CreateDirectoryA(skinDir().c_str(), nullptr);
    CopyFileA(inExeDir("tessel.exe").c_str(), (dir_ + "\\tessel.exe").c_str(), FALSE);
    write("programs.prg", " 1 \r\nNotepad\r\nnotepad.exe\r\n");
    write("tessel.tsi", "local\r\nTest\r\n");
    for (int i = 0; i < kElementCount; ++i) {
        if (i == kTaskAreaElement)
            continue;
        SIZE s = elementSize(i);
        writeBitmap(elementBitmapPath(skinDir(), i, BitmapLook::Normal), s.cx, s.cy,
                    normalColour(i));
        writeBitmap(elementBitmapPath(skinDir(), i, BitmapLook::Pressed), s.cx, s.cy,
                    pressedColour(i));
    }
    writeBitmap(skinDir() + "\\background.bmp", 800, 100, RGB(30, 30, 30));
    writeBitmap(skinDir() + "\\dialogback.bmp", 240, 120, RGB(60, 60, 60));
    writeBitmap(skinDir() + "\\dialogexit.bmp", 16, 16, RGB(200, 0, 0));
    writeBitmap(skinDir() + "\\dialogmove.bmp", 200, 16, RGB(0, 0, 200));
    writeLayout(testLayout());
}

BarFolder::~BarFolder() {
    std::string from = dir_ + '\0';
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    SHFileOperationA(&op);
}

void BarFolder::write(const std::string& file, const std::string& text) {
    writeTextFile(dir_ + "\\" + file, text);
}

void BarFolder::remove(const std::string& file) { deleteFile(dir_ + "\\" + file); }

void BarFolder::writeLayout(const SkinLayout& layout) {
    writeTextFile(skinDir() + "\\skinsettings.tsl", writeSkinLayout(layout));
}

Process BarFolder::start() { return Process("\"" + dir_ + "\\tessel.exe\"", dir_); }

HWND waitForBar(DWORD pid, DWORD timeoutMs) {
    return waitForVisibleWindow(pid, "TesselBar", nullptr, timeoutMs);
}

HWND waitForMessageBox(DWORD pid, std::string& text, DWORD timeoutMs) {
    HWND box = nullptr;
    waitFor(
        [&] {
            // A message box, not one of the bar's own dialogs: it has an OK button.
            box = nullptr;
            for (HWND d : windowsOfProcess(pid, "#32770", nullptr))
                if (IsWindowVisible(d) && GetDlgItem(d, IDOK))
                    box = d;
            return box != nullptr;
        },
        timeoutMs);
    text = box ? staticTexts(box) : std::string();
    return box;
}

void pressOk(HWND box) { PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

COLORREF screenPixel(POINT pt) {
    HDC dc = GetDC(nullptr);
    COLORREF c = GetPixel(dc, pt.x, pt.y);
    ReleaseDC(nullptr, dc);
    return c;
}

namespace {
void mouse(DWORD flags) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    SendInput(1, &in, sizeof in);
}
} // namespace

void pressAt(POINT pt) {
    SetCursorPos(pt.x, pt.y);
    pumpMessages(60);
    mouse(MOUSEEVENTF_LEFTDOWN);
    pumpMessages(60);
}

void releaseAt(POINT pt) {
    SetCursorPos(pt.x, pt.y);
    // A release right after a move can overtake it.
    pumpMessages(150);
    mouse(MOUSEEVENTF_LEFTUP);
    pumpMessages(100);
}

void clickAt(POINT pt, bool twice) {
    // The pointer comes from somewhere, as a hand's does: with no move, wine
    // may still place it over a window that has gone since (a closed report
    // box) and the press goes nowhere.
    SetCursorPos(pt.x + 3, pt.y + 3);
    pumpMessages(40);
    SetCursorPos(pt.x, pt.y);
    pumpMessages(80);
    for (int i = 0; i < (twice ? 2 : 1); ++i) {
        mouse(MOUSEEVENTF_LEFTDOWN);
        pumpMessages(30);
        mouse(MOUSEEVENTF_LEFTUP);
        pumpMessages(30);
    }
    pumpMessages(150);
}

void clickWindow(HWND w, int x, int y) {
    RECT rc;
    GetClientRect(w, &rc);
    POINT pt = {x < 0 ? rc.right / 2 : x, y < 0 ? rc.bottom / 2 : y};
    ClientToScreen(w, &pt);
    clickAt(pt);
}

HWND findDialog(DWORD pid, int controlId, DWORD timeoutMs) {
    HWND found = nullptr;
    waitFor(
        [&] {
            for (HWND d : windowsOfProcess(pid, "#32770", nullptr))
                if (GetDlgItem(d, controlId) && IsWindowVisible(d)) {
                    found = d;
                    return true;
                }
            return false;
        },
        timeoutMs);
    return found;
}

namespace {
std::string narrow(const std::wstring& w) {
    if (w.empty())
        return {};
    int n = WideCharToMultiByte(CP_ACP, 0, w.c_str(), int(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(size_t(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, w.c_str(), int(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

// Texts of another process's controls: the wide messages are the ones the
// system copies between processes.
std::string itemString(HWND w, UINT lengthMsg, UINT textMsg, WPARAM index) {
    const LRESULT n = SendMessageW(w, lengthMsg, index, 0);
    if (n < 0 || n > 32768)
        return {};
    std::wstring t(size_t(n) + 1, L'\0');
    SendMessageW(w, textMsg, index, reinterpret_cast<LPARAM>(t.data()));
    t.resize(size_t(n));
    return narrow(t);
}
} // namespace

std::string textOf(HWND w) {
    const LRESULT n = SendMessageW(w, WM_GETTEXTLENGTH, 0, 0);
    std::wstring t(size_t(n) + 1, L'\0');
    SendMessageW(w, WM_GETTEXT, WPARAM(t.size()), reinterpret_cast<LPARAM>(t.data()));
    t.resize(wcslen(t.c_str()));
    return narrow(t);
}

std::string itemText(HWND dialog, int id) {
    HWND w = GetDlgItem(dialog, id);
    char cls[32] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (lstrcmpiA(cls, "ComboBox") == 0) {
        const LRESULT row = SendMessageW(w, CB_GETCURSEL, 0, 0);
        return row < 0 ? std::string() : itemString(w, CB_GETLBTEXTLEN, CB_GETLBTEXT, WPARAM(row));
    }
    return textOf(w);
}

std::vector<std::string> listRows(HWND list) {
    std::vector<std::string> rows;
    const LRESULT n = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i)
        rows.push_back(itemString(list, LB_GETTEXTLEN, LB_GETTEXT, WPARAM(i)));
    return rows;
}

void clickRow(HWND list, int row, bool twice) {
    RECT r = {};
    SendMessageA(list, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
    POINT pt = {r.left + 5, (r.top + r.bottom) / 2};
    ClientToScreen(list, &pt);
    clickAt(pt, twice);
}

} // namespace tessel::test
