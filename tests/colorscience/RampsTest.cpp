#include "colorscience/Ramps.h"
#include "core/CssColor.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace colorscience;
using core::ColorRGB;

namespace {

const ColorRGB kSources[] = {{51, 102, 204}, {233, 30, 99}, {255, 235, 59}, {20, 20, 20}};

core::Oklch oklchOf(ColorRGB c) {
    return core::toOklch(core::oklabOf(c));
}

} // namespace

TEST(TonalRamp, StepsFollowTheTableAndPinTheSource) {
    for (const ColorRGB& source : kSources) {
        const core::Oklch s = oklchOf(source);
        const Ramp ramp = tonalRamp(source);
        ASSERT_EQ(ramp.pinnedIndex, nearestStepIndex(s.L)) << core::hexText(source);
        for (int i = 0; i < kRampSize; ++i) {
            const RampStep& step = ramp.steps[size_t(i)];
            EXPECT_EQ(step.step, kRampSteps[size_t(i)]);
            EXPECT_DOUBLE_EQ(step.target.L, kRampLightness[size_t(i)]);
            EXPECT_DOUBLE_EQ(step.target.C, s.C * kRampChromaScale[size_t(i)]);
            EXPECT_DOUBLE_EQ(step.target.h, s.h);
            EXPECT_EQ(step.pinned, i == ramp.pinnedIndex);
            EXPECT_EQ(step.color, step.pinned ? source : core::mapToRgb8(step.target))
                << core::hexText(source) << " step " << step.step;
        }
    }
    // the pinned step is the one of nearest target lightness, the lighter on a tie
    EXPECT_EQ(nearestStepIndex(1.0), 0);
    EXPECT_EQ(nearestStepIndex(0.64), 5);
    EXPECT_EQ(nearestStepIndex(0.0), 10);
    EXPECT_EQ(tonalRamp({51, 102, 204}).pinnedIndex, 6); // L 0.532: nearest 600 (0.555)
}

// A source beyond sRGB gets one ramp made from its exact colour: the steps take its hue and
// chroma, the pinned step is the exact colour, and a step beyond sRGB keeps its exact colour and
// shows its display-p3 value as sRGB does. Inside sRGB the 8-bit ramp stays.
TEST(TonalRamp, AnExactSourceBeyondSrgbGivesOneRampOfExactSteps) {
    const core::Oklch sources[] = {{0.58, 0.163, 221.2}, {0.6486, 0.2995, 28.96}, {0.7, 0.45, 150}};
    for (const core::Oklch& exact : sources) {
        const ColorRGB shown = core::mapToRgb8(exact);
        const Ramp ramp = tonalRamp(shown, exact);
        ASSERT_EQ(ramp.pinnedIndex, nearestStepIndex(exact.L));
        int wide = 0;
        for (size_t i = 0; i < kRampSize; ++i) {
            const RampStep& step = ramp.steps[i];
            EXPECT_DOUBLE_EQ(step.target.C, exact.C * kRampChromaScale[i]);
            EXPECT_DOUBLE_EQ(step.target.h, exact.h);
            const core::Oklch own = step.pinned ? exact : step.target;
            ASSERT_EQ(step.exact.has_value(), core::outsideSrgb(own)) << step.step;
            wide += step.exact ? 1 : 0;
            EXPECT_EQ(step.color,
                      step.exact ? core::shownOfDisplayP3(own) : core::mapToRgb8(step.target));
            if (step.exact) {
                EXPECT_EQ(step.exact->C, own.C);
            }
        }
        EXPECT_GE(wide, 3);
    }
    // exact inside sRGB, or none: the ramp of the 8-bit colour, as before
    const ColorRGB blue{51, 102, 204};
    for (const std::optional<core::Oklch>& exact :
         {std::optional(core::Oklch{0.53, 0.15, 262}), std::optional<core::Oklch>()}) {
        const Ramp ramp = tonalRamp(blue, exact);
        for (size_t i = 0; i < kRampSize; ++i) {
            EXPECT_EQ(ramp.steps[i].color, tonalRamp(blue).steps[i].color);
            EXPECT_FALSE(ramp.steps[i].exact);
        }
    }
    // the display-p3 text a file holds reads back as the step's 8-bit colour on an sRGB screen
    for (const core::Oklch& exact : sources) {
        const std::string text = core::displayP3Text(core::mapToDisplayP3(exact));
        EXPECT_EQ(core::rgb8Of(*core::parseCssColor(text).color), core::shownOfDisplayP3(exact))
            << text;
    }
}

TEST(NeutralRamp, TakesTheBaseHueAtLowChroma) {
    const core::Oklch base = oklchOf({233, 30, 99});
    const Ramp neutral = neutralRamp({233, 30, 99});
    EXPECT_EQ(neutral.pinnedIndex, -1);
    for (int i = 0; i < kRampSize; ++i) {
        const RampStep& step = neutral.steps[size_t(i)];
        EXPECT_DOUBLE_EQ(step.target.h, base.h);
        EXPECT_DOUBLE_EQ(step.target.C, kNeutralChroma * kRampChromaScale[size_t(i)]);
        EXPECT_FALSE(step.pinned);
        // a low chroma at a step's lightness always fits sRGB: the colour keeps the hue
        const core::Oklch got = oklchOf(step.color);
        if (got.C > 0.004) {
            EXPECT_NEAR(std::remainder(got.h - base.h, 360.0), 0.0, 8.0) << step.step;
        }
    }
    // a grey base has no hue: its neutral is grey, not tinted by rounding noise
    for (const RampStep& step : neutralRamp({128, 128, 128}).steps)
        EXPECT_TRUE(step.color.r == step.color.g && step.color.g == step.color.b) << step.step;
}

TEST(DarkTwin, KeepsTheContrastItHadOnWhite) {
    const ColorRGB background = neutralRamp({51, 102, 204}).steps[10].color;
    for (const ColorRGB& original :
         {ColorRGB{51, 102, 204}, ColorRGB{233, 30, 99}, ColorRGB{255, 235, 59},
          ColorRGB{0, 128, 0}, ColorRGB{120, 120, 120}}) {
        const DarkTwin twin = darkTwin(original, background);
        EXPECT_DOUBLE_EQ(twin.targetContrast, contrastOf(original, {255, 255, 255}));
        EXPECT_DOUBLE_EQ(twin.contrast, contrastOf(twin.color, background));
        ASSERT_TRUE(twin.reachable) << core::hexText(original);
        EXPECT_NEAR(twin.contrast, twin.targetContrast, 0.05) << core::hexText(original);
        // same hue as far as the gamut allows
        const core::Oklch o = oklchOf(original), t = oklchOf(twin.color);
        if (o.C > 0.05 && t.C > 0.05) {
            EXPECT_NEAR(std::remainder(t.h - o.h, 360.0), 0.0, 6.0) << core::hexText(original);
        }
    }
    // near-black has more contrast on white than anything has on the dark background
    const DarkTwin black = darkTwin({10, 10, 10}, background);
    EXPECT_FALSE(black.reachable);
    EXPECT_EQ(black.color, (ColorRGB{255, 255, 255}));
    EXPECT_LT(black.contrast, black.targetContrast);
}

TEST(ContrastFix, IsTheSmallestLightnessChangeThatPasses) {
    using colorscience::Level;
    struct Case {
        ColorRGB fg, bg;
        Level level;
    };
    const Case cases[] = {
        {{119, 119, 119}, {255, 255, 255}, Level::AaNormal},
        {{51, 102, 204}, {233, 30, 99}, Level::AaLarge},
        {{255, 235, 59}, {255, 255, 255}, Level::AaaNormal},
        {{0, 128, 0}, {20, 20, 20}, Level::AaNormal},
        {{200, 60, 60}, {90, 40, 40}, Level::AaNormal},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(core::hexText(c.fg) + " on " + core::hexText(c.bg));
        const std::vector<ContrastFix> fixes = contrastFixes(c.fg, c.bg, c.level);
        ASSERT_FALSE(fixes.empty());
        EXPECT_LE(std::fabs(fixes.front().lightnessChange),
                  std::fabs(fixes.back().lightnessChange));
        for (const ContrastFix& fix : fixes) {
            const bool fg = fix.side == FixSide::Foreground;
            const ColorRGB moving = fg ? c.fg : c.bg, other = fg ? c.bg : c.fg;
            const core::Oklch o = oklchOf(moving);
            EXPECT_TRUE(colorscience::passes(contrastOf(fix.color, other), c.level));
            EXPECT_DOUBLE_EQ(fix.ratio, contrastOf(fix.color, other));
            // one step less of lightness change fails, and as much the other way fails too
            const double k = std::round(std::fabs(fix.lightnessChange) / kFixLightnessStep);
            const double step = std::copysign((k - 1) * kFixLightnessStep, fix.lightnessChange);
            for (const double L : {o.L + step, o.L - step})
                EXPECT_FALSE(L >= 0 && L <= 1 &&
                             colorscience::passes(contrastOf(core::mapToRgb8({L, o.C, o.h}), other),
                                                  c.level))
                    << fg << " " << L;
        }
    }
    EXPECT_TRUE(contrastFixes({0, 0, 0}, {255, 255, 255}, Level::AaaNormal).empty());
}

// a pair whose colours no lightness of either separates enough has no fix, and the best a
// change reaches says how far it stays: the scheme wants another hue or chroma
TEST(ContrastFix, TheBestReachableRatioTellsWhetherAnyFixExists) {
    using colorscience::Level;
    // the perceptual wheel's triad at L 55 %, and pairs that a change does fix
    const std::array<std::array<ColorRGB, 2>, 5> pairs = {{
        {{{0x00, 0x87, 0x75}, {0x73, 0x79, 0x00}}},
        {{{0x00, 0x87, 0x75}, {0xC1, 0x41, 0x00}}},
        {{{0x73, 0x79, 0x00}, {0xC1, 0x41, 0x00}}},
        {{{119, 119, 119}, {255, 255, 255}}},
        {{{200, 60, 60}, {90, 40, 40}}},
    }};
    for (size_t i = 0; i < pairs.size(); ++i) {
        const auto [fg, bg] = pairs[i];
        const double best = bestLightnessRatio(fg, bg);
        SCOPED_TRACE(core::hexText(fg) + " on " + core::hexText(bg));
        EXPECT_GE(best, contrastOf(fg, bg));
        for (const Level level : {Level::AaNormal, Level::AaLarge, Level::AaaNormal}) {
            const std::vector<ContrastFix> fixes = contrastFixes(fg, bg, level);
            const bool fails = !colorscience::passes(contrastOf(fg, bg), level);
            EXPECT_EQ(fails && fixes.empty(), !colorscience::passes(best, level));
            for (const ContrastFix& fix : fixes)
                EXPECT_LE(fix.ratio, best);
        }
        // AAA's 7:1 is out of the triad's reach, not of the others'
        EXPECT_EQ(best < 7, i < 3) << best;
    }
}
