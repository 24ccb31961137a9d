#include "core/ColorCodes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

using namespace core;

namespace {
Color sysTable(int32_t index) {
    return index == 9 ? rgbValue(255, 255, 255) : rgbValue(1, 2, 3);
}
} // namespace

// Over the colour cube (every red, a grid of green and blue): the parts and the HTML code read
// back the colour, and the web-safe colour is the nearest multiple of 51 in each part (so
// mapping it again changes nothing).
TEST(ColorCodes, RoundTripOverTheColorCubeOfTheLowTwentyFourBits) {
    for (int r = 0; r < 256; ++r) {
        for (int g = 0; g < 256; g += 15) {
            for (int b = 255; b >= 0; b -= 17) {
                const Color v = rgbValue(r, g, b);
                ASSERT_EQ(splitColor(v), (ColorRGB{uint8_t(r), uint8_t(g), uint8_t(b)}));
                char html[8];
                std::snprintf(html, sizeof html, "#%02X%02X%02X", r, g, b);
                ASSERT_EQ(htmlCode(v), html);
                const Color w = webSafeColor(v, sysTable);
                const ColorRGB s = splitColor(w);
                for (const auto& [part, safe] : {std::pair{r, s.r}, {g, s.g}, {b, s.b}}) {
                    ASSERT_EQ(safe % 51, 0) << html;
                    ASSERT_LE(std::abs(safe - part), 25) << html;
                }
            }
        }
    }
    // only the low twenty-four bits are the colour
    EXPECT_EQ(htmlCode(-1), "#FFFFFF");
    EXPECT_EQ(htmlCode(0x7F00000A), "#0A0000");
    // a system colour reference: its raw bits for the HTML code, its entry for web-safe
    const auto ref = static_cast<Color>(0x80000009);
    EXPECT_EQ(htmlCode(ref), "#090000");
    EXPECT_EQ(htmlCode(webSafeColor(ref, sysTable)), "#FFFFFF");
    // a reference's code is its entry with bit 31 set, read back as the reference; any other
    // code is the colour of its low twenty-four bits
    EXPECT_EQ(swatchValueOfCode(ref), SwatchValue::system(9));
    EXPECT_EQ(swatchCode(SwatchValue::system(9)), ref);
    EXPECT_EQ(swatchValueOfCode(0x7F00000A), (SwatchValue{{10, 0, 0}, std::nullopt}));
    EXPECT_EQ(shownColor(SwatchValue::system(9), sysTable), rgbValue(255, 255, 255));
}
