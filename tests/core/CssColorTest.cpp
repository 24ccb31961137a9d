#include "core/CssColor.h"

#include <gtest/gtest.h>

using namespace core;

TEST(CssColor, ReadsEveryNotation) {
    struct Case {
        const char* text;
        ColorRGB expected; // after gamut mapping
        bool hadAlpha;
        bool outOfGamut;
    };
    const Case cases[] = {
        {"#3c6", {51, 204, 102}, false, false},
        {"#3C6A", {51, 204, 102}, true, false},
        {"  #3366CC\n", {51, 102, 204}, false, false},
        {"#3366cc80", {51, 102, 204}, true, false},
        {"rgb(51, 102, 204)", {51, 102, 204}, false, false},
        {"RGBA(51,102,204,0.5)", {51, 102, 204}, true, false},
        {"rgb(20%, 40%, 80%)", {51, 102, 204}, false, false},
        {"rgb(51 102 204 / 50%)", {51, 102, 204}, true, false},
        {"rgb(300 -5 none)", {255, 0, 0}, false, false},
        {"rgb(1e2 .5e1 50%)", {100, 5, 128}, false, false},
        {"hsl(120, 100%, 25%)", {0, 128, 0}, false, false},
        {"hsl(-120deg 100% 50%)", {0, 0, 255}, false, false},
        {"hsl(30 50% 50%)", {191, 128, 64}, false, false},
        {"hsla(0.5turn 100% 50% / 1)", {0, 255, 255}, true, false},
        {"hsl(3.14159265rad 100 50)", {0, 255, 255}, false, false},
        {"hsl(200grad 100% 50%)", {0, 255, 255}, false, false},
        {"hwb(60 20% 30%)", {179, 179, 51}, false, false},
        {"hwb(0 70% 70%)", {128, 128, 128}, false, false},
        {"lab(44.121% 10.954 -59.086)", {51, 102, 204}, false, false},
        {"lch(44.121 60.093 280.503deg)", {51, 102, 204}, false, false},
        {"oklab(53.248% -0.02251 -0.16635)", {51, 102, 204}, false, false},
        {"oklch(0.53248 0.16787 262.293)", {51, 102, 204}, false, false},
        {"oklch(53.248% 41.9675% 4.5778rad)", {51, 102, 204}, false, false},
        {"lab(54.29 80.81 69.89)", {255, 0, 0}, false, true}, // rounded: a hair outside
        {"oklch(50% none none)", {99, 99, 99}, false, false},
        {"color(srgb 0.2 0.4 0.8)", {51, 102, 204}, false, false},
        {"color(display-p3 1 0 0)", {255, 11, 12}, false, true},
        {"oklch(70% 0.4 150)", {0, 194, 72}, false, true},
        // far outside sRGB, up to the largest component taken: the edge at the hue
        {"oklch(50% 150% 0)", {187, 0, 94}, false, true},
        {"oklch(0.5 1e6 0deg)", {187, 0, 94}, false, true},
        {"oklab(0.5 -0.4 0.4)", {48, 118, 0}, false, true},
        {"lab(50 200 -200)", {183, 138, 255}, false, true},
        {"RebeccaPurple", {102, 51, 153}, false, false},
        {"transparent", {0, 0, 0}, true, false},
    };
    for (const Case& c : cases) {
        const CssParseResult r = parseCssColor(c.text);
        ASSERT_TRUE(r.color) << c.text << ": " << r.error;
        EXPECT_TRUE(r.error.empty()) << c.text;
        EXPECT_EQ(rgb8Of(*r.color), c.expected) << c.text;
        EXPECT_EQ(r.color->hadAlpha, c.hadAlpha) << c.text;
        EXPECT_EQ(r.color->outOfGamut, c.outOfGamut) << c.text;
    }
    EXPECT_DOUBLE_EQ(parseCssColor("rgb(0 0 0 / 150%)").color->alpha, 1.0);
    EXPECT_NEAR(parseCssColor("#00000080").color->alpha, 128 / 255.0, 1e-12);
}

// thirteen e-acutes: 26 bytes, a quote cut by bytes would split one
#define E13                                                                                        \
    "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3" \
    "\xA9\xC3\xA9"

TEST(CssColor, SaysWhatIsWrongWithMalformedText) {
    struct Case {
        const char* text;
        const char* says; // part of the message
    };
    const Case cases[] = {
        {"   ", "type a colour, such as #3366CC, rgb(51 102 204) or oklch(55% 0.15 250)"},
        {"#12345", "3, 4, 6 or 8 digits"},
        {"#ggg", "not a hex digit"},
        {"#1g3", "\"g\" is not a hex digit (0-9, A-F)"},
        {"#", "not 0"},
        {"bluish", "not a colour name"},
        {"rgb(1, 2)", "three values"},
        {"rgb(1 2 3 4)", "three values"},
        {"rgb(1, 2 3)", "commas between all"},
        {"rgb(1, 2%, 3)", "three numbers or three percentages"},
        {"rgb(none, 2, 3)", "not allowed in the comma form"},
        {"rgb(1 2 3 / )", "missing after"},
        {"rgb(1 2 3 / 4 / 5)", "only one value"},
        {"rgb(1 2 3) x", "closing"},
        {"rgb (1 2 3)", "no space"},
        {"rgb(ab c d)", "\"ab\" is not a number"},
        {"rgb(1, #a, 3)", "\"#a\" is not a number"},
        {"rgb(1 2 .x/5)", "\".x\" is not a number"},
        {"rgb(1px 2 3)", "not a unit"},
        {"rgb(10deg 2 3)", "numbers 0-255"},
        {"hsl(120, 50, 50)", "percentages"},
        {"hsl(10% 50% 50%)", "hue"},
        {"hsl(10 5deg 50%)", "second and third values take percentages"},
        {"hsl(10 50% 5deg)", "second and third values take percentages"},
        {"hwb(0, 10%, 10%)", "spaces, not commas"},
        {"lab(50 20deg 0)", "numbers or percentages"},
        {"oklch(0.5 0.1 20%)", "hue"},
        {"oklch(1e999 0 0)", "\"1e999\" is too large"},
        {"oklch(0.5 1e200 0)", "\"1e200\" is too large"},
        {"oklab(0.5 -1e200 0)", "\"-1e200\" is too large"},
        {"oklch(50% 1e200% 0)", "\"1e200%\" is too large"},
        {"lab(50 0 1000001)", "\"1000001\" is too large"},
        {"color(srgb-linear 0 0 -2e6)", "\"-2e6\" is too large"},
        {"oklch(0.5 0.2 1e308turn / 0.5)", "\"1e308turn\" is too large"},
        {"hsl(1e308turn 100% 50%)", "\"1e308turn\" is too large"},
        {"rgb(abcdefghijklmnopqrstuvwxyz 2 3)", "\"abcdefghijklmnopqrstuvwx...\" is not a number"},
        {"oklch(calc(0.5) 0 0)", "nested"},
        {"color(rec2020 1 0 0)", "display-p3"},
        {"cmyk(1 2 3)", "not a CSS colour function"},
        {"rgb(1..2 3 4)", "separated by spaces"},
        {"rgb(+ 2 3)", "not a number"},
        // a quote never breaks the line or a character, nor reaches the terminal as a command
        {"a\nb", "\"a\\nb\" is not a colour name"},
        {"\x1b]0;T\a", "\"\\e]0;t\\x07\" is not a colour name"},
        {"a" E13, "\"a" E13 "\" is not a colour name"},
    };
    for (const Case& c : cases) {
        const CssParseResult r = parseCssColor(c.text);
        EXPECT_FALSE(r.color) << c.text;
        EXPECT_NE(r.error.find(c.says), std::string::npos) << c.text << " said: " << r.error;
    }
}

TEST(CssColor, KnowsAllNamedColours) {
    ASSERT_EQ(namedCssColorCount(), 148);
    for (int i = 0; i < namedCssColorCount(); ++i)
        EXPECT_TRUE(namedCssColor(namedCssColorName(i))) << namedCssColorName(i);
    EXPECT_EQ(namedCssColor("grey"), namedCssColor("gray"));
    EXPECT_EQ(namedCssColor("lightgoldenrodyellow"), (ColorRGB{250, 250, 210}));
    EXPECT_FALSE(namedCssColor("transparent"));
    EXPECT_TRUE(namedCssColorName(148).empty());
}
