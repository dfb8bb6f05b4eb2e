#include "loader/win/maximize_page.h"

#include "loader/resource.h"
#include "loader/win/settings_file.h"

namespace zrv::loader {

CMyPropertyPage5::CMyPropertyPage5() : CPropertyPageBase(IDD_PAGE_MAXIMIZE) {}

BOOL CMyPropertyPage5::onInitDialog() {
    limit_ = readGlobalInt(keys::kMaxLimitLoad.name, keys::kMaxLimitUse.utilityDefault) == 1;
    width_ = readString(keys::kGlobal, keys::kMaxWidth.name, "800");
    height_ = readString(keys::kGlobal, keys::kMaxHeight.name, "600");
    atOrigin_ = readGlobalInt(keys::kMaxLeft) == 1;
    filling_ = true;
    updateData(false);
    filling_ = false;
    onLimit();
    return TRUE;
}

void CMyPropertyPage5::exchange(bool save) {
    exchangeCheck(save, IDC_MAXLIMIT, limit_);
    exchangeText(save, IDC_MAXWIDTH, width_);
    exchangeText(save, IDC_MAXHEIGHT, height_);
    exchangeCheck(save, IDC_MAXLEFT, atOrigin_);
}

void CMyPropertyPage5::onLimit() {
    updateData(true);
    writeGlobalFlag(keys::kMaxLimitLoad.name, limit_);
    enable(IDC_MAXWIDTH, limit_);
    enable(IDC_MAXHEIGHT, limit_);
}

void CMyPropertyPage5::onCommand(int id, int code) {
    if (code == EN_CHANGE && !filling_) {
        // Written as typed, also when emptied.
        updateData(true);
        if (id == IDC_MAXWIDTH)
            writeGlobal(keys::kMaxWidth.name, width_);
        else if (id == IDC_MAXHEIGHT)
            writeGlobal(keys::kMaxHeight.name, height_);
        return;
    }
    if (code != BN_CLICKED)
        return;
    if (id == IDC_MAXLIMIT) {
        onLimit();
    } else if (id == IDC_MAXLEFT) {
        updateData(true);
        writeGlobalFlag(keys::kMaxLeft.name, atOrigin_);
    }
}

} // namespace zrv::loader
