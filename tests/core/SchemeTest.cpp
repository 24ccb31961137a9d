#include "core/Scheme.h"
#include "core/SchemeState.h"
#include "core/Wheel.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace core;

namespace {

const WheelGeometry kGeometry{130, 130.0f, 130.0f};
using Px = std::array<int32_t, 2>;

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

// The rules read the raster where it lies, the background around it on the surface and
// no colour at all past any of the surface's four edges.
TEST(RasterSurface, ReadsRasterThenBackgroundThenNothing) {
    const Raster raster(100, 50, 0x123456);
    RasterSurface surface(raster, 0xABCDEF);
    constexpr int32_t kLast = kWheelSurfaceSize - 1;
    EXPECT_EQ(surface.pixelAt(99, 49), 0x123456);
    EXPECT_EQ(surface.pixelAt(100, 0), 0xABCDEF);
    EXPECT_EQ(surface.pixelAt(kLast, kLast), 0xABCDEF);
    for (const auto& [x, y] : {Px{-1, 10}, Px{10, -1}, Px{kLast + 1, 10}, Px{10, kLast + 1}})
        EXPECT_EQ(surface.pixelAt(x, y), kNoColor) << x << "," << y;
}
