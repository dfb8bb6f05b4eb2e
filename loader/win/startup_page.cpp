#include "loader/win/startup_page.h"

#include "common/win/scoped.h"
#include "loader/loader_rules.h"
#include "loader/resource.h"
#include "loader/win/settings_file.h"

namespace zrv::loader {

namespace {
zt::ScopedRegKey openRunKey() {
    HKEY key = nullptr;
    RegCreateKeyA(HKEY_CURRENT_USER, CPropertyPage9::kRunKey, &key);
    return zt::ScopedRegKey(key);
}
} // namespace

namespace {
constexpr BoundControl kControls[] = {
    {IDC_STARTUP_SHOWICON, BoundControl::CheckOne, keys::kShowIcon},
};
} // namespace

CPropertyPage9::CPropertyPage9() : CPropertyPageBase(IDD_PAGE_STARTUP) { bind(kControls); }

std::string CPropertyPage9::readRunValue() {
    zt::ScopedRegKey key = openRunKey();
    char buf[256] = {};
    DWORD size = 255;
    DWORD type = 0;
    if (!key || RegQueryValueExA(key.get(), kRunValue, nullptr, &type, reinterpret_cast<BYTE*>(buf),
                                 &size) != ERROR_SUCCESS)
        return {};
    // A value stored without its terminating zero is still cut where it ends.
    buf[size < 255 ? size : 255] = '\0';
    return buf;
}

BOOL CPropertyPage9::onInitDialog() {
    CPropertyPageBase::onInitDialog();
    run_ = autostartShownOn(readRunValue());
    updateData(false);
    return TRUE;
}

void CPropertyPage9::exchange(bool save) {
    exchangeCheck(save, IDC_STARTUP_RUN, run_);
}

void CPropertyPage9::onRun() {
    updateData(true);
    const std::string command = autostartCommand(readString(keys::kInstalled, keys::kDir, ""));
    if (!run_) {
        zt::ScopedRegKey key = openRunKey();
        RegDeleteValueA(key.get(), kRunValue);
        return;
    }
    if (MessageBoxA(wnd_,
                    "Zirvane can be set to automatically run when you start Windows.\n\n"
                    "Do you want Zirvane added to the registry for you now? (If you uninstall you "
                    "should disable this before uninstalling)",
                    "Getting Zirvane to start automatically", MB_YESNO | MB_ICONEXCLAMATION) == IDYES) {
        zt::ScopedRegKey key = openRunKey();
        // The terminating zero is part of a REG_SZ value.
        RegSetValueExA(key.get(), kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                       static_cast<DWORD>(registryStringBytes(command)));
    } else {
        run_ = 0;
        updateData(false);
    }
}

void CPropertyPage9::onCommand(int id, int code) {
    if (code == BN_CLICKED && id == IDC_STARTUP_RUN)
        onRun();
    else
        CPropertyPageBase::onCommand(id, code);
}

} // namespace zrv::loader
