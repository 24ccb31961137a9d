#include "io/ColorsFile.h"

#include <gtest/gtest.h>

// The layout of filled fields is held by the save of long pasted codes, byte for byte.
TEST(ColorsFileText, EmptyFieldsLeaveEmptyPiecesSoTheLabelsRunIntoEachOther) {
    EXPECT_EQ(io::colorsFileText({}), "Color1 R: G:  B: RGB:  HTML:  Websafe: \r\n"
                                      "Color2 R: G:  B: RGB:  HTML:  Websafe: \r\n"
                                      "Color3 R: G:  B: RGB:  HTML:  Websafe: \r\n");
}
