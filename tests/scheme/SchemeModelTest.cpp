#include "scheme/SchemeModel.h"

#include <gtest/gtest.h>

#include <vector>

// A move beyond the surface only stores the position; typed text is no scheme change and stays
// until the scheme writes again, which a rule choice does even on a frozen wheel.
TEST(SchemeModel, OnlySchemeChangesWriteTheTextsAndAreAnnounced) {
    scheme::SchemeModel model;
    std::vector<scheme::Change> changes;
    QObject::connect(&model, &scheme::SchemeModel::changed,
                     [&changes](scheme::Change c) { changes.push_back(c); });
    model.trackPointer(200, 60);
    const core::ColumnTexts before = model.texts(2);
    model.setText(1, scheme::Field::Blue, "typed");
    model.trackPointer(300, 50);
    EXPECT_EQ(model.pointerX(), 300.0f);
    EXPECT_EQ(model.texts(2), before);
    EXPECT_EQ(model.texts(1).blue, "typed");
    EXPECT_EQ(changes, std::vector<scheme::Change>{scheme::Change::PointerMove});
    model.click();
    model.setRule(core::SchemeType::Triad);
    EXPECT_NE(model.texts(1).blue, "typed");
    EXPECT_EQ(model.rule(), core::SchemeType::Triad);
}
