#include "tools/ColorConverter.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

using tools::ConverterFields;

namespace {

core::Color sysTable(int32_t index) {
    return index == 15 ? core::rgbValue(212, 208, 200) : core::rgbValue(1, 2, 3);
}

/// txtrgb, txthtml, txtwebsafe, txtr, txtg, txtb and the swatch colour.
using Shown = std::tuple<std::string, std::string, std::string, std::string, std::string,
                         std::string, core::Color>;

Shown convert(ConverterFields& f, const std::string& source) {
    f.source = source;
    tools::convertColorCode(f, sysTable);
    return {f.decimal, f.html, f.webSafe, f.red, f.green, f.blue, f.swatch};
}

constexpr core::Color kStart = tools::kInitialSwatchColor;

} // namespace

TEST(ConvertColorCode, EveryShapeOfSourceOnAFreshWindowAndLaterStepsReadBackTheFields) {
    const std::pair<const char*, Shown> cases[] = {
        // HTML codes complete even when malformed; a "#" first wins over a later "-"
        {"#123456", {"5649426", "#123456", "#003366", "18", "52", "86", 5649426}},
        {"#FFF", {"0", "#000000", "#000000", "0", "0", "0", 0}},
        {"#12-456", {"5661714", "#126456", "#006666", "18", "100", "86", 5661714}},
        // pieces are copied as typed, read with blanks, clamped; only the first three count
        {"18-52-86", {"5649426", "#123456", "#003366", "18", "52", "86", 5649426}},
        {"300-0-0", {"255", "#FF0000", "#FF0000", "300", "0", "0", 255}},
        {" 12 - 0 - 0", {"12", "#0C0000", "#000000", " 12 ", " 0 ", " 0", 12}},
        {"255-0-0-99", {"255", "#FF0000", "#FF0000", "255", "0", "0", 255}},
        // too few pieces or an unreadable one skip everything after the copy
        {"-1", {"", "", "", "", "1", "", kStart}},
        {"40000-0-0", {"", "", "", "40000", "0", "0", kStart}},
        // decimals; outside the colour range the swatch stays
        {"16777215", {"16777215", "#FFFFFF", "#FFFFFF", "255", "255", "255", 16777215}},
        {"336699", {"336699", "#3B2305", "#333300", "59", "35", "5", 336699}},
        {"16777216", {"16777216", "#000000", "#000000", "0", "0", "0", kStart}},
        {"", {"", "", "", "0", "0", "0", kStart}},
    };
    for (const auto& [source, expected] : cases) {
        ConverterFields f;
        EXPECT_EQ(convert(f, source), expected) << source;
    }
    // a later step reads back what the fields hold
    ConverterFields f;
    convert(f, "#336699");
    EXPECT_EQ(convert(f, "FFFFFF"),
              (Shown{"FFFFFF", "#336699", "#336699", "51", "102", "153", 10053171}));
    // codes typed over by hand are recomputed from the unchanged RGB field
    convert(f, "#336699");
    f.html = f.webSafe = "typed";
    f.swatch = 0;
    EXPECT_EQ(convert(f, "255-255"),
              (Shown{"10053171", "#336699", "#336699", "255", "255", "153", 10053171}));
}

TEST(HexToRgb, ReadsHashAndSevenOrAnySixCharactersElseLeavesTheComponents) {
    const std::pair<const char*, std::array<int, 3>> cases[] = {
        {"#ffcc00", {255, 204, 0}},
        {"#12345", {193, 35, 69}},
        {"GGGGGG", {16, 16, 16}},
        // each character counts once (times 16 kept to a byte) and upper-cases as the 8-bit code
        // page does: a stray byte (octal 351) stands for itself, "\u00FF" becomes U+0178, "\u00B5"
        // and "\u0101" stay; a byte-order mark (octal 357 273 277) and a sequence cut off at the
        // end are characters
        {"#1\3512345", {162, 35, 69}},
        {"#1\u00FF2345", {81, 35, 69}},
        {"#1\u00B52345", {142, 35, 69}},
        {"#1\u01012345", {218, 35, 69}},
        {"#1\U0001F6002345", {217, 35, 69}},
        {"\357\273\27712345", {129, 35, 69}},
        {"#12345\xC3", {18, 52, 220}},
        // a digit is "0" to "9" alone: the characters either side and other scripts' digits
        // count as letters do
        {"#9/:0\u0663B", {136, 48, 203}},
        // any other length leaves the components
        {"12345", {1, 2, 3}},
        {"1234567", {1, 2, 3}},
        {"#FFFFFFF", {1, 2, 3}}};
    for (const auto& [code, expected] : cases) {
        uint8_t r = 1, g = 2, b = 3;
        tools::hexToRgb(code, r, g, b);
        EXPECT_EQ((std::array<int, 3>{r, g, b}), expected) << code;
    }
}
