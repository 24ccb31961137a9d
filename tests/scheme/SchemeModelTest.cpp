#include "scheme/SchemeModel.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Recorded {
    scheme::SchemeModel model;
    std::vector<scheme::Change> changes;
    Recorded() {
        QObject::connect(&model, &scheme::SchemeModel::changed,
                         [this](scheme::Change c) { changes.push_back(c); });
    }
};

} // namespace

TEST(SchemeModel, MoveBeyondTheSurfaceStoresThePositionAndChangesNothingElse) {
    Recorded r;
    r.model.trackPointer(200, 60);
    const core::ColumnTexts before = r.model.texts(2);
    r.model.trackPointer(300, 50);
    EXPECT_EQ(r.model.pointerX(), 300.0f);
    EXPECT_EQ(r.model.texts(2), before);
    EXPECT_EQ(r.changes, std::vector<scheme::Change>{scheme::Change::PointerMove});
}

TEST(SchemeModel, RasterSwitchKeepsTheSchemeAndTheNextMoveReadsTheNewRaster) {
    Recorded r;
    r.model.trackPointer(60, 60);
    const core::ColumnTexts before = r.model.texts(2);
    r.model.setRaster(scheme::WheelRaster::WebSafe);
    EXPECT_EQ(r.model.texts(2), before);
    r.model.trackPointer(60, 60);
    EXPECT_EQ(r.model.swatchValue(2), r.model.raster(scheme::WheelRaster::WebSafe).at(60, 60));
    EXPECT_EQ(r.model.texts(2).decimal, std::to_string(r.model.swatchValue(2)));
}

TEST(SchemeModel, TypedTextStaysUntilTheSchemeWritesAgain) {
    Recorded r;
    r.model.trackPointer(200, 60);
    r.model.setText(1, scheme::Field::Blue, "typed");
    EXPECT_EQ(r.model.texts(1).blue, "typed");
    EXPECT_EQ(r.changes.size(), 1u);
    r.model.click();
    r.model.setRule(core::SchemeType::Triad); // a frozen wheel still follows the rule
    EXPECT_NE(r.model.texts(1).blue, "typed");
    EXPECT_EQ(r.model.rule(), core::SchemeType::Triad);
}
