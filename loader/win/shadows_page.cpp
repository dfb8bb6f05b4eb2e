#include "loader/win/shadows_page.h"

#include "loader/resource.h"
#include "loader/win/settings_file.h"
#include "loader/win/shadow_settings_dlg.h"

namespace zrv::loader {

namespace {
// Written spellings; the profile functions match them to "Shadows" and
// "ShadowsVar".
constexpr char kShadowsWritten[] = "SHADOWS";
constexpr char kShadowsVarWritten[] = "SHADOWSVar";
constexpr int kShadeRadios = 3;

constexpr BoundControl kControls[] = {
    {IDC_SHADOWS_ON, BoundControl::CheckOne, kShadowsWritten, keys::kShadows.utilityDefault},
};
} // namespace

CMyPropertyPage2::CMyPropertyPage2() : CPropertyPageBase(IDD_PAGE_SHADOWS) { bind(kControls); }

BOOL CMyPropertyPage2::onInitDialog() {
    CPropertyPageBase::onInitDialog();
    // 0 solid black (never offered), 1 constant, 2 variable.
    int shade = readGlobalInt(keys::kShadowsVar);
    exchangeRadio(false, IDC_SHADOWS_BLACK, kShadeRadios, shade);
    writeBound(IDC_SHADOWS_ON); // written as it opens, which also sets what it enables
    return TRUE;
}

void CMyPropertyPage2::onBoundChanged(int id, bool on) {
    if (id != IDC_SHADOWS_ON)
        return;
    for (int c : {IDC_SHADOWS_BLACK, IDC_SHADOWS_CONSTANT, IDC_SHADOWS_VARIABLE, IDC_SHADOWS_SETTINGS})
        enable(c, on);
}

void CMyPropertyPage2::onCommand(int id, int code) {
    if (code != BN_CLICKED)
        return;
    switch (id) {
    case IDC_SHADOWS_CONSTANT: writeGlobal(kShadowsVarWritten, "1"); break;
    case IDC_SHADOWS_VARIABLE: writeGlobal(kShadowsVarWritten, "2"); break;
    case IDC_SHADOWS_SETTINGS: {
        CShadowSettingsDlg dlg;
        dlg.doModal(wnd_);
        break;
    }
    default: CPropertyPageBase::onCommand(id, code); break;
    }
}

} // namespace zrv::loader
