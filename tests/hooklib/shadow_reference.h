// A slow, literal rendering of the shadow pictures, one pixel at a time: 36
// samples a pixel and a point-in-region test a pixel, each rule written out
// as the shading is defined. The oracle for the shipped rendering, in the
// tests and in the benchmark.
#pragma once

#include "hooklib/shadow_image.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace zt::shadowref {

using zrv::shadow::Rect;
using zrv::shadow::Region;
using zrv::shadow::Shade;
using zrv::shadow::Side;

// Point in region the way the platform tests it: the bounding box first,
// then every rectangle in turn.
class RectList {
public:
    explicit RectList(const Region* r) {
        if (r) {
            const auto rs = r->rects();
            rects_.assign(rs.begin(), rs.end());
            box_ = r->bounds();
            has_ = true;
        }
    }
    bool has() const { return has_; }
    bool contains(std::int32_t x, std::int32_t y) const {
        if (!has_ || x < box_.left || x >= box_.right || y < box_.top || y >= box_.bottom)
            return false;
        for (const Rect& r : rects_)
            if (x >= r.left && x < r.right && y >= r.top && y < r.bottom)
                return true;
        return false;
    }

private:
    std::vector<Rect> rects_;
    Rect box_;
    bool has_ = false;
};

inline void renderInto(Side side, Shade shade, std::int32_t w, std::int32_t h,
                       const Region* shape, std::uint32_t* out) {
    if (w <= 0 || h <= 0)
        return;
    const RectList region(shape);
    const int O = 10;
    // The mask: all white, black in the overlap and inside the region.
    std::vector<int> mask(static_cast<std::size_t>(w) * h, 255);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if ((side == Side::Right && x < O) || (side == Side::Bottom && y < O))
                mask[y * w + x] = 0;
            if (region.contains(x, y))
                mask[y * w + x] = 0;
        }
    auto value = [&](int X, int Y) {
        if (side == Side::Right) {
            if (X >= w - 1 && Y >= h - 1) return 255;
            if (X <= 0) return 0;
            if (Y >= h - 1) return 0;
            if (X >= w - 1) return 255;
            if (Y <= 0) return 255;
            return mask[Y * w + X];
        }
        if (Y > 0 && 0 <= X && X < w - 1 && Y <= h - 1) return mask[Y * w + X];
        if (Y > 0) return 255;
        if (Y <= 0 && X >= w - 1) return 255;
        return 0;
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint32_t pixel = 0;
            if (shade == Shade::Uniform) {
                if (region.contains(x, y))
                    pixel = zrv::shadow::kUniformPixel;
            } else if (region.contains(x, y)) {
                int sum = 0;
                for (int Y = y - 6; Y <= y + 4; Y += 2)
                    for (int X = x - 6; X <= x + 4; X += 2)
                        sum += value(X, Y);
                // In double precision whatever the compiler would keep.
                const volatile double scaled = sum * 0.025;
                if (shade == Shade::GradedAlpha) {
                    const int alpha = 2 * std::max(0, static_cast<int>(100 - scaled));
                    pixel = static_cast<std::uint32_t>(alpha) << 24;
                } else {
                    const int g = 90 - std::max(0, static_cast<int>(90 - scaled));
                    pixel = static_cast<std::uint32_t>(g) * 0x010101u;
                }
            }
            out[static_cast<std::size_t>(y) * w + x] = pixel;
        }
}

inline std::vector<std::uint32_t> render(Side side, Shade shade, std::int32_t w, std::int32_t h,
                                         const Region* shape) {
    std::vector<std::uint32_t> out(static_cast<std::size_t>(std::max(0, w)) *
                                   static_cast<std::size_t>(std::max(0, h)));
    renderInto(side, shade, w, h, shape, out.data());
    return out;
}

// Window outlines for the tests: one rectangle per row of an ellipse, and a
// rectangle with rounded corners, both in the window's own coordinates.
inline Region ellipse(std::int32_t w, std::int32_t h) {
    std::vector<Rect> rows;
    const double a = w / 2.0, b = h / 2.0;
    for (int y = 0; y < h; ++y) {
        const double dy = (y + 0.5 - b) / b;
        const double half = a * std::sqrt(std::max(0.0, 1 - dy * dy));
        const int left = static_cast<int>(std::lround(a - half));
        const int right = static_cast<int>(std::lround(a + half));
        rows.push_back({left, y, right, y + 1});
    }
    return Region::fromRects(rows);
}

inline Region roundedRect(std::int32_t w, std::int32_t h, std::int32_t radius) {
    std::vector<Rect> rows;
    for (int y = 0; y < h; ++y) {
        int inset = 0;
        const int d = y < radius ? radius - y : (y >= h - radius ? y - (h - radius) + 1 : 0);
        if (d > 0) {
            const double dy = d - 0.5;
            inset = radius - static_cast<int>(std::lround(
                                 std::sqrt(std::max(0.0, double(radius) * radius - dy * dy))));
        }
        rows.push_back({inset, y, w - inset, y + 1});
    }
    return Region::fromRects(rows);
}

} // namespace zt::shadowref
