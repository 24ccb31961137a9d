#include "PaletteFormats.h"

#include "core/Text.h"

#include "colorscience/Ramps.h"
#include "core/Oklab.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <set>

namespace formats {

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

} // namespace

std::string colorName(size_t i) {
    return "color-" + std::to_string(i + 1);
}

colorscience::DesignSystem designSystemOf(const SchemeColors& colors,
                                          const std::vector<std::optional<core::Oklch>>& exact) {
    std::vector<core::ColorRGB> rgb;
    rgb.reserve(colors.size());
    for (core::Color c : colors)
        rgb.push_back(core::splitColor(c));
    return colorscience::designSystemOf(rgb, exact);
}

namespace {

/// One entry of a file that lists colours by name.
struct NamedColor {
    std::string name;
    core::ColorRGB color;
    std::string wide; ///< its display-p3 text when it lies outside sRGB, else empty
};

/// The wide-gamut text of scheme colour i (empty for none).
std::string wideTextOf(const ExportOptions& options, size_t i) {
    return i < options.exact.size() ? wideGamutText(options.exact[i]) : std::string();
}

/// The wide-gamut text of ramp r's step s (empty inside sRGB).
std::string wideTextOf(const colorscience::DesignSystem& system, size_t r, size_t s) {
    return wideGamutText(system.ramps.at(r).steps.at(s).exact);
}

/// An "@media (color-gamut: p3)" rule whose :root rule holds the declarations (each "name:
/// value;"), or nothing when there are none, so a file of colours inside sRGB stays as it was.
std::string wideGamutRule(const std::vector<std::string>& declarations) {
    if (declarations.empty())
        return {};
    std::string text = "@media (color-gamut: p3) {\n  :root {\n";
    for (const std::string& d : declarations)
        text += "    " + d + "\n";
    return text + "  }\n}\n";
}

/// The wide-gamut declarations "--<prefix><name>: <display-p3>;" of the entries that have one.
std::vector<std::string> wideDeclarations(const std::vector<NamedColor>& entries,
                                          std::string_view prefix) {
    std::vector<std::string> declarations;
    for (const NamedColor& e : entries) {
        if (!e.wide.empty())
            declarations.push_back("--" + std::string(prefix) + e.name + ": " + e.wide + ";");
    }
    return declarations;
}

std::string stepName(const colorscience::DesignSystem& system, size_t ramp, size_t step) {
    return colorscience::rampName(ramp, system.colors.size()) + "-" +
           std::to_string(colorscience::kRampSteps.at(step));
}

/// The colours, then with options.ramps every ramp step, then with options.dark the twins.
std::vector<NamedColor> entriesOf(const SchemeColors& colors, const ExportOptions& options) {
    std::vector<NamedColor> entries;
    for (size_t i = 0; i < colors.size(); ++i)
        entries.push_back({colorName(i), core::splitColor(colors[i]), wideTextOf(options, i)});
    if (!options.ramps && !options.dark)
        return entries;
    const colorscience::DesignSystem system = designSystemOf(colors, options.exact);
    for (size_t r = 0; options.ramps && r < system.ramps.size(); ++r) {
        for (size_t s = 0; s < colorscience::kRampSize; ++s)
            entries.push_back({stepName(system, r, s), system.ramps[r].steps.at(s).color,
                               wideTextOf(system, r, s)});
    }
    for (size_t i = 0; options.dark && i < system.twins.size(); ++i)
        entries.push_back({colorName(i) + "-dark", system.twins[i].color, {}});
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
/// its closing brace; a wide-gamut text goes under "$extensions" as "display-p3".
std::string tokenText(std::string_view name, core::ColorRGB c, const std::string& indent,
                      const std::string& wide = {}) {
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
    text += indent + "      \"oklch\": \"" + core::oklchText(c) + (wide.empty() ? "\"\n" : "\",\n");
    if (!wide.empty())
        text += indent + "      \"display-p3\": \"" + wide + "\"\n";
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

/// An SCSS variable "$name: #RRGGBB;", with the wide-gamut text as a comment after it: a
/// variable holds one value, the one every browser reads, and a second variable would be a
/// colour of its own to a reader.
std::string scssLine(const std::string& name, core::ColorRGB color, const std::string& wide) {
    return "$" + name + ": " + core::hexText(color) + ";" + (wide.empty() ? "" : " // " + wide) +
           "\n";
}

} // namespace

std::string wideGamutText(const std::optional<core::Oklch>& exact) {
    if (!exact || !core::outsideSrgb(*exact))
        return {};
    return core::displayP3Text(core::mapToDisplayP3(*exact));
}

std::string cssText(const SchemeColors& colors, const ExportOptions& options) {
    const std::vector<NamedColor> entries = entriesOf(colors, options);
    std::string text = ":root {\n";
    for (const NamedColor& e : entries)
        text += "  --" + e.name + ": " + core::hexText(e.color) + ";\n";
    return text + "}\n" + wideGamutRule(wideDeclarations(entries, {}));
}

std::string scssText(const SchemeColors& colors, const ExportOptions& options) {
    std::string text;
    for (const NamedColor& e : entriesOf(colors, options))
        text += scssLine(e.name, e.color, e.wide);
    return text;
}

std::string oklchCssText(const SchemeColors& colors, const ExportOptions& options) {
    const std::vector<NamedColor> entries = entriesOf(colors, options);
    std::string text = ":root {\n";
    for (const NamedColor& e : entries) {
        const std::string property = "  --" + e.name + ": ";
        text += property + core::hexText(e.color) + ";\n";
        text += property + core::oklchText(e.color) + ";\n";
    }
    return text + "}\n" + wideGamutRule(wideDeclarations(entries, {}));
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

std::string designTokensText(const SchemeColors& colors, const ExportOptions& options,
                             std::string_view schemeState) {
    // The scheme's colours are tokens at the top, where build tools and readers of the files
    // written before the ramps find them (color-1 builds as --color-1); a token cannot also
    // be a group, so the ramps are groups of their own under "ramp" (ramp.color-1.50 ..
    // ramp.neutral.950) and the twins under "dark".
    const colorscience::DesignSystem system = designSystemOf(colors, options.exact);
    std::vector<std::string> top;
    for (size_t i = 0; i < colors.size(); ++i)
        top.push_back(
            tokenText(colorName(i), core::splitColor(colors[i]), "  ", wideTextOf(options, i)));
    std::vector<std::string> ramps;
    for (size_t r = 0; r < system.ramps.size(); ++r) {
        std::vector<std::string> steps;
        for (size_t s = 0; s < colorscience::kRampSize; ++s) {
            const colorscience::RampStep& step = system.ramps[r].steps.at(s);
            steps.push_back(tokenText(std::to_string(step.step), step.color, "      ",
                                      wideTextOf(system, r, s)));
        }
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

std::string tailwindThemeText(const SchemeColors& colors, const ExportOptions& options) {
    const colorscience::DesignSystem system = designSystemOf(colors, options.exact);
    std::string text =
        "/* Tailwind CSS 4 theme: tonal ramps 50 (lightest) to 950 of the scheme's colours and\n"
        "   of a neutral tinted with the base colour's hue, for utilities such as bg-color-1-500\n"
        "   and text-neutral-950. Use it after the framework:\n"
        "   @import \"tailwindcss\";\n"
        "   @import \"./scheme.tailwind.css\";\n"
        "*/\n"
        "@theme {\n";
    std::vector<std::string> wide;
    for (size_t r = 0; r < system.ramps.size(); ++r) {
        if (r > 0)
            text += "\n";
        for (size_t s = 0; s < colorscience::kRampSize; ++s) {
            const std::string property = "--color-" + stepName(system, r, s) + ": ";
            text += "  " + property + core::oklchText(system.ramps[r].steps.at(s).color) + ";\n";
            const std::string p3 = wideTextOf(system, r, s);
            if (!p3.empty())
                wide.push_back(property + p3 + ";");
        }
    }
    if (options.dark && !system.twins.empty()) {
        text += "\n";
        for (size_t i = 0; i < system.twins.size(); ++i)
            text += "  --color-" + colorName(i) +
                    "-dark: " + core::oklchText(system.twins[i].color) + ";\n";
    }
    // @theme stays at the top level, as Tailwind asks; the theme's variables live on :root
    return text + "}\n" + wideGamutRule(wide);
}

std::string cssRampsText(const SchemeColors& colors, const ExportOptions& options) {
    const colorscience::DesignSystem system = designSystemOf(colors, options.exact);
    const auto lightDark = [](core::ColorRGB light, core::ColorRGB dark) {
        return "light-dark(" + core::hexText(light) + ", " + core::hexText(dark) + ")";
    };
    // the same pair with a side's display-p3 text where it has one; empty when neither has
    std::vector<std::string> wide;
    const auto addWide = [&wide](const std::string& name, core::ColorRGB light,
                                 const std::string& lightWide, core::ColorRGB dark,
                                 const std::string& darkWide) {
        if (lightWide.empty() && darkWide.empty())
            return;
        wide.push_back("--" + name + ": light-dark(" +
                       (lightWide.empty() ? core::hexText(light) : lightWide) + ", " +
                       (darkWide.empty() ? core::hexText(dark) : darkWide) + ");");
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
        const core::ColorRGB dark = i < system.twins.size() ? system.twins[i].color : c;
        text += "  --" + colorName(i) + ": " + lightDark(c, dark) + ";\n";
        addWide(colorName(i), c, wideTextOf(options, i), dark, {});
    }
    for (size_t r = 0; r < system.ramps.size(); ++r) {
        const auto& steps = system.ramps[r].steps;
        for (size_t s = 0; s < steps.size(); ++s) {
            const size_t mirror = steps.size() - 1 - s;
            text += "  --" + stepName(system, r, s) + ": " +
                    lightDark(steps.at(s).color, steps.at(mirror).color) + ";\n";
            addWide(stepName(system, r, s), steps.at(s).color, wideTextOf(system, r, s),
                    steps.at(mirror).color, wideTextOf(system, r, mirror));
        }
    }
    return text + "}\n" + wideGamutRule(wide);
}

std::string gimpPaletteText(const SchemeColors& colors, std::string_view paletteName,
                            const ExportOptions& options) {
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

std::vector<uint8_t> aseBytes(const SchemeColors& colors, const ExportOptions& options) {
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

std::vector<uint8_t> fileBytes(Format format, const SchemeColors& colors,
                               const ExportOptions& options, std::string_view schemeState) {
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
        text = cssRampsText(colors, options);
        break;
    }
    return std::vector<uint8_t>(text.begin(), text.end());
}

namespace {

bool isAsciiLetter(char32_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

/// A name as a CSS identifier: ASCII letters and digits, "-", "_" and non-ASCII characters
/// kept, the rest "-".
std::string cssIdentifierOf(std::string_view name) {
    std::u32string codes = core::codePointsOf(name);
    for (char32_t& c : codes) {
        const bool kept = isAsciiLetter(c) || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
                          (c >= 0x80 && c != 0xFFFD);
        c = kept ? c : '-';
    }
    return core::utf8Of(codes);
}

/// A name as a design token's: no "{", "}" or "." (which make aliases and paths) and no
/// "$" first (which marks metadata); a broken UTF-8 byte as U+FFFD.
std::string tokenNameOf(std::string_view name) {
    std::u32string codes = core::codePointsOf(name);
    for (size_t i = 0; i < codes.size(); ++i) {
        if (codes[i] == '{' || codes[i] == '}' || codes[i] == '.' || (i == 0 && codes[i] == '$'))
            codes[i] = '-';
    }
    return core::utf8Of(codes);
}

/// A GIMP palette's name of a colour: one line, without blanks at its ends.
std::string gimpNameOf(std::string_view name) {
    std::string line(name);
    for (char& c : line) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    }
    const size_t begin = line.find_first_not_of(' ');
    return begin == std::string::npos ? std::string()
                                      : line.substr(begin, line.find_last_not_of(' ') - begin + 1);
}

/// Longest name a swatch exchange block holds, in UTF-16 units without the closing zero.
constexpr size_t kMaxAseNameUnits = 0xFFFE;

/// The UTF-16 units of a swatch exchange name: up to a zero character and kMaxAseNameUnits.
std::u16string aseNameOf(std::string_view name) {
    std::u16string units;
    for (const char32_t code : core::codePointsOf(name)) {
        const size_t size = code >= 0x10000 ? 2 : 1;
        if (code == 0 || units.size() + size > kMaxAseNameUnits)
            break;
        if (size == 1) {
            units += static_cast<char16_t>(code);
        } else {
            units += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            units += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        }
    }
    return units;
}

std::string utf8OfUtf16(const std::u16string& units) {
    std::u32string codes;
    for (size_t i = 0; i < units.size(); ++i) {
        const char32_t unit = units[i];
        if (core::isHighSurrogate(unit) && i + 1 < units.size()) {
            codes += core::joinSurrogates(unit, units[i + 1]);
            ++i;
        } else {
            codes += unit;
        }
    }
    return core::utf8Of(codes);
}

/// Names made unique as a format compares them: a repeated one gets "-2", "-3", ...
void makeUnique(std::vector<std::string>& names, bool sassVariables) {
    // Sass takes "-" and "_" in a variable's name as the same
    const auto keyOf = [sassVariables](std::string key) {
        if (sassVariables)
            std::replace(key.begin(), key.end(), '_', '-');
        return key;
    };
    std::set<std::string> taken;
    for (std::string& name : names) {
        std::string unique = name;
        for (int k = 2; taken.count(keyOf(unique)) > 0; ++k)
            unique = name + "-" + std::to_string(k);
        taken.insert(keyOf(unique));
        name = unique;
    }
}

/// A name as JSON string content: quotes, backslashes and control characters escaped.
std::string jsonEscaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(c));
            out += escape;
        } else {
            out += c;
        }
    }
    return out;
}

/// Whether a colour is its 8-bit colour exactly, so an sRGB token of that colour holds it.
bool isEightBit(const core::PaletteColor& c) {
    const double channels[] = {c.color.srgb.r, c.color.srgb.g, c.color.srgb.b};
    const uint8_t bytes[] = {c.rgb.r, c.rgb.g, c.rgb.b};
    for (size_t k = 0; k < 3; ++k) {
        if (c.color.outOfGamut || std::fabs(channels[k] * 255.0 - bytes[k]) > 1e-6)
            return false;
    }
    return true;
}

std::string shortestNumber(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

/// An oklch token of a colour that is not an 8-bit one, its 8-bit colour as the "hex".
std::string oklchTokenText(std::string_view name, const core::PaletteColor& c) {
    const core::Oklch lch = core::toOklch(c.color.oklab);
    return "  \"" + std::string(name) +
           "\": {\n"
           "    \"$type\": \"color\",\n"
           "    \"$value\": {\n"
           "      \"colorSpace\": \"oklch\",\n"
           "      \"components\": [" +
           shortestNumber(lch.L) + ", " + shortestNumber(lch.C) + ", " + shortestNumber(lch.h) +
           "],\n"
           "      \"hex\": \"" +
           lowerHex(core::rgbValue(c.rgb.r, c.rgb.g, c.rgb.b)) +
           "\"\n"
           "    }\n"
           "  }";
}

std::string paletteTokensText(const core::Palette& palette, const std::vector<std::string>& names) {
    std::vector<std::string> tokens;
    for (size_t i = 0; i < names.size(); ++i) {
        const core::PaletteColor& c = palette.colors[i];
        const std::string name = jsonEscaped(names[i]);
        tokens.push_back(isEightBit(c) ? tokenText(name, c.rgb, "  ") : oklchTokenText(name, c));
    }
    return "{\n" + joinMembers(tokens) + "}\n";
}

std::vector<uint8_t> paletteAseBytes(const core::Palette& palette) {
    std::vector<uint8_t> blocks;
    uint32_t count = 0;
    const auto putName = [&blocks](const std::u16string& units) {
        putU16(blocks, static_cast<uint16_t>(units.size() + 1));
        for (const char16_t unit : units)
            putU16(blocks, unit);
        putU16(blocks, 0);
    };
    std::string group;
    const auto switchGroup = [&](const std::string& next) {
        if (next == group)
            return;
        if (!group.empty()) {
            putU16(blocks, 0xC002);
            putU32(blocks, 0);
            ++count;
        }
        group = next;
        if (!group.empty()) {
            const std::u16string units = aseNameOf(group);
            putU16(blocks, 0xC001);
            putU32(blocks, static_cast<uint32_t>(2 + 2 * (units.size() + 1)));
            putName(units);
            ++count;
        }
    };
    for (const core::PaletteColor& c : palette.colors) {
        switchGroup(c.group);
        const std::u16string units = aseNameOf(c.name);
        putU16(blocks, 0x0001);
        putU32(blocks, static_cast<uint32_t>(2 + 2 * (units.size() + 1) + 4 + 3 * size_t{4} + 2));
        putName(units);
        for (const char ch : std::string_view("RGB "))
            blocks.push_back(static_cast<uint8_t>(ch));
        for (const uint8_t channel : {c.rgb.r, c.rgb.g, c.rgb.b})
            putFloat(blocks, static_cast<float>(channel / 255.0));
        putU16(blocks, 2); // normal (neither global nor spot)
        ++count;
    }
    switchGroup({});
    std::vector<uint8_t> out = {'A', 'S', 'E', 'F'};
    putU16(out, 1);
    putU16(out, 0);
    putU32(out, count);
    out.insert(out.end(), blocks.begin(), blocks.end());
    return out;
}

std::string oklchOf(const core::PaletteColor& c) {
    return core::oklchText(core::toOklch(c.color.oklab));
}

} // namespace

std::vector<std::string> paletteNames(Format format, const core::Palette& palette) {
    std::vector<std::string> names;
    for (size_t i = 0; i < palette.colors.size(); ++i) {
        const std::string& name = palette.colors[i].name;
        switch (format) {
        case Format::GimpPalette:
            names.push_back(gimpNameOf(name));
            continue;
        case Format::AdobeSwatchExchange:
            names.push_back(utf8OfUtf16(aseNameOf(name)));
            continue;
        case Format::DesignTokens:
            names.push_back(tokenNameOf(name));
            break;
        case Format::Scss: {
            std::string identifier = cssIdentifierOf(name);
            const auto first =
                static_cast<unsigned char>(identifier.empty() ? '\0' : identifier[0]);
            if (!identifier.empty() && !isAsciiLetter(first) && first != '_' && first < 0x80)
                identifier.insert(0, "color-");
            names.push_back(identifier);
            break;
        }
        case Format::Css:
        case Format::OklchCss:
        case Format::TailwindTheme:
        case Format::CssRamps:
            names.push_back(cssIdentifierOf(name));
            break;
        }
        if (names.back().empty())
            names.back() = colorName(i);
    }
    if (format != Format::GimpPalette && format != Format::AdobeSwatchExchange)
        makeUnique(names, format == Format::Scss);
    return names;
}

std::vector<uint8_t> fileBytes(Format format, const core::Palette& palette) {
    const std::vector<std::string> names = paletteNames(format, palette);
    const std::vector<core::PaletteColor>& colors = palette.colors;
    // a colour beyond sRGB keeps its own value where a file can hold it, as a scheme's does
    std::vector<std::string> wide(colors.size());
    for (size_t i = 0; i < colors.size(); ++i)
        wide[i] = wideGamutText(core::toOklch(colors[i].color.oklab));
    std::vector<std::string> wideLines;
    std::string text;
    switch (format) {
    case Format::Css:
    case Format::OklchCss:
        text = ":root {\n";
        for (size_t i = 0; i < colors.size(); ++i) {
            text += "  --" + names[i] + ": " + core::hexText(colors[i].rgb) + ";\n";
            if (format == Format::OklchCss)
                text += "  --" + names[i] + ": " + oklchOf(colors[i]) + ";\n";
            // oklch() already holds the colour exactly, beyond display-p3 too
            else if (!wide[i].empty())
                wideLines.push_back("--" + names[i] + ": " + wide[i] + ";");
        }
        text += "}\n" + wideGamutRule(wideLines);
        break;
    case Format::Scss:
        for (size_t i = 0; i < colors.size(); ++i)
            text += scssLine(names[i], colors[i].rgb, wide[i]);
        break;
    case Format::DesignTokens:
        text = paletteTokensText(palette, names);
        break;
    case Format::GimpPalette: {
        text = "GIMP Palette\nName: " +
               gimpNameOf(palette.name.empty() ? std::string("ChromaLune") : palette.name) +
               "\nColumns: " + std::to_string(std::min<size_t>(colors.size(), 16)) + "\n#\n";
        for (size_t i = 0; i < colors.size(); ++i) {
            char line[16];
            const core::ColorRGB c = colors[i].rgb;
            std::snprintf(line, sizeof line, "%3d %3d %3d\t", c.r, c.g, c.b);
            text += line + names[i] + "\n";
        }
        break;
    }
    case Format::AdobeSwatchExchange:
        return paletteAseBytes(palette);
    case Format::TailwindTheme:
        text = "@theme {\n";
        for (size_t i = 0; i < colors.size(); ++i)
            text += "  --color-" + names[i] + ": " + oklchOf(colors[i]) + ";\n";
        text += "}\n";
        break;
    case Format::CssRamps: {
        text = ":root {\n  color-scheme: light dark;\n";
        const core::ColorRGB background =
            colors.empty() ? core::ColorRGB{}
                           : colorscience::neutralRamp(colors[0].rgb).steps.back().color;
        for (size_t i = 0; i < colors.size(); ++i) {
            const std::string twin =
                core::hexText(colorscience::darkTwin(colors[i].rgb, background).color);
            text += "  --" + names[i] + ": light-dark(" + core::hexText(colors[i].rgb) + ", " +
                    twin + ");\n";
            if (!wide[i].empty())
                wideLines.push_back("--" + names[i] + ": light-dark(" + wide[i] + ", " + twin +
                                    ");");
        }
        text += "}\n" + wideGamutRule(wideLines);
        break;
    }
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
        if (core::endsWithNoCase(fileName, extension(f)) && fileName.size() > extension(f).size() &&
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

} // namespace formats
