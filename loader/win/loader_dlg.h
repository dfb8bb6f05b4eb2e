// The loader's hidden window, titled "Zirvane": start-up, the tray icon's
// callback and the commands other programs and the tray menu send.
#pragma once
#include "loader/win/companion_link.h"
#include "loader/win/dialog_base.h"
#include "binding/win/library_binding.h"
#include "loader/win/tray_icon.h"

namespace zrv::loader {

class CLoaderDlg : public CDialogBase {
public:
    explicit CLoaderDlg(CTrayIcon& tray);

    static constexpr char kTitle[] = "Zirvane";
    static constexpr char kTrayTip[] = "Zirvane 0.75";
    static constexpr UINT kTrayMessage = WM_USER + 10;
    static constexpr UINT_PTR kHideTimer = 23;
    static constexpr UINT kHideDelayMs = 1000;

protected:
    BOOL onInitDialog() override;
    void onCommand(int id, int code) override;
    void onTimer(UINT_PTR id) override;
    bool onMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    void recordInstallDir();
    void openSheet();
    void unload();
    void bind();
    void unbind();

    CTrayIcon& tray_;
    binding::LibraryBinding binding_;
    // Under a 64-bit loader, the 32-bit programs' hooks.
    CompanionLink companion_;
};

} // namespace zrv::loader
