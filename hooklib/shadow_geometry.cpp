#include "hooklib/shadow_geometry.h"

#include "hooklib/appearance.h"

#include <algorithm>
#include <limits>

namespace zrv::shadow {
namespace {

using Span = Region::Span;
using i64 = std::int64_t;

std::int32_t clamp32(i64 v) {
    constexpr i64 lo = std::numeric_limits<std::int32_t>::min();
    constexpr i64 hi = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::min(hi, std::max(lo, v)));
}

// Left, top, width, height; widths and heights that come out negative for
// windows smaller than the shadow leave an empty rectangle at that corner.
Rect ltwh(i64 left, i64 top, i64 width, i64 height) {
    Rect r;
    r.left = clamp32(left);
    r.top = clamp32(top);
    r.right = clamp32(left + std::max<i64>(0, width));
    r.bottom = clamp32(top + std::max<i64>(0, height));
    return r;
}

using Spans = TryVector<Span>;
using Edges = TryVector<std::int32_t>;

// Sorts and merges overlapping or touching spans; drops empty ones.
void normalise(Spans& spans) {
    Span* end = std::remove_if(spans.begin(), spans.end(),
                               [](const Span& s) { return s.right <= s.left; });
    spans.truncate(static_cast<std::size_t>(end - spans.begin()));
    std::sort(spans.begin(), spans.end(),
              [](const Span& a, const Span& b) { return a.left < b.left; });
    std::size_t out = 0;
    for (std::size_t i = 0; i < spans.size(); ++i) {
        if (out > 0 && spans[i].left <= spans[out - 1].right)
            spans[out - 1].right = std::max(spans[out - 1].right, spans[i].right);
        else
            spans[out++] = spans[i];
    }
    spans.truncate(out);
}

// Spans of `a` with the spans of `b` taken out, into `out`; both sorted and
// disjoint.
void subtractSpans(Region::SpanRange a, Region::SpanRange b, Spans& out) {
    out.clear();
    std::size_t j = 0;
    for (Span s : a) {
        while (j < b.size() && b[j].right <= s.left)
            ++j;
        std::int32_t left = s.left;
        for (std::size_t k = j; k < b.size() && b[k].left < s.right; ++k) {
            if (b[k].left > left)
                out.push_back({left, b[k].left});
            left = std::max(left, b[k].right);
        }
        if (left < s.right)
            out.push_back({left, s.right});
    }
}

// The band holding row y, or none; `hint` walks forward as the rows asked
// for increase.
const Region::Band* bandAt(const TryVector<Region::Band>& bands, std::int32_t y,
                           std::size_t& hint) {
    while (hint < bands.size() && bands[hint].bottom <= y)
        ++hint;
    if (hint < bands.size() && bands[hint].top <= y)
        return &bands[hint];
    return nullptr;
}

void addEdges(const TryVector<Region::Band>& bands, Edges& edges) {
    for (const auto& b : bands) {
        edges.push_back(b.top);
        edges.push_back(b.bottom);
    }
}

void sortUnique(Edges& v) {
    std::sort(v.begin(), v.end());
    v.truncate(static_cast<std::size_t>(std::unique(v.begin(), v.end()) - v.begin()));
}

} // namespace

void Region::appendBand(std::int32_t top, std::int32_t bottom, const Span* spans,
                        std::size_t n) {
    if (n == 0 || bottom <= top)
        return;
    if (!bands_.empty()) {
        Band& last = bands_.back();
        if (last.bottom == top && last.count == n &&
            std::equal(spans, spans + n, spans_.data() + last.first)) {
            last.bottom = bottom;
            return;
        }
    }
    const std::size_t first = spans_.size();
    if (spans_.append(spans, n))
        bands_.push_back({top, bottom, first, n});
}

Region Region::fromRect(const Rect& r) { return fromRects(&r, 1); }

Region Region::fromRects(const Rect* rects, std::size_t count) {
    Region out;
    Edges edges;
    for (std::size_t i = 0; i < count; ++i) {
        if (rects[i].empty())
            continue;
        edges.push_back(rects[i].top);
        edges.push_back(rects[i].bottom);
    }
    sortUnique(edges);
    Spans spans;
    for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
        const std::int32_t top = edges[i], bottom = edges[i + 1];
        spans.clear();
        for (std::size_t k = 0; k < count; ++k) {
            const Rect& r = rects[k];
            if (!r.empty() && r.top <= top && r.bottom >= bottom)
                spans.push_back({r.left, r.right});
        }
        normalise(spans);
        out.appendBand(top, bottom, spans.data(), spans.size());
    }
    out.failed_ = edges.failed() || spans.failed();
    return out;
}

TryVector<Rect> Region::rects() const {
    TryVector<Rect> out;
    if (!out.reserve(spans_.size()))
        return out;
    for (const Band& b : bands_)
        for (const Span& s : spans(b))
            out.push_back({s.left, b.top, s.right, b.bottom});
    return out;
}

Rect Region::bounds() const {
    if (bands_.empty())
        return {};
    Rect r{std::numeric_limits<std::int32_t>::max(), bands_.front().top,
           std::numeric_limits<std::int32_t>::min(), bands_.back().bottom};
    for (const Band& b : bands_) {
        const SpanRange row = spans(b);
        r.left = std::min(r.left, row[0].left);
        r.right = std::max(r.right, row[row.size() - 1].right);
    }
    return r;
}

Region Region::offset(std::int32_t dx, std::int32_t dy) const {
    Region out = *this;
    for (Band& b : out.bands_) {
        b.top = clamp32(i64{b.top} + dy);
        b.bottom = clamp32(i64{b.bottom} + dy);
    }
    for (Span& s : out.spans_) {
        s.left = clamp32(i64{s.left} + dx);
        s.right = clamp32(i64{s.right} + dx);
    }
    return out;
}

Region Region::minus(const Region& other) const {
    Region out;
    if (!ok() || !other.ok()) {
        out.failed_ = true;
        return out;
    }
    Edges edges;
    addEdges(bands_, edges);
    addEdges(other.bands_, edges);
    sortUnique(edges);
    std::size_t hintA = 0, hintB = 0;
    Spans row;
    for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
        const Band* a = bandAt(bands_, edges[i], hintA);
        if (!a)
            continue;
        const Band* b = bandAt(other.bands_, edges[i], hintB);
        subtractSpans(spans(*a), b ? other.spans(*b) : SpanRange{nullptr, nullptr}, row);
        out.appendBand(edges[i], edges[i + 1], row.data(), row.size());
    }
    out.failed_ = edges.failed() || row.failed();
    return out;
}

bool operator==(const Region& a, const Region& b) {
    if (a.bands_.size() != b.bands_.size() || a.spans_.size() != b.spans_.size())
        return false;
    for (std::size_t i = 0; i < a.bands_.size(); ++i) {
        const auto &x = a.bands_[i], &y = b.bands_[i];
        if (x.top != y.top || x.bottom != y.bottom || x.count != y.count)
            return false;
    }
    return std::equal(a.spans_.begin(), a.spans_.end(), b.spans_.begin());
}

Rect placement(Side side, const Rect& w, const ShadowParams& p, bool ownerHasRegion) {
    const i64 o = ShadowParams::kOverlap, s = p.extent, f = p.offset;
    if (side == Side::Right) {
        const i64 h = ownerHasRegion ? 1 : 0;
        return ltwh(i64{w.right} - o, i64{w.top} + f, o + s,
                    i64{w.bottom} - w.top - f - h * o);
    }
    return ltwh(i64{w.left} + f, i64{w.bottom} - o, i64{w.right} + s - w.left - f, o + s);
}

Rect creationRect(Side side, const Rect& w, const ShadowParams& p) {
    if (side == Side::Right)
        return placement(side, w, p, false);
    const i64 o = ShadowParams::kOverlap, s = p.extent;
    return ltwh(i64{w.left} + s, i64{w.bottom} - o, i64{w.right} - w.left - s, o + s);
}

Region shape(Side side, const Rect& w, const ShadowParams& p, const Region* ownerRegion) {
    const i64 o = ShadowParams::kOverlap, s = p.extent, f = p.offset;
    const i64 width = i64{w.right} - w.left, height = i64{w.bottom} - w.top;
    if (!ownerRegion) {
        if (side == Side::Right)
            return Region::fromRect({clamp32(o), 0, clamp32(o + s), clamp32(height)});
        return Region::fromRect({0, clamp32(o), clamp32(width), clamp32(o + s)});
    }
    const Region& g = *ownerRegion;
    if (side == Side::Right)
        return g.offset(clamp32(-width + o + s), 0).minus(g.offset(clamp32(-width + o),
                                                                   clamp32(-f)));
    return g.offset(0, clamp32(-height + o + s)).minus(g.offset(clamp32(-f),
                                                                clamp32(-height + o)));
}

bool shadowsHidden(bool ownerVisible, std::uint32_t flags) {
    bool hide = !ownerVisible;
    if (flags & kSwpHideWindow)
        hide = true;
    if (flags & kSwpShowWindow)
        hide = false;
    return hide;
}

std::uint8_t realShadowOpacity(std::int32_t shadowOpacity, bool hasAlp, std::uint32_t alp) {
    // Only the low 8 bits of a configured opacity count; scaling that keeps
    // the result in range whatever the property holds.
    const std::uint32_t a = static_cast<std::uint32_t>(shadowOpacity) & 0xFFu;
    if (!hasAlp || alp == 0)
        return static_cast<std::uint8_t>(a);
    return static_cast<std::uint8_t>(std::min<std::uint32_t>(alp, 255u) * a / 255u);
}

std::uint8_t opaqueShadowOpacity(std::uint32_t alp) {
    return static_cast<std::uint8_t>(alp > 254 ? 255 : alp);
}

bool shadowStartsFaded(const FadeInputs& in) {
    if (!in.haveSetLayeredAttributes)
        return true;
    return appearance::fadeEligible({in.smallOnly, in.nonSize, in.semiTrans}, in.width, in.height,
                                    in.style);
}

} // namespace zrv::shadow
