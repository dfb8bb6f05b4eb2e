// The make-file window (`Form3`) and the progress window (`Form4`) that
// writes the skin settings file.
#include "designer_app.h"
#include "common/win/replacing_file.h"
#include "late_bound.h"
#include "window_text.h"
#include "resource.h"

namespace tessel::designer::win {

namespace {
constexpr char kShellFileFilter[] = "Tessel shell files(*.tsl)|*.tsl";
constexpr char kWriteFailed[] = "Shit there was an error";
constexpr char kWriteDone[] = "Completed!";

bool gWriting = false;
unsigned gWriteRequests = 0; // activations of the progress window that asked for a write

void setLabel(HWND progress, const char* text) {
    SetDlgItemTextA(progress, IDC_PROGRESS_LABEL1, text);
    UpdateWindow(progress);
}

enum class WriteResult { Written, Failed, OutOfRange };

// Writes the whole file; stops at the first failure, with the label left at
// the group that failed. Values the file cannot hold are found before
// anything is written, so the old file stays as it was.
WriteResult writeSkin(DesignerApp& a, HWND progress, std::string& problem) {
    DesignModel m = a.model;
    m.canvas = a.canvas.windowBox();
    SkinLayout layout;
    if (!layoutForFile(m, layout, problem))
        return WriteResult::OutOfRange;
    const SkinTextGroups text = skinSettingsText(layout);
    const std::string path =
        a.makeFile ? windowText(GetDlgItem(a.makeFile, IDC_MAKE_TEXT1)) : std::string();

    zt::ReplacingFile file;
    if (file.open(path) || file.write(text.name))
        return WriteResult::Failed;
    setLabel(progress, "Positions..");
    if (file.write(text.positions))
        return WriteResult::Failed;
    setLabel(progress, "Dimensions..");
    if (file.write(text.dimensions))
        return WriteResult::Failed;
    setLabel(progress, "MP3 info..");
    if (file.write(text.playerAndRest) || file.commit())
        return WriteResult::Failed;
    setLabel(progress, "Done!");
    return WriteResult::Written;
}

void runWrite(DesignerApp& a, HWND progress) {
    if (gWriting)
        return;
    gWriting = true;
    std::string problem;
    const WriteResult result = writeSkin(a, progress, problem);
    const bool ok = result == WriteResult::Written;
    const std::string text =
        ok ? kWriteDone : result == WriteResult::OutOfRange ? problem : kWriteFailed;
    MessageBoxA(progress, text.c_str(), kMessageTitle,
                MB_OK | (ok ? MB_ICONINFORMATION : MB_ICONEXCLAMATION));
    gWriting = false;
    if (ok) {
        a.progress = nullptr;
        DestroyWindow(progress);
    }
}

constexpr UINT kWriteNow = WM_APP + 1;

INT_PTR CALLBACK progressProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    DesignerApp& a = app();
    switch (msg) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_ACTIVATE: {
        // Each activation writes the file again, but not the return from the
        // window's own message box.
        HWND other = reinterpret_cast<HWND>(lp);
        const bool fromOwnBox = other && GetWindow(other, GW_OWNER) == dlg;
        if (LOWORD(wp) != WA_INACTIVE && !gWriting && !fromOwnBox) {
            ++gWriteRequests;
            PostMessageA(dlg, kWriteNow, 0, 0);
        }
        return FALSE;
    }
    case kWriteNow:
        runWrite(a, dlg);
        return TRUE;
    case WM_CLOSE:
    case WM_COMMAND:
        if (msg == WM_CLOSE || LOWORD(wp) == IDCANCEL) {
            a.progress = nullptr;
            DestroyWindow(dlg);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

void startWriting(DesignerApp& a) {
    if (a.progress && IsWindow(a.progress)) {
        SetDlgItemTextA(a.progress, IDC_PROGRESS_LABEL1, "Making now");
        const unsigned before = gWriteRequests;
        SetActiveWindow(a.progress);
        // It was the active window already: activating it again does not
        // reach it, so the write is asked for here.
        if (gWriteRequests == before && !gWriting)
            PostMessageA(a.progress, kWriteNow, 0, 0);
        return;
    }
    a.progress = CreateDialogParamA(a.instance, MAKEINTRESOURCEA(IDD_PROGRESS), a.makeFile,
                                    progressProc, 0);
    if (a.progress)
        ShowWindow(a.progress, SW_SHOWNORMAL);
}

INT_PTR CALLBACK makeFileProc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
    DesignerApp& a = app();
    switch (msg) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wp)) {
        case IDC_MAKE_BROWSE: {
            const std::string path = askSavePath(dlg, kShellFileFilter);
            if (!path.empty())
                SetDlgItemTextA(dlg, IDC_MAKE_TEXT1, path.c_str());
            return TRUE;
        }
        case IDC_MAKE_FILE:
        case IDOK:
            startWriting(a);
            return TRUE;
        case IDCANCEL:
            break;
        default:
            return FALSE;
        }
        [[fallthrough]];
    case WM_CLOSE:
        if (a.progress && IsWindow(a.progress))
            DestroyWindow(a.progress);
        a.progress = nullptr;
        a.makeFile = nullptr;
        DestroyWindow(dlg);
        return TRUE;
    }
    return FALSE;
}
} // namespace

void showMakeFile(DesignerApp& a) {
    if (!a.makeFile || !IsWindow(a.makeFile))
        a.makeFile = CreateDialogParamA(a.instance, MAKEINTRESOURCEA(IDD_MAKE_FILE), a.panel,
                                        makeFileProc, 0);
    if (a.makeFile) {
        ShowWindow(a.makeFile, SW_SHOWNORMAL);
        SetActiveWindow(a.makeFile);
    }
}

} // namespace tessel::designer::win
