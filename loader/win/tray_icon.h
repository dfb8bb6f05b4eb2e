// The notification-area icon: its menu, translated through "qalang.ini" at
// every click, and the double click that opens the configuration.
#pragma once
#include <windows.h>

#include <shellapi.h>

namespace zrv::loader {

class CTrayIcon {
public:
    CTrayIcon();
    virtual ~CTrayIcon();
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    bool create(HWND owner, UINT callbackMessage, const char* tip, HICON icon, UINT id);
    bool setIcon(HICON icon);
    bool setIconFromResource(int resourceId);
    void remove();
    bool shown() const { return shown_ != 0; }
    // Every callback message goes here; returns 1 when handled.
    virtual LRESULT onTrayNotification(WPARAM wp, LPARAM lp);

    // The menu item text shown for `text`: the language file's, else its own.
    static void translateMenu(HMENU menu);

private:
    void showMenu(HMENU menu);

    int shown_ = 0;
    // The original 88-byte record, understood by every shell.
    NOTIFYICONDATAA data_ = {};
};

} // namespace zrv::loader
