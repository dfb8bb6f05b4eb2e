// Where a window's two shadow windows go and what shape they take. Portable:
// the Win32 layer passes the owner's rectangle and region in and applies the
// rectangles and regions that come out.
#pragma once

#include "hooklib/rect.h"
#include "hooklib/try_vector.h"

#include <cstddef>
#include <cstdint>

namespace zrv::shadow {

// The right shadow runs down the owner's right edge ("SH1", "LLL" 1); the
// bottom shadow along its bottom edge ("SH2").
enum class Side { Right, Bottom };

using zrv::Rect;

// A set of pixels as y-x banded rectangles, kept in one canonical form: bands
// sorted top to bottom, rectangles in a band sorted left to right, neither
// overlapping nor touching, and vertically adjacent bands with the same spans
// merged. Two regions holding the same pixels therefore compare equal.
//
// Building a region allocates, and allocation may fail inside a host
// program: a region that ran out of memory is not ok(), and every region
// made from it is not ok() either. The caller then skips what needed it.
class Region {
public:
    struct Span {
        std::int32_t left, right;
        friend bool operator==(const Span& a, const Span& b) {
            return a.left == b.left && a.right == b.right;
        }
    };
    struct Band {
        std::int32_t top, bottom;
        std::size_t first, count; // its spans in spans()
    };
    struct SpanRange {
        const Span* first;
        const Span* last;
        const Span* begin() const { return first; }
        const Span* end() const { return last; }
        std::size_t size() const { return static_cast<std::size_t>(last - first); }
        const Span& operator[](std::size_t i) const { return first[i]; }
    };

    Region() = default;
    static Region fromRect(const Rect& r);
    // Any rectangles, overlapping or not; empty ones are ignored.
    static Region fromRects(const Rect* rects, std::size_t count);
    template <typename Rects> static Region fromRects(const Rects& rects) {
        return fromRects(rects.data(), rects.size());
    }

    bool ok() const { return !failed_ && !bands_.failed() && !spans_.failed(); }
    bool empty() const { return bands_.empty(); }
    const TryVector<Band>& bands() const { return bands_; }
    SpanRange spans(const Band& b) const {
        return {spans_.data() + b.first, spans_.data() + b.first + b.count};
    }
    TryVector<Rect> rects() const;
    Rect bounds() const;
    Region offset(std::int32_t dx, std::int32_t dy) const;
    Region minus(const Region& other) const;
    friend bool operator==(const Region& a, const Region& b);

private:
    void appendBand(std::int32_t top, std::int32_t bottom, const Span* spans, std::size_t n);
    TryVector<Band> bands_;
    TryVector<Span> spans_;
    bool failed_ = false;
};

struct ShadowParams {
    std::int32_t extent = 8; // how far the shadow reaches past the edge
    std::int32_t offset = 8; // how far it is shifted along the edge
    static constexpr std::int32_t kOverlap = 10; // reach under the owner's own edge
};

// The shadow window's rectangle in screen coordinates for an owner whose outer
// rectangle is `owner`. A right shadow is kept clear of the bottom shadow's
// overlap when the owner has a window region.
Rect placement(Side side, const Rect& owner, const ShadowParams& p, bool ownerHasRegion);

// The rectangle a shadow window is created at, before it is first placed.
Rect creationRect(Side side, const Rect& owner, const ShadowParams& p);

// The shadow window's region in its own coordinates: the owner's outline
// moved down and right by the shadow, minus the owner itself. `ownerRegion`
// is the owner's window region in owner-local coordinates, or null when it
// has none (its outline is then its rectangle).
Region shape(Side side, const Rect& owner, const ShadowParams& p, const Region* ownerRegion);

// Shadows are hidden when the owner is hidden by a position change, or is
// not visible and the change does not show it. `flags` are the position
// record's flags.
constexpr std::uint32_t kSwpShowWindow = 0x40;
constexpr std::uint32_t kSwpHideWindow = 0x80;
bool shadowsHidden(bool ownerVisible, std::uint32_t flags);

// The constant opacity of a real shadow: the configured shadow opacity scaled
// by the fade factor "ALP" (none or 0 = not scaled).
std::uint8_t realShadowOpacity(std::int32_t shadowOpacity, bool hasAlp, std::uint32_t alp);
// The opacity an opaque shadow is given from "ALP".
std::uint8_t opaqueShadowOpacity(std::uint32_t alp);

// Whether a new window's shadows should start almost invisible because the
// window is about to fade in: the fade's own eligibility, with the settings'
// current "SMALLONLY", "NONSIZE" and "SEMITRANS" values. Where nothing can
// fade the answer is yes all the same.
struct FadeInputs {
    bool haveSetLayeredAttributes = true;
    std::int32_t smallOnly = 0;
    std::int32_t nonSize = 0;
    std::int32_t semiTrans = 0;
    std::int32_t width = 0, height = 0; // the owner's outer size
    std::uint32_t style = 0;
};
bool shadowStartsFaded(const FadeInputs& in);

} // namespace zrv::shadow
