#include "io/ColorsFile.h"

#include <gtest/gtest.h>

TEST(ColorsFileText, LaysOutEveryNotationWithItsUnevenSpacingInThreeLines) {
    EXPECT_EQ(io::colorsFileText({{{"86", "52", "18", "1193046", "#563412", "#663300"},
                                   {"255", "255", "255", "16777215", "#FFFFFF", "#FFFFFF"},
                                   {"0", "128", "7", "491520", "#008007", "#009900"}}}),
              "Color1 R:86 G: 52 B:18 RGB: 1193046 HTML: #563412 Websafe: #663300\r\n"
              "Color2 R:255 G: 255 B:255 RGB: 16777215 HTML: #FFFFFF Websafe: #FFFFFF\r\n"
              "Color3 R:0 G: 128 B:7 RGB: 491520 HTML: #008007 Websafe: #009900\r\n");
    // empty fields leave empty pieces, so the labels run into each other
    EXPECT_EQ(io::colorsFileText({}), "Color1 R: G:  B: RGB:  HTML:  Websafe: \r\n"
                                      "Color2 R: G:  B: RGB:  HTML:  Websafe: \r\n"
                                      "Color3 R: G:  B: RGB:  HTML:  Websafe: \r\n");
}
