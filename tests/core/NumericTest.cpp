#include "core/Numeric.h"

#include <gtest/gtest.h>

using namespace core;

TEST(Rounding, TiesGoToTheEvenNeighbourAfterNarrowingToSingle) {
    const std::pair<double, double> ties[] = {{130.5, 130}, {131.5, 132}, {-0.5, 0},
                                              {-1.5, -2},   {2.4999, 2},  {2.5001, 3}};
    for (const auto& [v, rounded] : ties)
        EXPECT_EQ(roundHalfEven(v), rounded) << v;
    // 130.50000001 is 130.5 once stored in a 32-bit float, so it rounds to even
    const std::pair<double, int32_t> pixels[] = {
        {130.50000001, 130}, {131.49999999, 132}, {-0.4, 0}, {1e20, INT32_MAX}, {-1e20, INT32_MIN}};
    for (const auto& [v, pixel] : pixels)
        EXPECT_EQ(pixelCoordinate(v), pixel) << v;
}

TEST(ReadInt, PlainNumbersWithBlanksRoundedHalfToEvenWithinRange) {
    const std::pair<const char*, int> good[] = {
        {"12", 12},     {" 12 ", 12},     {"\t7", 7},         {"2.5", 2},  {"3.5", 4},
        {"3.50001", 4}, {"3.500", 4},     {"2.4999", 2},      {"+5", 5},   {".5", 0},
        {"-2.5", -2},   {"32767", 32767}, {"-32768", -32768}, {"0012", 12}};
    for (const auto& [text, value] : good)
        EXPECT_EQ(readInt16(text), value) << text;
    for (const char* bad : {"", " ", "abc", "12a", "1 2", "32768", "32767.5", "-32769", "0x10",
                            "1e3", "1,000", "--1", ".", "1.5.", "- 1"})
        EXPECT_FALSE(readInt16(bad).has_value()) << bad;
    // a text is read to its end and no further
    EXPECT_EQ(readInt16(std::string_view("12.5", 2)), 12);
    EXPECT_EQ(readInt32("2147483647"), 2147483647);
    EXPECT_EQ(readInt32("-2147483648"), INT32_MIN);
    EXPECT_FALSE(readInt32("2147483648").has_value());
    EXPECT_FALSE(readInt32("99999999999999999999999").has_value());
}
