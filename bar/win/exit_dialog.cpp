#include "bar/win/exit_dialog.h"

#include "bar/win/bar_window.h"
#include "bar/win/dialog_frame.h"
#include "bar/win/resource.h"

namespace tessel::win {

using namespace zt;

namespace {

// Shutting down or restarting needs the shut-down privilege on systems
// that have privileges; without it the request is refused silently.
void exitWindows(UINT how) {
    HANDLE token = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        ScopedKernelHandle owner(token);
        TOKEN_PRIVILEGES tp = {};
        if (LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &tp.Privileges[0].Luid)) {
            tp.PrivilegeCount = 1;
            tp.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
            AdjustTokenPrivileges(token, FALSE, &tp, 0, nullptr, nullptr);
        }
    }
    ExitWindowsEx(how, 0);
}

// This dialog only moves: it is not pulled to the screen edges.
class ExitDialog : public DialogFrame {
public:
    explicit ExitDialog(BarWindow& bar)
        : DialogFrame(bar, DialogKind::Exit, Pictures::Frame, 0) {}

private:
    bool onCommand(int id, int, HWND) override {
        switch (id) {
        case IDC_SHUTDOWN: exitWindows(EWX_SHUTDOWN); return true;
        // "Restart" restarts, as its name says.
        case IDC_RESTART: exitWindows(EWX_REBOOT); return true;
        case IDC_EXIT_TESSEL: ExitProcess(0);
        }
        return false;
    }
};

} // namespace

void showExitDialog(BarWindow& bar) {
    if (HWND open = bar.dialog(DialogKind::Exit)) {
        ShowWindow(open, SW_SHOW);
        SetForegroundWindow(open);
        return;
    }
    DialogFrame::open(std::make_unique<ExitDialog>(bar), IDD_EXIT);
}

} // namespace tessel::win
