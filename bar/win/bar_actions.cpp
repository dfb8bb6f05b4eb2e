// What a click on each element of the bar does.
#include "common/win/platform_function.h"
#include "bar/win/bar_window.h"
#include "bar/win/network.h"
#include "bar/win/exit_dialog.h"
#include "bar/win/folder_window.h"
#include "bar/win/run_dialog.h"
#include "bar/win/bar_folder.h"
#include "bar/win/error_report.h"
#include "bar/win/program_start.h"

#include <shellapi.h>

namespace tessel::win {

namespace {

enum Element {
    kPrograms = 0,
    kInternet = 1,
    kEmail = 2,
    kConnect = 3,
    kFiles = 4,
    kWork = 5,
    kDesktop = 6,
    kStart = 7,
    kRun = 8,
    kDos = 9,
    kSettings = 11,
    kExit = 12,
    kScreenSaver = 13,
    kVolume = 14,
    // 15 to 19 are the player's, kPlayerOpenElement to kPlayerRewindElement.
};

constexpr char kDialUpFolder[] = "Explorer.EXE ::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\::"
                                 "{992CFFA0-F557-101A-88EC-00DD010CCC48}";

bool onPath(const char* file) {
    char found[MAX_PATH];
    return SearchPathA(nullptr, file, nullptr, MAX_PATH, found, nullptr) > 0;
}

// "command.com" where the system has one; 64-bit systems have only the
// interpreter that COMSPEC names.
std::string commandInterpreter() {
    if (onPath("command.com"))
        return "command.com";
    char comspec[MAX_PATH] = {};
    DWORD n = GetEnvironmentVariableA("COMSPEC", comspec, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::string(comspec) : std::string("cmd.exe");
}

std::string volumeControl() { return onPath("sndvol32.exe") ? "sndvol32.exe" : "sndvol.exe"; }

using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, const char*, const char*, const char*,
                                          const char*, int);

// The shell library (and what it brings along) costs a few megabytes of
// memory for the life of the bar; it is loaded the first time it is needed,
// and then kept, since what it starts may still call back into it.
RunError openWithShell(HWND owner, const char* what) {
    static HMODULE shell = LoadLibraryA("shell32.dll");
    auto execute = zt::platformFunction<ShellExecuteFn>(shell, "ShellExecuteA");
    if (!execute)
        return RunError::at(ErrorNumber::FileNotFound, "shell32.dll");
    auto r = reinterpret_cast<INT_PTR>(execute(owner, "open", what, nullptr, nullptr, SW_SHOWNORMAL));
    if (r > 32)
        return {};
    return RunError::at(r == SE_ERR_PNF ? ErrorNumber::PathNotFound : ErrorNumber::FileNotFound,
                        what);
}

} // namespace

void BarWindow::elementClicked(int i) {
    RunError e;
    switch (i) {
    case kInternet: {
        const std::string address = barSetting(kInternetKey);
        if (address.empty()) {
            MessageBoxA(wnd_,
                        "No web page is set for the Internet button.\r\n\r\n"
                        "Add a line such as Internet=http://www.example.com/ to the [Tessel] "
                        "section of tessel.ini in the Tessel folder.",
                        kBarTitle, MB_OK | MB_ICONINFORMATION);
            return;
        }
        e = openWithShell(wnd_, address.c_str());
        break;
    }
    case kEmail:
        // The shell opens "mailto:" with the default mail program.
        e = openWithShell(wnd_, "mailto:");
        break;
    case kConnect: e = startCommand(kDialUpFolder, SW_SHOWNORMAL); break;
    case kFiles: e = startCommand("Explorer.exe", SW_SHOWNORMAL); break;
    case kDos: e = startCommand(commandInterpreter(), SW_SHOWNORMAL); break;
    case kExit: showExitDialog(*this); break;
    case kScreenSaver: SendMessageA(wnd_, WM_SYSCOMMAND, SC_SCREENSAVE, 0); break;
    case kVolume: e = startCommand(volumeControl(), SW_SHOWNORMAL); break;
    case kConnectedElement: hangUpConnection(barSetting(kConnectionKey)); break;
    case kPrograms: showProgramPopup(); break;
    case kWork: showFolderWindow(kFolderPersonal); break;
    case kDesktop: showFolderWindow(kFolderDesktop); break;
    case kStart: showFolderWindow(kFolderStartMenu); break;
    case kSettings: showFolderWindow(kFolderControlPanel); break;
    case kRun: toggleRunDialog(*this); break;
    case kPlayerOpenElement:
    case kPlayerStopElement:
    case kPlayerPlayElement:
    case kPlayerForwardElement:
    case kPlayerRewindElement: player_->elementClicked(i); break;
    default: break; // the task list area and the move element do nothing on a click
    }
    if (e.failed())
        showErrorReport(wnd_, e);
}

} // namespace tessel::win
