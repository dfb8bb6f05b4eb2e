#include "bar/win/program_popup.h"

#include "bar/program_editing.h"
#include "bar/win/bar_window.h"
#include "bar/win/dialog_frame.h"
#include "bar/win/drawing.h"
#include "bar/win/bar_folder.h"
#include "bar/win/error_report.h"
#include "bar/win/program_start.h"
#include "common/win/files.h"
#include "common/win/screen.h"
#include "bar/win/resource.h"

#include "common/win/monitors.h"

namespace tessel::win {

namespace {

class ProgramPopup : public DialogFrame {
public:
    explicit ProgramPopup(BarWindow& bar)
        : DialogFrame(bar, DialogKind::ProgramPopup, Pictures::BackgroundOnly, 0) {}

    // Beside the bar, on the side of its monitor with more room, and inside
    // that monitor's work area.
    void place() override {
        const int dpi = kSkinDpi;
        auto toTwips = [dpi](int p) { return pixelsToTwips(p, dpi); };
        RECT bar, me;
        GetWindowRect(bar_.hwnd(), &bar);
        GetWindowRect(wnd_, &me);
        const TwipRect b{toTwips(bar.left), toTwips(bar.top), toTwips(bar.right - bar.left),
                         toTwips(bar.bottom - bar.top)};
        const zt::Rect m = zt::win::monitorOfWindow(bar_.hwnd()).bounds;
        const PopupPlace p = placeProgramPopup(b, float(toTwips(me.right - me.left)),
                                               float(toTwips(me.bottom - me.top)),
                                               bar_.horizontal(),
                                               {toTwips(m.left), toTwips(m.top), toTwips(m.width()),
                                                toTwips(m.height())});
        SetWindowPos(wnd_, nullptr, twipsToPixels(p.left, dpi), twipsToPixels(p.top, dpi), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        keepInsideMonitorOf(wnd_, bar_.hwnd());
    }

private:
    HWND list() const { return GetDlgItem(wnd_, IDC_PROGRAMS); }

    void onInit() override {
        for (const auto& e : bar_.programs().entries)
            SendMessageA(list(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.name.c_str()));
    }

    void start() {
        const LRESULT row = SendMessageA(list(), LB_GETCURSEL, 0, 0);
        const auto& entries = bar_.programs().entries;
        if (row < 0 || size_t(row) >= entries.size())
            return;
        if (RunError e = startCommand(entries[size_t(row)].commandLine, SW_SHOWNORMAL);
            e.failed()) {
            showErrorReportOnLines(wnd_, e); // the popup stays open
            return;
        }
        close();
    }

    bool onCommand(int id, int code, HWND) override {
        if (id == IDC_PROGRAMS && code == LBN_DBLCLK) {
            start();
            return true;
        }
        if ((id == IDC_EDIT_PROGRAMS && code == BN_CLICKED) || (id == IDOK && code == BN_CLICKED)) {
            if (id == IDOK) {
                start();
                return true;
            }
            BarWindow& bar = bar_;
            close(); // `this` is gone from here on
            showProgramEditor(bar);
            return true;
        }
        return false;
    }
};

class ProgramEditor : public DialogFrame {
public:
    explicit ProgramEditor(BarWindow& bar)
        : DialogFrame(bar, DialogKind::ProgramEditor, Pictures::Frame, kDialogSnapMargin) {}

private:
    HWND item(int id) const { return GetDlgItem(wnd_, id); }
    ProgramList& programs() { return bar_.programs(); }

    void onInit() override {
        saved_ = programs();
        refill();
    }

    // Back from the browser with a confirmed file: it becomes the selected
    // entry's command line. Any other activation changes nothing.
    void onActivate() override {
        std::string path;
        if (!bar_.fileChoice().takeConfirmed(ChoiceClient::ProgramEditor, path))
            return;
        SetDlgItemTextA(wnd_, IDC_COMMAND, path.c_str());
        const int row = selected_ - 1;
        if (row >= 0 && size_t(row) < programs().entries.size()) {
            programs().entries[size_t(row)].commandLine = path;
            refill();
        }
    }

    void onClosePicture() override {
        programs() = saved_;
        close();
    }

    void refill() {
        HWND names = item(IDC_NAMES), commands = item(IDC_COMMANDS);
        SendMessageA(names, LB_RESETCONTENT, 0, 0);
        SendMessageA(commands, LB_RESETCONTENT, 0, 0);
        for (const auto& e : programs().entries) {
            SendMessageA(names, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.name.c_str()));
            SendMessageA(commands, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.commandLine.c_str()));
        }
        // The selected entry stays marked, so that it is plain what
        // "Update" will change.
        if (selected_ > 0) {
            SendMessageA(names, LB_SETCURSEL, selected_ - 1, 0);
            SendMessageA(commands, LB_SETCURSEL, selected_ - 1, 0);
        }
    }

    void rowClicked(HWND from) {
        const LRESULT row = SendMessageA(from, LB_GETCURSEL, 0, 0);
        if (row < 0 || size_t(row) >= programs().entries.size())
            return;
        selected_ = int(row) + 1;
        HWND other = from == item(IDC_NAMES) ? item(IDC_COMMANDS) : item(IDC_NAMES);
        SendMessageA(other, LB_SETCURSEL, row, 0);
        const auto& e = programs().entries[size_t(row)];
        SetDlgItemTextA(wnd_, IDC_NAME, e.name.c_str());
        SetDlgItemTextA(wnd_, IDC_COMMAND, e.commandLine.c_str());
    }

    std::string text(int id) const {
        HWND box = item(id);
        std::string s(size_t(GetWindowTextLengthA(box)) + 1, '\0');
        s.resize(size_t(GetWindowTextA(box, s.data(), int(s.size()))));
        return s;
    }

    void done() {
        const std::string path = programFolder() + "\\" + kProgramListFile;
        // A list that cannot be written stays in the editor, so nothing the
        // user entered is lost; the old file is untouched.
        if (RunError e = replaceFile(path, writeProgramList(programs()), kProgramListFile);
            e.failed()) {
            showErrorReport(wnd_, e);
            return;
        }
        close();
    }

    bool onCommand(int id, int code, HWND control) override {
        if ((id == IDC_NAMES || id == IDC_COMMANDS) && code == LBN_SELCHANGE) {
            rowClicked(control);
            return true;
        }
        if (code != BN_CLICKED)
            return false;
        switch (id) {
        case IDC_ADD:
            // A full list takes no more: the request is ignored.
            if (addProgram(programs()))
                refill();
            return true;
        case IDC_REMOVE: {
            const LRESULT row = SendMessageA(item(IDC_NAMES), LB_GETCURSEL, 0, 0);
            if (removeProgram(programs(), int(row))) {
                selected_ = 0;
                refill();
            }
            return true;
        }
        case IDC_UPDATE:
            if (updateProgram(programs(), selected_ - 1, text(IDC_NAME), text(IDC_COMMAND)))
                refill();
            return true;
        case IDC_BROWSE_PROGRAM:
            bar_.openFileBrowser(ChoiceClient::ProgramEditor, kProgramPattern);
            return true;
        case IDC_DONE: done(); return true;
        }
        return false;
    }

    ProgramList saved_;
    int selected_ = 0; // 1-based; 0 before any selection
};

} // namespace

void showProgramEditor(BarWindow& bar) {
    if (HWND open = bar.dialog(DialogKind::ProgramEditor)) {
        ShowWindow(open, SW_SHOW);
        SetForegroundWindow(open);
        return;
    }
    DialogFrame::open(std::make_unique<ProgramEditor>(bar), IDD_PROGRAM_EDITOR);
}

void BarWindow::showProgramPopup() {
    HWND popup = dialog(DialogKind::ProgramPopup);
    if (!popup) {
        DialogFrame::open(std::make_unique<ProgramPopup>(*this), IDD_PROGRAM_POPUP);
        return;
    }
    // Placed even when it is then hidden.
    static_cast<ProgramPopup*>(DialogFrame::fromWindow(popup))->place();
    if (IsWindowVisible(popup)) {
        ShowWindow(popup, SW_HIDE);
    } else {
        ShowWindow(popup, SW_SHOW);
        SetForegroundWindow(popup);
    }
}

} // namespace tessel::win
