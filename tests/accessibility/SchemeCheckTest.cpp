#include "accessibility/SchemeCheck.h"

#include <gtest/gtest.h>

using namespace accessibility;

TEST(SchemeCheck, ReportListsEveryPairOnItsOwnLine) {
    const SchemeCheck check = checkScheme({0xCC3333, 0x006633, 0x777777});
    const std::string report = reportText(check);
    const char* const lines[] = {
        "Accessibility check of the scheme Color 1 #CC3333, Color2 #006633, Color 3 #777777\n",
        "\nColor 3 on White: 4.47:1; passes AA large text, non-text; fails AA normal text, AAA "
        "normal text, AAA large text\n",
        "\nWhite on Black: 21.00:1; passes AA normal text, AA large text, AAA normal text, AAA "
        "large text, non-text\n",
        "\nColor 3 on White: Lc 71.1\n",
        "\nBlack on White: Lc 106.0\n",
        "\nWhite on Black: Lc -107.9\n",
        "\nProtanopia, Color 1 and Color2: difference ",
        "\nAchromatopsia, Color2 and Color 3: difference ",
    };
    for (const char* line : lines)
        EXPECT_NE(report.find(line), std::string::npos) << line;
    // a header, 10 unordered pairs of 5 colours, 20 ordered ones, 12 simulated pairs, and
    // three section headings each after a blank line
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1 + 10 + 20 + 12 + 3 * 2);

    // red and green collapse for a red-green dichromat; the report says so in words
    const SimulatedPair& redGreen = check.pairs[0];
    EXPECT_LT(redGreen.difference, kHardToTellApart);
    EXPECT_NE(report.find("Protanopia, Color 1 and Color2: difference " +
                          differenceText(redGreen.difference) + ", hard to tell apart\n"),
              std::string::npos);
    // a tritanope keeps red and green apart
    EXPECT_FALSE(check.pairs[6].hardToTell);
    EXPECT_NE(report.find("Tritanopia, Color 1 and Color2: difference " +
                          differenceText(check.pairs[6].difference) + ", distinct\n"),
              std::string::npos);
    EXPECT_EQ(differenceText(9.9999), "9.9");
    EXPECT_EQ(differenceText(42.35), "42.3");
    EXPECT_EQ(contrastWords(check, 2, 3), "Color 3 on White: 4.47 to 1; passes AA large text, "
                                          "non-text; fails AA normal text, AAA normal text, AAA "
                                          "large text");
}
