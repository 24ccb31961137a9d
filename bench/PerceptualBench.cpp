// The perceptual wheel's disc and pointer against the floor of a plain per-pixel matrix pass.
//   build/bin/bench_perceptual
// BM_MatrixPassFloor sends every pixel of the wheel surface (260 x 260) through one 3 x 3
// matrix in double precision and packs the result as an 8-bit pixel: the least any colour
// conversion of the surface costs. BM_DiscRedraw redraws the disc at a new lightness each
// time (goal: under 8 ms, and within 4 times the floor): hue tables, every pixel converted
// and gamut-mapped, the gamut line. BM_PointerColour is the exact colour of one pointer
// position (goal: well under 0.1 ms). The design system's ramps and twins are timed as the
// Tonal Ramps window computes them, in bench_ramps.

#include "BenchSupport.h"

#include "core/PerceptualWheel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr int kSide = core::kWheelSurfaceSize;

void BM_MatrixPassFloor(benchmark::State& state) {
    const size_t n = size_t(kSide) * kSide;
    std::vector<double> in(3 * n);
    for (size_t i = 0; i < in.size(); ++i)
        in[i] = double(i % 255) / 255.0;
    std::vector<uint32_t> out(n);
    double m[9] = {0.41, 0.36, 0.18, 0.21, 0.72, 0.07, 0.02, 0.12, 0.95};
    for (auto _ : state) {
        for (size_t i = 0; i < n; ++i) {
            const double* v = &in[3 * i];
            auto byte = [](double x) {
                return uint32_t(std::lround(std::clamp(x, 0.0, 1.0) * 255.0));
            };
            const double r = m[0] * v[0] + m[1] * v[1] + m[2] * v[2];
            const double g = m[3] * v[0] + m[4] * v[1] + m[5] * v[2];
            const double b = m[6] * v[0] + m[7] * v[1] + m[8] * v[2];
            out[i] = 0xFF000000u | byte(r) << 16 | byte(g) << 8 | byte(b);
        }
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
        m[0] += 1e-9;
    }
    state.counters["pixels"] = double(n);
}

void BM_DiscRedraw(benchmark::State& state) {
    core::PerceptualDisc disc;
    int step = 0;
    for (auto _ : state) {
        // a new lightness every time, as the slider moves
        const double L = 0.2 + 0.001 * (step++ % 700);
        benchmark::DoNotOptimize(disc.draw(L).data());
    }
    state.counters["exact"] = disc.exactlyMappedPixels();
}

void BM_PointerColour(benchmark::State& state) {
    int step = 0;
    for (auto _ : state) {
        const auto x = float(20 + (step * 7) % 220), y = float(20 + (step * 13) % 220);
        ++step;
        benchmark::DoNotOptimize(core::perceptualColorAt(x, y, 0.65));
    }
}

BENCHMARK(BM_MatrixPassFloor)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DiscRedraw)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_PointerColour);

} // namespace

int main(int argc, char** argv) {
    return bench::runBenchmarks(argc, argv, nullptr);
}
