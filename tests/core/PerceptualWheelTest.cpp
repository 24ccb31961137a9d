#include "core/PerceptualWheel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

using namespace core;

TEST(PerceptualWheel, PointerStandsForHueAndChroma) {
    struct Case {
        float x, y;
        double hue, chroma;
    };
    const Case cases[] = {
        {260, 130, 0, 0.33},  {130, 0, 90, 0.33},
        {0, 130, 180, 0.33},  {130, 260, 270, 0.33},
        {195, 130, 0, 0.165}, {130, 130, 0, 0},
        {500, 130, 0, 0.33},  {195, 195, 315, 0.33 * std::sqrt(2.0) / 2},
    };
    for (const Case& c : cases) {
        const Oklch p = perceptualPoint(c.x, c.y, 0.65);
        EXPECT_DOUBLE_EQ(p.L, 0.65);
        EXPECT_NEAR(p.h, c.hue, 1e-6) << c.x << "," << c.y;
        EXPECT_NEAR(p.C, c.chroma, 1e-6) << c.x << "," << c.y;
    }
    // derived points take their exact angle and radius, unclamped
    const Oklch d = perceptualPolar(-22.5 + 360 * 2, 156, 0.4);
    EXPECT_DOUBLE_EQ(d.h, 337.5);
    EXPECT_DOUBLE_EQ(d.C, 0.33 * 1.2);
    EXPECT_EQ(perceptualColorAt(130, 130, 0.65), mapToRgb8({0.65, 0, 0}));
}

TEST(PerceptualWheel, DiscPixelsAreTheExactColours) {
    PerceptualDisc disc;
    for (const double L : {0.05, 0.3, 0.65, 0.93}) {
        const std::vector<uint32_t>& pixels = disc.draw(L);
        const uint32_t line = 0xFF000000u | (gamutLineColor(L).r << 16) |
                              (gamutLineColor(L).g << 8) | gamutLineColor(L).b;
        int exact = 0, discPixels = 0, lines = 0;
        for (int y = 0; y < disc.size(); ++y) {
            for (int x = 0; x < disc.size(); ++x) {
                const uint32_t p =
                    pixels[static_cast<size_t>(y) * static_cast<size_t>(disc.size()) +
                           static_cast<size_t>(x)];
                const double dx = x - 130.0, dy = y - 130.0;
                if (dx * dx + dy * dy > 130.0 * 130.0) { // the wheel's background
                    ASSERT_EQ(p, 0xFFD4D0C8u) << x << "," << y << " L " << L;
                    continue;
                }
                const Oklch at = perceptualPoint(float(x), float(y), L);
                if (p == line && !inSrgbGamut(linearOf(toOklab(at)))) {
                    ++lines;
                    continue;
                }
                const ColorRGB c = perceptualColorAt(float(x), float(y), L);
                ++discPixels;
                exact += p == (0xFF000000u | (c.r << 16) | (c.g << 8) | c.b);
                ASSERT_TRUE(std::abs(int((p >> 16) & 255) - c.r) <= 1 &&
                            std::abs(int((p >> 8) & 255) - c.g) <= 1 &&
                            std::abs(int(p & 255) - c.b) <= 1)
                    << x << "," << y << " L " << L;
            }
        }
        EXPECT_GT(exact, discPixels * 95 / 100) << L;
        // the gamut line runs round the sRGB region, which is small near black
        EXPECT_GT(lines, L < 0.1 ? 20 : 200) << L;
    }
}

TEST(PerceptualWheel, GamutEdgeAndLineColour) {
    PerceptualDisc disc;
    disc.draw(0.62796);
    EXPECT_NEAR(disc.maxChroma(29.2339), 0.25768, 0.002); // sRGB red
    disc.draw(1.0);
    EXPECT_EQ(disc.pixels()[130 * 260 + 200], 0xFFFFFFFFu);
    EXPECT_EQ(gamutLineColor(0.65), (ColorRGB{0, 0, 0}));
    EXPECT_EQ(gamutLineColor(0.5), (ColorRGB{255, 255, 255}));
}

// The display-p3 edge shows as a dashed line in the sRGB line's colour: every pixel of it lies
// just outside display-p3, and about half of the pixels along the edge carry a dash.
TEST(PerceptualWheel, DashedLineRunsRoundTheDisplayP3Gamut) {
    PerceptualDisc disc;
    const auto inP3 = [](int x, int y, double L) {
        return inP3Gamut(linearP3Of(toOklab(perceptualPoint(float(x), float(y), L))));
    };
    const auto inSrgb = [](int x, int y, double L) {
        return inSrgbGamut(linearOf(toOklab(perceptualPoint(float(x), float(y), L))));
    };
    const auto onDisc = [](int x, int y) {
        const double dx = x - 130.0, dy = y - 130.0;
        return dx * dx + dy * dy <= 129.0 * 129.0;
    };
    for (const double L : {0.3, 0.65, 0.85}) {
        const std::vector<uint32_t>& pixels = disc.draw(L);
        const uint32_t line = 0xFF000000u | (gamutLineColor(L).r << 16) |
                              (gamutLineColor(L).g << 8) | gamutLineColor(L).b;
        int edge = 0, dashed = 0;
        for (int y = 1; y < 259; ++y) {
            for (int x = 1; x < 259; ++x) {
                if (!onDisc(x, y) || inSrgb(x, y, L))
                    continue;
                const bool nearSrgb = inSrgb(x - 1, y, L) || inSrgb(x + 1, y, L) ||
                                      inSrgb(x, y - 1, L) || inSrgb(x, y + 1, L);
                int p3Near = 0;
                for (int dy = -2; dy <= 2; ++dy)
                    for (int dx = -2; dx <= 2; ++dx)
                        p3Near += inP3(x + dx, y + dy, L) ? 1 : 0;
                const bool drawn = pixels[size_t(y) * 260 + size_t(x)] == line;
                if (nearSrgb)
                    continue;
                // a dash pixel lies outside display-p3 and touches its edge
                if (drawn) {
                    EXPECT_TRUE(p3Near > 0 && !inP3(x, y, L)) << x << "," << y << " L " << L;
                    ++dashed;
                }
                const bool onEdge = !inP3(x, y, L) && (inP3(x - 1, y, L) || inP3(x + 1, y, L) ||
                                                       inP3(x, y - 1, L) || inP3(x, y + 1, L));
                edge += onEdge ? 1 : 0;
            }
        }
        EXPECT_GT(edge, 100) << L;
        EXPECT_GT(dashed, edge * 3 / 10) << L;
        EXPECT_LT(dashed, edge * 7 / 10) << L;
        // the edge the line follows: display-p3 red is out of sRGB's reach
        EXPECT_GT(disc.maxChromaP3(29), disc.maxChroma(29)) << L;
    }
}
