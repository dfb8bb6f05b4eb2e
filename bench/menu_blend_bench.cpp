// Mixing a 400 by 600 menu with its background, modes 0 and 20: the shipped
// mix against the literal per-pixel, per-channel one, in the same run and on
// the same pictures. Prints both times and the speed-up (goal: 8 times), and
// fails when the two pictures differ in any bit.
#include "hooklib/menu_image.h"

#include "tests/hooklib/menu_reference.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

namespace {

constexpr int kWidth = 400, kHeight = 600, kShadow = 5, kWeight = 35;
constexpr double kGoal = 8.0;

using Clock = std::chrono::steady_clock;

template <typename F> double bestMicros(int rounds, F&& f) {
    double best = 1e30;
    for (int i = 0; i < rounds; ++i) {
        const auto start = Clock::now();
        f();
        const double us = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
        best = std::min(best, us);
    }
    return best;
}

} // namespace

int main() {
    std::mt19937 rng(42);
    std::vector<std::uint32_t> menuImage(kWidth * kHeight), photo(menuImage.size());
    for (std::size_t i = 0; i < menuImage.size(); ++i) {
        menuImage[i] = rng() & 0x00FFFFFF;
        photo[i] = rng() % 50 == 0 ? 0x00FF00FFu : (rng() & 0x00FFFFFF);
    }
    bool allSame = true;
    for (int mode : {zrv::menu::kBlendPlain, zrv::menu::kBlendShadowed}) {
        std::vector<std::uint32_t> shipped, literal;
        const double fast = bestMicros(40, [&] {
            shipped = menuImage;
            zrv::menu::BlendMenuImage(shipped.data(), photo.data(), kWidth, kHeight, mode, kWeight,
                                      kShadow);
        });
        const double slow = bestMicros(8, [&] {
            literal = menuImage;
            zt::menuref::blend(literal.data(), photo.data(), kWidth, kHeight, mode, kWeight,
                               kShadow);
        });
        const bool same = shipped == literal;
        const double speedUp = slow / fast;
        allSame = allSame && same;
        std::printf("BlendMenuImage %dx%d mode %2d: shipped %8.1f us, literal %9.1f us, "
                    "%.1fx (goal %.0fx) %s, pictures %s\n",
                    kWidth, kHeight, mode, fast, slow, speedUp, kGoal,
                    speedUp >= kGoal ? "met" : "MISSED", same ? "identical" : "DIFFER");
    }
    return allSame ? 0 : 1;
}
