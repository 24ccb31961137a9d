#include "PaletteFormats.h"

#include "core/Oklab.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstring>

namespace palette {

namespace {

std::string lowerHex(core::Color value) {
    std::string code = core::htmlCode(value);
    for (char& c : code)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return code;
}

void putU16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v & 0xFF));
}

void putU32(std::vector<uint8_t>& out, uint32_t v) {
    putU16(out, static_cast<uint16_t>(v >> 16));
    putU16(out, static_cast<uint16_t>(v & 0xFFFF));
}

void putFloat(std::vector<uint8_t>& out, float v) {
    static_assert(sizeof(float) == sizeof(uint32_t), "IEEE single expected");
    uint32_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    putU32(out, bits);
}

bool endsWithNoCase(std::string_view text, std::string_view tail) {
    if (text.size() < tail.size())
        return false;
    const std::string_view end = text.substr(text.size() - tail.size());
    for (size_t i = 0; i < tail.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(end[i])) !=
            std::tolower(static_cast<unsigned char>(tail[i])))
            return false;
    }
    return true;
}

} // namespace

std::string colorName(size_t i) {
    return "color-" + std::to_string(i + 1);
}

std::string cssText(const SchemeColors& colors) {
    std::string text = ":root {\n";
    for (size_t i = 0; i < colors.size(); ++i)
        text += "  --" + colorName(i) + ": " + core::htmlCode(colors[i]) + ";\n";
    return text + "}\n";
}

std::string oklchCssText(const SchemeColors& colors) {
    std::string text = ":root {\n";
    for (size_t i = 0; i < colors.size(); ++i) {
        const std::string property = "  --" + colorName(i) + ": ";
        text += property + core::htmlCode(colors[i]) + ";\n";
        text += property + core::oklchText(core::splitColor(colors[i])) + ";\n";
    }
    return text + "}\n";
}

std::string scssText(const SchemeColors& colors) {
    std::string text;
    for (size_t i = 0; i < colors.size(); ++i)
        text += "$" + colorName(i) + ": " + core::htmlCode(colors[i]) + ";\n";
    return text;
}

std::string tokenComponent(int channel) {
    // the shortest text that reads back as the same double keeps every 8-bit level exact
    // for any reader that multiplies by 255 and rounds
    char buffer[32];
    const double value = channel / 255.0;
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

std::string designTokensText(const SchemeColors& colors) {
    std::string text = "{\n";
    for (size_t i = 0; i < colors.size(); ++i) {
        const core::ColorRGB c = core::splitColor(colors[i]);
        text += "  \"" + colorName(i) + "\": {\n";
        text += "    \"$type\": \"color\",\n";
        text += "    \"$value\": {\n";
        text += "      \"colorSpace\": \"srgb\",\n";
        text += "      \"components\": [" + tokenComponent(c.r) + ", " + tokenComponent(c.g) +
                ", " + tokenComponent(c.b) + "],\n";
        text += "      \"hex\": \"" + lowerHex(colors[i]) + "\"\n";
        text += "    },\n";
        // readers that know only sRGB tokens skip "$extensions"; the text is plain ASCII, so
        // it needs no escaping
        text += "    \"$extensions\": {\n";
        text += "      \"" + std::string(kTokenExtensionKey) + "\": {\n";
        text += "        \"oklch\": \"" + core::oklchText(c) + "\"\n";
        text += "      }\n";
        text += "    }\n";
        text += i + 1 < colors.size() ? "  },\n" : "  }\n";
    }
    return text + "}\n";
}

std::string gimpPaletteText(const SchemeColors& colors, std::string_view paletteName) {
    std::string text = "GIMP Palette\nName: ";
    // a line break in the name would end the header line early
    for (char c : paletteName)
        text += (c == '\n' || c == '\r') ? ' ' : c;
    text += "\nColumns: " + std::to_string(colors.size()) + "\n#\n";
    for (size_t i = 0; i < colors.size(); ++i) {
        const core::ColorRGB c = core::splitColor(colors[i]);
        char line[16];
        std::snprintf(line, sizeof line, "%3d %3d %3d\t", c.r, c.g, c.b);
        text += line + colorName(i) + "\n";
    }
    return text;
}

std::vector<uint8_t> aseBytes(const SchemeColors& colors) {
    std::vector<uint8_t> out = {'A', 'S', 'E', 'F'};
    putU16(out, 1); // version 1.0
    putU16(out, 0);
    putU32(out, static_cast<uint32_t>(colors.size()));
    for (size_t i = 0; i < colors.size(); ++i) {
        const std::string name = colorName(i);
        const core::ColorRGB c = core::splitColor(colors[i]);
        // name length in UTF-16 units with the closing zero, the name, "RGB ", 3 floats, type
        const uint16_t units = static_cast<uint16_t>(name.size() + 1);
        const uint32_t length = 2 + 2u * units + 4 + 3 * 4 + 2;
        putU16(out, 0x0001); // colour entry
        putU32(out, length);
        putU16(out, units);
        for (char ch : name)
            putU16(out, static_cast<uint8_t>(ch)); // the names are ASCII
        putU16(out, 0);
        for (char ch : std::string_view("RGB "))
            out.push_back(static_cast<uint8_t>(ch));
        for (uint8_t channel : {c.r, c.g, c.b})
            putFloat(out, static_cast<float>(channel / 255.0));
        putU16(out, 2); // normal (neither global nor spot)
    }
    return out;
}

std::vector<uint8_t> fileBytes(Format format, const SchemeColors& colors) {
    std::string text;
    switch (format) {
    case Format::Css:
        text = cssText(colors);
        break;
    case Format::Scss:
        text = scssText(colors);
        break;
    case Format::OklchCss:
        text = oklchCssText(colors);
        break;
    case Format::DesignTokens:
        text = designTokensText(colors);
        break;
    case Format::GimpPalette:
        text = gimpPaletteText(colors, "ChromaLune");
        break;
    case Format::AdobeSwatchExchange:
        return aseBytes(colors);
    }
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::string_view extension(Format format) {
    switch (format) {
    case Format::Css:
        return ".css";
    case Format::Scss:
        return ".scss";
    case Format::DesignTokens:
        return ".tokens.json";
    case Format::GimpPalette:
        return ".gpl";
    case Format::AdobeSwatchExchange:
        return ".ase";
    case Format::OklchCss:
        return ".oklch.css";
    }
    return {};
}

std::optional<Format> formatForFileName(std::string_view fileName) {
    // the longest extension that fits: "a.oklch.css" is CSS Color 4, not plain CSS
    std::optional<Format> found;
    for (Format f : kFormats) {
        if (endsWithNoCase(fileName, extension(f)) && fileName.size() > extension(f).size() &&
            (!found || extension(f).size() > extension(*found).size()))
            found = f;
    }
    return found;
}

std::string dialogFilter(Format format) {
    std::string pattern = "(*" + std::string(extension(format)) + ")";
    switch (format) {
    case Format::Css:
        return "CSS Custom Properties " + pattern;
    case Format::Scss:
        return "SCSS Variables " + pattern;
    case Format::DesignTokens:
        return "Design Tokens " + pattern;
    case Format::GimpPalette:
        return "GIMP/Inkscape Palette " + pattern;
    case Format::AdobeSwatchExchange:
        return "Adobe Swatch Exchange " + pattern;
    case Format::OklchCss:
        return "CSS Color 4 (oklch) " + pattern;
    }
    return pattern;
}

std::string supportedExtensionsText() {
    std::string text;
    for (size_t i = 0; i < kFormats.size(); ++i) {
        if (i > 0)
            text += i + 1 < kFormats.size() ? ", " : " or ";
        text += extension(kFormats[i]);
    }
    return text;
}

} // namespace palette
