#include "imagepalette/Extraction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

using core::ColorRGB;
using imagepalette::Extraction;
using imagepalette::FoundColor;
using imagepalette::Sample;

namespace {

/// A patch of a test picture: a colour and how many of the picture's 10000 pixels it fills.
struct Patch {
    ColorRGB color;
    int pixels;
    uint8_t alpha = 255;
};

/// A 100-pixel-wide picture of the patches one after another, each channel moved by up to
/// noise levels, or by grain (normally distributed, grain levels the standard deviation) as a
/// photo has it, by a fixed pseudo-random sequence.
std::vector<Sample> picture(const std::vector<Patch>& patches, int noise = 0, double grain = 0) {
    std::vector<Sample> samples;
    uint32_t state = 12345;
    const auto uniform = [&] {
        state = state * 1664525u + 1013904223u;
        return (double(state >> 8) + 0.5) / double(1u << 24);
    };
    const auto jitter = [&](uint8_t v) {
        state = state * 1664525u + 1013904223u;
        int d = noise == 0 ? 0 : int(state >> 24) % (2 * noise + 1) - noise;
        if (grain > 0)
            d = int(std::lround(grain * std::sqrt(-2 * std::log(uniform())) *
                                std::cos(6.283185307179586 * uniform())));
        return uint8_t(std::clamp(v + d, 0, 255));
    };
    for (const Patch& p : patches) {
        for (int i = 0; i < p.pixels; ++i) {
            const int n = int(samples.size());
            samples.push_back({{jitter(p.color.r), jitter(p.color.g), jitter(p.color.b)},
                               p.alpha,
                               n % 100,
                               n / 100});
        }
    }
    return samples;
}

/// The found colour nearest c.
const FoundColor& nearestTo(const std::vector<FoundColor>& found, ColorRGB c) {
    const auto distance = [&](const FoundColor& f) {
        return core::deltaEOK(f.oklab, core::oklabOf(c));
    };
    return *std::min_element(found.begin(), found.end(), [&](const auto& l, const auto& r) {
        return distance(l) < distance(r);
    });
}

const ColorRGB kBlue{51, 102, 204};
const ColorRGB kOrange{232, 163, 61};
const ColorRGB kGreen{46, 139, 87};
const ColorRGB kRaspberry{194, 24, 91};
const ColorRGB kAccent{224, 48, 30};

struct PatchesCase {
    const char* name;
    std::vector<Patch> patches;
    int noise;
    double grain = 0;
};

class KnownPatches : public testing::TestWithParam<PatchesCase> {};

} // namespace

TEST_P(KnownPatches, FindsEachColourWithItsShareOfTheOpaquePixels) {
    const PatchesCase& c = GetParam();
    const std::vector<Sample> samples = picture(c.patches, c.noise, c.grain);
    const Extraction got = imagepalette::extractColors(samples);
    ASSERT_TRUE(got.message.empty());
    const int opaque =
        std::accumulate(c.patches.begin(), c.patches.end(), 0,
                        [](int n, const Patch& p) { return n + (p.alpha >= 128 ? p.pixels : 0); });
    double total = 0;
    for (const FoundColor& f : got.colors)
        total += f.share;
    EXPECT_NEAR(total, 100.0, 1e-9);
    for (const Patch& p : c.patches) {
        if (p.alpha < 128)
            continue;
        const FoundColor& f = nearestTo(got.dominant, p.color);
        EXPECT_LT(core::deltaEOK(f.oklab, core::oklabOf(p.color)), 0.02) << core::hexText(p.color);
        EXPECT_NEAR(f.share, 100.0 * p.pixels / opaque, 2.0) << core::hexText(p.color);
        // the pixel named for it has its colour (noise aside)
        const Sample& at = samples[size_t(f.y) * 100 + size_t(f.x)];
        EXPECT_LT(core::deltaEOK(core::oklabOf(at.rgb), core::oklabOf(p.color)), 0.03);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Extraction, KnownPatches,
    testing::Values(
        PatchesCase{
            "Four", {{kBlue, 5000}, {kOrange, 2500}, {kGreen, 1500}, {kRaspberry, 1000}}, 0},
        PatchesCase{"FourWithNoise",
                    {{kBlue, 5000}, {kOrange, 2500}, {kGreen, 1500}, {kRaspberry, 1000}},
                    6},
        // grain as a phone photo of a wall has leaves a flat colour one colour
        PatchesCase{"FlatColourWithGrain",
                    {{{47, 72, 88}, 5500}, {{216, 207, 192}, 3000}, {{140, 90, 60}, 1500}},
                    0,
                    6},
        PatchesCase{"OneColour", {{kGreen, 10000}}, 0}, PatchesCase{"OnePixel", {{kOrange, 1}}, 0},
        // transparent and half-transparent pixels are not part of the picture
        PatchesCase{
            "Transparency",
            {{kBlue, 3000}, {kOrange, 3000, 0}, {kGreen, 2000, 100}, {kRaspberry, 2000, 200}},
            0}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Extraction, FindsASmallAccentOnALargeBackground) {
    for (const ColorRGB background : {ColorRGB{128, 128, 128}, ColorRGB{255, 255, 255},
                                      ColorRGB{16, 16, 16}, ColorRGB{238, 236, 232}}) {
        const Extraction got =
            imagepalette::extractColors(picture({{background, 9700}, {kAccent, 300}}, 4));
        ASSERT_FALSE(got.accents.empty()) << core::hexText(background);
        EXPECT_LT(core::deltaEOK(got.accents[0].oklab, core::oklabOf(kAccent)), 0.02);
        EXPECT_TRUE(nearestTo(got.colors, background).background) << core::hexText(background);
        for (const FoundColor& f : got.accents)
            EXPECT_FALSE(f.background) << core::hexText(background);
    }
    // a small saturated patch outranks a large muted one
    const Extraction got = imagepalette::extractColors(
        picture({{{140, 120, 100}, 6000}, {{250, 250, 250}, 3700}, {kAccent, 300}}));
    ASSERT_EQ(got.accents.size(), 2u);
    EXPECT_EQ(got.accents[0].rgb, kAccent);
    EXPECT_EQ(got.dominant[0].rgb, (ColorRGB{140, 120, 100}));
}

TEST(Extraction, FollowsAGradientWithEvenShares) {
    // black to blue in 100 columns of 100 pixels
    std::vector<Sample> samples;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x)
            samples.push_back({{0, uint8_t(x), uint8_t(x * 255 / 99)}, 255, x, y});
    }
    const Extraction got = imagepalette::extractColors(samples);
    EXPECT_GE(got.colors.size(), 8u);
    EXPECT_LE(got.colors.size(), size_t(imagepalette::kClusterCount));
    EXPECT_EQ(got.dominant.size(), 8u);
    for (const FoundColor& f : got.colors) {
        // each colour lies on the gradient, close to the column it names
        const Sample& s = samples[size_t(f.y) * 100 + size_t(f.x)];
        EXPECT_LT(core::deltaEOK(f.oklab, core::oklabOf(s.rgb)), 0.02) << f.x;
        EXPECT_LT(f.share, 3.0 * 100.0 / double(got.colors.size())) << f.x;
    }
}

TEST(Extraction, GivesTheSameColoursEveryTime) {
    std::vector<Sample> noise;
    uint32_t state = 7;
    for (int i = 0; i < 128 * 128; ++i) {
        state = state * 1664525u + 1013904223u;
        noise.push_back({{uint8_t(state >> 8), uint8_t(state >> 16), uint8_t(state >> 24)},
                         255,
                         i % 128,
                         i / 128});
    }
    const Extraction first = imagepalette::extractColors(noise);
    EXPECT_LE(first.dominant.size(), 8u);
    EXPECT_LE(first.accents.size(), 8u);
    for (int run = 0; run < 3; ++run) {
        const Extraction again = imagepalette::extractColors(noise);
        EXPECT_EQ(again.colors, first.colors);
        EXPECT_EQ(again.dominant, first.dominant);
        EXPECT_EQ(again.accents, first.accents);
    }
}

TEST(Extraction, NothingToTakeSaysWhy) {
    EXPECT_EQ(imagepalette::extractColors({}).message, "The picture has no pixels.");
    const Extraction clear = imagepalette::extractColors(picture({{kBlue, 500, 127}}));
    EXPECT_TRUE(clear.colors.empty());
    EXPECT_EQ(clear.message, "The picture is fully transparent: it has no colour to take.");
    const std::atomic<bool> cancel{true};
    const Extraction stopped = imagepalette::extractColors(picture({{kBlue, 500}}), &cancel);
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_TRUE(stopped.colors.empty());
}

TEST(Extraction, PaletteNamesDominantThenAccents) {
    const Extraction got =
        imagepalette::extractColors(picture({{{255, 255, 255}, 9000}, {kAccent, 1000}}));
    const core::Palette palette = imagepalette::paletteOf(got, "photo");
    EXPECT_EQ(palette.name, "photo");
    ASSERT_EQ(palette.colors.size(), 3u);
    EXPECT_EQ(palette.colors[0].name, "dominant-1");
    EXPECT_EQ(palette.colors[0].rgb, (ColorRGB{255, 255, 255}));
    EXPECT_EQ(palette.colors[1].name, "dominant-2");
    EXPECT_EQ(palette.colors[2].name, "accent-1");
    EXPECT_EQ(palette.colors[2].rgb, kAccent);
    EXPECT_EQ(core::rgb8Of(palette.colors[2].color), kAccent);
    EXPECT_TRUE(palette.colors[0].group == "Dominant" && palette.colors[0].background &&
                std::abs(palette.colors[0].share - 90) < 0.5);
    EXPECT_TRUE(palette.colors[2].group == "Accents" && !palette.colors[2].background &&
                std::abs(palette.colors[2].share - 10) < 0.5 && palette.colors[2].x >= 0);
}

TEST(Extraction, ASliverIsNoDominantColour) {
    const Extraction got =
        imagepalette::extractColors(picture({{{128, 128, 128}, 9980}, {{250, 20, 20}, 20}}));
    ASSERT_EQ(got.dominant.size(), 1u);
    EXPECT_EQ(got.dominant[0].rgb, (ColorRGB{128, 128, 128}));
}
