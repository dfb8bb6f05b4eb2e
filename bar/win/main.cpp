// tessel.exe: the splash window loads the program list, the skin choice and
// the skin settings, creating the bar on the way; then the bar runs.
#include "bar/win/bar_window.h"
#include "bar/win/dialog_frame.h"
#include "bar/win/bar_folder.h"
#include "bar/win/error_report.h"
#include "common/win/files.h"
#include "bar/win/resource.h"
#include "bar/program_list.h"
#include "formats/skin_files.h"

#include <new>

namespace tessel::win {

using namespace zt;
namespace {

constexpr char kSplashClass[] = "TesselSplash";
constexpr UINT kRunLoad = WM_APP + 1;
constexpr int kSplashSize = 300;

struct App {
    HINSTANCE instance = nullptr;
    HWND splash = nullptr;
    BarWindow* bar = nullptr;
    ProgramList programs;
    bool loading = false;
    bool loadPosted = false;
    ScopedBitmap splashPicture;
} g_app;

// Every failure of the load ends the program after its report.
void load() {
    std::string folder;
    std::wstring wide;
    if (!reachableProgramFolder(folder, wide)) {
        // The ANSI functions would look for the files in another folder, or
        // in none: say which folder and why, rather than "File not found".
        const std::wstring text = L"Error 76 has occured, Path not found (" + wide +
                                  L": the folder's name has characters outside the system's "
                                  L"code page; start Tessel from a folder whose name has none)";
        MessageBoxW(nullptr, text.c_str(), L"", MB_OK | MB_ICONWARNING);
        ExitProcess(static_cast<UINT>(ErrorNumber::PathNotFound));
    }
    std::string text;
    RunError e = readTextFile(folder + "\\" + kProgramListFile, text, kProgramListFile);
    if (!e.failed())
        e = readProgramList(text, g_app.programs);
    if (e.failed())
        failAndEnd(nullptr, e);

    std::string skinFolder;
    e = readTextFile(folder + "\\" + kSkinChoiceFile, text, kSkinChoiceFile);
    if (!e.failed())
        e = readSkinChoice(text, folder, skinFolder);
    if (e.failed())
        failAndEnd(nullptr, e);

    e = readTextFile(skinFilePath(skinFolder, kSkinSettingsFile), text, kSkinSettingsFile);
    if (e.failed())
        failAndEnd(nullptr, e);
    SkinLayout layout;
    int linesRead = 0;
    e = readSkinLayout(text, layout, &linesRead);
    // The bar comes into being with the skin's second value, so a file that
    // fails further on still shows the bar's own reports first.
    if (linesRead >= 2 && !g_app.bar) {
        g_app.bar = BarWindow::create(g_app.instance, skinFolder, g_app.splash);
        if (!g_app.bar)
            ExitProcess(1);
    }
    if (e.failed())
        failAndEnd(nullptr, e);
    g_app.bar->setPrograms(g_app.programs);
    g_app.bar->applyLayout(layout);
    g_app.bar->show();
}

void postLoad(HWND splash) {
    if (g_app.loading || g_app.loadPosted)
        return;
    g_app.loadPosted = true;
    PostMessageA(splash, kRunLoad, 0, 0);
}

LRESULT CALLBACK splashProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ACTIVATE:
        // Each activation loads again; posted, so that a report shown during
        // the load cannot start a second load inside the first.
        if (LOWORD(wp) != WA_INACTIVE)
            postLoad(wnd);
        break;
    case kRunLoad:
        g_app.loadPosted = false;
        if (!g_app.loading) {
            g_app.loading = true;
            try {
                load();
            } catch (const std::bad_alloc&) {
                failAndEnd(nullptr, RunError(ErrorNumber::OutOfMemory,
                                             errorText(ErrorNumber::OutOfMemory)));
            }
            g_app.loading = false;
        }
        return 0;
    case WM_TIMER:
        KillTimer(wnd, wp);
        DestroyWindow(wnd);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(wnd, &ps);
        if (g_app.splashPicture) {
            ScopedMemDc mem(CreateCompatibleDC(dc));
            ScopedSelect sel(mem.get(), g_app.splashPicture.get());
            BitBlt(dc, 0, 0, kSplashSize, kSplashSize, mem.get(), 0, 0, SRCCOPY);
        }
        EndPaint(wnd, &ps);
        return 0;
    }
    case WM_DESTROY:
        g_app.splash = nullptr;
        g_app.splashPicture.reset(); // shown for 2.5 seconds, never again
        if (!g_app.bar)
            PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(wnd, msg, wp, lp);
}

int run(HINSTANCE instance) {
    g_app.instance = instance;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = splashProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_WAIT);
    wc.lpszClassName = kSplashClass;
    if (!RegisterClassA(&wc) || !BarWindow::registerClasses(instance))
        return 1;
    g_app.splashPicture.reset(static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDB_SPLASH), IMAGE_BITMAP, 0, 0, 0)));
    const int x = (GetSystemMetrics(SM_CXSCREEN) - kSplashSize) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - kSplashSize) / 2;
    g_app.splash = CreateWindowExA(WS_EX_TOOLWINDOW, kSplashClass, "Tessel", WS_POPUP, x, y,
                                   kSplashSize, kSplashSize, nullptr, nullptr, instance, nullptr);
    if (!g_app.splash)
        return 1;
    ShowWindow(g_app.splash, SW_SHOW);
    UpdateWindow(g_app.splash);
    // The first activation may not come when another program has the focus.
    postLoad(g_app.splash);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (DialogFrame::isDialogMessage(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

} // namespace
} // namespace tessel::win

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return tessel::win::run(instance);
}
