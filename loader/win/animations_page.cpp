#include "loader/win/animations_page.h"

#include "loader/loader_rules.h"
#include "loader/resource.h"
#include "loader/win/settings_file.h"

namespace zrv::loader {

namespace {
constexpr int kFromAbove = IDC_SLIDE_TOP - IDC_SLIDE_TOPLEFT;
constexpr int kFromBelow = IDC_SLIDE_BOTTOM - IDC_SLIDE_TOPLEFT;
constexpr int kDirections = IDC_SLIDE_LEFT - IDC_SLIDE_TOPLEFT + 1;
} // namespace

CMyPropertyPage1::CMyPropertyPage1() : CPropertyPageBase(IDD_PAGE_ANIMATIONS) {}

BOOL CMyPropertyPage1::onInitDialog() {
    fade_ = readGlobalInt(keys::kSemiTrans) != 0;
    nonSize_ = readGlobalInt(keys::kNonSize) != 0;
    smallOnly_ = readGlobalInt(keys::kSmallOnly) != 0;
    slide_ = readGlobalInt(keys::kSlide) != 0;
    slideFrom_ = readGlobalInt(keys::kSlideFrom) != 0 ? kFromBelow : kFromAbove;
    slideScreen_ = readGlobalInt(keys::kSlideScreen) == 1;
    slideTool_ = readGlobalInt(keys::kSlideTool) == 1;
    updateData(false);
    onFade();
    onSlide();
    return TRUE;
}

void CMyPropertyPage1::exchange(bool save) {
    exchangeCheck(save, IDC_FADE, fade_);
    exchangeCheck(save, IDC_FADE_NONSIZE, nonSize_);
    exchangeCheck(save, IDC_FADE_SMALL, smallOnly_);
    exchangeCheck(save, IDC_SLIDE, slide_);
    exchangeRadio(save, IDC_SLIDE_TOPLEFT, kDirections, slideFrom_);
    exchangeCheck(save, IDC_SLIDE_SCREEN, slideScreen_);
    exchangeCheck(save, IDC_SLIDE_TOOL, slideTool_);
}

void CMyPropertyPage1::writeCheck(const char* key, int& member) {
    updateData(true);
    writeGlobalFlag(key, member != 0);
}

void CMyPropertyPage1::onFade() {
    writeCheck(keys::kSemiTrans.name, fade_);
    enable(IDC_FADE_NONSIZE, fade_);
    enable(IDC_FADE_SMALL, fade_);
}

void CMyPropertyPage1::onSlide() {
    writeCheck(keys::kSlide.name, slide_);
    for (int id = IDC_SLIDE_TOPLEFT; id <= IDC_SLIDE_SCREEN; ++id)
        enable(id, slide_);
    enable(IDC_SLIDE_TOOL, slide_);
}

void CMyPropertyPage1::onCommand(int id, int code) {
    if (code != BN_CLICKED)
        return;
    switch (id) {
    case IDC_FADE: onFade(); break;
    case IDC_SLIDE: onSlide(); break;
    case IDC_FADE_NONSIZE: writeCheck(keys::kNonSize.name, nonSize_); break;
    case IDC_FADE_SMALL: writeCheck(keys::kSmallOnly.name, smallOnly_); break;
    case IDC_SLIDE_SCREEN: writeCheck(keys::kSlideScreen.name, slideScreen_); break;
    case IDC_SLIDE_TOOL: writeCheck(keys::kSlideTool.name, slideTool_); break;
    // The radio handlers write without exchanging.
    case IDC_SLIDE_TOP: writeGlobal(keys::kSlideFrom.name, "0"); break;
    case IDC_SLIDE_BOTTOM: writeGlobal(keys::kSlideFrom.name, "1"); break;
    default: break;
    }
}

} // namespace zrv::loader
