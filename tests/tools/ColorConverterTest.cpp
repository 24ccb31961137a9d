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
    f.txtsource = source;
    tools::convertColorCode(f, sysTable);
    return {f.txtrgb, f.txthtml, f.txtwebsafe, f.txtr, f.txtg, f.txtb, f.piccolor};
}

constexpr core::Color kStart = tools::kInitialSwatchColor;

} // namespace

TEST(ConvertColorCode, EveryShapeOfSourceOnAFreshWindow) {
    const std::pair<const char*, Shown> cases[] = {
        {"#ffcc00", {"52479", "#FFCC00", "#FFCC00", "255", "204", "0", 52479}},
        {"#123456", {"5649426", "#123456", "#003366", "18", "52", "86", 5649426}},
        {"18-52-86", {"5649426", "#123456", "#003366", "18", "52", "86", 5649426}},
        {"16777215", {"16777215", "#FFFFFF", "#FFFFFF", "255", "255", "255", 16777215}},
        {"336699", {"336699", "#3B2305", "#333300", "59", "35", "5", 336699}},
        // pieces are copied as typed, read with blanks and half-to-even rounding, clamped
        {"300-0-0", {"255", "#FF0000", "#FF0000", "300", "0", "0", 255}},
        {" 12 - 0 - 0", {"12", "#0C0000", "#000000", " 12 ", " 0 ", " 0", 12}},
        {"255-0-0-99", {"255", "#FF0000", "#FF0000", "255", "0", "0", 255}},
        {"1.5-2.5-0.5", {"514", "#020200", "#000000", "1.5", "2.5", "0.5", 514}},
        {"0-0-32767", {"16711680", "#0000FF", "#0000FF", "0", "0", "32767", 16711680}},
        // an unreadable piece skips everything after the copy; "-1" is taken for pieces
        {"255-255", {"", "", "", "255", "255", "", kStart}},
        {"-1", {"", "", "", "", "1", "", kStart}},
        {"40000-0-0", {"", "", "", "40000", "0", "0", kStart}},
        {"1e2-0-0", {"", "", "", "1e2", "0", "0", kStart}},
        {"--", {"", "", "", "", "", "", kStart}},
        // malformed HTML codes still complete; a "#" first wins over a later "-"
        {"#FFF", {"0", "#000000", "#000000", "0", "0", "0", 0}},
        {"#GGGGGG", {"1052688", "#101010", "#000000", "16", "16", "16", 1052688}},
        {"#12345", {"4531137", "#C12345", "#CC3333", "193", "35", "69", 4531137}},
        {"#12-456", {"5661714", "#126456", "#006666", "18", "100", "86", 5661714}},
        // decimals outside the colour range keep the swatch; 32-bit read rounds half to even
        {"16777216", {"16777216", "#000000", "#000000", "0", "0", "0", kStart}},
        {"2147483647", {"2147483647", "#FFFFFF", "#FFFFFF", "255", "255", "255", kStart}},
        {"2147483648", {"2147483648", "", "", "0", "0", "0", kStart}},
        {"12.5", {"12.5", "#0C0000", "#000000", "12", "0", "0", 12}},
        {"13.5", {"13.5", "#0E0000", "#000000", "14", "0", "0", 14}},
        {" 255 ", {" 255 ", "#FF0000", "#FF0000", "255", "0", "0", 255}},
        {"", {"", "", "", "0", "0", "0", kStart}},
    };
    for (const auto& [source, expected] : cases) {
        ConverterFields f;
        EXPECT_EQ(convert(f, source), expected) << source;
    }
}

TEST(ConvertColorCode, LaterStepsReadBackWhatTheFieldsHold) {
    ConverterFields f;
    convert(f, "#336699");
    EXPECT_EQ(convert(f, "FFFFFF"),
              (Shown{"FFFFFF", "#336699", "#336699", "51", "102", "153", 10053171}));
    // codes typed over by hand are recomputed from the unchanged RGB field
    convert(f, "#336699");
    f.txthtml = f.txtwebsafe = "typed";
    f.piccolor = 0;
    EXPECT_EQ(convert(f, "255-255"),
              (Shown{"10053171", "#336699", "#336699", "255", "255", "153", 10053171}));

    ConverterFields big;
    big.txtrgb = "16777216";
    EXPECT_EQ(convert(big, "1-2"), (Shown{"16777216", "#000000", "#000000", "1", "2", "", kStart}));
    ConverterFields typed;
    typed.txthtml = "abcdef";
    EXPECT_EQ(convert(typed, "not a number"),
              (Shown{"not a number", "abcdef", "", "171", "205", "239", kStart}));
}

TEST(HexToRGB, ReadsHashAndSevenOrAnySixCharactersElseLeavesTheComponents) {
    // "\u00E9" counts as one character: "É" (201) times 16 kept to a byte, plus 1
    const std::pair<const char*, std::array<int, 3>> cases[] = {
        {"#ffcc00", {255, 204, 0}},
        {"123456", {18, 52, 86}},
        {"#12345", {193, 35, 69}},
        {"GGGGGG", {16, 16, 16}},
        {"#-1-2-", {182, 6, 22}},
        {"zzzzzz", {83, 83, 83}},
        {"#\u00E912345", {33, 35, 69}},
        // each character counts once and upper-cases as the 8-bit code page does: a stray byte
        // stands for itself, "\u00FF" becomes U+0178, "\u00B5", "\u0101" and "\u00DF" stay; a
        // byte-order mark and a sequence cut off at the end are characters too
        {"#1\xE9"
         "2345",
         {162, 35, 69}},
        {"#1\u00FF2345", {81, 35, 69}},
        {"#1\u00B52345", {142, 35, 69}},
        {"#1\u01012345", {218, 35, 69}},
        {"#1\u00DF2345", {184, 35, 69}},
        {"#1\u20AC2345", {133, 35, 69}},
        {"#1\U0001F6002345", {217, 35, 69}},
        {"\xEF\xBB\xBF"
         "12345",
         {129, 35, 69}},
        {"#12345\xC3", {18, 52, 220}}};
    for (const auto& [code, expected] : cases) {
        uint8_t r = 1, g = 2, b = 3;
        tools::HexToRGB(code, r, g, b);
        EXPECT_EQ((std::array<int, 3>{r, g, b}), expected) << code;
    }
    for (const char* noPair : {"", "#FFF", "#1234567", "12345", "1234567", "#FFFFFFF"}) {
        uint8_t r = 1, g = 2, b = 3;
        tools::HexToRGB(noPair, r, g, b);
        EXPECT_EQ((std::array<int, 3>{r, g, b}), (std::array<int, 3>{1, 2, 3})) << noPair;
    }
}

TEST(IsDigit, OnlyASingleDecimalDigit) {
    for (const char* yes : {"0", "5", "9"})
        EXPECT_TRUE(tools::IsDigit(yes)) << yes;
    for (const char* no : {"", "a", "/", ":", "12", " 1", "-", "\xD9\xA3"})
        EXPECT_FALSE(tools::IsDigit(no)) << no;
}
