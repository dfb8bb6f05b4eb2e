// Rebuilding both graded shadows of a full-screen window: the shipped
// rendering against the literal per-pixel one, same inputs, same run. Prints
// the times and the speed-up after the usual benchmark table, and checks the
// two give the same pixels.
#include "hooklib/shadow_geometry.h"
#include "hooklib/shadow_image.h"

#include "tests/hooklib/shadow_reference.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace zrv::shadow;
namespace ref = zt::shadowref;

struct Case {
    std::string name;
    int extent;
    bool elliptic;
};

struct Prepared {
    Rect place[2];
    Region shape[2];
};

Prepared prepare(const Case& c) {
    const Rect owner{0, 0, 1920, 1080};
    const Region g = c.elliptic ? ref::ellipse(1920, 1080) : Region::fromRect({0, 0, 1920, 1080});
    const ShadowParams p{c.extent, c.extent};
    Prepared out;
    const Side sides[2] = {Side::Right, Side::Bottom};
    for (int i = 0; i < 2; ++i) {
        out.place[i] = placement(sides[i], owner, p, true);
        out.shape[i] = shape(sides[i], owner, p, &g);
    }
    return out;
}

// Both write into a picture that already exists, as the library writes into
// the bitmap it is given.
void shipped(const Prepared& pr, int i, std::vector<std::uint32_t>& px) {
    const Side side = i == 0 ? Side::Right : Side::Bottom;
    renderShadow(side, Shade::GradedAlpha, pr.place[i].width(), pr.place[i].height(),
                 &pr.shape[i], px.data());
}

void literal(const Prepared& pr, int i, std::vector<std::uint32_t>& px) {
    const Side side = i == 0 ? Side::Right : Side::Bottom;
    ref::renderInto(side, Shade::GradedAlpha, pr.place[i].width(), pr.place[i].height(),
                    &pr.shape[i], px.data());
}

std::vector<std::uint32_t> picture(const Prepared& pr, int i) {
    return std::vector<std::uint32_t>(std::size_t(pr.place[i].width()) * pr.place[i].height());
}

bool sameResult(const Prepared& pr) {
    for (int i = 0; i < 2; ++i) {
        auto a = picture(pr, i), b = picture(pr, i);
        shipped(pr, i, a);
        literal(pr, i, b);
        if (a != b)
            return false;
    }
    return true;
}

void runBoth(benchmark::State& st, const Prepared& pr, bool useShipped) {
    std::vector<std::uint32_t> px[2] = {picture(pr, 0), picture(pr, 1)};
    for (auto _ : st)
        for (int i = 0; i < 2; ++i) {
            if (useShipped)
                shipped(pr, i, px[i]);
            else
                literal(pr, i, px[i]);
            benchmark::DoNotOptimize(px[i].data());
            benchmark::ClobberMemory();
        }
}

// Keeps every run's time per iteration for the summary.
class Collector : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> ms;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            ms[r.benchmark_name()] = r.GetAdjustedRealTime() /
                                     (r.time_unit == benchmark::kMillisecond ? 1.0 : 1e6);
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char** argv) {
    const std::vector<Case> cases = {
        {"extent8/rectangle", 8, false},
        {"extent8/ellipse", 8, true},
        {"extent25/rectangle", 25, false},
        {"extent25/ellipse", 25, true},
    };
    std::map<std::string, Prepared> prepared;
    std::map<std::string, bool> identical;
    for (const Case& c : cases) {
        prepared[c.name] = prepare(c);
        const Prepared& pr = prepared[c.name];
        identical[c.name] = sameResult(pr);
        benchmark::RegisterBenchmark(("shipped/" + c.name).c_str(), [&pr](benchmark::State& st) {
            runBoth(st, pr, true);
        })->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("literal/" + c.name).c_str(), [&pr](benchmark::State& st) {
            runBoth(st, pr, false);
        })->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    Collector reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\nBoth graded shadows of a 1920x1080 window, one rebuild:\n");
    std::printf("%-22s %12s %12s %9s  %s\n", "case", "shipped ms", "literal ms", "speed-up",
                "pixels");
    bool allIdentical = true;
    for (const Case& c : cases) {
        const double s = reporter.ms["shipped/" + c.name], l = reporter.ms["literal/" + c.name];
        allIdentical = allIdentical && identical[c.name];
        std::printf("%-22s %12.3f %12.3f %8.1fx  %s\n", c.name.c_str(), s, l, s > 0 ? l / s : 0.0,
                    identical[c.name] ? "identical" : "DIFFERENT");
    }
    benchmark::Shutdown();
    return allIdentical ? 0 : 1;
}
