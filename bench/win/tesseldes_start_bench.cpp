// tesseldes.exe from its start to a loaded canvas with the default skin,
// against the start of a one-window program in the same run (the goal: at
// most 1.5 times as long). The user's part, typing the folder and pressing
// "Open", is not counted: the time runs from the start to the skin chooser,
// and again from "Open" to the canvas on the screen with every picture of the
// skin drawn, as read back from the display. The time until the control
// panel is shown as well is printed beside it.
#include <windows.h>

#include "formats/twips.h"
#include "bench/win/host_times.h"
#include "designer/design_model.h"
#include "designer/win/resource.h"
#include "formats/skin_files.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {
constexpr char kBaselineTitle[] = "One window";
constexpr int kRounds = 15;

int baselineWindow() {
    HWND w = CreateWindowExA(0, "STATIC", kBaselineTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                             100, 300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    MSG m;
    while (IsWindow(w) && GetMessageA(&m, nullptr, 0, 0) > 0)
        DispatchMessageA(&m);
    return 0;
}

struct Found {
    DWORD pid;
    const char* cls;
    const char* title;
    HWND wnd;
};
BOOL CALLBACK findProc(HWND w, LPARAM lp) {
    auto* f = reinterpret_cast<Found*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char cls[64] = {}, title[128] = {};
    GetClassNameA(w, cls, sizeof cls);
    GetWindowTextA(w, title, sizeof title);
    if (pid == f->pid && IsWindowVisible(w) && (!f->cls || lstrcmpA(cls, f->cls) == 0) &&
        (!f->title || lstrcmpA(title, f->title) == 0)) {
        f->wnd = w;
        return FALSE;
    }
    return TRUE;
}
HWND waitWindow(DWORD pid, const char* cls, const char* title) {
    for (int i = 0; i < 20000; ++i) {
        Found f = {pid, cls, title, nullptr};
        EnumWindows(findProc, reinterpret_cast<LPARAM>(&f));
        if (f.wnd)
            return f.wnd;
        Sleep(1);
    }
    return nullptr;
}

void end(PROCESS_INFORMATION& pi) {
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
}

void unmanaged(const char* exe) {
    HKEY key = nullptr;
    const std::string path = std::string("Software\\Wine\\AppDefaults\\") + exe + "\\X11 Driver";
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) == ERROR_SUCCESS) {
        RegSetValueExA(key, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
        RegCloseKey(key);
    }
}

// One pixel of every picture of the skin that the canvas shows uncovered,
// where the canvas's client area shows it.
struct Probe {
    POINT at; // client pixels
    COLORREF colour;
};

COLORREF bitmapPixel(const std::string& path, POINT at, SIZE* size) {
    HBITMAP bmp = static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (!bmp)
        return CLR_INVALID;
    BITMAP b = {};
    GetObjectA(bmp, sizeof b, &b);
    if (size)
        *size = {b.bmWidth, b.bmHeight};
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, bmp);
    const COLORREF c =
        at.x < 0 ? GetPixel(mem, b.bmWidth / 2, b.bmHeight / 2) : GetPixel(mem, at.x, at.y);
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(bmp);
    return c;
}

std::vector<Probe> skinProbes(const std::string& skin, int dpi) {
    using namespace tessel::designer;
    DesignModel m = designTimeLayout();
    std::vector<Probe> probes;
    const std::string text =
        zt::bench::readWhole(tessel::skinFilePath(skin, tessel::kSkinSettingsFile));
    if (applySkinSettings(text, m).failed())
        return probes;
    std::vector<RECT> covered;
    for (int i = 0; i < kButtonPicCount; ++i) {
        if (i == kTaskArea)
            continue;
        SIZE s = {};
        const COLORREF c = bitmapPixel(
            tessel::elementBitmapPath(skin, i, tessel::BitmapLook::Normal), {-1, -1}, &s);
        const int x = tessel::twipsToPixels(m.elements[i].left, dpi);
        const int y = tessel::twipsToPixels(m.elements[i].top, dpi);
        const POINT centre = {x + s.cx / 2, y + s.cy / 2};
        bool hidden = false;
        for (const RECT& r : covered)
            hidden = hidden || PtInRect(&r, centre);
        if (!hidden && c != CLR_INVALID)
            probes.push_back({centre, c});
        covered.push_back({x, y, x + s.cx, y + s.cy});
    }
    // The background where no element covers it.
    SIZE bg = {};
    bitmapPixel(tessel::skinFilePath(skin, "background.bmp"), {-1, -1}, &bg);
    for (int x = 0; x < bg.cx; ++x) {
        const POINT p = {x, bg.cy / 2};
        bool hidden = false;
        for (const RECT& r : covered)
            hidden = hidden || PtInRect(&r, p);
        if (!hidden) {
            probes.push_back({p, bitmapPixel(tessel::skinFilePath(skin, "background.bmp"), p,
                                             nullptr)});
            break;
        }
    }
    return probes;
}

// True once the display shows every probe in the window's client area.
bool showsSkin(HWND wnd, const std::vector<Probe>& probes) {
    RECT rc = {};
    GetClientRect(wnd, &rc);
    POINT origin = {0, 0};
    ClientToScreen(wnd, &origin);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP copy = CreateCompatibleBitmap(screen, rc.right, rc.bottom);
    HGDIOBJ old = SelectObject(mem, copy);
    // One read of the whole area: a pixel at a time from the display is slow.
    BitBlt(mem, 0, 0, rc.right, rc.bottom, screen, origin.x, origin.y, SRCCOPY);
    bool all = rc.right > 0;
    for (const Probe& p : probes)
        all = all && GetPixel(mem, p.at.x, p.at.y) == p.colour;
    SelectObject(mem, old);
    DeleteObject(copy);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return all;
}

bool waitSkinShown(HWND wnd, const std::vector<Probe>& probes) {
    for (int i = 0; i < 20000; ++i) {
        if (showsSkin(wnd, probes))
            return true;
        Sleep(1);
    }
    return false;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
double best(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }
} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--window")
        return baselineWindow();
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    dir.erase(dir.find_last_of('\\'));
    // Both programs' windows are placed the same way.
    unmanaged("tesseldes.exe");
    unmanaged("tesseldes_start_bench.exe");

    const std::string skin = dir + "\\Skins\\Graphite";
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    const std::vector<Probe> probes = skinProbes(skin, dpi);
    if (probes.size() < 10) {
        std::printf("the default skin in %s could not be read\n", skin.c_str());
        return 1;
    }

    std::vector<double> base, designer, chooserPart, withPanel;
    for (int round = 0; round < kRounds; ++round) {
        PROCESS_INFORMATION pi = {};
        double t0 = zt::bench::millisecondsNow();
        if (!zt::bench::startProgram("\"" + std::string(path) + "\" --window", dir, pi))
            return 1;
        if (!waitWindow(pi.dwProcessId, nullptr, kBaselineTitle)) {
            std::printf("the one-window program showed no window\n");
            return 1;
        }
        base.push_back(zt::bench::millisecondsNow() - t0);
        end(pi);

        t0 = zt::bench::millisecondsNow();
        if (!zt::bench::startProgram("\"" + dir + "\\tesseldes.exe\"", dir, pi)) {
            std::printf("tesseldes.exe could not be started from %s\n", dir.c_str());
            return 1;
        }
        HWND chooser = waitWindow(pi.dwProcessId, "#32770", "Select Skin to edit");
        const double toChooser = zt::bench::millisecondsNow() - t0;
        if (!chooser) {
            std::printf("no skin chooser\n");
            end(pi);
            return 1;
        }
        // Timed from here: work the designer does between showing the
        // chooser and taking the typed folder is part of its start.
        const double t1 = zt::bench::millisecondsNow();
        SendMessageA(GetDlgItem(chooser, IDC_CHOOSER_TEXT1), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(skin.c_str()));
        PostMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDC_CHOOSER_OPEN, BN_CLICKED), 0);
        HWND canvas = waitWindow(pi.dwProcessId, "TesseldesCanvas", nullptr);
        const bool painted = canvas && waitSkinShown(canvas, probes);
        const double toCanvas = zt::bench::millisecondsNow() - t1;
        const bool panel = painted && waitWindow(pi.dwProcessId, "#32770", "Tessel Shell Designer");
        const double toPanel = zt::bench::millisecondsNow() - t1;
        end(pi);
        if (!painted || !panel) {
            std::printf(!canvas    ? "no canvas\n"
                        : !painted ? "the canvas never showed the skin's pictures\n"
                                   : "no control panel\n");
            return 1;
        }
        designer.push_back(toChooser + toCanvas);
        chooserPart.push_back(toChooser);
        withPanel.push_back(toChooser + toPanel);
    }
    // On a shared machine single starts vary widely: the median and the best
    // of the rounds are both given.
    const double b = median(base), d = median(designer);
    std::printf("one-window program, start to its window: median %.0f ms, best %.0f ms\n", b,
                best(base));
    std::printf("tesseldes, start to the loaded default skin: median %.0f ms, best %.0f ms\n", d,
                best(designer));
    std::printf("  of which start to the skin chooser: median %.0f ms\n", median(chooserPart));
    std::printf("  and to the control panel shown as well: median %.0f ms\n", median(withPanel));
    std::printf("ratio of medians %.2f, of the best %.2f (goal at most 1.50; %d rounds)\n",
                d / b, best(designer) / best(base), kRounds);
    return 0;
}
