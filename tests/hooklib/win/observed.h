// The library's observations (hooklib/win/observations.h) as counted in the
// programs that link its code in.
#pragma once
#include <atomic>

namespace zrv::test {

struct Observed {
    std::atomic<unsigned> reloadsStarted{0};
    std::atomic<unsigned> reloadsFinished{0};
    std::atomic<unsigned> messagesRouted{0};
    std::atomic<unsigned> shadowRebuilds{0};   // shadow pictures made (either kind)
    std::atomic<unsigned> fullTableBeeps{0};   // beeps for a full tracked table
    std::atomic<int> lastShadowOpacity{-1};    // constant opacity last given to a shadow
    std::atomic<unsigned> menuCoverPaints{0};  // menu cover paints
    std::atomic<unsigned> menuCoverPixelsMixed{0}; // pixels the last one mixed and drew
};

Observed& observed() noexcept;

} // namespace zrv::test
