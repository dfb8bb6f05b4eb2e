#include "loader/win/desktop_icons_page.h"

#include <commdlg.h>

#include "loader/resource.h"
#include "loader/win/settings_file.h"

namespace zrv::loader {

namespace {
// Transparent icon text background, as the library reads "CUSTOMBKCOLOUR".
constexpr int kTransparentBackground = 2;
} // namespace

CMyPropertyPage7::CMyPropertyPage7() : CPropertyPageBase(IDD_PAGE_ICONS) {}

BOOL CMyPropertyPage7::onInitDialog() {
    transparent_ = readGlobalInt(keys::kCustomBkColour) == kTransparentBackground;
    foreColour_ = readGlobalInt(keys::kCustomForeColour) == 1;
    updateData(false);
    onForeColour();
    return TRUE;
}

void CMyPropertyPage7::exchange(bool save) {
    exchangeCheck(save, IDC_ICON_TRANSPARENT, transparent_);
    exchangeCheck(save, IDC_ICON_FORECOLOUR, foreColour_);
}

void CMyPropertyPage7::onForeColour() {
    updateData(true);
    writeGlobalFlag(keys::kCustomForeColour.name, foreColour_);
    enable(IDC_ICON_SETCOLOUR, foreColour_);
    redrawDesktop();
}

void CMyPropertyPage7::chooseColour() {
    static COLORREF custom[16] = {};
    CHOOSECOLORA cc = {};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = wnd_;
    cc.rgbResult = static_cast<COLORREF>(readGlobalInt(keys::kTxtColour));
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT;
    // Written on either button: Cancel leaves the current colour, which is
    // the stored one.
    ChooseColorA(&cc);
    writeGlobalInt(keys::kTxtColour.name, static_cast<long>(cc.rgbResult));
    redrawDesktop();
}

void CMyPropertyPage7::onCommand(int id, int code) {
    if (code != BN_CLICKED)
        return;
    switch (id) {
    case IDC_ICON_TRANSPARENT:
        updateData(true);
        writeGlobal(keys::kCustomBkColour.name, transparent_ ? "2" : "0");
        redrawDesktop();
        break;
    case IDC_ICON_FORECOLOUR: onForeColour(); break;
    case IDC_ICON_SETCOLOUR: chooseColour(); break;
    default: break;
    }
}

} // namespace zrv::loader
