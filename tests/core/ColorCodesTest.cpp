#include "core/ColorCodes.h"

#include <gtest/gtest.h>

using namespace core;

namespace {
Color sysTable(int32_t index) {
    return index == 9 ? rgbValue(255, 255, 255) : rgbValue(1, 2, 3);
}
} // namespace

TEST(HtmlCode, KeepsLowTwentyFourBitsRedFirst) {
    EXPECT_EQ(HtmlCode(16777215), "#FFFFFF");
    EXPECT_EQ(HtmlCode(255), "#FF0000");
    EXPECT_EQ(HtmlCode(16711680), "#0000FF");
    EXPECT_EQ(HtmlCode(-1), "#FFFFFF");
    EXPECT_EQ(HtmlCode(0), "#000000");
    EXPECT_EQ(HtmlCode(5649426), "#123456");
    EXPECT_EQ(HtmlCode(static_cast<Color>(0x80000009)), "#090000");
    EXPECT_EQ(HtmlCode(0x7F00000A), "#0A0000");
}

TEST(SplitColor, ReadsRedGreenBlueFromLowBytes) {
    EXPECT_EQ(SplitColor(5649426), (ColorRGB{18, 52, 86}));
    EXPECT_EQ(SplitColor(-1), (ColorRGB{255, 255, 255}));
    EXPECT_EQ(SplitColor(static_cast<Color>(0x80000009)), (ColorRGB{9, 0, 0}));
}

TEST(WebSafeColor, BandsSwitchBetweenTwentyFiveAndTwentySix) {
    struct Case {
        int in, out;
    };
    const Case cases[] = {{0, 0},     {25, 0},    {26, 51},   {76, 51},   {77, 102},  {127, 102},
                          {128, 153}, {178, 153}, {179, 204}, {229, 204}, {230, 255}, {255, 255}};
    for (const Case& c : cases)
        EXPECT_EQ(webSafeLevel(c.in), c.out) << c.in;
}

TEST(WebSafeColor, WorkedExamples) {
    EXPECT_EQ(HtmlCode(WebSafeColor(rgbValue(18, 52, 86), sysTable)), "#003366");
    EXPECT_EQ(HtmlCode(WebSafeColor(rgbValue(200, 100, 50), sysTable)), "#CC6633");
    EXPECT_EQ(HtmlCode(WebSafeColor(rgbValue(25, 26, 230), sysTable)), "#0033FF");
    EXPECT_EQ(WebSafeColor(rgbValue(51, 204, 255), sysTable), rgbValue(51, 204, 255));
}

TEST(WebSafeColor, ResolvesSystemColorWhileHtmlCodeUsesRawBits) {
    const auto ref = static_cast<Color>(0x80000009);
    EXPECT_EQ(HtmlCode(WebSafeColor(ref, sysTable)), "#FFFFFF");
    EXPECT_EQ(HtmlCode(ref), "#090000");
}

TEST(DecimalCode, IsTheSignedValue) {
    EXPECT_EQ(DecimalCode(16777215), "16777215");
    EXPECT_EQ(DecimalCode(0), "0");
    EXPECT_EQ(DecimalCode(-1), "-1");
}
