#include "core/Oklab.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>

using namespace core;

namespace {

/// Encoded sRGB in percent, as CSS writes rgb() with percentages.
Srgb percentOf(const LinearRgb& c) {
    const Srgb e = toEncoded(c);
    return {e.r * 100, e.g * 100, e.b * 100};
}

void expectPercent(const LinearRgb& actual, const Srgb& expected, double tolerance,
                   const std::string& what) {
    const Srgb p = percentOf(actual);
    EXPECT_NEAR(p.r, expected.r, tolerance) << what;
    EXPECT_NEAR(p.g, expected.g, tolerance) << what;
    EXPECT_NEAR(p.b, expected.b, tolerance) << what;
}

} // namespace

TEST(Oklab, MatchesPublishedSamples) {
    struct Case {
        Oklch in;
        Srgb percent;
        double tolerance; // half the last digit published
    };
    const Case cases[] = {
        {{0.40101, 0.12332, 21.555}, {49.06, 13.87, 15.9}, 0.05},
        {{0.55, 0.15, 345}, {67.293, 27.791, 52.28}, 0.005},
        {{0.5, 0.2, 270}, {23.056, 31.73, 82.628}, 0.005},
        {toOklch({0.55, 0, -0.2}), {27.888, 38.072, 89.414}, 0.0005},
    };
    for (const Case& c : cases)
        expectPercent(linearOf(toOklab(c.in)), c.percent, c.tolerance, oklchText(c.in));
    // and back: sRGB red is oklch(62.8% 0.2577 29.23)
    const Oklch red = toOklch(oklabOf(ColorRGB{255, 0, 0}));
    EXPECT_NEAR(red.L, 0.62796, 1e-5);
    EXPECT_NEAR(red.C, 0.25768, 1e-5);
    EXPECT_NEAR(red.h, 29.2339, 1e-3);
}

TEST(Oklab, EveryEightBitColourSurvivesTheRoundTrip) {
    for (int v = 0; v < (1 << 24); v += 4099) {
        const ColorRGB c{uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)};
        EXPECT_EQ(toRgb8(linearOf(oklabOf(c))), c) << hexText(c);
        EXPECT_EQ(toRgb8(linearOf(labOf(linearOf(c)))), c) << hexText(c);
    }
}

TEST(Oklab, ToByteRoundsTheEncodedValueHalfUp) {
    // the table behind toByte against the definition, on both sides of every threshold
    for (int v = 1; v <= 255; ++v) {
        const double t = srgbToLinearLight((v - 0.5) / 255.0);
        for (const double x : {t * (1 - 1e-12), t * (1 + 1e-12), t * 0.999, t * 1.001}) {
            const double expected = std::floor(linearLightToSrgb(x) * 255.0 + 0.5);
            EXPECT_EQ(toByte(x), expected) << x;
        }
    }
    EXPECT_EQ(toByte(-0.5), 0);
    EXPECT_EQ(toByte(1.5), 255);
    EXPECT_EQ(toByte(std::nan("")), 0);
}

TEST(GamutMap, FollowsTheCssAlgorithm) {
    // display-p3 red has a published mapping into sRGB
    const Oklch p3Red = toOklch(oklabOf(linearOfDisplayP3({1, 0, 0})));
    expectPercent(gamutMap(p3Red), {100, 4.457, 4.5932}, 0.0005, "display-p3 red");
    // lightness at or beyond the ends is white or black whatever the chroma
    EXPECT_EQ(mapToRgb8({1.0, 0.3, 120}), (ColorRGB{255, 255, 255}));
    EXPECT_EQ(mapToRgb8({1.2, 0.0, 0}), (ColorRGB{255, 255, 255}));
    EXPECT_EQ(mapToRgb8({0.0, 0.3, 120}), (ColorRGB{0, 0, 0}));
    // a colour inside sRGB is kept
    const Oklch inside = toOklch(oklabOf(ColorRGB{51, 102, 204}));
    EXPECT_EQ(mapToRgb8(inside), (ColorRGB{51, 102, 204}));
    // just outside, the clip is within the JND and is the answer
    Oklch justOut = toOklch(oklabOf(ColorRGB{255, 0, 0}));
    justOut.C += 0.01;
    const LinearRgb direct = linearOf(toOklab(justOut));
    ASSERT_FALSE(inSrgbGamut(direct));
    const LinearRgb clipped = {std::clamp(direct.r, 0.0, 1.0), std::clamp(direct.g, 0.0, 1.0),
                               std::clamp(direct.b, 0.0, 1.0)};
    const LinearRgb mapped = gamutMap(justOut);
    EXPECT_DOUBLE_EQ(mapped.r, clipped.r);
    EXPECT_DOUBLE_EQ(mapped.b, clipped.b);
    // far outside: in gamut, the same lightness nearly, and a chroma not above the origin's
    for (double h = 0; h < 360; h += 15) {
        const Oklch far{0.7, 0.4, h};
        const LinearRgb m = gamutMap(far);
        EXPECT_TRUE(inSrgbGamut(m)) << h;
        const Oklch back = toOklch(oklabOf(m));
        EXPECT_NEAR(back.L, 0.7, 0.02) << h;
        EXPECT_LT(back.C, 0.4) << h;
    }
}

// Whatever it is given, the mapping ends with a colour inside sRGB: an endless chroma reaches
// the edge at its hue, a chroma or hue that is no number leaves the grey, a lightness that is
// no number is black.
TEST(GamutMap, EndsInsideSrgbForNumbersBeyondAnyColour) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const double nan = std::nan("");
    const ColorRGB edge = mapToRgb8({0.5, 0.4, 120});
    const ColorRGB grey = mapToRgb8({0.5, 0, 0});
    const std::pair<Oklch, ColorRGB> cases[] = {
        {{0.5, kInf, 120}, edge},        {{0.5, std::numeric_limits<double>::max(), 120}, edge},
        {{0.5, 1e200, 120}, edge},       {{0.5, nan, 120}, grey},
        {{0.5, -kInf, 120}, grey},       {{0.5, 0.3, kInf}, grey},
        {{0.5, kInf, nan}, grey},        {{nan, 0.3, 120}, {0, 0, 0}},
        {{-kInf, kInf, 120}, {0, 0, 0}}, {{kInf, kInf, kInf}, {255, 255, 255}},
    };
    for (const auto& [in, want] : cases) {
        const LinearRgb m = gamutMap(in);
        const std::string what =
            std::to_string(in.L) + " " + std::to_string(in.C) + " " + std::to_string(in.h);
        EXPECT_TRUE(m.r >= 0 && m.r <= 1 && m.g >= 0 && m.g <= 1 && m.b >= 0 && m.b <= 1) << what;
        EXPECT_EQ(toRgb8(m), want) << what;
    }
}

TEST(Oklab, SerialisesAsBrowsersDo) {
    const std::pair<ColorRGB, const char*> cases[] = {
        {{255, 0, 0}, "#FF0000 rgb(255, 0, 0) hsl(0, 100%, 50%) oklch(62.8% 0.2577 29.23)"},
        {{128, 128, 128}, "#808080 rgb(128, 128, 128) hsl(0, 0%, 50.2%) oklch(59.99% 0 0)"},
        {{102, 51, 153},
         "#663399 rgb(102, 51, 153) hsl(270, 50%, 40%) oklch(44.03% 0.1603 303.37)"},
        {{0, 0, 0}, "#000000 rgb(0, 0, 0) hsl(0, 0%, 0%) oklch(0% 0 0)"},
        {{255, 255, 255}, "#FFFFFF rgb(255, 255, 255) hsl(0, 0%, 100%) oklch(100% 0 0)"},
    };
    for (const auto& [c, texts] : cases)
        EXPECT_EQ(hexText(c) + ' ' + rgbText(c) + ' ' + hslText(c) + ' ' + oklchText(c), texts);
    // trailing zeros go; chroma keeps four significant digits, small ones without exponent
    EXPECT_EQ(hslText({0, 128, 64}), "hsl(150, 100%, 25.1%)"); // green the largest
    EXPECT_EQ(oklchText(Oklch{0.5, 0.1, 30}), "oklch(50% 0.1 30)");
    EXPECT_EQ(oklchText(Oklch{0.123456, 0.0012346, 359.999}), "oklch(12.35% 0.001235 0)");
    EXPECT_EQ(oklchText(Oklch{0.65, 0.099996, -10}), "oklch(65% 0.1 350)");
}

// display-p3 primaries as CSS Color 4 gives them in OKLCH, and back
TEST(DisplayP3, PrimariesMatchTheCssSamples) {
    const std::pair<DisplayP3, Oklch> cases[] = {
        {{1, 0, 0}, {0.648574, 0.299485, 28.958133}},
        {{0, 1, 0}, {0.848829, 0.368528, 145.644956}},
        {{0, 0, 1}, {0.466361, 0.323156, 264.052023}},
    };
    for (const auto& [p3, lch] : cases) {
        const Oklch got = toOklch(oklabOf(linearP3Of(p3)));
        EXPECT_NEAR(got.L, lch.L, 1e-5) << oklchText(lch);
        EXPECT_NEAR(got.C, lch.C, 1e-5) << oklchText(lch);
        EXPECT_NEAR(got.h, lch.h, 1e-3) << oklchText(lch);
        const DisplayP3 back = mapToDisplayP3(lch);
        EXPECT_NEAR(back.r, p3.r, 1e-4) << oklchText(lch);
        EXPECT_NEAR(back.g, p3.g, 1e-4) << oklchText(lch);
        EXPECT_NEAR(back.b, p3.b, 1e-4) << oklchText(lch);
    }
    EXPECT_EQ(oklchText(toOklch(oklabOf(linearP3Of(DisplayP3{1, 0, 0})))),
              "oklch(64.86% 0.2995 28.96)");
}

// The CSS algorithm with display-p3 as destination, against the reference implementation's
// answers (encoded display-p3), and the same colours mapped into sRGB for contrast
TEST(DisplayP3, GamutMapFollowsTheCssAlgorithm) {
    struct Case {
        Oklch in;
        DisplayP3 p3;
        bool outsideSrgb;
    };
    const Case cases[] = {
        {{0.7, 0.4, 145}, {0, 0.780448, 0}, true},
        {{0.5, 0.5, 270}, {0.19131, 0.058864, 1}, true},
        {{0.9, 0.3, 100}, {0.994295, 0.875058, 0}, true},
        {{0.4, 0.3, 330}, {0.458494, 0, 0.475137}, true},
        {{0.65, 0.33, 200}, {0, 0.657391, 0.707919}, true},
        {{0.3, 0.25, 20}, {0.363447, 0, 0.043351}, true},
        // inside display-p3 though not sRGB: the colour itself
        {{0.628, 0.2577, 29.23}, {0.917573, 0.200303, 0.138664}, true},
        {toOklch(oklabOf(ColorRGB{18, 52, 86})), {0.106562, 0.200947, 0.326991}, false},
        {{1.0, 0.3, 120}, {1, 1, 1}, false},
        {{0.0, 0.3, 120}, {0, 0, 0}, false},
        // a chroma that is no number: the grey of L, linear 0.5 cubed
        {{0.5, std::nan(""), 120}, displayP3Of(LinearP3{0.125, 0.125, 0.125}), false},
    };
    for (const Case& c : cases) {
        const LinearP3 mapped = gamutMapP3(c.in);
        EXPECT_TRUE(inP3Gamut(mapped)) << oklchText(c.in);
        const DisplayP3 p3 = displayP3Of(mapped);
        EXPECT_NEAR(p3.r, c.p3.r, 2e-5) << oklchText(c.in);
        EXPECT_NEAR(p3.g, c.p3.g, 2e-5) << oklchText(c.in);
        EXPECT_NEAR(p3.b, c.p3.b, 2e-5) << oklchText(c.in);
        EXPECT_EQ(outsideSrgb(c.in), c.outsideSrgb) << oklchText(c.in);
    }
    // every 8-bit colour lies inside display-p3, and its OKLCH maps onto the same colour
    for (int v = 0; v < (1 << 24); v += 65537) {
        const ColorRGB c{uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)};
        const DisplayP3 direct = displayP3Of(c);
        const DisplayP3 mapped = mapToDisplayP3(toOklch(oklabOf(c)));
        EXPECT_TRUE(inP3Gamut(linearP3Of(direct))) << hexText(c);
        EXPECT_NEAR(direct.r, mapped.r, 1e-9) << hexText(c);
        EXPECT_NEAR(direct.b, mapped.b, 1e-9) << hexText(c);
    }
}

TEST(DisplayP3, TextHasFourDecimalsAtMost) {
    const std::pair<DisplayP3, const char*> cases[] = {
        {{1, 0, 0}, "color(display-p3 1 0 0)"},
        {{0.917573, 0.200303, 0.138664}, "color(display-p3 0.9176 0.2003 0.1387)"},
        {{0.5, 0.25, 0.00004}, "color(display-p3 0.5 0.25 0)"},
        // noise beyond the ends is clamped, never "-0" or above 1
        {{-1e-12, 1.0000001, 0.99996}, "color(display-p3 0 1 1)"},
    };
    for (const auto& [p3, text] : cases)
        EXPECT_EQ(displayP3Text(p3), text);
}
