#include "ui/ColorConversion.h"

#include <gtest/gtest.h>

TEST(ColorConversion, ShowsTheDisplayedColorAndReadsItBack) {
    // value and the colour shown for it
    const std::pair<core::Color, QRgb> cases[] = {
        {core::rgbValue(255, 204, 0), qRgb(255, 204, 0)},
        // a system colour reference shows its entry (caption text, button face), black for
        // an entry no window shows
        {INT32_MIN | 9, qRgb(255, 255, 255)},
        {INT32_MIN | 15, qRgb(212, 208, 200)},
        {INT32_MIN | 30, qRgb(0, 0, 0)},
        // any other top byte is dropped
        {0x7F000000 | core::rgbValue(0x56, 0x34, 0x12), qRgb(0x56, 0x34, 0x12)},
    };
    for (const auto& [value, shown] : cases) {
        EXPECT_EQ(ui::toQRgb(value), shown) << value;
        EXPECT_EQ(ui::toQColor(value), QColor(shown)) << value;
    }
    // reading back takes red, green and blue and ignores alpha
    EXPECT_EQ(ui::fromQColor(QColor(255, 204, 0, 10)), core::rgbValue(255, 204, 0));
}
