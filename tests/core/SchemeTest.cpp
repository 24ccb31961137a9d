#include "core/Scheme.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <vector>

using namespace core;

namespace {

const WheelGeometry kGeometry{130, 130.0f, 130.0f};
using Px = std::array<int32_t, 2>;

/// A wheel whose pixel at (x, y) is the value x + 1000 y, so a slot's value says where
/// it was read; -1 outside 0..259.
struct CoordinateReader : PixelReader {
    std::vector<Px> reads;
    Color GetPixel(int32_t x, int32_t y) override {
        reads.push_back({x, y});
        if (x < 0 || y < 0 || x >= 260 || y >= 260)
            return -1;
        return x + 1000 * y;
    }
};

struct FakeSlots : SchemeSlots {
    std::map<int, Color> swatch;
    std::map<int, std::string> decimal, html;
    void setSwatchColor(int k, Color v) override { swatch[k] = v; }
    void setDecimalText(int k, const std::string& t) override { decimal[k] = t; }
    void setHtmlText(int k, const std::string& t) override { html[k] = t; }
};

struct FakeLines : ConstructionLines {
    struct L {
        bool visible = false;
        float x1 = -1, y1 = -1, x2 = -1, y2 = -1;
    };
    L line[4];
    void setLineVisible(int k, bool v) override { line[k].visible = v; }
    void placeLine(int k, float a, float b, float c, float d) override {
        line[k] = {line[k].visible, a, b, c, d};
    }
};

struct RuleCase {
    SchemeType type;
    float x, y;
    std::optional<Px> p1, p2;
};

} // namespace

TEST(SchemeTheta, QuadrantsAndAxes) {
    EXPECT_DOUBLE_EQ(pointerTheta(130, 130, kGeometry), 0);
    EXPECT_DOUBLE_EQ(pointerTheta(130, 30, kGeometry), 90);
    EXPECT_DOUBLE_EQ(pointerTheta(130, 230, kGeometry), 270);
    EXPECT_DOUBLE_EQ(pointerTheta(30, 130, kGeometry), 180);
    EXPECT_DOUBLE_EQ(pointerTheta(230, 130, kGeometry), 0);
    EXPECT_NEAR(pointerTheta(200, 60, kGeometry), 45, 1e-9);
    EXPECT_NEAR(pointerTheta(60, 60, kGeometry), 135, 1e-9);
    EXPECT_NEAR(pointerTheta(60, 200, kGeometry), 225, 1e-9);
    EXPECT_NEAR(pointerTheta(200, 200, kGeometry), -45, 1e-9);
}

TEST(SchemeRadius, ClampsToTheLargestRadius) {
    EXPECT_NEAR(clampedRadius(200, 60, kGeometry), 98.995, 1e-3);
    EXPECT_DOUBLE_EQ(clampedRadius(250, 10, kGeometry), 130);
    EXPECT_DOUBLE_EQ(clampedRadius(130, 130, kGeometry), 0);
}

TEST(SchemeRules, SamplePointsOfTheWorkedPositions) {
    const RuleCase cases[] = {
        {SchemeType::Complementary, 200, 60, Px{60, 200}, std::nullopt},
        {SchemeType::Analogous, 200, 60, Px{221, 92}, Px{168, 39}},
        {SchemeType::SplitComplementary, 200, 60, Px{39, 168}, Px{92, 221}},
        {SchemeType::Triad, 200, 60, Px{92, 39}, Px{221, 168}},
        {SchemeType::Monochromatic, 200, 60, Px{214, 46}, Px{186, 74}},
        {SchemeType::Analogous, 130, 30, Px{168, 38}, Px{92, 38}},
        {SchemeType::Triad, 130, 30, Px{38, 92}, Px{222, 92}},
        {SchemeType::Monochromatic, 130, 30, Px{130, 10}, Px{130, 50}},
        {SchemeType::Complementary, 60, 200, Px{200, 60}, std::nullopt},
        {SchemeType::Monochromatic, 250, 10, Px{240, 20}, std::nullopt},
        {SchemeType::Monochromatic, 240, 130, Px{262, 130}, std::nullopt},
    };
    for (const RuleCase& c : cases) {
        const SchemeReads reads = schemeReads(c.type, c.x, c.y, kGeometry);
        const std::string where = std::to_string(static_cast<int>(c.type)) + " at " +
                                  std::to_string(c.x) + "," + std::to_string(c.y);
        EXPECT_EQ(reads.base, (Px{static_cast<int32_t>(c.x), static_cast<int32_t>(c.y)})) << where;
        ASSERT_TRUE(reads.p1.has_value()) << where;
        EXPECT_EQ(*reads.p1, *c.p1) << where;
        if (c.p2) {
            EXPECT_EQ(reads.p2, c.p2) << where;
        }
    }
}

TEST(SchemeRules, CentreReadsTheCentreForEverySlot) {
    for (int index = 0; index < 5; ++index) {
        const SchemeReads reads = schemeReads(*schemeTypeFromIndex(index), 130, 130, kGeometry);
        EXPECT_EQ(reads.base, (Px{130, 130}));
        EXPECT_EQ(*reads.p1, (Px{130, 130})) << index;
        if (reads.p2) {
            EXPECT_EQ(*reads.p2, (Px{130, 130})) << index;
        }
    }
}

TEST(SchemeRules, AnglesAreNeverNormalised) {
    // theta = 270 in Triad gives 562.5 degrees for P2; sine and cosine take it as it is
    const SchemeReads reads = schemeReads(SchemeType::Triad, 130, 230, kGeometry);
    const SamplePoint p = pointAt(562.5, 100, kGeometry);
    EXPECT_EQ(*reads.p2,
              (Px{static_cast<int32_t>(std::lround(p.x)), static_cast<int32_t>(std::lround(p.y))}));
}

TEST(SchemeRun, AnalogousFillsAllSlotsInOrderAndShowsAllLines) {
    CoordinateReader reader;
    FakeSlots slots;
    FakeLines lines;
    runScheme(SchemeType::Analogous, 200, 60, kGeometry, reader, slots, lines);
    ASSERT_EQ(reader.reads.size(), 3u);
    EXPECT_EQ(reader.reads[0], (Px{200, 60}));
    EXPECT_EQ(slots.swatch[2], 200 + 1000 * 60);
    EXPECT_EQ(slots.swatch[1], 221 + 1000 * 92);
    EXPECT_EQ(slots.swatch[3], 168 + 1000 * 39);
    EXPECT_EQ(slots.decimal[1], std::to_string(221 + 1000 * 92));
    EXPECT_EQ(slots.html[2], HtmlCode(200 + 1000 * 60));
    for (int k = 1; k <= 3; ++k)
        EXPECT_TRUE(lines.line[k].visible) << k;
    EXPECT_EQ(lines.line[1].x1, 130);
    EXPECT_EQ(lines.line[1].x2, 200);
    EXPECT_EQ(lines.line[1].y2, 60);
}

TEST(SchemeRun, ComplementaryEmptiesSlotThreeTextsButLeavesItsSwatch) {
    CoordinateReader reader;
    FakeSlots slots;
    FakeLines lines;
    runScheme(SchemeType::Complementary, 200, 60, kGeometry, reader, slots, lines);
    EXPECT_EQ(slots.swatch.count(3), 0u);
    EXPECT_EQ(slots.decimal[3], "");
    EXPECT_EQ(slots.html[3], "");
    EXPECT_TRUE(lines.line[2].visible);
    EXPECT_FALSE(lines.line[3].visible);
}

TEST(SchemeRun, MonochromaticShowsOnlyTheWhiteLineAndKeepsOldEndpoints) {
    CoordinateReader reader;
    FakeSlots slots;
    FakeLines lines;
    runScheme(SchemeType::Analogous, 200, 60, kGeometry, reader, slots, lines);
    const float oldEnd = lines.line[2].x2;
    runScheme(SchemeType::Monochromatic, 240, 130, kGeometry, reader, slots, lines);
    EXPECT_TRUE(lines.line[1].visible);
    EXPECT_FALSE(lines.line[2].visible);
    EXPECT_FALSE(lines.line[3].visible);
    EXPECT_EQ(lines.line[2].x2, oldEnd);
    // P1 at (262, 130) lies beyond the surface: the slot gets -1
    EXPECT_EQ(slots.swatch[1], -1);
    EXPECT_EQ(slots.decimal[1], "-1");
    EXPECT_EQ(slots.html[1], "#FFFFFF");
}
