#include "core/Wheel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

using namespace core;

namespace {

const Raster& defaultRaster() {
    static const Raster raster = makeDefaultRaster();
    return raster;
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

/// Each part of the colour within 3 of the expected one.
void expectNear(Color actual, Color expected, const std::string& where) {
    const ColorRGB a = splitColor(actual), e = splitColor(expected);
    EXPECT_LE(std::abs(a.r - e.r), 3) << where;
    EXPECT_LE(std::abs(a.g - e.g), 3) << where;
    EXPECT_LE(std::abs(a.b - e.b), 3) << where;
}

} // namespace

TEST(makeDefaultRaster, MatchesTheSampleTable) {
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

TEST(makeDefaultRaster, CentreNotPureWhiteBackgroundOutsideOnlyTheRimSoftenedAndAxesSmooth) {
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

TEST(reduceTo255, RoundsHalfToEven) {
    EXPECT_EQ(reduceTo255(65535, 65535), 255.0f);
    EXPECT_EQ(reduceTo255(1, 2), 128.0f); // 127.5 -> 128
    EXPECT_EQ(reduceTo255(5, 510), 2.0f); // 2.5 -> 2
}

TEST(WebSafeRaster, CellsLinesAndBackground) {
    const Raster w = makeWebSafeRaster();
    EXPECT_EQ(w.at(0, 0), kWheelBackground);
    const auto cellAt = [&](double degrees, double r) { return polarAt(degrees, r, w, 128, 128); };
    const double bandMiddles[] = {13, 38, 63, 89, 115};
    for (int s = 0; s < 12; ++s)
        for (int b = 0; b < 5; ++b)
            EXPECT_EQ(cellAt(30 * s + 15, bandMiddles[b]), webSafeCellColor(s, b)) << s << b;
    // on a dividing circle (between the radial lines) or on a radial line reads black
    for (const auto& [degrees, r] : {std::pair{15, 50}, {15, 127}, {0, 90}, {90, 90}})
        EXPECT_EQ(cellAt(degrees, r), 0) << degrees << " " << r;
}
