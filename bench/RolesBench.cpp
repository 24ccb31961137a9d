// The colour roles of a scheme, as the windows that show them recompute them on each scheme
// change: three ramps and the neutral, then every role of both themes chosen by contrast.
//   build/bin/bench_roles
// BM_DeriveRoles alternates two schemes of 8-bit colours (/0) and of colours beyond sRGB held
// exactly (/1), so every call makes new ramps; it is part of a tracked move once a window
// showing the roles is open, whose goal is one display frame: keep this well under 1 ms.
#include "colorscience/ColorRoles.h"

#include <benchmark/benchmark.h>

namespace {

void BM_DeriveRoles(benchmark::State& state) {
    using core::Oklch;
    const bool wide = state.range(0) != 0;
    const std::vector<core::ColorRGB> colors[2] = {
        {core::ColorRGB{204, 51, 51}, {0, 102, 51}, {51, 102, 204}},
        {core::ColorRGB{250, 240, 10}, {90, 0, 90}, {0, 200, 200}}};
    const std::vector<std::optional<Oklch>> exact[2] = {
        {Oklch{0.65, 0.3, 145}, Oklch{0.6486, 0.2995, 28.96}, Oklch{0.58, 0.25, 264}},
        {Oklch{0.7, 0.28, 330}, Oklch{0.55, 0.27, 20}, Oklch{0.8, 0.25, 120}}};
    size_t i = 0;
    for (auto _ : state) {
        const size_t k = i++ % 2;
        benchmark::DoNotOptimize(colorscience::deriveRoles(
            colors[k], wide ? exact[k] : std::vector<std::optional<Oklch>>{}));
    }
}

} // namespace

BENCHMARK(BM_DeriveRoles)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
