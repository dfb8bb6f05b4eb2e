#include "loader/win/menu_effects_page.h"

#include "loader/resource.h"
#include "loader/win/settings_file.h"

namespace zrv::loader {

CMyPropertyPage3::CMyPropertyPage3() : CPropertyPageBase(IDD_PAGE_MENUS) {}

BOOL CMyPropertyPage3::onInitDialog() {
    on_ = readGlobalInt(keys::kSemiMenus) != 0;
    extra_ = readGlobalInt(keys::kSemiMenusShadow) == 1;
    // The slider starts at the utility's default whatever the library's is.
    setSlider(IDC_VISIBILITY, 0, 255, readGlobalInt(keys::kSemiMenusVal));
    updateData(false);
    return TRUE;
}

void CMyPropertyPage3::exchange(bool save) {
    exchangeCheck(save, IDC_EFFECT_ON, on_);
    exchangeCheck(save, IDC_EFFECT_EXTRA, extra_);
}

void CMyPropertyPage3::onCommand(int id, int code) {
    if (code != BN_CLICKED)
        return;
    if (id == IDC_EFFECT_ON) {
        updateData(true);
        writeGlobalFlag(keys::kSemiMenus.name, on_);
    } else if (id == IDC_EFFECT_EXTRA) {
        updateData(true);
        writeGlobalFlag(keys::kSemiMenusShadow.name, extra_);
    }
}

// Only a released drag stores the position; keyboard moves are not written.
void CMyPropertyPage3::onNotify(const NMHDR& hdr) {
    if (hdr.idFrom == IDC_VISIBILITY && hdr.code == static_cast<UINT>(NM_RELEASEDCAPTURE))
        writeGlobalInt(keys::kSemiMenusVal.name, sliderPos(IDC_VISIBILITY));
}

} // namespace zrv::loader
