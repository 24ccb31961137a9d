#include "formats/FormatTable.h"

#include "formats/Json.h"

#include "core/PrintableText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

using PaletteFormat = formats::Format;
using formats::PaletteRead;
using formats::readPalette;

namespace {

/// "name=#RRGGBB" of each colour, comma-separated; "!" after one marked approximate, and the
/// group before a "/" when it has one.
std::string summary(const PaletteRead& read) {
    if (!read.palette)
        return "error: " + read.error;
    std::string text;
    for (const core::PaletteColor& c : read.palette->colors) {
        text += text.empty() ? "" : ", ";
        text += (c.group.empty() ? "" : c.group + "/") + c.name + "=" + core::hexText(c.rgb) +
                (c.approximate ? "!" : "");
    }
    return text;
}

struct Case {
    const char* label;
    const char* fileName;
    std::string bytes;
    std::string expected;     ///< summary()
    size_t skipped;           ///< entries skipped
    const char* firstSkipped; ///< part of the first skipped entry's message
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.label;
}

class Readers : public testing::TestWithParam<Case> {};

TEST_P(Readers, ReadEveryEntryTheFormatHolds) {
    const Case& c = GetParam();
    const PaletteRead read = readPalette(c.bytes, c.fileName);
    EXPECT_EQ(summary(read), c.expected);
    EXPECT_EQ(read.skipped, c.skipped) << read.firstSkipped;
    EXPECT_NE(read.firstSkipped.find(c.firstSkipped), std::string::npos) << read.firstSkipped;
}

// ---- Adobe swatch exchange bytes

void put16(std::string& out, unsigned v) {
    out += static_cast<char>(v >> 8 & 0xFF);
    out += static_cast<char>(v & 0xFF);
}

void put32(std::string& out, uint32_t v) {
    put16(out, v >> 16);
    put16(out, v & 0xFFFF);
}

std::string aseName(const std::u16string& name) {
    std::string out;
    put16(out, static_cast<unsigned>(name.size() + 1));
    for (char16_t unit : name)
        put16(out, unit);
    put16(out, 0);
    return out;
}

std::string aseBlock(unsigned type, const std::string& data) {
    std::string out;
    put16(out, type);
    put32(out, static_cast<uint32_t>(data.size()));
    return out + data;
}

std::string aseColor(const std::u16string& name, const char* model,
                     std::initializer_list<float> values) {
    std::string data = aseName(name) + model;
    for (float v : values) {
        uint32_t bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        put32(data, bits);
    }
    put16(data, 2);
    return aseBlock(0x0001, data);
}

std::string ase(const std::string& blocks) {
    std::string out = "ASEF";
    put16(out, 1);
    put16(out, 0);
    put32(out, 0); // the count is not trusted: the blocks run to the file's end
    return out + blocks;
}

const std::string kAseGood = ase(
    aseColor(u"Brand blue", "RGB ", {0.2f, 0.4f, 0.8f}) + aseBlock(0xC001, aseName(u"Greys")) +
    aseColor(u"mid", "Gray", {0.5f}) + aseBlock(0xC002, "") + aseBlock(0x7777, "ignored") +
    aseColor(u"\U0001F308 lab", "LAB ", {0.5f, 0.0f, 0.0f}) + aseColor(u"", "CMYK", {0, 1, 1, 0}));

INSTANTIATE_TEST_SUITE_P(
    GplReader, Readers,
    testing::Values(
        Case{"gimp", "x.gpl",
             "\xEF\xBB\xBFGIMP Palette\r\nName: Brand\r\nColumns: 4\r\n# a comment\r\n"
             "\r\n 51\t102  204\tBrand blue  \r\n255 0 0\r\n  0   0   0 Black\t\r\n",
             "Brand blue=#3366CC, =#FF0000, Black=#000000", 0, ""},
        Case{"gimp bad lines", "x.txt", "GIMP Palette\n1 2\n300 0 0 x\n1 2 3 ok\n1.5 2 3\n",
             "ok=#010203", 3, "line 2: '1 2' is not three channels"},
        Case{"gimp without header", "x.gpl", "1 2 3 x\n",
             "error: line 1: a GIMP palette starts with \"GIMP Palette\", not '1 2 3 x'.", 0, ""}));

INSTANTIATE_TEST_SUITE_P(
    AseReader, Readers,
    testing::Values(Case{"every model", "x", kAseGood,
                         "Brand blue=#3366CC, Greys/mid=#808080, \xF0\x9F\x8C\x88 lab=#777777, "
                         "=#FF0000!",
                         0, ""},
                    Case{"cut short", "x.ase", kAseGood.substr(0, kAseGood.size() - 3),
                         "Brand blue=#3366CC, Greys/mid=#808080, \xF0\x9F\x8C\x88 lab=#777777", 1,
                         "offset 165: the block runs past the end of the file"},
                    Case{"unknown model", "x.ase",
                         ase(aseColor(u"x", "HSB ", {1, 1, 1}) +
                             aseColor(u"\xD800", "RGB ", {1, 1, 1})),
                         "\xEF\xBF\xBD=#FFFFFF", 1, "offset 12: the colour model \"HSB \""},
                    Case{"no magic", "x.ase", "ASE",
                         "error: offset 0: an Adobe swatch "
                         "exchange file starts with \"ASEF\".",
                         0, ""}));

INSTANTIATE_TEST_SUITE_P(
    CssReader, Readers,
    testing::Values(
        Case{"properties", "x.css",
             "/* --commented: #fff; */\n:root {\n  --brand: #3366cc;\n  --gap: 4px;\n"
             "  --link: var(--brand);\n  --fallback: var(--none, rgb(0 0 255));\n"
             "  --color-1: #12345;\n  --loop-a: var(--loop-b);\n  --loop-b: var(--loop-a);\n"
             "  --url: url(\"a;b\"); --wide: color(display-p3 1 0 0) !important\n}\n",
             "brand=#3366CC, link=#3366CC, fallback=#0000FF, wide=#FF0B0C", 3,
             "line 7: --color-1: a hex colour has 3, 4, 6 or 8 digits, not 5"},
        Case{"var() inside a colour", "x.css",
             ":root {\n  --hue: 250;\n  --brand: oklch(60% 0.1 var(--hue));\n"
             "  --accent: hsl(VAR( --hue ) 60% 45%);\n  --plain: #fff;\n"
             "  --open: oklch(25% .05 var(--color-hue, 0));\n"
             "  --deep: rgb(var(--none, var(--hue, 1)) 0 0);\n"
             "  --unset: hsl(var(--nope) 50% 50%);\n  --calc: oklch(1 calc(var(--hue)) 0);\n}\n",
             "brand=#4F84BA, accent=#452EB8, plain=#FFFFFF, open=#351621, deep=#FA0000", 2,
             "line 8: --unset: --nope is not set in the file"},
        Case{"loop of two", "x.css", ":root {\n  --a: var(--b);\n  --b: var(--a);\n}\n",
             "error: It holds no colour that can be read (line 2: --a: --a refers to itself "
             "through --b).",
             2, ""},
        Case{"loop inside a colour", "x.css",
             ":root { --c: #123; --x: rgb(var(--y) 0 0); --y: var(--z); --z: var(--x) }",
             "c=#112233", 3, "line 1: --x: --x refers to itself through --y, --z"},
        Case{"var() fanning out", "x.css",
             [] {
                 std::string text = ":root {\n  --f0: 1;\n";
                 for (int k = 1; k <= 30; ++k)
                     text += "  --f" + std::to_string(k) + ": var(--f" + std::to_string(k - 1) +
                             ") var(--f" + std::to_string(k - 1) + ");\n";
                 return text + "  --color-x: rgb(var(--f30));\n  --ok: #000;\n}\n";
             }(),
             "ok=#000000", 1, "line 33: --color-x: with its var() put in it is longer than 4096"},
        Case{"own oklch file", "x.oklch.css",
             ":root {\n  --color-1: #3366CC;\n  --color-1: oklch(60% 0.1 30);\n}\n",
             "color-1=#B4685C", 0, ""},
        Case{"light and dark", "x.ramps.css",
             ":root {\n  color-scheme: light dark;\n  --ink: light-dark(#111111, #EEEEEE);\n}\n",
             "ink=#111111", 0, ""},
        Case{"scss", "x.scss",
             "// $gone: #fff;\n$brand_blue: #3366cc !default;\n$link: $brand-blue;\n"
             "$size: 12px;\n$accent-color: lighten($link, 10%);\n",
             "brand_blue=#3366CC, link=#3366CC", 1, "line 5: $accent-color: "},
        Case{"tailwind theme", "x.css",
             "@import \"tailwindcss\";\n@theme {\n  --font-sans: Inter;\n  --color-*: initial;\n"
             "  --color-brand-500: oklch(0.6 0.1 250);\n}\n:root { --other: #000; }\n",
             "brand-500=#4F84BA, other=#000000", 0, ""},
        Case{"loop only", "x.css", ":root { --color-a: var(--color-a); }",
             "error: It holds no colour that can be read (line 1: --color-a: --color-a refers "
             "to itself).",
             1, "refers to itself"}));

INSTANTIATE_TEST_SUITE_P(
    TokensReader, Readers,
    testing::Values(
        Case{"dtcg", "x.tokens.json", R"({
  "$description": "metadata",
  "brand": {
    "$type": "color",
    "primary": {"$value": {"colorSpace": "srgb", "components": [0.2, 0.4, 0.8], "hex": "#3366cc"}},
    "p3": {"$value": {"colorSpace": "display-p3", "components": [1, 0, 0]}},
    "okl": {"$value": {"colorSpace": "oklch", "components": [0.6, 0.1, "none"], "alpha": 0.5}},
    "odd": {"$value": {"colorSpace": "rec2020", "components": [1, 0, 0], "hex": "#ff0000"}},
    "link": {"$value": "{brand.primary}"},
    "$root": {"$value": "#010203"},
    "bad": {"$value": "#12345"}
  },
  "size": {"$type": "dimension", "$value": {"value": 4, "unit": "px"}},
  "loop": {"a": {"$value": "{loop.b}"}, "b": {"$value": "{loop.a}"}},
  "legacy": {"red": {"value": "#ff0000", "type": "color"}, "gap": {"value": "4px"}}
})",
             "brand.primary=#3366CC, brand.p3=#FF0B0C, brand.okl=#B1667E, brand.odd=#FF0000!, "
             "brand.link=#3366CC, brand=#010203, legacy.red=#FF0000",
             1, "line 11: brand.bad: a hex colour"},
        Case{"long path", "x.json",
             "{\"" + std::string(3000, 'g') + "\": {\"" + std::string(3000, 't') +
                 "\": {\"$value\": \"#fff\"}}, \"ok\": {\"$value\": \"#000\"}}",
             "ok=#000000", 1, "line 1: the name is longer than 4096 bytes"},
        Case{"broken json", "x.json", "{\n  \"a\": {\"$value\": \"#fff\",}\n}",
             "error: line 2: expected a member's name in double quotes.", 0, ""},
        Case{"deep json", "x.json", std::string(100, '[') + std::string(100, ']'),
             "error: line 1: it nests deeper than 64 levels.", 0, ""}));

INSTANTIATE_TEST_SUITE_P(
    TextReader, Readers,
    testing::Values(Case{"plain", "colours.txt",
                         "// brand\n#3366cc Brand blue\nrgb(1 2 3) dark\n\n; note\nrebeccapurple\n"
                         "banana split\n",
                         "Brand blue=#3366CC, dark=#010203, =#663399", 1,
                         "line 7: 'banana' is not a colour"},
                    Case{"nothing", "x.txt", "\n\n", "error: It holds no colours.", 0, ""}));

TEST(PaletteReader, FindsTheFormatByContentFirstThenByExtension) {
    struct Detection {
        std::string bytes;
        const char* fileName;
        PaletteFormat expected;
    };
    const Detection cases[] = {
        {"ASEF", "a.gpl", PaletteFormat::AdobeSwatchExchange},
        {"\xEF\xBB\xBF GIMP Palette\n", "a.css", PaletteFormat::GimpPalette},
        {" {\"a\": 1}", "a.txt", PaletteFormat::DesignTokens},
        {"@theme { }", "a.txt", PaletteFormat::Css},
        {"a { --x : red }", "a.scss", PaletteFormat::Scss},
        {"$x: red;", "a.txt", PaletteFormat::Scss},
        {"#fff", "a.ASE", PaletteFormat::AdobeSwatchExchange},
        {"#fff", "a.gpl", PaletteFormat::GimpPalette},
        {"#fff", "a.json", PaletteFormat::DesignTokens},
        {"#fff", "a.css", PaletteFormat::Css},
        {"#fff --x", "a", PaletteFormat::TextList},
    };
    for (const Detection& d : cases)
        EXPECT_EQ(formats::paletteFormatOf(d.bytes, d.fileName), d.expected) << d.bytes;
}

TEST(PaletteReader, RefusesMoreThanTheBoundsAllow) {
    std::string many;
    for (int i = 0; i <= 10000; ++i)
        many += "#123456\n";
    EXPECT_EQ(readPalette(many, "x.txt").error, "It holds more than 10000 colours.");
    many.resize(8 * 1024 * 1024 + 1, '\n');
    EXPECT_EQ(readPalette(many, "x.txt").error,
              "It is larger than 8 MB, the most a palette file may be.");
    // nesting: the deepest a tokens file may go is read, one level more is refused
    const auto nested = [](int depth) {
        return std::string(size_t(depth - 1), '[') + "{\"c\": {\"$value\": \"#123456\"}}" +
               std::string(size_t(depth - 1), ']');
    };
    EXPECT_TRUE(formats::parseJson(nested(formats::kMaxJsonDepth - 1)).value);
    EXPECT_FALSE(formats::parseJson(nested(formats::kMaxJsonDepth + 1)).value);
}

TEST(JsonReader, ReadsEachLiteralAsItsTypeAndTruth) {
    using Type = formats::JsonValue::Type;
    const struct {
        const char* text;
        Type type;
        bool truth;
    } cases[] = {
        {"true", Type::Bool, true}, {"false", Type::Bool, false}, {" null", Type::Null, false}};
    for (const auto& c : cases) {
        const auto value = formats::parseJson(c.text).value;
        ASSERT_TRUE(value) << c.text;
        EXPECT_EQ(value->type, c.type) << c.text;
        EXPECT_EQ(value->boolean, c.truth) << c.text;
    }
}

TEST(PaletteReader, ExactColourIsKeptBesideTheShownOne) {
    const PaletteRead read = readPalette(":root { --p3: color(display-p3 1 0 0); }", "x.css");
    ASSERT_TRUE(read.palette);
    const core::PaletteColor& c = read.palette->colors.at(0);
    EXPECT_TRUE(c.color.outOfGamut);
    EXPECT_GT(c.color.linear.r, 1.0);
    EXPECT_EQ(c.rgb, core::rgb8Of(c.color));
}

/// Every readable input gives a palette or a message, never both, within the bounds, and
/// each shown colour is the mapping of its exact one.
void expectSound(const PaletteRead& read, const std::string& input) {
    ASSERT_NE(read.palette.has_value(), !read.error.empty()) << core::quotedText(input);
    if (!read.palette)
        return;
    EXPECT_LE(read.palette->colors.size(), formats::kMaxPaletteColors);
    for (const core::PaletteColor& c : read.palette->colors)
        EXPECT_EQ(c.rgb, core::rgb8Of(c.color)) << core::quotedText(input);
    EXPECT_EQ(read.skipped == 0, read.firstSkipped.empty());
}

TEST(PaletteReader, AnyBytesGiveAPaletteOrAMessage) {
    const std::vector<std::pair<std::string, const char*>> valid = {
        {kAseGood, "x.ase"},
        {"GIMP Palette\nName: x\n1 2 3 a\n4 5 6\tb c\n", "x.gpl"},
        {":root { --a: #123; --b: var(--a); --c: light-dark(red, blue) }", "x.css"},
        {":root { --h: 9; --c: hsl(var(--h) 1% 2%); --d: rgb(var(--n, var(--d)) 0 0) }", "x.css"},
        {"$a: #123; // c\n$b: $a;", "x.scss"},
        {R"({"a": {"$type": "color", "b": {"$value": {"colorSpace": "oklch",
           "components": [0.5, 0.1, 20]}}, "c": {"$value": "{a.b}"}}})",
         "x.json"},
        {"#123 a\nrgb(1 2 3) b\n", "x.txt"}};
    std::mt19937 random(20240611);
    for (const auto& [bytes, name] : valid) {
        for (size_t cut = 0; cut <= bytes.size(); ++cut)
            expectSound(readPalette(bytes.substr(0, cut), name), bytes.substr(0, cut));
        for (int k = 0; k < 300; ++k) {
            std::string mutated = bytes;
            for (int m = 0; m < 4; ++m)
                mutated[random() % mutated.size()] = static_cast<char>(random() % 256);
            expectSound(readPalette(mutated, name), mutated);
        }
    }
    for (int k = 0; k < 300; ++k) {
        std::string noise(random() % 200, '\0');
        for (char& c : noise)
            c = static_cast<char>(random() % 256);
        expectSound(readPalette(noise, "x"), noise);
    }
}

} // namespace
