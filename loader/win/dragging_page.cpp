#include "loader/win/dragging_page.h"

#include "loader/resource.h"
#include "loader/win/settings_file.h"

namespace zrv::loader {

CMyPropertyPage4::CMyPropertyPage4() : CPropertyPageBase(IDD_PAGE_DRAGGING) {}

BOOL CMyPropertyPage4::onInitDialog() {
    on_ = readGlobalInt(keys::kSemiDrag) != 0;
    extra_ = readGlobalInt(keys::kSemiDragGhost) != 0;
    // The slider starts at the utility's default whatever the library's is.
    setSlider(IDC_VISIBILITY, 0, 255, readGlobalInt(keys::kSemiDragVal));
    updateData(false);
    return TRUE;
}

void CMyPropertyPage4::exchange(bool save) {
    exchangeCheck(save, IDC_EFFECT_ON, on_);
    exchangeCheck(save, IDC_EFFECT_EXTRA, extra_);
}

void CMyPropertyPage4::onCommand(int id, int code) {
    if (code != BN_CLICKED)
        return;
    if (id == IDC_EFFECT_ON) {
        updateData(true);
        writeGlobalFlag(keys::kSemiDrag.name, on_);
    } else if (id == IDC_EFFECT_EXTRA) {
        updateData(true);
        writeGlobalFlag(keys::kSemiDragGhost.name, extra_);
    }
}

// Only a released drag stores the position; keyboard moves are not written.
void CMyPropertyPage4::onNotify(const NMHDR& hdr) {
    if (hdr.idFrom == IDC_VISIBILITY && hdr.code == static_cast<UINT>(NM_RELEASEDCAPTURE))
        writeGlobalInt(keys::kSemiDragVal.name, sliderPos(IDC_VISIBILITY));
}

} // namespace zrv::loader
