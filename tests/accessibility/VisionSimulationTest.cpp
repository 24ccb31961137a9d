#include "accessibility/VisionSimulation.h"

#include <gtest/gtest.h>

#include <vector>

using namespace accessibility;

namespace {

constexpr Simulation kAll[] = {Simulation::Protanopia, Simulation::Deuteranopia,
                               Simulation::Tritanopia, Simulation::Achromatopsia};

} // namespace

TEST(VisionSimulation, PrimariesFollowTheMatrices) {
    // each primary's linear result is one matrix column, clamped and encoded
    const struct {
        Simulation simulation;
        Rgb24 red;
        Rgb24 green;
        Rgb24 blue;
    } cases[] = {
        {Simulation::Protanopia, rgb24(109, 95, 0), rgb24(255, 229, 0), rgb24(0, 89, 255)},
        {Simulation::Deuteranopia, rgb24(163, 144, 0), rgb24(239, 214, 58), rgb24(0, 61, 251)},
        {Simulation::Tritanopia, rgb24(255, 0, 15), rgb24(0, 247, 217), rgb24(0, 107, 150)},
        {Simulation::Achromatopsia, rgb24(127, 127, 127), rgb24(220, 220, 220), rgb24(76, 76, 76)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(simulationName(c.simulation));
        EXPECT_EQ(simulate(c.simulation, 0xFF0000), c.red);
        EXPECT_EQ(simulate(c.simulation, 0x00FF00), c.green);
        EXPECT_EQ(simulate(c.simulation, 0x0000FF), c.blue);
    }
}

TEST(VisionSimulation, GreysStayTheSameGrey) {
    for (Simulation s : kAll)
        for (int v = 0; v < 256; ++v)
            ASSERT_EQ(simulate(s, rgb24(v, v, v)), rgb24(v, v, v)) << simulationName(s) << v;
}

TEST(VisionSimulation, TablePathEqualsTheExactFormula) {
    std::vector<uint32_t> colours;
    auto add = [&colours](int r, int g, int b) { colours.push_back(0xFF000000u | rgb24(r, g, b)); };
    for (int r = 0; r < 256; r += 7)
        for (int g = 0; g < 256; g += 7)
            for (int b = 0; b < 256; b += 7)
                add(r, g, b);
    for (int v = 0; v < 256; ++v) {
        add(v, v, v);
        add(v, 0, 0);
        add(0, v, 0);
        add(0, 0, v);
        add(255, v, 255 - v);
    }
    std::vector<uint32_t> seen(colours.size());
    for (Simulation s : kAll) {
        simulatePixels(s, colours.data(), seen.data(), colours.size());
        for (size_t i = 0; i < colours.size(); ++i)
            ASSERT_EQ(seen[i], 0xFF000000u | simulate(s, colours[i] & 0xFFFFFF))
                << simulationName(s) << " " << std::hex << colours[i];
    }
}

TEST(VisionSimulation, EncodingRoundsAndClamps) {
    const std::pair<double, int> cases[] = {{-0.5, 0},       {0.0, 0},      {1.0, 255}, {7.0, 255},
                                            {0.0031308, 10}, {0.2140, 127}, {0.5, 188}};
    for (const auto& [linear, code] : cases)
        EXPECT_EQ(encodeLinear(linear), code) << linear;
    for (int v = 0; v < 256; ++v)
        EXPECT_EQ(encodeLinear(srgbToLinear(v)), v);
}
