#include "tools/ColorConverter.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>

using tools::ConverterFields;

namespace {

core::Color sysTable(int32_t index) {
    return index == 15 ? core::rgbValue(212, 208, 200) : core::rgbValue(1, 2, 3);
}

/// Everything the converter shows after a conversion.
struct Shown {
    std::string rgb, html, websafe, r, g, b;
    core::Color swatch;
    friend bool operator==(const Shown& a, const Shown& b) {
        return a.rgb == b.rgb && a.html == b.html && a.websafe == b.websafe && a.r == b.r &&
               a.g == b.g && a.b == b.b && a.swatch == b.swatch;
    }
    friend std::ostream& operator<<(std::ostream& os, const Shown& s) {
        return os << "rgb '" << s.rgb << "' html '" << s.html << "' websafe '" << s.websafe
                  << "' r '" << s.r << "' g '" << s.g << "' b '" << s.b << "' swatch " << s.swatch;
    }
};

Shown shown(const ConverterFields& f) {
    return {f.txtrgb, f.txthtml, f.txtwebsafe, f.txtr, f.txtg, f.txtb, f.piccolor};
}

Shown convertFresh(const std::string& source) {
    ConverterFields f;
    f.txtsource = source;
    tools::convertColorCode(f, sysTable);
    return shown(f);
}

constexpr core::Color kStart = tools::kInitialSwatchColor;

struct Case {
    const char* source;
    Shown expected;
};

} // namespace

TEST(ConvertColorCode, WellFormedCodesOnAFreshWindow) {
    const Case cases[] = {
        {"#ffffff", {"16777215", "#FFFFFF", "#FFFFFF", "255", "255", "255", 16777215}},
        {"#336699", {"10053171", "#336699", "#336699", "51", "102", "153", 10053171}},
        {"#ffcc00", {"52479", "#FFCC00", "#FFCC00", "255", "204", "0", 52479}},
        {"#123456", {"5649426", "#123456", "#003366", "18", "52", "86", 5649426}},
        {"255-255-255", {"16777215", "#FFFFFF", "#FFFFFF", "255", "255", "255", 16777215}},
        {"18-52-86", {"5649426", "#123456", "#003366", "18", "52", "86", 5649426}},
        {"16777215", {"16777215", "#FFFFFF", "#FFFFFF", "255", "255", "255", 16777215}},
        {"5649426", {"5649426", "#123456", "#003366", "18", "52", "86", 5649426}},
        {"0", {"0", "#000000", "#000000", "0", "0", "0", 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(convertFresh(c.source), c.expected) << c.source;
}

TEST(ConvertColorCode, SixHexDigitsWithoutHashAreReadAsADecimalValue) {
    EXPECT_EQ(convertFresh("336699"),
              (Shown{"336699", "#3B2305", "#333300", "59", "35", "5", 336699}));
}

TEST(ConvertColorCode, ComponentPiecesAreCopiedAsTypedAndClampedWhenRead) {
    const Case cases[] = {
        {"300-0-0", {"255", "#FF0000", "#FF0000", "300", "0", "0", 255}},
        {" 12 - 0 - 0", {"12", "#0C0000", "#000000", " 12 ", " 0 ", " 0", 12}},
        {"255-0-0-99", {"255", "#FF0000", "#FF0000", "255", "0", "0", 255}},
        // fractions round half to even
        {"1.5-2.5-0.5", {"514", "#020200", "#000000", "1.5", "2.5", "0.5", 514}},
        {"0-0-32767", {"16711680", "#0000FF", "#0000FF", "0", "0", "32767", 16711680}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(convertFresh(c.source), c.expected) << c.source;
}

TEST(ConvertColorCode, UnreadablePiecesCopyWhatIsThereAndSkipTheRest) {
    const Case cases[] = {
        {"255-255", {"", "", "", "255", "255", "", kStart}},
        // a negative value contains "-", so it is taken for components
        {"-1", {"", "", "", "", "1", "", kStart}},
        {"40000-0-0", {"", "", "", "40000", "0", "0", kStart}},
        {"1e2-0-0", {"", "", "", "1e2", "0", "0", kStart}},
        {"--", {"", "", "", "", "", "", kStart}},
        {"a-b-c", {"", "", "", "a", "b", "c", kStart}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(convertFresh(c.source), c.expected) << c.source;
}

TEST(ConvertColorCode, MalformedHtmlCodesStillComplete) {
    const Case cases[] = {
        {"#FFF", {"0", "#000000", "#000000", "0", "0", "0", 0}},
        {"#", {"0", "#000000", "#000000", "0", "0", "0", 0}},
        {"#GGGGGG", {"1052688", "#101010", "#000000", "16", "16", "16", 1052688}},
        {"#12345", {"4531137", "#C12345", "#CC3333", "193", "35", "69", 4531137}},
        {"#1234567", {"0", "#000000", "#000000", "0", "0", "0", 0}},
        // a "#" first wins over a "-" later on
        {"#12-456", {"5661714", "#126456", "#006666", "18", "100", "86", 5661714}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(convertFresh(c.source), c.expected) << c.source;
}

TEST(ConvertColorCode, DecimalValuesOutsideTheColorRangeLeaveTheSwatch) {
    const Case cases[] = {
        {"16777216", {"16777216", "#000000", "#000000", "0", "0", "0", kStart}},
        {"2147483647", {"2147483647", "#FFFFFF", "#FFFFFF", "255", "255", "255", kStart}},
        {"2147483648", {"2147483648", "", "", "0", "0", "0", kStart}},
        {"12.5", {"12.5", "#0C0000", "#000000", "12", "0", "0", 12}},
        {"13.5", {"13.5", "#0E0000", "#000000", "14", "0", "0", 14}},
        {" 255 ", {" 255 ", "#FF0000", "#FF0000", "255", "0", "0", 255}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(convertFresh(c.source), c.expected) << c.source;
}

TEST(ConvertColorCode, EmptySourceOnAFreshWindowGivesZeroComponents) {
    EXPECT_EQ(convertFresh(""), (Shown{"", "", "", "0", "0", "0", kStart}));
}

TEST(ConvertColorCode, TextThatIsNoNumberTakesComponentsFromTheOldHtmlField) {
    ConverterFields f;
    f.txtsource = "#336699";
    tools::convertColorCode(f, sysTable);
    f.txtsource = "FFFFFF";
    tools::convertColorCode(f, sysTable);
    EXPECT_EQ(shown(f), (Shown{"FFFFFF", "#336699", "#336699", "51", "102", "153", 10053171}));
}

TEST(ConvertColorCode, TwoPiecesRecomputeTheCodesFromTheUnchangedRgbField) {
    ConverterFields f;
    f.txtsource = "#336699";
    tools::convertColorCode(f, sysTable);
    // the user overwrote the codes by hand: the recomputation must show through
    f.txthtml = "typed";
    f.txtwebsafe = "typed";
    f.piccolor = 0;
    f.txtsource = "255-255";
    tools::convertColorCode(f, sysTable);
    EXPECT_EQ(shown(f), (Shown{"10053171", "#336699", "#336699", "255", "255", "153", 10053171}));
}

TEST(ConvertColorCode, ComponentPathReadsWhateverTheRgbFieldHolds) {
    ConverterFields f;
    f.txtrgb = "16777216"; // a number, but no colour: codes from its low bits, swatch kept
    f.txtsource = "1-2";
    tools::convertColorCode(f, sysTable);
    EXPECT_EQ(shown(f), (Shown{"16777216", "#000000", "#000000", "1", "2", "", kStart}));
}

TEST(ConvertColorCode, DecimalPathSplitsAHandTypedHtmlField) {
    ConverterFields f;
    f.txthtml = "abcdef";
    f.txtsource = "not a number";
    tools::convertColorCode(f, sysTable);
    EXPECT_EQ(shown(f), (Shown{"not a number", "abcdef", "", "171", "205", "239", kStart}));
}

TEST(HexToRGB, ReadsHashAndSevenOrAnySixCharacters) {
    struct HexCase {
        const char* code;
        int r, g, b;
    };
    const HexCase cases[] = {
        {"#FFFFFF", 255, 255, 255}, {"#ffcc00", 255, 204, 0}, {"123456", 18, 52, 86},
        {"#12345", 193, 35, 69},    {"GGGGGG", 16, 16, 16},   {"#-1-2-", 182, 6, 22},
        {"zzzzzz", 83, 83, 83},
    };
    for (const HexCase& c : cases) {
        uint8_t r = 7, g = 7, b = 7;
        tools::HexToRGB(c.code, r, g, b);
        EXPECT_EQ((std::array<int, 3>{r, g, b}), (std::array<int, 3>{c.r, c.g, c.b})) << c.code;
    }
}

TEST(HexToRGB, NoPairLeavesTheCallersComponents) {
    for (const char* code : {"", "#FFF", "#1234567", "12345", "1234567", "#FFFFFFF"}) {
        uint8_t r = 1, g = 2, b = 3;
        tools::HexToRGB(code, r, g, b);
        EXPECT_EQ((std::array<int, 3>{r, g, b}), (std::array<int, 3>{1, 2, 3})) << code;
    }
}

TEST(HexToRGB, CountsCharactersNotBytes) {
    // "é" upper-cases to "É" (code 201): 16 * 146 keeps 32 in its byte, plus 1
    uint8_t r = 0, g = 0, b = 0;
    tools::HexToRGB("#\xC3\xA9"
                    "12345",
                    r, g, b);
    EXPECT_EQ((std::array<int, 3>{r, g, b}), (std::array<int, 3>{33, 35, 69}));
}

TEST(IsDigit, OnlyASingleDecimalDigit) {
    for (const char* yes : {"0", "5", "9"})
        EXPECT_TRUE(tools::IsDigit(yes)) << yes;
    for (const char* no : {"", "a", "/", ":", "12", " 1", "-", "\xD9\xA3"})
        EXPECT_FALSE(tools::IsDigit(no)) << no;
}
