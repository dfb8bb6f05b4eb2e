#include "hooklib/shadow_image.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

namespace zrv::shadow {
namespace {

using Bytes = std::unique_ptr<std::uint8_t[]>;

Bytes allocate(std::int64_t n) {
    return Bytes(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(n)]);
}

constexpr int kSamples = kSamplesPerSide * kSamplesPerSide;

struct Levels {
    std::uint8_t alpha[kSamples + 1];
    std::uint8_t grey[kSamples + 1];
};

// The shade is a function of how many samples are white: alpha is
// 2 * max(0, trunc(100 - sum * 0.025)) and the grey level
// 90 - max(0, trunc(90 - sum * 0.025)), sum being 255 per white sample.
// sum * 0.025 is sum / 40, worked out exactly in integers: in floating point
// the result depended on the precision the compiler kept (x87 code found 96
// instead of 98 for 8 white samples).
Levels makeLevels() {
    Levels l{};
    for (int n = 0; n <= kSamples; ++n) {
        const int sum = 255 * n;
        l.alpha[n] = static_cast<std::uint8_t>(2 * std::max(0, (4000 - sum) / 40));
        l.grey[n] = static_cast<std::uint8_t>(90 - std::max(0, (3600 - sum) / 40));
    }
    return l;
}

const Levels& levels() {
    static const Levels l = makeLevels();
    return l;
}

// Marks the pixels of the picture inside `shape` with 1.
void fillInside(const Region& shape, std::int32_t w, std::int32_t h, std::uint8_t* inside) {
    std::memset(inside, 0, static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    for (const Region::Band& b : shape.bands()) {
        const std::int32_t top = std::max(b.top, 0), bottom = std::min(b.bottom, h);
        for (const Region::Span& s : shape.spans(b)) {
            const std::int32_t left = std::max(s.left, 0), right = std::min(s.right, w);
            if (left >= right)
                continue;
            for (std::int32_t y = top; y < bottom; ++y)
                std::memset(inside + static_cast<std::size_t>(y) * w + left, 1,
                            static_cast<std::size_t>(right - left));
        }
    }
}

// The sample grid: the value (1 white, 0 black) of every sample any pixel
// takes, columns -kSampleReach to w + 3 and rows -kSampleReach to h + 3.
// Inside the picture a sample reads the mask, which is black under the
// owner's edge (the overlap) and inside the shadow. Around it, and on the
// mask's own border columns and rows, fixed rules stand for the owner (black)
// and for the open desktop (white):
//
//   right shadow, first rule that holds:   bottom shadow:
//     x >= w-1 and y >= h-1: white           y > 0, 0 <= x < w-1, y <= h-1: mask
//     x <= 0: black                          y > 0: white
//     y >= h-1: black                        y <= 0 and x >= w-1: white
//     x >= w-1: white                        y <= 0: black
//     y <= 0: white
//     otherwise: mask
//
// Each grid row is therefore a run of one value, a run read from the mask (or
// of a value) and a run of another value, which is how it is filled.
struct SampleGrid {
    Side side;
    std::int32_t w, h;
    const std::uint8_t* inside;
    static constexpr std::int32_t lo = -kSampleReach;
    std::int32_t hi() const { return w + (kSamplesPerSide - 1) * kShadeStep - kSampleReach; }

    void fill(std::uint8_t* row, std::int64_t from, std::int64_t to, std::uint8_t v) const {
        from = std::max<std::int64_t>(from, lo);
        to = std::min<std::int64_t>(to, hi());
        if (from < to)
            std::memset(row + (from - lo), v, static_cast<std::size_t>(to - from));
    }
    // Mask columns [from, to) of row y, all inside the picture.
    void fillMask(std::uint8_t* row, std::int32_t y, std::int32_t from, std::int32_t to) const {
        const std::uint8_t* in = inside + static_cast<std::size_t>(y) * w;
        std::int32_t x = from;
        if (side == Side::Right || y < ShadowParams::kOverlap) {
            const std::int32_t end = side == Side::Right ? std::min(to, ShadowParams::kOverlap) : to;
            fill(row, x, end, 0);
            x = std::max(x, end);
        }
        for (; x < to; ++x)
            row[x - lo] = static_cast<std::uint8_t>(in[x] ^ 1);
    }
    void fillRow(std::int32_t y, std::uint8_t* row) const {
        const std::int64_t last = std::int64_t{w} - 1, end = hi();
        if (side == Side::Right) {
            if (y >= h - 1) {
                fill(row, lo, last, 0);
                fill(row, last, end, 1);
            } else if (y <= 0) {
                fill(row, lo, 1, 0);
                fill(row, 1, end, 1);
            } else {
                fill(row, lo, 1, 0);
                if (last > 1)
                    fillMask(row, y, 1, static_cast<std::int32_t>(last));
                fill(row, std::max<std::int64_t>(1, last), end, 1);
            }
            return;
        }
        if (y > 0 && y <= h - 1) {
            fill(row, lo, 0, 1);
            if (last > 0)
                fillMask(row, y, 0, static_cast<std::int32_t>(last));
            fill(row, std::max<std::int64_t>(0, last), end, 1);
        } else if (y > 0) {
            fill(row, lo, end, 1);
        } else {
            fill(row, lo, last, 0);
            fill(row, last, end, 1);
        }
    }
};

// Every pixel's colour from the number of its white samples, through two
// passes of strided sums over the sample grid: first the 6 samples of each
// grid row that a pixel column takes, then 6 of those rows.
bool shadePixels(const SampleGrid& grid, const std::uint32_t (&colour)[kSamples + 1],
           std::uint32_t* pixels, std::int64_t stride) {
    const std::int32_t w = grid.w, h = grid.h;
    const std::int32_t span = (kSamplesPerSide - 1) * kShadeStep; // 10
    const std::int64_t gw = std::int64_t{w} + span, gh = std::int64_t{h} + span;
    Bytes cells = allocate(gw * gh);
    Bytes rows = allocate(std::int64_t{w} * gh);
    if (!cells || !rows)
        return false; // before any pixel is written
    for (std::int64_t gy = 0; gy < gh; ++gy)
        grid.fillRow(static_cast<std::int32_t>(gy + SampleGrid::lo), cells.get() + gy * gw);
    for (std::int64_t gy = 0; gy < gh; ++gy) {
        const std::uint8_t* g = cells.get() + gy * gw;
        std::uint8_t* r = rows.get() + gy * w;
        for (std::int32_t x = 0; x < w; ++x)
            r[x] = static_cast<std::uint8_t>(g[x] + g[x + 2] + g[x + 4] + g[x + 6] + g[x + 8] +
                                             g[x + 10]);
    }
    // Colours by count, and zero for every index with bit 6 set: a pixel
    // outside the shape looks up 64 + its count.
    std::uint32_t lookup[128] = {};
    for (int c = 0; c <= kSamples; ++c)
        lookup[c] = colour[c];
    Bytes counts = allocate(w);
    if (!counts)
        return false;
    const std::int64_t k = 2 * std::int64_t{w};
    for (std::int32_t y = 0; y < h; ++y) {
        const std::uint8_t* r = rows.get() + static_cast<std::int64_t>(y) * w;
        const std::uint8_t* in = grid.inside + static_cast<std::int64_t>(y) * w;
        std::uint8_t* c = counts.get();
        for (std::int32_t x = 0; x < w; ++x)
            c[x] = static_cast<std::uint8_t>((r[x] + r[x + k] + r[x + 2 * k] + r[x + 3 * k] +
                                              r[x + 4 * k] + r[x + 5 * k]) |
                                             ((in[x] ^ 1) << 6));
        std::uint32_t* out = pixels + y * stride;
        for (std::int32_t x = 0; x < w; ++x)
            out[x] = lookup[c[x]];
    }
    return true;
}

} // namespace

std::uint8_t gradedAlpha(int whiteSamples) {
    return levels().alpha[std::clamp(whiteSamples, 0, kSamples)];
}

std::uint8_t greyLevel(int whiteSamples) {
    return levels().grey[std::clamp(whiteSamples, 0, kSamples)];
}

bool renderShadow(Side side, Shade shade, std::int32_t w, std::int32_t h, const Region* shape,
                  std::uint32_t* pixels) {
    return renderShadow(side, shade, w, h, shape, pixels, w);
}

bool renderShadow(Side side, Shade shade, std::int32_t w, std::int32_t h, const Region* shape,
                  std::uint32_t* pixels, std::int32_t stride) {
    if (w <= 0 || h <= 0)
        return true;
    const std::int64_t n = std::int64_t{w} * h;
    if (n > kMaxShadowPixels || !pixels || stride < w || (shape && !shape->ok()))
        return false;
    const auto row = [&](std::int32_t y) { return pixels + std::int64_t{y} * stride; };
    if (!shape || shape->empty()) {
        for (std::int32_t y = 0; y < h; ++y)
            std::memset(row(y), 0, static_cast<std::size_t>(w) * sizeof *pixels);
        return true;
    }
    Bytes inside = allocate(n);
    if (!inside)
        return false;
    fillInside(*shape, w, h, inside.get());
    if (shade == Shade::Uniform) {
        for (std::int32_t y = 0; y < h; ++y) {
            const std::uint8_t* in = inside.get() + std::int64_t{y} * w;
            std::uint32_t* out = row(y);
            for (std::int32_t x = 0; x < w; ++x)
                out[x] = in[x] ? kUniformPixel : 0u;
        }
        return true;
    }
    const Levels& l = levels();
    std::uint32_t colour[kSamples + 1];
    for (int c = 0; c <= kSamples; ++c)
        colour[c] = shade == Shade::GradedAlpha ? std::uint32_t{l.alpha[c]} << 24
                                                : std::uint32_t{l.grey[c]} * 0x010101u;
    return shadePixels(SampleGrid{side, w, h, inside.get()}, colour, pixels, stride);
}

} // namespace zrv::shadow
