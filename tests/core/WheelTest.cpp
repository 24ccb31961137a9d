#include "core/Wheel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

using namespace core;

namespace {

const Raster& defaultRaster() {
    static const Raster raster = GenerateWheel();
    return raster;
}

Color sampleAt(double degrees, double r) {
    const double a = degrees * kPi / 180.0;
    const int x = static_cast<int>(std::lround(r * std::cos(a)));
    const int y = static_cast<int>(std::lround(r * std::sin(a)));
    return defaultRaster().at(kDefaultDiscCentreX + x, kDefaultDiscCentreY - y);
}

void expectNear(Color actual, uint32_t rrggbb, int tolerance, const std::string& where) {
    const ColorRGB a = SplitColor(actual);
    EXPECT_LE(std::abs(a.r - static_cast<int>(rrggbb >> 16)), tolerance) << where;
    EXPECT_LE(std::abs(a.g - static_cast<int>((rrggbb >> 8) & 0xFF)), tolerance) << where;
    EXPECT_LE(std::abs(a.b - static_cast<int>(rrggbb & 0xFF)), tolerance) << where;
}

uint32_t htmlBits(Color c) {
    const ColorRGB p = SplitColor(c);
    return uint32_t(p.r) << 16 | uint32_t(p.g) << 8 | p.b;
}

} // namespace

TEST(GenerateWheel, CentreIsNotPureWhite) {
    EXPECT_EQ(HtmlCode(defaultRaster().at(127, 129)), "#FFFDFD");
}

TEST(GenerateWheel, MatchesTheSampleTable) {
    const double radii[] = {16, 32, 64, 96, 124};
    const uint32_t table[12][5] = {
        {0xFFE1E1, 0xFFC5C5, 0xFF8F8F, 0xFF5555, 0xFF0B0B},
        {0xFFEEDB, 0xFFDEB9, 0xFFBF7A, 0xFF993C, 0xFF4706},
        {0xFFFFDF, 0xFFFFBF, 0xFFFF7E, 0xFFFF3E, 0xFFFF06},
        {0xEEFFDB, 0xDEFFB9, 0xBFFF7A, 0x99FF3C, 0x47FF06},
        {0xE1FFE1, 0xC5FFC5, 0x8FFF8F, 0x55FF55, 0x0BFF0B},
        {0xDBFFEE, 0xB9FFDE, 0x7AFFBF, 0x3CFF99, 0x06FF47},
        {0xDFFFFF, 0xBFFFFF, 0x7EFFFF, 0x3EFFFF, 0x06FFFF},
        {0xDBEEFF, 0xB9DEFF, 0x7ABFFF, 0x3C99FF, 0x0647FF},
        {0xE1E1FF, 0xC5C5FF, 0x8F8FFF, 0x5555FF, 0x0B0BFF},
        {0xEEDBFF, 0xDEB9FF, 0xBF7AFF, 0x993CFF, 0x4706FF},
        {0xFFDFFF, 0xFFBFFF, 0xFF7EFF, 0xFF3EFF, 0xFF06FF},
        {0xFFDBEE, 0xFFB9DE, 0xFF7ABF, 0xFF3C99, 0xFF0647},
    };
    for (int s = 0; s < 12; ++s) {
        for (int i = 0; i < 5; ++i) {
            expectNear(sampleAt(30.0 * s, radii[i]), table[s][i], 3,
                       "angle " + std::to_string(30 * s) + " r " + std::to_string(radii[i]));
        }
    }
    expectNear(sampleAt(45, 124), 0xFFAA06, 3, "orange at 45");
    expectNear(sampleAt(75, 124), 0xAAFF06, 3, "chartreuse at 75");
}

TEST(GenerateWheel, BackgroundOutsideOnlyTheRimSoftenedAndAxesSmooth) {
    const Raster& r = defaultRaster();
    EXPECT_EQ(r.at(0, 0), kWheelBackground);
    EXPECT_EQ(r.at(254, 257), kWheelBackground);
    // r = 125 is still a pure procedure colour; the outermost pixel is pulled toward the back
    EXPECT_EQ(SplitColor(r.at(127 + 125, 129)).r, 255);
    EXPECT_LT(SplitColor(r.at(127 + 127, 129)).r, 255);
    for (int d = 10; d <= 120; d += 10)
        expectNear(r.at(127, 129 - d), htmlBits(r.at(128, 129 - d)), 3, std::to_string(d));
}

TEST(ReduceTo255, RoundsHalfToEven) {
    EXPECT_EQ(ReduceTo255(65535, 65535), 255.0f);
    EXPECT_EQ(ReduceTo255(0, 65535), 0.0f);
    EXPECT_EQ(ReduceTo255(1, 2), 128.0f); // 127.5 -> 128
    EXPECT_EQ(ReduceTo255(5, 510), 2.0f); // 2.5 -> 2
}

TEST(StartRaster, KeepsFiveBitsShownAtEight) {
    const Raster start = makeStartRaster(defaultRaster());
    for (int i = 0; i < 2000; ++i) {
        const int x = (i * 37) % 255;
        const int y = (i * 91) % 258;
        const ColorRGB s = SplitColor(start.at(x, y)), d = SplitColor(defaultRaster().at(x, y));
        const auto five = [](int c) { return (c & 0xF8) | (c >> 5); };
        EXPECT_EQ((std::array<int, 3>{s.r, s.g, s.b}),
                  (std::array{five(d.r), five(d.g), five(d.b)}));
    }
}

TEST(WebSafeRaster, CellsLinesAndBackground) {
    const Raster w = makeWebSafeRaster();
    EXPECT_EQ(w.width(), 257);
    EXPECT_EQ(w.height(), 258);
    EXPECT_EQ(w.at(0, 0), kWheelBackground);
    auto cellAt = [&](double degrees, double r) {
        const double a = degrees * kPi / 180.0;
        return w.at(128 + static_cast<int>(std::lround(r * std::cos(a))),
                    128 - static_cast<int>(std::lround(r * std::sin(a))));
    };
    const double bandMiddles[] = {13, 38, 63, 89, 115};
    for (int s = 0; s < 12; ++s) {
        for (int b = 0; b < 5; ++b)
            EXPECT_EQ(cellAt(30 * s + 15, bandMiddles[b]), webSafeCellColor(s, b)) << s << b;
    }
    EXPECT_EQ(HtmlCode(webSafeCellColor(0, 4)), "#FFCECF");
    EXPECT_EQ(HtmlCode(webSafeCellColor(9, 0)), "#433262");
    // exactly on a dividing circle or radial line reads black
    EXPECT_EQ(w.at(128 + 50, 128), 0);
    EXPECT_EQ(w.at(128 + 90, 128), 0);
    EXPECT_EQ(w.at(128, 128 - 90), 0);
    EXPECT_EQ(w.at(128 + 127, 128), 0);
}
