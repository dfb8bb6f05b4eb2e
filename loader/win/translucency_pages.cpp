#include "loader/win/translucency_pages.h"

#include "loader/resource.h"

namespace zrv::loader {

namespace {
// The slider starts at the utility's default whatever the library's is.
constexpr BoundControl kMenuControls[] = {
    {IDC_EFFECT_ON, BoundControl::Check, keys::kSemiMenus},
    {IDC_EFFECT_EXTRA, BoundControl::CheckOne, keys::kSemiMenusShadow},
    {IDC_VISIBILITY, BoundControl::Slider, keys::kSemiMenusVal},
};
constexpr BoundControl kDragControls[] = {
    {IDC_EFFECT_ON, BoundControl::Check, keys::kSemiDrag},
    {IDC_EFFECT_EXTRA, BoundControl::Check, keys::kSemiDragGhost},
    {IDC_VISIBILITY, BoundControl::Slider, keys::kSemiDragVal},
};
} // namespace

CMyPropertyPage3::CMyPropertyPage3() : CPropertyPageBase(IDD_PAGE_MENUS) { bind(kMenuControls); }

CMyPropertyPage4::CMyPropertyPage4() : CPropertyPageBase(IDD_PAGE_DRAGGING) {
    bind(kDragControls);
}

} // namespace zrv::loader
