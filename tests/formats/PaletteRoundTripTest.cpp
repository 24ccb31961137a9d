#include "formats/FormatTable.h"

#include <gtest/gtest.h>

#include <random>

using formats::Format;

namespace {

core::Palette paletteOf(const std::vector<std::string>& names) {
    core::Palette p;
    for (const std::string& name : names)
        p.colors.push_back(core::paletteColorOf(name, *core::parseCssColor("#3366cc").color));
    return p;
}

TEST(PaletteNames, BecomeWhatEachFormatAllows) {
    struct Case {
        Format format;
        std::vector<std::string> names;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {Format::Css,
         {"Brand blue", "Brand blue", "", "gr\u00F6\u00DFe", "a.b", "x\xFF"},
         {"Brand-blue", "Brand-blue-2", "color-3", "gr\u00F6\u00DFe", "a-b", "x-"}},
        {Format::TailwindTheme, {"a/b", "a-b"}, {"a-b", "a-b-2"}},
        {Format::Scss, {"1st", "a_b", "a-b", "-x"}, {"color-1st", "a_b", "a-b-2", "color--x"}},
        {Format::DesignTokens, {"$x", "a.b{c}", "a$", ""}, {"-x", "a-b-c-", "a$", "color-4"}},
        {Format::GimpPalette, {"  a\tb \n", "", "x"}, {"a b", "", "x"}},
        {Format::AdobeSwatchExchange,
         {std::string("a\0b", 3), "\xFF", std::string(70000, 'n')},
         {"a", "\xEF\xBF\xBD", std::string(0xFFFE, 'n')}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formats::paletteNames(c.format, paletteOf(c.names)), c.expected)
            << formats::extension(c.format);
}

/// A random name from pieces that every format treats differently.
std::string randomName(std::mt19937& random) {
    static const char* const kPieces[] = {"a",
                                          "Z",
                                          "7",
                                          " ",
                                          "-",
                                          "_",
                                          ".",
                                          "{",
                                          "}",
                                          "$",
                                          "\t",
                                          "\"",
                                          "\\",
                                          "/",
                                          "\n",
                                          "\xC3\xA9",
                                          "\xF0\x9F\x8C\x88",
                                          "color"};
    std::string name;
    for (size_t n = random() % 6; n > 0; --n)
        name += kPieces[random() % std::size(kPieces)];
    return name;
}

core::Palette randomPalette(std::mt19937& random) {
    core::Palette p;
    p.name = "Brand " + std::to_string(random() % 100);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (size_t n = 1 + random() % 20; n > 0; --n) {
        char text[80];
        if (random() % 2 == 0)
            std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(random() % 0x1000000));
        else // exact colours, often outside sRGB
            std::snprintf(text, sizeof text, "oklch(%.6f %.6f %.4f)", unit(random),
                          0.4 * unit(random), 360 * unit(random));
        core::PaletteColor c =
            core::paletteColorOf(randomName(random), *core::parseCssColor(text).color);
        c.group = random() % 3 == 0 ? "" : random() % 2 == 0 ? "Greys" : "Brand \xC3\xA9";
        p.colors.push_back(c);
    }
    return p;
}

TEST(PaletteRoundTrip, EveryFormatReadsBackItsNamesAndColours) {
    std::mt19937 random(7);
    for (int round = 0; round < 150; ++round) {
        const core::Palette written = randomPalette(random);
        for (Format format : formats::kFormats) {
            const std::vector<uint8_t> bytes = formats::fileBytes(format, written);
            const std::string fileName = "x" + std::string(formats::extension(format));
            const formats::PaletteRead read =
                formats::readPalette(std::string(bytes.begin(), bytes.end()), fileName);
            ASSERT_TRUE(read.palette) << fileName << ": " << read.error;
            const std::vector<core::PaletteColor>& back = read.palette->colors;
            const std::vector<std::string> names = formats::paletteNames(format, written);
            ASSERT_EQ(back.size(), written.colors.size()) << fileName;
            EXPECT_EQ(read.skipped, 0u) << fileName << ": " << read.firstSkipped;
            // oklch text keeps the colour to its rounding; the CSS and light and dark files
            // a colour beyond sRGB as its display-p3 value; everything else the 8-bit code
            const bool oklchText = format == Format::OklchCss || format == Format::TailwindTheme;
            const bool p3Text = format == Format::Css || format == Format::CssRamps;
            for (size_t i = 0; i < back.size(); ++i) {
                const core::PaletteColor& w = written.colors[i];
                EXPECT_EQ(back[i].name, names[i]) << fileName;
                const std::string p3 = formats::wideGamutText(core::toOklch(w.color.oklab));
                // SCSS keeps it as a comment after the variable, which a reader passes over
                if (format == Format::Scss && !p3.empty()) {
                    EXPECT_NE(std::string(bytes.begin(), bytes.end()).find("; // " + p3 + "\n"),
                              std::string::npos);
                }
                if (p3Text && !p3.empty()) {
                    const core::CssColor want = *core::parseCssColor(p3).color;
                    EXPECT_LT(core::deltaEOK(back[i].color.oklab, want.oklab), 1e-9)
                        << fileName << " " << p3;
                    EXPECT_EQ(back[i].rgb, core::rgb8Of(want)) << fileName << " " << p3;
                } else if (oklchText) {
                    EXPECT_LT(core::deltaEOK(back[i].color.oklab, w.color.oklab), 1e-3)
                        << fileName << " " << core::hexText(w.rgb);
                } else {
                    EXPECT_EQ(back[i].rgb, w.rgb) << fileName << " " << names[i];
                }
                if (format == Format::DesignTokens) {
                    EXPECT_LT(core::deltaEOK(back[i].color.oklab, w.color.oklab), 1e-9);
                }
                if (format == Format::AdobeSwatchExchange) {
                    EXPECT_EQ(back[i].group, w.group);
                }
            }
            if (format == Format::GimpPalette) {
                EXPECT_EQ(read.palette->name, written.name);
            }
        }
    }
}

} // namespace
