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
} // namespace

CMyPropertyPage2::CMyPropertyPage2() : CPropertyPageBase(IDD_PAGE_SHADOWS) {}

BOOL CMyPropertyPage2::onInitDialog() {
    shadows_ = readGlobalInt(keys::kShadows) == 1;
    shade_ = readGlobalInt(keys::kShadowsVar);
    updateData(false);
    onShadows();
    return TRUE;
}

void CMyPropertyPage2::exchange(bool save) {
    exchangeCheck(save, IDC_SHADOWS_ON, shadows_);
    exchangeRadio(save, IDC_SHADOWS_BLACK, kShadeRadios, shade_);
}

void CMyPropertyPage2::onShadows() {
    updateData(true);
    writeGlobalFlag(kShadowsWritten, shadows_);
    for (int id : {IDC_SHADOWS_BLACK, IDC_SHADOWS_CONSTANT, IDC_SHADOWS_VARIABLE, IDC_SHADOWS_SETTINGS})
        enable(id, shadows_);
}

void CMyPropertyPage2::onCommand(int id, int code) {
    if (code != BN_CLICKED)
        return;
    switch (id) {
    case IDC_SHADOWS_ON: onShadows(); break;
    case IDC_SHADOWS_CONSTANT: writeGlobal(kShadowsVarWritten, "1"); break;
    case IDC_SHADOWS_VARIABLE: writeGlobal(kShadowsVarWritten, "2"); break;
    case IDC_SHADOWS_SETTINGS: {
        CShadowSettingsDlg dlg;
        dlg.doModal(wnd_);
        break;
    }
    default: break;
    }
}

} // namespace zrv::loader
