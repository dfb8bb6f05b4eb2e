// The menu shadow ramp and the menu mix. The mix runs once per repaint of a
// menu cover, over every pixel of the menu, so it works on whole pixels:
// x + floor(t * (p - x) / 256) is the same as ((256 - t) * x + t * p) >> 8,
// whose terms are never negative and never exceed 16 bits. Two channels then
// fit in one 32-bit multiply, or eight in one SSE2 register.
#include "hooklib/menu_image.h"

#include <cmath>

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#include <emmintrin.h>
#define ZRV_MENU_SSE2 1
#endif

namespace zrv::menu {
namespace {

// Beyond this the ramp's own loop, not the picture, would cost the time.
constexpr int kLargestShadow = 1 << 16;

// The step of the ramp before index k of a run: 160 / size, grown at each
// index j > 0 by trunc(ln(j * j * j)), the growth of j acting from j + 1 on.
// Grey arithmetic is modulo 256, so unsigned wrap-around is harmless here.
struct Ramp {
    explicit Ramp(int size) : step(static_cast<std::uint32_t>(160 / size)) {}
    void after(int k) {
        if (k > 0) {
            const double cube = static_cast<double>(k) * k * k;
            step += static_cast<std::uint32_t>(static_cast<std::int64_t>(std::log(cube)));
        }
    }
    std::uint32_t step;
};

std::uint32_t greyPixel(std::uint32_t g) {
    g &= 0xFF;
    return g | (g << 8) | (g << 16);
}

struct Picture {
    std::uint32_t* px;
    int w, h;
    // The pixels (x, y0) up to, not including, (x, y1).
    void vertical(int x, int y0, int y1, std::uint32_t c) const {
        if (x < 0 || x >= w)
            return;
        for (int y = y0 < 0 ? 0 : y0; y < y1 && y < h; ++y)
            px[static_cast<std::size_t>(y) * w + x] = c;
    }
    void horizontal(int y, int x0, int x1, std::uint32_t c) const {
        if (y < 0 || y >= h)
            return;
        std::uint32_t* row = px + static_cast<std::size_t>(y) * w;
        for (int x = x0 < 0 ? 0 : x0; x < x1 && x < w; ++x)
            row[x] = c;
    }
};

inline std::uint32_t mixPixel(std::uint32_t x, std::uint32_t p, std::uint32_t t) {
    const std::uint32_t keep = 256 - t;
    const std::uint32_t rb = (((x & 0xFF00FF) * keep + (p & 0xFF00FF) * t) >> 8) & 0xFF00FF;
    const std::uint32_t g = (((x & 0x00FF00) * keep + (p & 0x00FF00) * t) >> 8) & 0x00FF00;
    return (x & 0xFF000000) | rb | g;
}

inline std::uint32_t darkenPixel(std::uint32_t x, std::uint32_t p) {
    std::uint32_t m = x & 0xFF000000;
    for (int shift = 0; shift < 24; shift += 8)
        m |= ((((x >> shift) & 0xFF) * ((p >> shift) & 0xFF)) >> 8) << shift;
    return m;
}

inline bool unmixed(std::uint32_t p) {
    return (p & 0x00FFFFFF) == kUnmixedColour;
}

void spanScalar(std::uint32_t* d, const std::uint32_t* p, int n, std::uint32_t t, bool darken) {
    for (int i = 0; i < n; ++i) {
        if (unmixed(p[i]))
            continue;
        d[i] = mixPixel(darken ? darkenPixel(d[i], p[i]) : d[i], p[i], t);
    }
}

#ifdef ZRV_MENU_SSE2
#ifdef __i386__
// 32-bit Windows keeps the stack 4-byte aligned; SSE2 spills need 16.
#define ZRV_SSE2_FN __attribute__((target("sse2"), force_align_arg_pointer))
#else
#define ZRV_SSE2_FN
#endif

bool haveSse2() {
#ifdef __x86_64__
    return true;
#else
    unsigned a = 0, b = 0, c = 0, d = 0;
    return __get_cpuid(1, &a, &b, &c, &d) && (d & bit_SSE2) != 0;
#endif
}

ZRV_SSE2_FN void spanSse2(std::uint32_t* d, const std::uint32_t* p, int n, std::uint32_t t,
                          bool darken) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i keep = _mm_set1_epi16(static_cast<short>(256 - t));
    const __m128i weight = _mm_set1_epi16(static_cast<short>(t));
    const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
    const __m128i magenta = _mm_set1_epi32(static_cast<int>(kUnmixedColour));
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
        const __m128i q = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        __m128i xl = _mm_unpacklo_epi8(x, zero), xh = _mm_unpackhi_epi8(x, zero);
        const __m128i pl = _mm_unpacklo_epi8(q, zero), ph = _mm_unpackhi_epi8(q, zero);
        if (darken) {
            xl = _mm_srli_epi16(_mm_mullo_epi16(xl, pl), 8);
            xh = _mm_srli_epi16(_mm_mullo_epi16(xh, ph), 8);
        }
        const __m128i ml = _mm_srli_epi16(
            _mm_add_epi16(_mm_mullo_epi16(xl, keep), _mm_mullo_epi16(pl, weight)), 8);
        const __m128i mh = _mm_srli_epi16(
            _mm_add_epi16(_mm_mullo_epi16(xh, keep), _mm_mullo_epi16(ph, weight)), 8);
        const __m128i mixed = _mm_packus_epi16(ml, mh);
        // Keep the menu's own pixel where the photograph is magenta, and the
        // menu's top byte everywhere.
        const __m128i asIs = _mm_cmpeq_epi32(_mm_and_si128(q, colour), magenta);
        const __m128i take = _mm_andnot_si128(asIs, colour);
        const __m128i out = _mm_or_si128(_mm_and_si128(mixed, take), _mm_andnot_si128(take, x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), out);
    }
    spanScalar(d + i, p + i, n - i, t, darken);
}
#endif

} // namespace

int shadowGrey(int size, int k) {
    if (size < 1 || k < 0 || k >= size || size > kLargestShadow)
        return 0;
    Ramp r(size);
    for (int j = 0; j < k; ++j)
        r.after(j);
    return static_cast<int>((r.step * static_cast<std::uint32_t>(k) + 50) & 0xFF);
}

void DrawMenuShadowRamp(std::uint32_t* pixels, int width, int height, int size) {
    if (!pixels || width <= 0 || height <= 0 || size < 1 || size > kLargestShadow)
        return;
    const Picture pic{pixels, width, height};
    const int x0 = width - size, y0 = height - size;
    const std::uint32_t L = static_cast<std::uint32_t>(size);
    // Each run starts its own step.
    Ramp right(size), bottom(size), lowerLeft(size), upperRight(size);
    for (int k = 0; k < size; ++k) {
        const std::uint32_t uk = static_cast<std::uint32_t>(k);
        pic.vertical(x0 + k, size, height, greyPixel(right.step * uk + 50));
        right.after(k);
    }
    for (int k = 0; k < size; ++k) {
        const std::uint32_t uk = static_cast<std::uint32_t>(k);
        pic.horizontal(y0 + k, size, x0 + k, greyPixel(bottom.step * uk + 50));
        bottom.after(k);
    }
    for (int k = 0; k < size; ++k) {
        const std::uint32_t uk = static_cast<std::uint32_t>(k);
        pic.vertical(size + k, y0, y0 + size - k, greyPixel(lowerLeft.step * (L - uk) + 50));
        lowerLeft.after(k);
    }
    for (int k = 0; k < size; ++k) {
        const std::uint32_t uk = static_cast<std::uint32_t>(k);
        pic.horizontal(size + k, x0, x0 + size - k, greyPixel(upperRight.step * (L - uk) + 50));
        upperRight.after(k);
    }
}

bool BlendMenuImage(std::uint32_t* menuImage, const std::uint32_t* photo, int width, int height,
                    int mode, int t, int size) {
    return BlendMenuImageArea(menuImage, photo, width, height, mode, t, size,
                              Area{0, 0, width, height});
}

bool BlendMenuImageArea(std::uint32_t* menuImage, const std::uint32_t* photo, int width,
                        int height, int mode, int t, int size, Area area) {
    if (!menuImage || !photo || width <= 0 || height <= 0 || t < 0 || t > 255)
        return false;
    if (mode != kBlendPlain && mode != kBlendShadowed)
        return false;
    if (mode == kBlendPlain || size < 0)
        size = 0;
    area.left = area.left < 0 ? 0 : area.left;
    area.top = area.top < 0 ? 0 : area.top;
    area.right = area.right > width ? width : area.right;
    area.bottom = area.bottom > height ? height : area.bottom;
    if (area.left >= area.right || area.top >= area.bottom)
        return true;
    const std::uint32_t weight = static_cast<std::uint32_t>(t);
    auto span = spanScalar;
#ifdef ZRV_MENU_SSE2
    if (haveSse2())
        span = spanSse2;
#endif
    // The shadow area is the whole picture's right and bottom `size` pixels,
    // wherever the area lies.
    const int plainRows = height - (size < height ? size : height);
    const int plainCols = width - (size < width ? size : width);
    const int splitAt = plainCols < area.left ? area.left
                                              : (plainCols > area.right ? area.right : plainCols);
    for (int y = area.top; y < area.bottom; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        std::uint32_t* d = menuImage + row;
        const std::uint32_t* p = photo + row;
        if (y >= plainRows) {
            span(d + area.left, p + area.left, area.right - area.left, weight, true);
            continue;
        }
        span(d + area.left, p + area.left, splitAt - area.left, weight, false);
        span(d + splitAt, p + splitAt, area.right - splitAt, weight, true);
    }
    return true;
}

} // namespace zrv::menu
