#include "formats/effect_keys.h"

namespace zrv::keys {

const IntKey* const kAllIntKeys[] = {
    &kShadows,        &kShadowsVar,    &kShadowsSemiTrans, &kRealShadowSize, &kRealShadowAlpha,
    &kShadowSize,     &kSemiMenus,     &kSemiMenusVal,     &kSemiMenusShadow, &kTransOn9X,
    &kSemiTrans,      &kFadeRate,      &kSmallOnly,        &kNonSize,        &kSlide,
    &kSlideScreen,    &kSlideTool,     &kSlideFrom,        &kSlideRate,      &kSemiDrag,
    &kSemiDragVal,    &kSemiDragGhost, &kMaxLimitUse,      &kMaxWidth,       &kMaxHeight,
    &kMaxLeft,        &kCustomBkColour, &kBkColour,        &kCustomForeColour, &kTxtColour,
    &kShowIcon,
};
const std::size_t kAllIntKeyCount = sizeof(kAllIntKeys) / sizeof(kAllIntKeys[0]);

} // namespace zrv::keys
