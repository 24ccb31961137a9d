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

colorscience::DesignSystem designSystemOf(const SchemeColors& colors) {
    std::vector<core::ColorRGB> rgb;
    rgb.reserve(colors.size());
    for (core::Color c : colors)
        rgb.push_back(core::splitColor(c));
    return colorscience::designSystemOf(rgb);
}

namespace {

/// One entry of a file that lists colours by name.
struct NamedColor {
    std::string name;
    core::ColorRGB color;
};

std::string stepName(const colorscience::DesignSystem& system, size_t ramp, size_t step) {
    return colorscience::rampName(ramp, system.colors.size()) + "-" +
           std::to_string(colorscience::kRampSteps.at(step));
}

/// The colours, then with options.ramps every ramp step, then with options.dark the twins.
std::vector<NamedColor> entriesOf(const SchemeColors& colors, ExportOptions options) {
    std::vector<NamedColor> entries;
    for (size_t i = 0; i < colors.size(); ++i)
        entries.push_back({colorName(i), core::splitColor(colors[i])});
    if (!options.ramps && !options.dark)
        return entries;
    const colorscience::DesignSystem system = designSystemOf(colors);
    for (size_t r = 0; options.ramps && r < system.ramps.size(); ++r) {
        for (size_t s = 0; s < colorscience::kRampSize; ++s)
            entries.push_back({stepName(system, r, s), system.ramps[r].steps.at(s).color});
    }
    for (size_t i = 0; options.dark && i < system.twins.size(); ++i)
        entries.push_back({colorName(i) + "-dark", system.twins[i].color});
    return entries;
}

/// The members of a JSON object, one a line, separated by commas.
std::string joinMembers(const std::vector<std::string>& members) {
    std::string text;
    for (size_t i = 0; i < members.size(); ++i)
        text += members[i] + (i + 1 < members.size() ? ",\n" : "\n");
    return text;
}

/// One sRGB colour token "name": {...} with its lines indented by indent, no line end after
/// its closing brace.
std::string tokenText(std::string_view name, core::ColorRGB c, const std::string& indent) {
    std::string text = indent + "\"" + std::string(name) + "\": {\n";
    text += indent + "  \"$type\": \"color\",\n";
    text += indent + "  \"$value\": {\n";
    text += indent + "    \"colorSpace\": \"srgb\",\n";
    text += indent + "    \"components\": [" + tokenComponent(c.r) + ", " + tokenComponent(c.g) +
            ", " + tokenComponent(c.b) + "],\n";
    text += indent + "    \"hex\": \"" + lowerHex(core::rgbValue(c.r, c.g, c.b)) + "\"\n";
    text += indent + "  },\n";
    // readers that know only sRGB tokens skip "$extensions"; the text is plain ASCII, so it
    // needs no escaping
    text += indent + "  \"$extensions\": {\n";
    text += indent + "    \"" + std::string(kTokenExtensionKey) + "\": {\n";
    text += indent + "      \"oklch\": \"" + core::oklchText(c) + "\"\n";
    text += indent + "    }\n";
    text += indent + "  }\n";
    return text + indent + "}";
}

/// A group "name": {...} of a description and the members, indented by indent, no line end
/// after its closing brace.
std::string groupText(std::string_view name, std::string_view description,
                      std::vector<std::string> members, const std::string& indent) {
    if (!description.empty())
        members.insert(members.begin(),
                       indent + "  \"$description\": \"" + std::string(description) + "\"");
    return indent + "\"" + std::string(name) + "\": {\n" + joinMembers(members) + indent + "}";
}

} // namespace

std::string cssText(const SchemeColors& colors, ExportOptions options) {
    std::string text = ":root {\n";
    for (const NamedColor& e : entriesOf(colors, options))
        text += "  --" + e.name + ": " + core::hexText(e.color) + ";\n";
    return text + "}\n";
}

std::string oklchCssText(const SchemeColors& colors, ExportOptions options) {
    std::string text = ":root {\n";
    for (const NamedColor& e : entriesOf(colors, options)) {
        const std::string property = "  --" + e.name + ": ";
        text += property + core::hexText(e.color) + ";\n";
        text += property + core::oklchText(e.color) + ";\n";
    }
    return text + "}\n";
}

std::string scssText(const SchemeColors& colors, ExportOptions options) {
    std::string text;
    for (const NamedColor& e : entriesOf(colors, options))
        text += "$" + e.name + ": " + core::hexText(e.color) + ";\n";
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

std::string designTokensText(const SchemeColors& colors, ExportOptions options,
                             std::string_view schemeState) {
    // The scheme's colours are tokens at the top, where build tools and readers of the files
    // written before the ramps find them (color-1 builds as --color-1); a token cannot also
    // be a group, so the ramps are groups of their own under "ramp" (ramp.color-1.50 ..
    // ramp.neutral.950) and the twins under "dark".
    const colorscience::DesignSystem system = designSystemOf(colors);
    std::vector<std::string> top;
    for (size_t i = 0; i < colors.size(); ++i)
        top.push_back(tokenText(colorName(i), core::splitColor(colors[i]), "  "));
    std::vector<std::string> ramps;
    for (size_t r = 0; r < system.ramps.size(); ++r) {
        std::vector<std::string> steps;
        for (const colorscience::RampStep& s : system.ramps[r].steps)
            steps.push_back(tokenText(std::to_string(s.step), s.color, "      "));
        ramps.push_back(
            groupText(colorscience::rampName(r, system.colors.size()), {}, steps, "    "));
    }
    if (!ramps.empty())
        top.push_back(groupText("ramp",
                                "Tonal ramps 50 (lightest) to 950 of each colour and of a "
                                "neutral tinted with the base colour's hue",
                                ramps, "  "));
    if (options.dark && !system.twins.empty()) {
        std::vector<std::string> twins;
        for (size_t i = 0; i < system.twins.size(); ++i)
            twins.push_back(tokenText(colorName(i), system.twins[i].color, "    "));
        top.push_back(
            groupText("dark",
                      "Each colour's dark twin: its OKLCH hue and chroma at the lightness "
                      "whose contrast on ramp.neutral.950 is nearest the colour's contrast "
                      "on white",
                      twins, "  "));
    }
    // the state last, where a reader of the tokens looks least
    if (!schemeState.empty())
        top.push_back("  \"$extensions\": {\"" + std::string(kTokenExtensionKey) +
                      "\": {\"scheme\": " + std::string(schemeState) + "}}");
    return "{\n" + joinMembers(top) + "}\n";
}

std::string tailwindThemeText(const SchemeColors& colors, ExportOptions options) {
    const colorscience::DesignSystem system = designSystemOf(colors);
    std::string text =
        "/* Tailwind CSS 4 theme: tonal ramps 50 (lightest) to 950 of the scheme's colours and\n"
        "   of a neutral tinted with the base colour's hue, for utilities such as bg-color-1-500\n"
        "   and text-neutral-950. Use it after the framework:\n"
        "   @import \"tailwindcss\";\n"
        "   @import \"./scheme.tailwind.css\";\n"
        "*/\n"
        "@theme {\n";
    for (size_t r = 0; r < system.ramps.size(); ++r) {
        if (r > 0)
            text += "\n";
        for (size_t s = 0; s < colorscience::kRampSize; ++s)
            text += "  --color-" + stepName(system, r, s) + ": " +
                    core::oklchText(system.ramps[r].steps.at(s).color) + ";\n";
    }
    if (options.dark && !system.twins.empty()) {
        text += "\n";
        for (size_t i = 0; i < system.twins.size(); ++i)
            text += "  --color-" + colorName(i) +
                    "-dark: " + core::oklchText(system.twins[i].color) + ";\n";
    }
    return text + "}\n";
}

std::string cssRampsText(const SchemeColors& colors) {
    const colorscience::DesignSystem system = designSystemOf(colors);
    const auto lightDark = [](core::ColorRGB light, core::ColorRGB dark) {
        return "light-dark(" + core::hexText(light) + ", " + core::hexText(dark) + ")";
    };
    std::string text =
        "/* The scheme's colours and their tonal ramps for light and dark mode. Each value is\n"
        "   light-dark(light, dark); color-scheme lets the reader's setting choose.\n"
        "   Dark mode: a ramp step takes the mirrored step of its ramp (50 and 950, 100 and 900,\n"
        "   ... 400 and 600 swap; 500 stays), so --neutral-50 is the dark background (neutral\n"
        "   950) and a pair that reads in light mode still reads. A colour takes its dark twin:\n"
        "   the same OKLCH hue and chroma at the lightness whose contrast on that background is\n"
        "   nearest the contrast the colour has on white.\n"
        "*/\n"
        ":root {\n"
        "  color-scheme: light dark;\n";
    for (size_t i = 0; i < colors.size(); ++i) {
        const core::ColorRGB c = core::splitColor(colors[i]);
        text += "  --" + colorName(i) + ": " +
                lightDark(c, i < system.twins.size() ? system.twins[i].color : c) + ";\n";
    }
    for (size_t r = 0; r < system.ramps.size(); ++r) {
        const auto& steps = system.ramps[r].steps;
        for (size_t s = 0; s < steps.size(); ++s)
            text += "  --" + stepName(system, r, s) + ": " +
                    lightDark(steps.at(s).color, steps.at(steps.size() - 1 - s).color) + ";\n";
    }
    return text + "}\n";
}

std::string gimpPaletteText(const SchemeColors& colors, std::string_view paletteName,
                            ExportOptions options) {
    std::string text = "GIMP Palette\nName: ";
    // a line break in the name would end the header line early
    for (char c : paletteName)
        text += (c == '\n' || c == '\r') ? ' ' : c;
    text += "\nColumns: " + std::to_string(colors.size()) + "\n#\n";
    for (const NamedColor& e : entriesOf(colors, options)) {
        char line[16];
        std::snprintf(line, sizeof line, "%3d %3d %3d\t", e.color.r, e.color.g, e.color.b);
        text += line + e.name + "\n";
    }
    return text;
}

std::vector<uint8_t> aseBytes(const SchemeColors& colors, ExportOptions options) {
    const std::vector<NamedColor> entries = entriesOf(colors, options);
    std::vector<uint8_t> out = {'A', 'S', 'E', 'F'};
    putU16(out, 1); // version 1.0
    putU16(out, 0);
    putU32(out, static_cast<uint32_t>(entries.size()));
    for (const NamedColor& e : entries) {
        // name length in UTF-16 units with the closing zero, the name, "RGB ", 3 floats, type
        const uint16_t units = static_cast<uint16_t>(e.name.size() + 1);
        const uint32_t length = 2 + 2u * units + 4 + 3 * 4 + 2;
        putU16(out, 0x0001); // colour entry
        putU32(out, length);
        putU16(out, units);
        for (char ch : e.name)
            putU16(out, static_cast<uint8_t>(ch)); // the names are ASCII
        putU16(out, 0);
        for (char ch : std::string_view("RGB "))
            out.push_back(static_cast<uint8_t>(ch));
        for (uint8_t channel : {e.color.r, e.color.g, e.color.b})
            putFloat(out, static_cast<float>(channel / 255.0));
        putU16(out, 2); // normal (neither global nor spot)
    }
    return out;
}

std::vector<uint8_t> fileBytes(Format format, const SchemeColors& colors, ExportOptions options,
                               std::string_view schemeState) {
    std::string text;
    switch (format) {
    case Format::Css:
        text = cssText(colors, options);
        break;
    case Format::Scss:
        text = scssText(colors, options);
        break;
    case Format::OklchCss:
        text = oklchCssText(colors, options);
        break;
    case Format::DesignTokens:
        text = designTokensText(colors, options, schemeState);
        break;
    case Format::GimpPalette:
        text = gimpPaletteText(colors, "ChromaLune", options);
        break;
    case Format::AdobeSwatchExchange:
        return aseBytes(colors, options);
    case Format::TailwindTheme:
        text = tailwindThemeText(colors, options);
        break;
    case Format::CssRamps:
        text = cssRampsText(colors);
        break;
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
    case Format::TailwindTheme:
        return ".tailwind.css";
    case Format::CssRamps:
        return ".ramps.css";
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
    case Format::TailwindTheme:
        return "Tailwind CSS 4 theme " + pattern;
    case Format::CssRamps:
        return "CSS Ramps, Light and Dark " + pattern;
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
