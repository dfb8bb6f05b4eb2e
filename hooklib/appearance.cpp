#include "hooklib/appearance.h"

#include "hooklib/window_kinds.h"

namespace zrv::appearance {

bool fadeEligible(const FadeRules& rules, std::int32_t width, std::int32_t height,
                  std::uint32_t style) {
    if (rules.smallOnly == 1 &&
        static_cast<std::int64_t>(width) * static_cast<std::int64_t>(height) >= kSmallOnlyArea)
        return false;
    if (rules.nonSize == 1 && (style & kinds::kNonSizeFadeBit) == 0)
        return false;
    return rules.semiTrans > 0;
}

std::int32_t nextFadeLevel(std::int32_t level) {
    return static_cast<std::int32_t>(static_cast<double>(level) * 0.6024096385542169);
}

bool slideEligible(const SlideRules& rules, bool ownerVisible, bool toolWindow) {
    return rules.slide == 1 && ownerVisible && (rules.slideTool != 0 || !toolWindow);
}

SlideStart slideStart(const Rect& reference, const Rect& window, bool fromBottom,
                      zt::ScreenPoint limit) {
    // 64-bit intermediates: rectangles come from foreign windows and may be
    // anywhere in the signed 32-bit range.
    const std::int64_t rw = static_cast<std::int64_t>(reference.right) - reference.left;
    const std::int64_t rh = static_cast<std::int64_t>(reference.bottom) - reference.top;
    const std::int64_t ww = static_cast<std::int64_t>(window.right) - window.left;
    const std::int64_t wh = static_cast<std::int64_t>(window.bottom) - window.top;
    SlideStart s;
    std::int64_t x = reference.left + (rw - ww) / 2;
    s.x = static_cast<std::int32_t>(x < limit.x ? limit.x : x);
    if (fromBottom) {
        // A window taller than its reference would have its title bar above
        // its monitor; like every other move of a slide, the top stops at the
        // monitor's top.
        const std::int64_t y = reference.bottom - wh;
        s.y = static_cast<std::int32_t>(y < limit.y ? limit.y : y);
        s.step = static_cast<std::int32_t>(-((rh - wh) / 2));
    } else {
        s.y = reference.top < limit.y ? limit.y : reference.top;
        s.step = static_cast<std::int32_t>((rh - wh) / 2);
    }
    return s;
}

SlideStep slideStep(std::int32_t step, const Rect& outer, std::int32_t limitTop) {
    SlideStep s;
    s.move = step / 2;
    s.done = s.move == 0;
    const std::int64_t top = static_cast<std::int64_t>(outer.top) + s.move;
    s.newTop = top < limitTop ? limitTop : static_cast<std::int32_t>(top);
    s.uncovered.left = outer.left;
    s.uncovered.right = outer.right;
    if (s.move < 0) {
        s.uncovered.top = outer.bottom + s.move;
        s.uncovered.bottom = outer.bottom;
    } else {
        s.uncovered.top = outer.top;
        s.uncovered.bottom = outer.top + s.move;
    }
    return s;
}

} // namespace zrv::appearance
