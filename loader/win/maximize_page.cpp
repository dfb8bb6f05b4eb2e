#include "loader/win/maximize_page.h"

#include "loader/resource.h"
#include "loader/win/settings_file.h"

namespace zrv::loader {

namespace {
// The switch is read under the name it is written with, with the default of
// the key the library uses.
constexpr BoundControl kControls[] = {
    {IDC_MAXLIMIT, BoundControl::CheckOne, keys::kMaxLimitLoad.name,
     keys::kMaxLimitUse.utilityDefault},
    {IDC_MAXLEFT, BoundControl::CheckOne, keys::kMaxLeft},
};
} // namespace

CMyPropertyPage5::CMyPropertyPage5() : CPropertyPageBase(IDD_PAGE_MAXIMIZE) { bind(kControls); }

BOOL CMyPropertyPage5::onInitDialog() {
    CPropertyPageBase::onInitDialog();
    filling_ = true;
    setText(IDC_MAXWIDTH, readString(keys::kGlobal, keys::kMaxWidth.name, "800"));
    setText(IDC_MAXHEIGHT, readString(keys::kGlobal, keys::kMaxHeight.name, "600"));
    filling_ = false;
    writeBound(IDC_MAXLIMIT); // written as it opens, which also sets what it enables
    return TRUE;
}

void CMyPropertyPage5::onBoundChanged(int id, bool on) {
    if (id != IDC_MAXLIMIT)
        return;
    enable(IDC_MAXWIDTH, on);
    enable(IDC_MAXHEIGHT, on);
}

void CMyPropertyPage5::onCommand(int id, int code) {
    if (code == EN_CHANGE) {
        // Written as typed, also when emptied.
        if (filling_)
            return;
        if (id == IDC_MAXWIDTH)
            writeGlobal(keys::kMaxWidth.name, text(IDC_MAXWIDTH));
        else if (id == IDC_MAXHEIGHT)
            writeGlobal(keys::kMaxHeight.name, text(IDC_MAXHEIGHT));
        return;
    }
    CPropertyPageBase::onCommand(id, code);
}

} // namespace zrv::loader
