#include "accessibility/Contrast.h"

#include <gtest/gtest.h>

using namespace accessibility;

namespace {

struct RatioCase {
    Rgb24 a;
    Rgb24 b;
    double ratio;
    const char* text;
    bool aaNormal;
};

} // namespace

TEST(Contrast, KnownRatiosAreCutToHundredthsAndJudgedOnTheExactRatio) {
    const RatioCase cases[] = {
        {0x000000, 0xFFFFFF, 21.0, "21.00:1", true},
        {0xFFFFFF, 0x777777, 4.4781, "4.47:1", false}, // order does not matter
        {0x767676, 0xFFFFFF, 4.5422, "4.54:1", true},  // the lightest grey passing AA on white
        {0xFFFFFF, 0xFFFFFF, 1.0, "1.00:1", false},
        {0x0000FF, 0xFFFFFF, 8.5925, "8.59:1", true},
    };
    for (const RatioCase& c : cases) {
        SCOPED_TRACE(c.text);
        const double ratio = contrastRatio(c.a, c.b);
        EXPECT_NEAR(ratio, c.ratio, 1e-4);
        EXPECT_EQ(ratioText(ratio), c.text);
        EXPECT_EQ(passes(ratio, Level::AaNormal), c.aaNormal);
    }
}

TEST(Contrast, ThresholdsAndTheCutAroundThem) {
    EXPECT_EQ(ratioText(4.5), "4.50:1");
    EXPECT_EQ(ratioText(4.4999), "4.49:1");
    EXPECT_EQ(ratioText(4.479999), "4.47:1");
    EXPECT_EQ(ratioText(1.05 / 0.05), "21.00:1");
    EXPECT_EQ(ratioWords(4.4783), "4.47 to 1");

    // just under 4.5 passes only the 3-levels, 4.5 adds AA normal and AAA large, 7 all
    EXPECT_EQ(levelWords(4.4999),
              "passes AA large text, non-text; fails AA normal text, AAA normal text, AAA large "
              "text");
    EXPECT_EQ(levelWords(4.5),
              "passes AA normal text, AA large text, AAA large text, non-text; fails AAA normal "
              "text");
    EXPECT_EQ(levelWords(7.0), "passes AA normal text, AA large text, AAA normal text, AAA large "
                               "text, non-text");
    EXPECT_EQ(levelWords(2.99), "fails AA normal text, AA large text, AAA normal text, AAA large "
                                "text, non-text");
    const std::pair<double, const char*> marks[] = {{2.9999, "fail"},     {3.0, "AA large"},
                                                    {4.4999, "AA large"}, {4.5, "AA"},
                                                    {6.99, "AA"},         {7.0, "AAA"}};
    for (const auto& [ratio, mark] : marks)
        EXPECT_STREQ(levelMark(ratio), mark) << ratio;
}

TEST(Contrast, ApcaMatchesPublishedExamples) {
    const struct {
        Rgb24 text;
        Rgb24 background;
        double lc;
        const char* shown;
    } cases[] = {
        {0x888888, 0xFFFFFF, 63.056, "63.1"},   {0xFFFFFF, 0x888888, -68.541, "-68.5"},
        {0x000000, 0xFFFFFF, 106.041, "106.0"}, {0xFFFFFF, 0x000000, -107.885, "-107.9"},
        {0x000000, 0xAAAAAA, 58.146, "58.1"},   {0xAAAAAA, 0x000000, -56.241, "-56.2"},
        {0x123456, 0x123456, 0.0, "0.0"},       {0xFAFAFA, 0xFFFFFF, 0.0, "0.0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        const double lc = apcaContrast(c.text, c.background);
        EXPECT_NEAR(lc, c.lc, 0.001);
        EXPECT_EQ(apcaText(lc), c.shown);
    }
}
