#include "core/Wheel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

using namespace core;

namespace {

const Raster& defaultRaster() {
    static const Raster kRaster = makeDefaultRaster();
    return kRaster;
}

/// The pixel at an angle (degrees, counter-clockwise) and a distance from a centre.
Color polarAt(double degrees, double r, const Raster& raster = defaultRaster(),
              int cx = kDefaultDiscCentreX, int cy = kDefaultDiscCentreY) {
    const double a = degrees * kPi / 180.0;
    return raster.at(cx + static_cast<int>(std::lround(r * std::cos(a))),
                     cy - static_cast<int>(std::lround(r * std::sin(a))));
}

Color fromHex(uint32_t rrggbb) {
    return rgbValue(int(rrggbb >> 16), int((rrggbb >> 8) & 0xFF), int(rrggbb & 0xFF));
}

/// The largest difference of a part of the two colours.
int maxChannelDistance(Color actual, Color expected) {
    const ColorRGB a = splitColor(actual), e = splitColor(expected);
    return std::max({std::abs(a.r - e.r), std::abs(a.g - e.g), std::abs(a.b - e.b)});
}

/// Each part of the colour within 3 of the expected one.
void expectNear(Color actual, Color expected, const std::string& where) {
    EXPECT_LE(maxChannelDistance(actual, expected), 3)
        << where << ": " << htmlCode(actual) << " for " << htmlCode(expected);
}

} // namespace

TEST(DefaultRaster, MatchesTheSampleTable) {
    const double radii[] = {16, 32, 64, 96, 124};
    // 0 to 90 and 240 to 330 degrees: each channel both before and after its phase wraps
    const uint32_t table[8][5] = {
        {0xFFE1E1, 0xFFC5C5, 0xFF8F8F, 0xFF5555, 0xFF0B0B},
        {0xFFEEDB, 0xFFDEB9, 0xFFBF7A, 0xFF993C, 0xFF4706},
        {0xFFFFDF, 0xFFFFBF, 0xFFFF7E, 0xFFFF3E, 0xFFFF06},
        {0xEEFFDB, 0xDEFFB9, 0xBFFF7A, 0x99FF3C, 0x47FF06},
        {0xE1E1FF, 0xC5C5FF, 0x8F8FFF, 0x5555FF, 0x0B0BFF},
        {0xEEDBFF, 0xDEB9FF, 0xBF7AFF, 0x993CFF, 0x4706FF},
        {0xFFDFFF, 0xFFBFFF, 0xFF7EFF, 0xFF3EFF, 0xFF06FF},
        {0xFFDBEE, 0xFFB9DE, 0xFF7ABF, 0xFF3C99, 0xFF0647},
    };
    for (int s : {0, 1, 2, 3, 8, 9, 10, 11})
        for (int i = 0; i < 5; ++i)
            expectNear(polarAt(30.0 * s, radii[i]), fromHex(table[s < 4 ? s : s - 4][i]),
                       "angle " + std::to_string(30 * s) + " r " + std::to_string(radii[i]));
    expectNear(polarAt(45, 124), fromHex(0xFFAA06), "orange at 45");
    expectNear(polarAt(75, 124), fromHex(0xAAFF06), "chartreuse at 75");
}

TEST(DefaultRaster, LandmarksOfTheDisc) {
    const Raster& r = defaultRaster();
    EXPECT_EQ(htmlCode(r.at(127, 129)), "#FFFDFD");
    EXPECT_EQ(r.at(0, 0), kWheelBackground);
    EXPECT_EQ(r.at(254, 257), kWheelBackground);
    // r = 125 is still a pure procedure colour; the outermost pixel is pulled toward the back
    EXPECT_EQ(splitColor(r.at(127 + 125, 129)).r, 255);
    EXPECT_LT(splitColor(r.at(127 + 127, 129)).r, 255);
    for (int d = 10; d <= 120; d += 10)
        expectNear(r.at(127, 129 - d), r.at(128, 129 - d), std::to_string(d));
}

TEST(ReduceTo255, RoundsHalfToEven) {
    EXPECT_EQ(reduceTo255(65535, 65535), 255.0f);
    EXPECT_EQ(reduceTo255(1, 2), 128.0f); // 127.5 -> 128
    EXPECT_EQ(reduceTo255(5, 510), 2.0f); // 2.5 -> 2
}

namespace {

/// A web-safe shade of the hue mask (red, green, blue each on or off): the channels that are
/// on at step `on`, the others at step `off`, of the six steps 0, 51, ..., 255.
Color webSafeShade(const std::array<bool, 3>& mask, int on, int off) {
    const auto level = [&](bool lit) { return 51 * (lit ? on : off); };
    return rgbValue(level(mask[0]), level(mask[1]), level(mask[2]));
}

/// The band's steps (lit, unlit), inner disc outwards: dark, medium, full, light, pale.
constexpr int kBandSteps[5][2] = {{2, 1}, {3, 1}, {5, 1}, {5, 3}, {5, 4}};
/// The hue of the even sectors, every 60 degrees from red at east.
constexpr std::array<bool, 3> kHues[6] = {{true, false, false}, {true, true, false},
                                          {false, true, false}, {false, true, true},
                                          {false, false, true}, {true, false, true}};

Color webSafeAt(int dx, int dy) {
    static const Raster kWebSafe = makeWebSafeRaster();
    return kWebSafe.at(kWebSafeDiscCentre + dx, kWebSafeDiscCentre - dy);
}

} // namespace

TEST(WebSafeRaster, EveryPixelOfTheEvenSectorsShowsItsBandOrACircle) {
    // every pixel within 10 degrees of an even sector's middle, so away from the radial
    // lines: black on a dividing circle, the background past the rim, else its band's shade
    const int circles[] = {25, 50, 76, 102, 127};
    int checked = 0;
    for (int dy = -130; dy <= 130; ++dy) {
        for (int dx = -130; dx <= 130; ++dx) {
            const double d = std::hypot(dx, dy);
            const double degrees = std::fmod(std::atan2(dy, dx) * 180 / kPi + 360, 360);
            const int h = int(degrees / 60);
            if (d < 8 || d > 129 || std::fabs(degrees - (60.0 * h + 15)) > 10)
                continue;
            int band = 0;
            bool onCircle = false;
            for (int c : circles) {
                onCircle = onCircle || std::fabs(d - c) < 0.5;
                band += d >= c + 0.5;
            }
            const Color shown = webSafeAt(dx, dy);
            const std::string where = std::to_string(dx) + "," + std::to_string(dy);
            ++checked;
            if (band == 5)
                ASSERT_EQ(shown, kWheelBackground) << where;
            else if (onCircle)
                ASSERT_EQ(shown, 0) << where;
            else
                ASSERT_LE(maxChannelDistance(shown, webSafeShade(kHues[h], kBandSteps[band][0],
                                                                 kBandSteps[band][1])),
                          3)
                    << where;
        }
    }
    EXPECT_GT(checked, 10000);
    // the radial lines between sectors are black too
    EXPECT_EQ(webSafeAt(90, 0), 0);
    EXPECT_EQ(webSafeAt(0, 90), 0);
}
