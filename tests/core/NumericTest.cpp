#include "core/Numeric.h"

#include <gtest/gtest.h>

using namespace core;

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(130.5), 130);
    EXPECT_EQ(roundHalfEven(131.5), 132);
    EXPECT_EQ(roundHalfEven(-0.5), 0);
    EXPECT_EQ(roundHalfEven(-1.5), -2);
    EXPECT_EQ(roundHalfEven(2.4999), 2);
    EXPECT_EQ(roundHalfEven(2.5001), 3);
}

TEST(PixelCoordinate, NarrowsToSingleBeforeRounding) {
    // 130.50000001 is 130.5 once stored in a 32-bit float, so it rounds to even
    EXPECT_EQ(pixelCoordinate(130.50000001), 130);
    EXPECT_EQ(pixelCoordinate(131.49999999), 132);
    EXPECT_EQ(pixelCoordinate(-0.4), 0);
    EXPECT_EQ(pixelCoordinate(1e20), INT32_MAX);
}

TEST(ReadInt16, AcceptsPlainNumbersWithBlanksAndRoundsFractions) {
    EXPECT_EQ(readInt16("12"), 12);
    EXPECT_EQ(readInt16(" 12 "), 12);
    EXPECT_EQ(readInt16("\t7"), 7);
    EXPECT_EQ(readInt16("2.5"), 2);
    EXPECT_EQ(readInt16("3.5"), 4);
    EXPECT_EQ(readInt16("3.50001"), 4);
    EXPECT_EQ(readInt16("2.4999"), 2);
    EXPECT_EQ(readInt16("+5"), 5);
    EXPECT_EQ(readInt16("32767"), 32767);
    EXPECT_EQ(readInt16("-32768"), -32768);
    EXPECT_EQ(readInt16(".5"), 0);
}

TEST(ReadInt16, RejectsTextAndOutOfRange) {
    for (const char* bad : {"", " ", "abc", "12a", "1 2", "32768", "32767.5", "-32769", "0x10",
                            "1e3", "1,000", "--1", "."}) {
        EXPECT_FALSE(readInt16(bad).has_value()) << bad;
    }
}

TEST(ReadInt32, CoversTheThirtyTwoBitRange) {
    EXPECT_EQ(readInt32("16777215"), 16777215);
    EXPECT_EQ(readInt32("2147483647"), 2147483647);
    EXPECT_FALSE(readInt32("2147483648").has_value());
    EXPECT_FALSE(readInt32("99999999999999999999999").has_value());
    EXPECT_EQ(readInt32("336699"), 336699);
}
