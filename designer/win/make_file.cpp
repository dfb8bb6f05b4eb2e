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

bool g_writing = false;
unsigned g_writeRequests = 0; // activations of the progress window that asked for a write

void setLabel(HWND progress, const char* text) {
    SetDlgItemTextA(progress, IDC_PROGRESS_LABEL1, text);
    UpdateWindow(progress);
}

enum class WriteResult { Written, Failed, OutOfRange };

// Writes the whole file; stops at the first failure, with the label left at
// the group that failed. Values the file cannot hold are found before
// anything is written, so the old file stays as it was.
WriteResult writeSkin(DesignerApp& app, HWND progress, std::string& problem) {
    DesignModel m = app.model;
    m.canvas = app.canvas.windowBox();
    SkinLayout layout;
    if (!layoutForFile(m, layout, problem))
        return WriteResult::OutOfRange;
    const SkinTextGroups text = skinSettingsText(layout);
    const std::string path =
        app.makeFile ? windowText(GetDlgItem(app.makeFile, IDC_MAKE_TEXT1)) : std::string();

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

void runWrite(DesignerApp& app, HWND progress) {
    if (g_writing)
        return;
    g_writing = true;
    std::string problem;
    const WriteResult result = writeSkin(app, progress, problem);
    const bool ok = result == WriteResult::Written;
    const std::string text =
        ok ? kWriteDone : result == WriteResult::OutOfRange ? problem : kWriteFailed;
    MessageBoxA(progress, text.c_str(), kMessageTitle,
                MB_OK | (ok ? MB_ICONINFORMATION : MB_ICONEXCLAMATION));
    g_writing = false;
    if (ok) {
        app.progress = nullptr;
        DestroyWindow(progress);
    }
}

constexpr UINT kWriteNow = WM_APP + 1;

INT_PTR CALLBACK progressProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    DesignerApp& app = designerApp();
    switch (msg) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_ACTIVATE: {
        // Each activation writes the file again, but not the return from the
        // window's own message box.
        HWND other = reinterpret_cast<HWND>(lp);
        const bool fromOwnBox = other && GetWindow(other, GW_OWNER) == dlg;
        if (LOWORD(wp) != WA_INACTIVE && !g_writing && !fromOwnBox) {
            ++g_writeRequests;
            PostMessageA(dlg, kWriteNow, 0, 0);
        }
        return FALSE;
    }
    case kWriteNow:
        runWrite(app, dlg);
        return TRUE;
    case WM_CLOSE:
    case WM_COMMAND:
        if (msg == WM_CLOSE || LOWORD(wp) == IDCANCEL) {
            app.progress = nullptr;
            DestroyWindow(dlg);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

void startWriting(DesignerApp& app) {
    if (app.progress && IsWindow(app.progress)) {
        SetDlgItemTextA(app.progress, IDC_PROGRESS_LABEL1, "Making now");
        const unsigned before = g_writeRequests;
        SetActiveWindow(app.progress);
        // It was the active window already: activating it again does not
        // reach it, so the write is asked for here.
        if (g_writeRequests == before && !g_writing)
            PostMessageA(app.progress, kWriteNow, 0, 0);
        return;
    }
    app.progress = CreateDialogParamA(app.instance, MAKEINTRESOURCEA(IDD_PROGRESS), app.makeFile,
                                    progressProc, 0);
    if (app.progress)
        ShowWindow(app.progress, SW_SHOWNORMAL);
}

INT_PTR CALLBACK makeFileProc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
    DesignerApp& app = designerApp();
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
            startWriting(app);
            return TRUE;
        case IDCANCEL:
            break;
        default:
            return FALSE;
        }
        [[fallthrough]];
    case WM_CLOSE:
        if (app.progress && IsWindow(app.progress))
            DestroyWindow(app.progress);
        app.progress = nullptr;
        app.makeFile = nullptr;
        DestroyWindow(dlg);
        return TRUE;
    }
    return FALSE;
}
} // namespace

void showMakeFile(DesignerApp& app) {
    if (!app.makeFile || !IsWindow(app.makeFile))
        app.makeFile = CreateDialogParamA(app.instance, MAKEINTRESOURCEA(IDD_MAKE_FILE), app.panel,
                                        makeFileProc, 0);
    if (app.makeFile) {
        ShowWindow(app.makeFile, SW_SHOWNORMAL);
        SetActiveWindow(app.makeFile);
    }
}

} // namespace tessel::designer::win
