#include "loader/win/tray_icon.h"

#include "common/win/scoped.h"

#include <cstring>

namespace zrv::loader {

namespace {
constexpr DWORD kOriginalRecordSize = NOTIFYICONDATAA_V1_SIZE; // 88 bytes on 32-bit Windows
constexpr char kLanguageFile[] = "qalang.ini";
constexpr char kMenuSection[] = "Menu";

// Loaded menu resource destroyed on every path.
struct LoadedMenu {
    explicit LoadedMenu(UINT id)
        : menu(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id))) {}
    HMENU sub() const { return menu ? GetSubMenu(menu.get(), 0) : nullptr; }
    zt::ScopedMenu menu;
};
} // namespace

CTrayIcon::CTrayIcon() = default;

CTrayIcon::~CTrayIcon() { remove(); }

bool CTrayIcon::create(HWND owner, UINT callbackMessage, const char* tip, HICON icon, UINT id) {
    if (LOBYTE(LOWORD(GetVersion())) < 4) {
        shown_ = 0;
        return false;
    }
    data_ = {};
    data_.cbSize = kOriginalRecordSize;
    data_.hWnd = owner;
    data_.uID = id;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.hIcon = icon;
    data_.uCallbackMessage = callbackMessage;
    lstrcpynA(data_.szTip, tip ? tip : "", 64);
    shown_ = Shell_NotifyIconA(NIM_ADD, &data_) ? 1 : 0;
    return shown_ != 0;
}

bool CTrayIcon::setIcon(HICON icon) {
    if (!shown_)
        return false;
    data_.uFlags = NIF_ICON;
    data_.hIcon = icon;
    return Shell_NotifyIconA(NIM_MODIFY, &data_) != FALSE;
}

bool CTrayIcon::setIconFromResource(int resourceId) {
    return setIcon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId)));
}

void CTrayIcon::remove() {
    if (!shown_)
        return;
    data_.uFlags = 0;
    Shell_NotifyIconA(NIM_DELETE, &data_);
    shown_ = 0;
}

void CTrayIcon::translateMenu(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    for (int pos = 0; pos < count; ++pos) {
        char text[256] = {};
        if (GetMenuStringA(menu, pos, text, 255, MF_BYPOSITION) <= 0 || !text[0])
            continue; // separators have no text
        char shown[256] = {};
        GetPrivateProfileStringA(kMenuSection, text, "", shown, 255, kLanguageFile);
        const UINT id = GetMenuItemID(menu, pos);
        ModifyMenuA(menu, pos, MF_BYPOSITION | MF_STRING, id, shown[0] ? shown : text);
    }
}

void CTrayIcon::showMenu(HMENU menu) {
    translateMenu(menu);
    // After the texts: replacing an item drops its default state.
    SetMenuDefaultItem(menu, 0, TRUE);
    POINT at = {};
    GetCursorPos(&at);
    SetForegroundWindow(data_.hWnd);
    TrackPopupMenu(menu, 0, at.x, at.y, 0, data_.hWnd, nullptr);
    // Lets the menu close when the user clicks elsewhere.
    PostMessageA(data_.hWnd, WM_USER, 0, 0);
}

LRESULT CTrayIcon::onTrayNotification(WPARAM wp, LPARAM lp) {
    if (wp != data_.uID)
        return 0;
    switch (LOWORD(lp)) {
    case WM_RBUTTONUP: {
        LoadedMenu menu(data_.uID);
        HMENU sub = menu.sub();
        if (!sub)
            return 0;
        showMenu(sub);
        return 1;
    }
    case WM_LBUTTONDBLCLK: {
        LoadedMenu menu(data_.uID);
        HMENU sub = menu.sub();
        if (!sub)
            return 0;
        SetForegroundWindow(data_.hWnd);
        SendMessageA(data_.hWnd, WM_COMMAND, GetMenuItemID(sub, 0), 0);
        return 1;
    }
    default:
        return 1;
    }
}

} // namespace zrv::loader
