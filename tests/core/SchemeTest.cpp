#include "core/Scheme.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace core;

namespace {

const WheelGeometry kGeometry{130, 130.0f, 130.0f};
using Px = std::array<int32_t, 2>;

/// Records the lines a rule writes (the slots are checked through the main window).
struct Recorder : PixelReader, SchemeSlots, ConstructionLines {
    struct Line {
        bool visible = false;
        float x1 = -1, y1 = -1, x2 = -1, y2 = -1;
    } line[4];
    Color pixelAt(int32_t, int32_t) override { return 0; }
    void setSwatchColor(int, Color) override {}
    void setDecimalText(int, const std::string&) override {}
    void setHtmlText(int, const std::string&) override {}
    void setLineVisible(int k, bool v) override { line[k].visible = v; }
    void placeLine(int k, float a, float b, float c, float d) override {
        line[k] = {line[k].visible, a, b, c, d};
    }
};

} // namespace

TEST(SchemeRules, SamplePointsOfTheWorkedPositions) {
    // rule, pointer x and y, then where P1 and P2 are read; the window's tests read the
    // rules at (200, 60) but a triad's
    const std::tuple<SchemeType, float, float, Px, std::optional<Px>> cases[] = {
        {SchemeType::Triad, 200, 60, {92, 39}, Px{221, 168}},
        {SchemeType::Analogous, 130, 30, {168, 38}, Px{92, 38}},
        {SchemeType::Triad, 130, 230, {222, 168}, Px{38, 168}},
        {SchemeType::Complementary, 60, 200, {200, 60}, std::nullopt},
        {SchemeType::Complementary, 60, 60, {200, 200}, std::nullopt},
        {SchemeType::Complementary, 200, 200, {60, 60}, std::nullopt},
        {SchemeType::Complementary, 30, 130, {230, 130}, std::nullopt},
        {SchemeType::Monochromatic, 250, 10, {240, 20}, Px{204, 56}},
        {SchemeType::Monochromatic, 240, 130, {262, 130}, Px{218, 130}},
        {SchemeType::Analogous, 130, 130, {130, 130}, Px{130, 130}},
    };
    for (const auto& [type, x, y, p1, p2] : cases) {
        const SchemeReads reads = schemeReads(type, x, y, kGeometry);
        SCOPED_TRACE(testing::Message() << int(type) << " at " << x << "," << y);
        EXPECT_EQ(reads.base, (Px{int32_t(x), int32_t(y)}));
        EXPECT_EQ(reads.p1, p1);
        EXPECT_EQ(reads.p2, p2);
    }
}

// Each rule shows its own construction lines.
TEST(SchemeRun, EachRuleShowsItsLines) {
    Recorder w;
    runScheme(SchemeType::Analogous, 200, 60, kGeometry, w, w, w);
    EXPECT_TRUE(w.line[1].visible && w.line[2].visible && w.line[3].visible);
    EXPECT_EQ((std::array{w.line[1].x1, w.line[1].y1, w.line[1].x2, w.line[1].y2}),
              (std::array{130.0f, 130.0f, 200.0f, 60.0f}));
    EXPECT_NEAR(w.line[3].x2, 167.88, 0.01);
    EXPECT_NEAR(w.line[2].y2, 92.12, 0.01);
    runScheme(SchemeType::Complementary, 200, 60, kGeometry, w, w, w);
    EXPECT_TRUE(w.line[1].visible && w.line[2].visible && !w.line[3].visible);
    // monochromatic shows only the white line and keeps the others' ends
    const float oldEnd = w.line[2].x2;
    runScheme(SchemeType::Monochromatic, 240, 130, kGeometry, w, w, w);
    EXPECT_TRUE(w.line[1].visible && !w.line[2].visible && !w.line[3].visible);
    EXPECT_EQ(w.line[2].x2, oldEnd);
    EXPECT_EQ(w.line[1].x2, 240.0f);
}
