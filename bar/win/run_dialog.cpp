#include "bar/win/run_dialog.h"

#include "bar/geometry.h"
#include "bar/win/bar_window.h"
#include "bar/win/dialog_frame.h"
#include "bar/win/error_report.h"
#include "bar/win/program_start.h"
#include "bar/win/resource.h"

#include <string>
#include <vector>

namespace tessel::win {

namespace {

class RunDialog : public DialogFrame {
public:
    explicit RunDialog(BarWindow& bar)
        : DialogFrame(bar, DialogKind::RunDialog, Pictures::Frame, kDialogSnapMargin) {}

private:
    // The box starts with the browser's last chosen path.
    void onInit() override {
        SendDlgItemMessageA(wnd_, IDC_COMMAND_LINE, EM_LIMITTEXT, 2048, 0);
        SetDlgItemTextA(wnd_, IDC_COMMAND_LINE, bar_.fileChoice().chosenPath().c_str());
    }

    // Back from the browser with a file confirmed for this dialog, the box
    // takes it. Any other return (from the dialog's own error box, from
    // another window) keeps what the user typed, for another try.
    void onActivate() override {
        std::string path;
        if (bar_.fileChoice().takeConfirmed(ChoiceClient::RunDialog, path))
            SetDlgItemTextA(wnd_, IDC_COMMAND_LINE, path.c_str());
    }

    void run() {
        HWND box = GetDlgItem(wnd_, IDC_COMMAND_LINE);
        std::vector<char> text(size_t(GetWindowTextLengthA(box)) + 1);
        GetWindowTextA(box, text.data(), int(text.size()));
        if (RunError e = startCommand(text.data(), SW_SHOWNORMAL); e.failed()) {
            showErrorReportOnLines(wnd_, e); // the dialog stays for another try
            return;
        }
        close();
    }

    bool onCommand(int id, int code, HWND) override {
        if (code != BN_CLICKED)
            return false;
        switch (id) {
        case IDOK:
        case IDC_RUN: run(); return true;
        case IDC_BROWSE_RUN: bar_.openFileBrowser(ChoiceClient::RunDialog, kProgramPattern); return true;
        }
        return false;
    }
};

} // namespace

void toggleRunDialog(BarWindow& bar) {
    if (HWND open = bar.dialog(DialogKind::RunDialog)) {
        if (IsWindowVisible(open)) {
            ShowWindow(open, SW_HIDE);
        } else {
            ShowWindow(open, SW_SHOW);
            SetForegroundWindow(open);
        }
        return;
    }
    DialogFrame::open(std::make_unique<RunDialog>(bar), IDD_RUN);
}

} // namespace tessel::win
