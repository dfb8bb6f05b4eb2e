#include "common/win/screen.h"

#include "common/win/scoped.h"

namespace tessel {

COLORREF colourValue(int32_t value) {
    const uint32_t v = static_cast<uint32_t>(value);
    if (v & 0x80000000u)
        return GetSysColor(static_cast<int>(v & 0xFF));
    return v & 0x00FFFFFFu;
}

int screenDpi() {
    zt::ScopedWindowDc dc(nullptr);
    const int dpi = dc ? GetDeviceCaps(dc.get(), LOGPIXELSX) : 96;
    return dpi > 0 ? dpi : 96;
}

} // namespace tessel
