#include "tests/designer/win/designer_fixture.h"

#include "designer/win/resource.h"

#include <shellapi.h>

namespace tessel::designer::test {

using namespace zt::test;

namespace {
constexpr char kPanelTitle[] = "Tessel Shell Designer";
constexpr char kMakeFileTitle[] = "Make Tessel Shell File";
constexpr char kBoxTitle[] = "Tessel Designer";

void setText(HWND w, const std::string& s) {
    SendMessageTimeoutA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(s.c_str()), SMTO_NORMAL, 5000,
                        nullptr);
}

std::string getText(HWND w) {
    char buf[1024] = {};
    DWORD_PTR n = 0;
    SendMessageTimeoutA(w, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_NORMAL,
                        5000, &n);
    return buf;
}
} // namespace

std::string defaultSkinFolder() { return exeDir() + "\\Skins\\Graphite"; }

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t b = 0;
    while (b < text.size()) {
        size_t e = text.find("\r\n", b);
        if (e == std::string::npos) {
            lines.push_back(text.substr(b));
            break;
        }
        lines.push_back(text.substr(b, e - b));
        b = e + 2;
    }
    return lines;
}

std::string lineOf(const std::string& text, int line) {
    auto lines = splitLines(text);
    return line >= 1 && line <= static_cast<int>(lines.size()) ? lines[line - 1] : "<none>";
}

void copyFolder(const std::string& from, const std::string& to) {
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((from + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            CopyFileA((from + "\\" + fd.cFileName).c_str(), (to + "\\" + fd.cFileName).c_str(),
                      FALSE);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
}

void removeFolder(const std::string& dir) {
    std::string from = dir + '\0';
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    SHFileOperationA(&op);
}

DesignerRun::DesignerRun(const std::string& name) : dir_(exeDir() + "\\des_" + name) {
    removeFolder(dir_);
    CreateDirectoryA(dir_.c_str(), nullptr);
    CopyFileA(inExeDir("tesseldes.exe").c_str(), (dir_ + "\\tesseldes.exe").c_str(), FALSE);
    // Unmanaged windows: no two-second wait for a window manager at every
    // hide, and the real pointer reaches them on a bare display.
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER,
                        "Software\\Wine\\AppDefaults\\tesseldes.exe\\X11 Driver", 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &key, nullptr) == ERROR_SUCCESS) {
        RegSetValueExA(key, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
        RegCloseKey(key);
    }
}

DesignerRun::~DesignerRun() {
    process_.kill();
    process_.wait(5000);
    removeFolder(dir_);
}

bool DesignerRun::open(const std::string& skinFolder, std::string* loadMessage) {
    process_ = Process("\"" + dir_ + "\\tesseldes.exe\"", dir_);
    chooser_ = waitForVisibleWindow(pid(), "#32770", "Select Skin to edit");
    if (!chooser_)
        return false;
    setText(GetDlgItem(chooser_, IDC_CHOOSER_TEXT1), skinFolder);
    pressControl(chooser_, IDC_CHOOSER_OPEN);
    if (loadMessage) {
        HWND box = waitForBox(kBoxTitle, *loadMessage, 5000);
        if (box)
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
    panel_ = waitForVisibleWindow(pid(), "#32770", kPanelTitle);
    canvas_ = waitForVisibleWindow(pid(), "TesseldesCanvas", nullptr);
    return panel_ && canvas_;
}

namespace {
POINT elementCorner(HWND canvas, int i, int which) {
    DWORD_PTR packed = 0;
    SendMessageTimeoutA(canvas, WM_TESSELDES_ELEMENT_CORNER, static_cast<WPARAM>(i), which,
                        SMTO_NORMAL, 5000, &packed);
    return {static_cast<SHORT>(LOWORD(packed)), static_cast<SHORT>(HIWORD(packed))};
}
} // namespace

RECT DesignerRun::elementRect(int i) const {
    const POINT tl = elementCorner(canvas_, i, 0), br = elementCorner(canvas_, i, 1);
    return {tl.x, tl.y, br.x, br.y};
}

POINT DesignerRun::elementCentreOnScreen(int i) const {
    const RECT r = elementRect(i);
    POINT p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(canvas_, &p);
    return p;
}

std::string DesignerRun::text(int n) const { return getText(GetDlgItem(panel_, IDC_TEXT_BASE + n)); }

void DesignerRun::type(int n, const std::string& s) {
    setText(GetDlgItem(panel_, IDC_TEXT_BASE + n), s);
}

void DesignerRun::pressControl(HWND dlg, int id) {
    PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
}

void DesignerRun::press(int n) { pressControl(panel_, IDC_COMMAND_BASE + n); }

void DesignerRun::click(int n) {
    const int id = IDC_COMMAND_BASE + n;
    DWORD_PTR r = 0;
    SendMessageTimeoutA(panel_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                        reinterpret_cast<LPARAM>(GetDlgItem(panel_, id)), SMTO_NORMAL, 5000, &r);
}

HWND DesignerRun::waitForBox(const char* title, std::string& text, DWORD timeoutMs) {
    HWND box = nullptr;
    text.clear();
    waitFor(
        [&] {
            box = findWindowOfProcess(pid(), "#32770", title);
            if (!box || !IsWindowVisible(box))
                return false;
            text = staticTexts(box);
            return !text.empty();
        },
        timeoutMs);
    return text.empty() ? nullptr : box;
}

std::string DesignerRun::make(const std::string& path, bool withMouse) {
    if (!makeFile_ || !IsWindow(makeFile_)) {
        press(18);
        makeFile_ = waitForVisibleWindow(pid(), "#32770", kMakeFileTitle);
        if (!makeFile_)
            return "<no make-file window>";
    }
    setText(GetDlgItem(makeFile_, IDC_MAKE_TEXT1), path);
    if (withMouse) {
        RECT r = {};
        GetWindowRect(GetDlgItem(makeFile_, IDC_MAKE_FILE), &r);
        clickWithMouse({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    } else {
        pressControl(makeFile_, IDC_MAKE_FILE);
    }
    std::string text;
    HWND box = waitForBox(kBoxTitle, text);
    if (!box)
        return "<no message>";
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    waitFor([&] { return !IsWindow(box); }, 5000);
    return text;
}

namespace {
void sendMouse(DWORD flags, POINT at) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    // Over the whole desktop, so that a point on any monitor is reached.
    const int x0 = GetSystemMetrics(SM_XVIRTUALSCREEN), y0 = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int w = GetSystemMetrics(SM_CXVIRTUALSCREEN), h = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    in.mi.dx = MulDiv(at.x - x0, 65535, w - 1);
    in.mi.dy = MulDiv(at.y - y0, 65535, h - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK | MOUSEEVENTF_MOVE;
    SendInput(1, &in, sizeof in);
}
} // namespace

void clickWithMouse(POINT at) {
    SetCursorPos(at.x, at.y);
    sendMouse(0, at);
    pumpMessages(100);
    sendMouse(MOUSEEVENTF_LEFTDOWN, at);
    pumpMessages(60);
    sendMouse(MOUSEEVENTF_LEFTUP, at);
}

void dragWithMouse(POINT from, POINT to, UINT buttons) {
    SetCursorPos(from.x, from.y);
    sendMouse(0, from);
    pumpMessages(150);
    if (buttons & MK_LBUTTON)
        sendMouse(MOUSEEVENTF_LEFTDOWN, from);
    if (buttons & MK_RBUTTON)
        sendMouse(MOUSEEVENTF_RIGHTDOWN, from);
    pumpMessages(100);
    constexpr int kSteps = 8;
    for (int s = 1; s <= kSteps; ++s) {
        POINT p = {from.x + (to.x - from.x) * s / kSteps, from.y + (to.y - from.y) * s / kSteps};
        sendMouse(0, p);
        pumpMessages(40);
    }
    // A release right after the last move can overtake it.
    pumpMessages(500);
    if (buttons & MK_RBUTTON)
        sendMouse(MOUSEEVENTF_RIGHTUP, to);
    if (buttons & MK_LBUTTON)
        sendMouse(MOUSEEVENTF_LEFTUP, to);
    pumpMessages(200);
}

} // namespace tessel::designer::test
