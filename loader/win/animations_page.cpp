#include "loader/win/animations_page.h"

#include "loader/resource.h"
#include "loader/win/settings_file.h"

namespace zrv::loader {

namespace {
constexpr int kFromAbove = IDC_SLIDE_TOP - IDC_SLIDE_TOPLEFT;
constexpr int kFromBelow = IDC_SLIDE_BOTTOM - IDC_SLIDE_TOPLEFT;
constexpr int kDirections = IDC_SLIDE_LEFT - IDC_SLIDE_TOPLEFT + 1;

constexpr BoundControl kControls[] = {
    {IDC_FADE, BoundControl::Check, keys::kSemiTrans},
    {IDC_FADE_NONSIZE, BoundControl::Check, keys::kNonSize},
    {IDC_FADE_SMALL, BoundControl::Check, keys::kSmallOnly},
    {IDC_SLIDE, BoundControl::Check, keys::kSlide},
    {IDC_SLIDE_SCREEN, BoundControl::CheckOne, keys::kSlideScreen},
    {IDC_SLIDE_TOOL, BoundControl::CheckOne, keys::kSlideTool},
};
} // namespace

CMyPropertyPage1::CMyPropertyPage1() : CPropertyPageBase(IDD_PAGE_ANIMATIONS) { bind(kControls); }

BOOL CMyPropertyPage1::onInitDialog() {
    CPropertyPageBase::onInitDialog();
    // The stored side is above (0) or below (anything else).
    int from = readGlobalInt(keys::kSlideFrom) != 0 ? kFromBelow : kFromAbove;
    exchangeRadio(false, IDC_SLIDE_TOPLEFT, kDirections, from);
    // Both switches are written as they open, which also sets what they enable.
    writeBound(IDC_FADE);
    writeBound(IDC_SLIDE);
    return TRUE;
}

void CMyPropertyPage1::onBoundChanged(int id, bool on) {
    if (id == IDC_FADE) {
        enable(IDC_FADE_NONSIZE, on);
        enable(IDC_FADE_SMALL, on);
    } else if (id == IDC_SLIDE) {
        for (int d = IDC_SLIDE_TOPLEFT; d <= IDC_SLIDE_SCREEN; ++d)
            enable(d, on);
        enable(IDC_SLIDE_TOOL, on);
    }
}

void CMyPropertyPage1::onCommand(int id, int code) {
    // The direction buttons write without reading the page.
    if (code == BN_CLICKED && id == IDC_SLIDE_TOP)
        writeGlobal(keys::kSlideFrom.name, "0");
    else if (code == BN_CLICKED && id == IDC_SLIDE_BOTTOM)
        writeGlobal(keys::kSlideFrom.name, "1");
    else
        CPropertyPageBase::onCommand(id, code);
}

} // namespace zrv::loader
