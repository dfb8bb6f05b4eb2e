// The menu mix written out literally, one pixel and one channel at a time,
// with the floor taken on a real quotient. The oracle for the shipped mix, in
// the tests and in the benchmark.
#pragma once

#include <cmath>
#include <cstdint>

namespace zt::menuref {

inline int channel(std::uint32_t px, int c) {
    return static_cast<int>((px >> (8 * c)) & 0xFF);
}

inline int mix(int x, int p, int t) {
    return x + static_cast<int>(std::floor(static_cast<double>(t) * (p - x) / 256.0));
}

inline void blend(std::uint32_t* d, const std::uint32_t* p, int w, int h, int mode, int t,
                  int size) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint32_t& dp = d[y * w + x];
            const std::uint32_t pp = p[y * w + x];
            if (channel(pp, 2) == 255 && channel(pp, 1) == 0 && channel(pp, 0) == 255)
                continue;
            const bool shade = mode == 20 && (x >= w - size || y >= h - size);
            std::uint32_t out = dp & 0xFF000000u;
            for (int c = 0; c < 3; ++c) {
                int v = channel(dp, c);
                const int b = channel(pp, c);
                if (shade)
                    v = static_cast<int>(std::floor(static_cast<double>(v) * b / 256.0));
                out |= static_cast<std::uint32_t>(mix(v, b, t)) << (8 * c);
            }
            dp = out;
        }
}

} // namespace zt::menuref
