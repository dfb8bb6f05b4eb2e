#include "bar/win/folder_window.h"

#include "bar/geometry.h"
#include "bar/win/bar_window.h"
#include "bar/win/dialog_frame.h"
#include "bar/win/resource.h"
#include "common/win/platform_function.h"

#include <shlobj.h>
#include <shobjidl.h>

namespace tessel::win {

namespace {

struct FolderEntry {
    const char* text;
    int folder; // the shell's special-folder identifier
};

// "DUN" has no identifier of its own; it shows the network connections
// folder, where dial-up connections live.
constexpr FolderEntry kEntries[] = {
    {"Desktop", 0},   {"Programs", 2},  {"Control Panel", 3}, {"Printers", 4},
    {"Personal", 5},  {"Favorites", 6}, {"Startup", 7},       {"Recent", 8},
    {"Start Menu", 11}, {"Drives", 17}, {"Network", 18},      {"Fonts", 20},
    {"DUN", CSIDL_CONNECTIONS},
};
constexpr int kEntryCount = int(sizeof kEntries / sizeof kEntries[0]);

// {71F96385-DDD6-48D3-A0C1-AE06E8B055FB}
constexpr CLSID kExplorerBrowser = {0x71f96385, 0xddd6, 0x48d3,
                                    {0xa0, 0xc1, 0xae, 0x06, 0xe8, 0xb0, 0x55, 0xfb}};

using SpecialFolderFn = HRESULT(WINAPI*)(HWND, int, PIDLIST_ABSOLUTE*);

// The shell library is loaded on first use, as the bar's other shell calls are.
SpecialFolderFn specialFolderLocation() {
    static HMODULE shell = LoadLibraryA("shell32.dll");
    return zt::platformFunction<SpecialFolderFn>(shell, "SHGetSpecialFolderLocation");
}

// The size of an item identifier list: its items' size fields and the two
// bytes of the closing zero field; 0 for a list too long to be sound.
size_t idListSize(const ITEMIDLIST* list) {
    size_t total = 2;
    for (auto* p = reinterpret_cast<const BYTE*>(list); ; ) {
        USHORT cb;
        memcpy(&cb, p, sizeof cb);
        if (cb == 0)
            return total;
        total += cb;
        if (total > 32765)
            return 0;
        p += cb;
    }
}

class FolderWindow : public DialogFrame {
public:
    explicit FolderWindow(BarWindow& bar)
        : DialogFrame(bar, DialogKind::FolderWindow, Pictures::Frame, kDialogSnapMargin) {}

    ~FolderWindow() override { dropBrowser(); }

private:
    HWND combo() const { return GetDlgItem(wnd_, IDC_FOLDER_LIST); }

    void onInit() override {
        for (const auto& e : kEntries)
            SendMessageA(combo(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.text));
        selectStored();
    }

    // The element's entry is selected at every activation; selecting
    // another entry shows that folder.
    void onActivate() override { selectStored(); }

    void selectStored() {
        const int entry = bar_.folderEntry();
        if (entry < 0 || entry >= kEntryCount)
            return;
        if (SendMessageA(combo(), CB_GETCURSEL, 0, 0) == entry)
            return;
        SendMessageA(combo(), CB_SETCURSEL, entry, 0);
        show(entry);
    }

    bool makeBrowser() {
        if (browser_)
            return true;
        // The shell browser needs a single-threaded apartment on this thread;
        // the bar's one thread keeps it for the life of the program.
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (FAILED(CoCreateInstance(kExplorerBrowser, nullptr, CLSCTX_INPROC_SERVER,
                                    __uuidof(IExplorerBrowser), reinterpret_cast<void**>(&browser_))))
            return false;
        RECT pane;
        GetWindowRect(GetDlgItem(wnd_, IDC_FOLDER_PANE), &pane);
        MapWindowPoints(nullptr, wnd_, reinterpret_cast<POINT*>(&pane), 2);
        FOLDERSETTINGS fs = {FVM_LIST, 0};
        browser_->SetOptions(EBO_NOBORDER);
        if (FAILED(browser_->Initialize(wnd_, &pane, &fs))) {
            browser_->Release();
            browser_ = nullptr;
            return false;
        }
        return true;
    }

    void show(int entry) {
        MSG m;
        while (PeekMessageA(&m, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
            DispatchMessageA(&m);
        HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
        auto locate = specialFolderLocation();
        zt::ScopedCoTaskMem<ITEMIDLIST> list;
        // A folder the system lacks leaves the pane as it was.
        if (locate && SUCCEEDED(locate(wnd_, kEntries[entry].folder, list.out())) && list &&
            idListSize(list.get()) > 0 && makeBrowser())
            browser_->BrowseToIDList(list.get(), SBSP_ABSOLUTE);
        SetCursor(old);
    }

    bool onCommand(int id, int code, HWND) override {
        if (id == IDC_FOLDER_LIST && code == CBN_SELCHANGE) {
            LRESULT entry = SendMessageA(combo(), CB_GETCURSEL, 0, 0);
            if (entry >= 0 && entry < kEntryCount)
                show(int(entry));
            return true;
        }
        return false;
    }

    // The pane goes while its parent window still exists.
    INT_PTR onMessage(UINT msg, WPARAM, LPARAM) override {
        if (msg == WM_DESTROY)
            dropBrowser();
        return FALSE;
    }

    void dropBrowser() {
        if (!browser_)
            return;
        browser_->Destroy();
        browser_->Release();
        browser_ = nullptr;
    }

    IExplorerBrowser* browser_ = nullptr;
};

} // namespace

void BarWindow::showFolderWindow(int16_t entry) {
    folderEntry_ = entry;
    HWND open = dialog(DialogKind::FolderWindow);
    if (!open) {
        DialogFrame::open(std::make_unique<FolderWindow>(*this), IDD_FOLDER_WINDOW);
        return;
    }
    if (IsWindowVisible(open)) {
        ShowWindow(open, SW_HIDE);
    } else {
        ShowWindow(open, SW_SHOW);
        SetForegroundWindow(open);
    }
}

} // namespace tessel::win
