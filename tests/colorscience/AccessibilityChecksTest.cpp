#include "colorscience/SchemeCheck.h"

#include "colorscience/ColorDifference.h"
#include "colorscience/PaletteCheck.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <vector>

using namespace colorscience;

namespace {

ColorRGB rgb(int r, int g, int b) {
    return {uint8_t(r), uint8_t(g), uint8_t(b)};
}

/// The colour of a code written as 0xRRGGBB.
ColorRGB hex(uint32_t code) {
    return rgb(int(code >> 16 & 0xFFu), int(code >> 8 & 0xFFu), int(code & 0xFFu));
}

/// The opaque picture word 0xAARRGGBB of a colour.
uint32_t pixelOf(ColorRGB c) {
    return 0xFF000000u | uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b;
}

} // namespace

TEST(Contrast, KnownRatiosCutToHundredthsJudgedOnTheExactRatioAndApcaAsPublished) {
    struct PairCase {
        ColorRGB first, second;
        double value;
        const char* shown;
        bool aaNormal = false;
    };
    const PairCase cases[] = {
        {hex(0x000000), hex(0xFFFFFF), 21.0, "21.00:1", true},
        {hex(0xFFFFFF), hex(0x777777), 4.4781, "4.47:1", false}, // order does not matter
        {hex(0x767676), hex(0xFFFFFF), 4.5422, "4.54:1",
         true}, // the lightest grey passing AA on white
        {hex(0x0A00FF), hex(0xFFFFFF), 8.5473, "8.54:1", true}, // red in the linear segment
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(contrastRatio(c.first, c.second), c.value, 1e-4) << c.shown;
        EXPECT_EQ(ratioText(contrastRatio(c.first, c.second)), c.shown);
        EXPECT_EQ(passes(contrastRatio(c.first, c.second), Level::AaNormal), c.aaNormal) << c.shown;
    }
    // cut, never rounded up, and 21 computed as 20.999... still shows 21
    const std::pair<double, const char*> cuts[] = {
        {4.4999, "4.49:1"}, {4.5, "4.50:1"}, {1.05 / 0.05, "21.00:1"}};
    for (const auto& [ratio, text] : cuts)
        EXPECT_EQ(ratioText(ratio), text);
    // just under and at 4.5; the marks at each threshold
    EXPECT_EQ(levelWords(4.4999), "passes AA large text, non-text; fails AA normal text, AAA "
                                  "normal text, AAA large text");
    EXPECT_EQ(levelWords(4.5), "passes AA normal text, AA large text, AAA large text, non-text; "
                               "fails AAA normal text");
    const std::pair<double, const char*> marks[] = {
        {2.9999, "fail"}, {3.0, "AA large"}, {4.5, "AA"}, {6.99, "AA"}, {7.0, "AAA"}};
    for (const auto& [ratio, mark] : marks)
        EXPECT_STREQ(levelMark(ratio), mark) << ratio;

    const PairCase apca[] = {
        // text color, background color
        {hex(0x888888), hex(0xFFFFFF), 63.056, "63.1"},
        {hex(0xFFFFFF), hex(0x888888), -68.541, "-68.5"},
        {hex(0x000000), hex(0xFFFFFF), 106.041, "106.0"},
        {hex(0xFFFFFF), hex(0x000000), -107.885, "-107.9"},
        {hex(0x000000), hex(0xAAAAAA), 58.146, "58.1"},
        {hex(0xFAFAFA), hex(0xFFFFFF), 0.0, "0.0"},
    };
    for (const auto& c : apca) {
        EXPECT_NEAR(apcaContrast(c.first, c.second), c.value, 0.001) << c.shown;
        EXPECT_EQ(apcaText(apcaContrast(c.first, c.second)), c.shown);
    }
}

TEST(ColorDifference, Ciede2000MatchesSharmaWuDalalAndLabTheKnownColors) {
    std::ifstream published(CHROMALUNE_CIEDE2000_PAIRS);
    std::string line;
    int pairs = 0;
    while (std::getline(published, line)) {
        Lab first, second;
        double difference = 0;
        std::istringstream row(line);
        if (line[0] == '#' || !(row >> first.L >> first.a >> first.b >> second.L >> second.a >>
                                second.b >> difference))
            continue;
        ++pairs;
        EXPECT_NEAR(ciede2000(first, second), difference, 5e-5) << line;
        EXPECT_NEAR(ciede2000(second, first), difference, 5e-5) << line;
    }
    EXPECT_EQ(pairs, 35);
    // the matrix's own white comes out neutral; red's CIELAB values
    const Lab red = srgbToLab(hex(0xFF0000)), white = srgbToLab(hex(0xFFFFFF));
    EXPECT_NEAR(red.L + red.a + red.b, 53.2408 + 80.0925 + 67.2032, 3e-3);
    EXPECT_NEAR(std::abs(white.L - 100.0) + std::abs(white.a) + std::abs(white.b), 0.0, 1e-3);
}

TEST(VisionSimulation, PrimariesFollowTheMatricesGreysStayGreyAndTheFastPathIsExact) {
    // each primary's linear result is one matrix column, clamped and encoded
    const std::array<ColorRGB, 3> seen[] = {
        {rgb(109, 95, 0), rgb(255, 229, 0), rgb(0, 89, 255)},
        {rgb(163, 144, 0), rgb(239, 214, 58), rgb(0, 61, 251)},
        {rgb(255, 0, 15), rgb(0, 247, 217), rgb(0, 107, 150)},
        {rgb(127, 127, 127), rgb(220, 220, 220), rgb(76, 76, 76)},
    };
    std::vector<uint32_t> colors;
    for (uint32_t c = 0; c <= 0xFFFFFFu; c += 331) // every level of every channel, mixed
        colors.push_back(0xFF000000u | c);
    for (int v = 0; v < 256; ++v) // and the pure and extreme mixtures
        for (ColorRGB c : {rgb(v, 0, 255 - v), rgb(0, v, v * 37 % 256), rgb(255, v, 255 - v)})
            colors.push_back(pixelOf(c));
    std::vector<uint32_t> fast(colors.size());
    for (Simulation s : {Simulation::Protanopia, Simulation::Deuteranopia, Simulation::Tritanopia,
                         Simulation::Achromatopsia}) {
        const std::array<ColorRGB, 3> primaries = {
            simulate(s, hex(0xFF0000)), simulate(s, hex(0x00FF00)), simulate(s, hex(0x0000FF))};
        EXPECT_EQ(primaries, seen[int(s)]) << simulationName(s);
        for (int v = 0; v < 256; ++v) // and linearising and encoding undo each other
            ASSERT_EQ(simulate(s, rgb(v, v, v)), rgb(v, v, v)) << simulationName(s) << v;
        simulatePixels(s, colors.data(), fast.data(), colors.size());
        for (size_t i = 0; i < colors.size(); ++i)
            ASSERT_EQ(fast[i], pixelOf(simulate(s, hex(colors[i] & 0xFFFFFFu))))
                << simulationName(s) << " " << std::hex << colors[i];
    }
}

TEST(SchemeCheck, ReportListsEveryPairOnItsOwnLineAndFlagsPairsInWords) {
    const SchemeCheck check = checkScheme({hex(0xCC3333), hex(0x006633), hex(0x777777)});
    const std::string report = reportText(check);
    // red and green collapse for a protanope; a tritanope keeps them apart
    const std::string lines[] = {
        "\nColor 3 on White: 4.47:1; passes AA large text, non-text; fails AA normal text, AAA "
        "normal text, AAA large text\n",
        "\nProtanopia, Color 1 and Color2: difference " +
            differenceText(check.pairs[0].difference) + ", hard to tell apart\n",
        "\nTritanopia, Color 1 and Color2: difference " +
            differenceText(check.pairs[6].difference) + ", distinct\n",
    };
    for (const std::string& line : lines)
        EXPECT_NE(report.find(line), std::string::npos) << line;
    // a header, 10 unordered pairs of 5 colors, 20 ordered ones, 12 simulated pairs, and
    // three section headings each after a blank line
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1 + 10 + 20 + 12 + 3 * 2);
}

// Each cell of the grids is its row's colour as text on its column's, every colour included.
TEST(SchemeCheck, EveryCellHoldsItsRowAsTextOnItsColumn) {
    const SchemeCheck check = checkScheme({hex(0xCC3333), hex(0x006633), hex(0x777777)});
    EXPECT_EQ(check.colors[3], hex(0xFFFFFF));
    EXPECT_EQ(check.colors[4], hex(0x000000));
    for (size_t row = 0; row < kCheckedColors; ++row)
        for (size_t column = 0; column < kCheckedColors; ++column) {
            const ColorRGB text = check.colors[row], back = check.colors[column];
            EXPECT_EQ(check.ratio[row][column], contrastRatio(text, back)) << row << column;
            EXPECT_EQ(check.lc[row][column], apcaContrast(text, back)) << row << column;
        }
}

// A whole palette: every pair once, those usable as text (AA) first; a pair only a deficiency
// confuses fails for it alone, a pair too close for anyone fails for every deficiency.
TEST(PaletteCheck, ListsUsablePairsFirstAndFlagsPairsPerDeficiency) {
    using colorscience::Simulation;
    // #D03030 and #5C8A00 differ in normal vision and merge without green cones
    const std::vector<ColorRGB> colors = {hex(0xFFFFFF), hex(0xD03030), hex(0x5C8A00),
                                          hex(0x000000), hex(0x3366CC), hex(0x3467CC)};
    const colorscience::PaletteCheck check = colorscience::checkPalette(colors);
    ASSERT_EQ(check.pairs.size(), 15u);
    bool failingSeen = false;
    for (size_t p = 0; p < check.pairs.size(); ++p) {
        const colorscience::PalettePair& pair = check.pairs[p];
        const bool aa = pair.ratio >= 4.5;
        EXPECT_FALSE(aa && failingSeen) << "an AA pair after a failing one";
        failingSeen = failingSeen || !aa;
        if (p > 0 && (check.pairs[p - 1].ratio >= 4.5) == aa) {
            EXPECT_GE(check.pairs[p - 1].ratio, pair.ratio);
        }
        EXPECT_DOUBLE_EQ(pair.ratio, colorscience::contrastRatio(colors[size_t(pair.first)],
                                                                 colors[size_t(pair.second)]));
        EXPECT_DOUBLE_EQ(
            pair.lcSecondOnFirst,
            colorscience::apcaContrast(colors[size_t(pair.second)], colors[size_t(pair.first)]));
    }
    EXPECT_EQ(check.pairs.front().ratio, 21.0);
    const auto pairOf = [&check](int a, int b) {
        return *std::find_if(check.pairs.begin(), check.pairs.end(),
                             [a, b](const auto& p) { return p.first == a && p.second == b; });
    };
    const colorscience::PalettePair redGreen = pairOf(1, 2);
    EXPECT_FALSE(redGreen.tooClose);
    EXPECT_TRUE(redGreen.hardUnder[int(Simulation::Deuteranopia)]);
    EXPECT_FALSE(redGreen.hardUnder[int(Simulation::Tritanopia)]);
    const colorscience::PalettePair twins = pairOf(4, 5);
    EXPECT_TRUE(twins.tooClose);
    for (int s = 0; s < colorscience::kSimulationCount; ++s) {
        EXPECT_FALSE(twins.hardUnder[size_t(s)]);
        EXPECT_TRUE(twins.failsUnder(s));
    }
    EXPECT_EQ(colorscience::verdictText(check, int(Simulation::Tritanopia)),
              "Tritanopia: 1 pair fails (#3366CC and #3467CC too close in any vision)");
    // a named colour is named, its name cut short
    const colorscience::PaletteCheck named = colorscience::checkPalette(
        colors, {"", "", "", "", "Brand blue", "Brand blue, a shade lighter"});
    EXPECT_EQ(colorscience::verdictText(named, int(Simulation::Tritanopia)),
              "Tritanopia: 1 pair fails (Brand blue #3366CC and Brand blue, a shade ligh... "
              "#3467CC too close in any vision)");
    EXPECT_EQ(
        colorscience::verdictText(colorscience::checkPalette({hex(0xFFFFFF), hex(0x000000)}), 0),
        "Protanopia: safe");
    const colorscience::PaletteCheck large =
        colorscience::checkPalette(std::vector<ColorRGB>(130, hex(0x808080)));
    EXPECT_TRUE(large.colors.size() == 100 && large.leftOut == 30 && large.pairs.size() == 4950);
    EXPECT_NE(colorscience::verdictText(large, 3).find(", and 4947 more)"), std::string::npos);
}
