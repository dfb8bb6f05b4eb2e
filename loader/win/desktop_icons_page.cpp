#include "loader/win/desktop_icons_page.h"

#include <commdlg.h>

#include "binding/win/library_binding.h"
#include "loader/resource.h"
#include "loader/win/settings_file.h"

namespace zrv::loader {

namespace {
// Transparent icon text background, as the library reads "CUSTOMBKCOLOUR".
constexpr int kTransparentBackground = 2;

constexpr BoundControl kControls[] = {
    {IDC_ICON_FORECOLOUR, BoundControl::CheckOne, keys::kCustomForeColour},
};
} // namespace

CMyPropertyPage7::CMyPropertyPage7() : CPropertyPageBase(IDD_PAGE_ICONS) { bind(kControls); }

BOOL CMyPropertyPage7::onInitDialog() {
    CPropertyPageBase::onInitDialog();
    setChecked(IDC_ICON_TRANSPARENT,
               readGlobalInt(keys::kCustomBkColour) == kTransparentBackground);
    writeBound(IDC_ICON_FORECOLOUR); // written as it opens, which also sets what it enables
    return TRUE;
}

void CMyPropertyPage7::onBoundChanged(int id, bool on) {
    if (id != IDC_ICON_FORECOLOUR)
        return;
    enable(IDC_ICON_SETCOLOUR, on);
    binding::redrawDesktop();
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
    binding::redrawDesktop();
}

void CMyPropertyPage7::onCommand(int id, int code) {
    if (code != BN_CLICKED)
        return;
    switch (id) {
    case IDC_ICON_TRANSPARENT:
        writeGlobal(keys::kCustomBkColour.name, checked(IDC_ICON_TRANSPARENT) ? "2" : "0");
        binding::redrawDesktop();
        break;
    case IDC_ICON_SETCOLOUR: chooseColour(); break;
    default: CPropertyPageBase::onCommand(id, code); break;
    }
}

} // namespace zrv::loader
