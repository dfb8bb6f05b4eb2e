#include "bar/win/file_browser.h"

#include "bar/geometry.h"
#include "bar/win/bar_window.h"
#include "bar/win/dialog_frame.h"
#include "bar/win/resource.h"
#include "common/win/ansi_names.h"

#include <algorithm>
#include <string>
#include <vector>

namespace tessel::win {

namespace {

constexpr char kParentFolder[] = "..";

std::string currentFolder() {
    wchar_t dir[MAX_PATH] = {};
    const DWORD n = GetCurrentDirectoryW(MAX_PATH, dir);
    std::string ansi;
    if (n > 0 && n < MAX_PATH && zt::ansiPathFor(std::wstring(dir, n), ansi))
        return ansi;
    return "C:\\";
}

std::string driveOf(const std::string& folder) {
    return folder.size() >= 2 && folder[1] == ':' ? folder.substr(0, 2) : std::string();
}

bool isDriveRoot(const std::string& folder) { return folder.size() <= 3 && driveOf(folder) == folder.substr(0, 2); }

std::string parentOf(const std::string& folder) {
    if (isDriveRoot(folder))
        return folder;
    std::string f = folder;
    if (!f.empty() && f.back() == '\\')
        f.pop_back();
    size_t slash = f.find_last_of('\\');
    if (slash == std::string::npos)
        return folder;
    std::string p = f.substr(0, slash);
    return p.size() == 2 && p[1] == ':' ? p + "\\" : p;
}

struct Listing {
    std::vector<std::string> folders, files;
};

// A name as the ANSI functions reach it: the name itself, or its short
// form when it has characters outside the ANSI code page. False when it has
// neither: such an entry is left out rather than shown with '?' in it, which
// would open no file or another one.
bool reachableName(const WIN32_FIND_DATAW& fd, std::string& name) {
    return zt::toAnsiExactly(fd.cFileName, name) ||
           (fd.cAlternateFileName[0] && zt::toAnsiExactly(fd.cAlternateFileName, name));
}

Listing list(const std::string& folder, const std::string& pattern) {
    Listing l;
    std::wstring wideFolder;
    const std::string all = joinFolderFile(folder, "*");
    // The folder's own name came from the ANSI side and converts back exactly.
    const int n = MultiByteToWideChar(CP_ACP, 0, all.c_str(), -1, nullptr, 0);
    if (n <= 0)
        return l;
    wideFolder.resize(size_t(n));
    MultiByteToWideChar(CP_ACP, 0, all.c_str(), -1, &wideFolder[0], n);
    WIN32_FIND_DATAW fd;
    zt::ScopedFindHandle find(FindFirstFileW(wideFolder.c_str(), &fd));
    if (!find)
        return l;
    do {
        std::string name;
        if (!reachableName(fd, name) || name == "." || name == "..")
            continue;
        if (fd.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
            continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            l.folders.push_back(name);
        else if (matchesPattern(name, pattern))
            l.files.push_back(name);
    } while (FindNextFileW(find.get(), &fd));
    auto byName = [](const std::string& a, const std::string& b) {
        return lstrcmpiA(a.c_str(), b.c_str()) < 0;
    };
    std::sort(l.folders.begin(), l.folders.end(), byName);
    std::sort(l.files.begin(), l.files.end(), byName);
    return l;
}

std::string itemText(HWND list, int row) {
    LRESULT n = SendMessageA(list, LB_GETTEXTLEN, row, 0);
    if (n == LB_ERR)
        return {};
    std::string s(size_t(n) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(s.data()));
    s.resize(size_t(n));
    return s;
}

class FileBrowser : public DialogFrame {
public:
    FileBrowser(BarWindow& bar, HWND returnTo)
        : DialogFrame(bar, DialogKind::FileBrowser, Pictures::Frame, kDialogSnapMargin),
          returnTo_(returnTo) {}

private:
    HWND item(int id) const { return GetDlgItem(wnd_, id); }

    void onInit() override {
        SendMessageA(item(IDC_PATH), EM_LIMITTEXT, MAX_PATH, 0);
        folder_ = currentFolder();
        fillDrives();
        fillFolders();
    }

    // The stored pattern applies at every activation: another caller may
    // have changed it while this browser was open.
    void onActivate() override { fillFiles(); }

    void fillDrives() {
        HWND drives = item(IDC_DRIVES);
        SendMessageA(drives, CB_RESETCONTENT, 0, 0);
        char all[512] = {};
        DWORD n = GetLogicalDriveStringsA(sizeof all - 1, all);
        const std::string mine = driveOf(folder_);
        for (const char* d = all; n && n < sizeof all && *d; d += lstrlenA(d) + 1) {
            std::string drive(d, 2);
            CharLowerA(drive.data());
            LRESULT row = SendMessageA(drives, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(drive.c_str()));
            if (lstrcmpiA(drive.c_str(), mine.c_str()) == 0)
                SendMessageA(drives, CB_SETCURSEL, row, 0);
        }
    }

    void fillFolders() {
        HWND folders = item(IDC_FOLDERS);
        SendMessageA(folders, LB_RESETCONTENT, 0, 0);
        SetDlgItemTextA(wnd_, IDC_FOLDER_NAME, folder_.c_str());
        if (!isDriveRoot(folder_))
            SendMessageA(folders, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kParentFolder));
        for (const auto& f : list(folder_, "").folders)
            SendMessageA(folders, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.c_str()));
        fillFiles();
    }

    void fillFiles() {
        HWND files = item(IDC_FILES);
        SendMessageA(files, WM_SETREDRAW, FALSE, 0);
        SendMessageA(files, LB_RESETCONTENT, 0, 0);
        for (const auto& f : list(folder_, bar_.fileChoice().pattern()).files)
            SendMessageA(files, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.c_str()));
        SendMessageA(files, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(files, nullptr, TRUE);
    }

    void driveChosen() {
        HWND drives = item(IDC_DRIVES);
        LRESULT row = SendMessageA(drives, CB_GETCURSEL, 0, 0);
        char drive[8] = {};
        if (row == CB_ERR || SendMessageA(drives, CB_GETLBTEXTLEN, row, 0) >= LRESULT(sizeof drive))
            return;
        SendMessageA(drives, CB_GETLBTEXT, row, reinterpret_cast<LPARAM>(drive));
        folder_ = std::string(drive) + "\\";
        fillFolders();
    }

    void folderOpened() {
        HWND folders = item(IDC_FOLDERS);
        LRESULT row = SendMessageA(folders, LB_GETCURSEL, 0, 0);
        if (row == LB_ERR)
            return;
        const std::string name = itemText(folders, int(row));
        folder_ = name == kParentFolder ? parentOf(folder_) : joinFolderFile(folder_, name);
        fillFolders();
    }

    void fileClicked() {
        HWND files = item(IDC_FILES);
        LRESULT row = SendMessageA(files, LB_GETCURSEL, 0, 0);
        if (row == LB_ERR)
            return;
        SetDlgItemTextA(wnd_, IDC_PATH, joinFolderFile(folder_, itemText(files, int(row))).c_str());
    }

    void confirm() {
        char path[MAX_PATH + 1] = {};
        GetDlgItemTextA(wnd_, IDC_PATH, path, sizeof path);
        // An empty box confirms nothing: no caller can use an empty path.
        if (!path[0])
            return;
        bar_.fileChoice().confirm(path);
        HWND back = returnTo_;
        close();
        if (back && IsWindow(back))
            SetForegroundWindow(back);
    }

    bool onCommand(int id, int code, HWND) override {
        switch (id) {
        case IDOK:
        case IDC_OPEN:
            if (code == BN_CLICKED)
                confirm();
            return true;
        case IDC_DRIVES:
            if (code == CBN_SELCHANGE)
                driveChosen();
            return true;
        case IDC_FOLDERS:
            if (code == LBN_DBLCLK)
                folderOpened();
            return true;
        case IDC_FILES:
            if (code == LBN_SELCHANGE)
                fileClicked();
            else if (code == LBN_DBLCLK) {
                fileClicked();
                confirm();
            }
            return true;
        }
        return false;
    }

    HWND returnTo_;
    std::string folder_;
};

} // namespace

HWND openFileBrowserWindow(BarWindow& bar, HWND returnTo) {
    if (HWND old = bar.dialog(DialogKind::FileBrowser))
        DestroyWindow(old);
    return DialogFrame::open(std::make_unique<FileBrowser>(bar, returnTo), IDD_OPENFILE);
}

void BarWindow::openFileBrowser(ChoiceClient client, const char* pattern) {
    fileChoice_.request(client, pattern);
    HWND back = wnd_;
    if (client == ChoiceClient::ProgramEditor)
        back = dialog(DialogKind::ProgramEditor);
    else if (client == ChoiceClient::RunDialog)
        back = dialog(DialogKind::RunDialog);
    openFileBrowserWindow(*this, back);
}

} // namespace tessel::win
