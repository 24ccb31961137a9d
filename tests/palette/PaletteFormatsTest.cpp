#include "palette/PaletteFormats.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <regex>

using palette::Format;

namespace {

const palette::SchemeColors kScheme = {core::rgbValue(255, 128, 0), core::rgbValue(18, 52, 86),
                                       core::rgbValue(0, 0, 0)};

std::vector<uint8_t> fromHex(const std::string& hex) {
    std::vector<uint8_t> out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        out.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return out;
}

std::vector<uint8_t> bytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

/// Reads an .ase file back the way an importer does, one field at a time.
struct AseReader {
    const std::vector<uint8_t>& b;
    size_t pos = 0;
    uint32_t u(int n) {
        uint32_t v = 0;
        for (int i = 0; i < n; ++i)
            v = (v << 8) | b.at(pos++);
        return v;
    }
    float f() {
        const uint32_t bits = u(4);
        float v = 0;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
};

} // namespace

TEST(PaletteFormats, EveryFormatMatchesItsHandCheckedFile) {
    const std::string block = "00000024"
                              "0008"
                              "0063006f006c006f0072002d00"; // + digit, 0, ...
    const struct {
        Format format;
        std::vector<uint8_t> expected;
    } cases[] = {
        {Format::Css, bytesOf(":root {\n"
                              "  --color-1: #FF8000;\n"
                              "  --color-2: #123456;\n"
                              "  --color-3: #000000;\n"
                              "}\n")},
        {Format::Scss, bytesOf("$color-1: #FF8000;\n"
                               "$color-2: #123456;\n"
                               "$color-3: #000000;\n")},
        {Format::DesignTokens,
         bytesOf("{\n"
                 "  \"color-1\": {\n"
                 "    \"$type\": \"color\",\n"
                 "    \"$value\": {\n"
                 "      \"colorSpace\": \"srgb\",\n"
                 "      \"components\": [1, 0.5019607843137255, 0],\n"
                 "      \"hex\": \"#ff8000\"\n"
                 "    }\n"
                 "  },\n"
                 "  \"color-2\": {\n"
                 "    \"$type\": \"color\",\n"
                 "    \"$value\": {\n"
                 "      \"colorSpace\": \"srgb\",\n"
                 "      \"components\": [0.07058823529411765, 0.20392156862745098, "
                 "0.33725490196078434],\n"
                 "      \"hex\": \"#123456\"\n"
                 "    }\n"
                 "  },\n"
                 "  \"color-3\": {\n"
                 "    \"$type\": \"color\",\n"
                 "    \"$value\": {\n"
                 "      \"colorSpace\": \"srgb\",\n"
                 "      \"components\": [0, 0, 0],\n"
                 "      \"hex\": \"#000000\"\n"
                 "    }\n"
                 "  }\n"
                 "}\n")},
        {Format::GimpPalette, bytesOf("GIMP Palette\n"
                                      "Name: ChromaLune\n"
                                      "Columns: 3\n"
                                      "#\n"
                                      "255 128   0\tcolor-1\n"
                                      " 18  52  86\tcolor-2\n"
                                      "  0   0   0\tcolor-3\n")},
        {Format::AdobeSwatchExchange, fromHex("41534546"
                                              "00010000"
                                              "00000003"
                                              "0001" +
                                              block +
                                              "310000"
                                              "52474220"
                                              "3f800000"
                                              "3f008081"
                                              "00000000"
                                              "0002"
                                              "0001" +
                                              block +
                                              "320000"
                                              "52474220"
                                              "3d909091"
                                              "3e50d0d1"
                                              "3eacacad"
                                              "0002"
                                              "0001" +
                                              block +
                                              "330000"
                                              "52474220"
                                              "00000000"
                                              "00000000"
                                              "00000000"
                                              "0002")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(palette::fileBytes(c.format, kScheme), c.expected)
            << palette::dialogFilter(c.format);
}

TEST(PaletteFormats, AseReadsBackFieldByField) {
    const palette::SchemeColors colors = {core::rgbValue(1, 254, 127),
                                          core::rgbValue(255, 255, 255),
                                          core::rgbValue(200, 0, 99) | INT32_MIN};
    const std::vector<uint8_t> bytes = palette::aseBytes(colors);
    AseReader r{bytes};
    EXPECT_EQ(r.u(4), 0x41534546u); // "ASEF"
    EXPECT_EQ(r.u(2), 1u);
    EXPECT_EQ(r.u(2), 0u);
    ASSERT_EQ(r.u(4), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(r.u(2), 0x0001u);
        const uint32_t length = r.u(4);
        const size_t blockStart = r.pos;
        const uint32_t units = r.u(2);
        std::string name;
        for (uint32_t k = 0; k + 1 < units; ++k)
            name += static_cast<char>(r.u(2));
        EXPECT_EQ(r.u(2), 0u) << "name ends in a zero unit";
        EXPECT_EQ(name, "color-" + std::to_string(i + 1));
        EXPECT_EQ(r.u(4), 0x52474220u); // "RGB "
        const core::ColorRGB want = core::SplitColor(colors[i]);
        for (uint8_t channel : {want.r, want.g, want.b}) {
            const float v = r.f();
            EXPECT_GE(v, 0.0f);
            EXPECT_LE(v, 1.0f);
            EXPECT_EQ(std::lround(v * 255.0f), channel);
        }
        EXPECT_EQ(r.u(2), 2u);
        EXPECT_EQ(r.pos - blockStart, length);
    }
    EXPECT_EQ(r.pos, bytes.size());
}

TEST(PaletteFormats, TokenComponentsAndHexAgreeForEveryLevel) {
    const std::regex token(
        R"re("components": \[([^,]+), ([^,]+), ([^\]]+)\],\s*"hex": "#([0-9a-f]{6})")re");
    for (int c = 0; c < 256; ++c) {
        const std::string text = palette::designTokensText(
            {core::rgbValue(c, 255 - c, (c * 7) % 256), core::rgbValue(c, c, c), 0});
        int seen = 0;
        for (std::sregex_iterator m(text.begin(), text.end(), token), end; m != end; ++m, ++seen) {
            const long hex = std::stol((*m)[4].str(), nullptr, 16);
            for (int k = 0; k < 3; ++k) {
                const double v = std::strtod((*m)[k + 1].str().c_str(), nullptr);
                const long level = (hex >> (16 - 8 * k)) & 0xFF;
                ASSERT_GE(v, 0.0);
                ASSERT_LE(v, 1.0);
                // exactly level / 255, so any reader's scale-and-round gives the level back
                ASSERT_EQ(v, level / 255.0) << (*m)[k + 1].str();
                ASSERT_EQ(std::lround(v * 255), level);
            }
        }
        ASSERT_EQ(seen, 3);
    }
}

TEST(PaletteFormats, ExtensionPicksTheFormatIgnoringCase) {
    const struct {
        const char* name;
        std::optional<Format> format;
    } cases[] = {
        {"a.css", Format::Css},         {"A.CSS", Format::Css},
        {"b.scss", Format::Scss},       {"dir.css/c.Tokens.JSON", Format::DesignTokens},
        {"p.gpl", Format::GimpPalette}, {"s.ASE", Format::AdobeSwatchExchange},
        {"plain.json", std::nullopt},   {"colors.txt", std::nullopt},
        {"css", std::nullopt},          {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(palette::formatForFileName(c.name), c.format) << c.name;
    for (Format f : palette::kFormats) {
        const std::string filter = palette::dialogFilter(f);
        EXPECT_NE(filter.find("(*" + std::string(palette::extension(f)) + ")"), std::string::npos);
    }
    EXPECT_EQ(palette::dialogFilter(Format::Css), "CSS Custom Properties (*.css)");
}
