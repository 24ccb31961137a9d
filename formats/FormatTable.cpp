#include "FormatTable.h"

#include "Ase.h"
#include "Css.h"
#include "Gpl.h"
#include "Tailwind.h"
#include "TextList.h"
#include "Tokens.h"

#include "core/Text.h"

#include <algorithm>

namespace formats {

namespace {

/// How a format makes its names of a palette's colours unique.
enum class Names {
    AsGiven, ///< kept as the name function gives them, an empty one empty
    Unique,  ///< an empty one "color-<n>", a repeated one "-2", "-3", ...
    Sass     ///< as Unique, "-" and "_" counting as the same
};

struct FormatInfo {
    Format format;
    std::string_view extension; ///< what a written file gets; empty for a format not written
    /// What names a file of it when its content does not say (".json" also for ".tokens.json";
    /// the oklch, Tailwind and light and dark style sheets are read as ".css").
    std::string_view readExtension;
    std::string_view caption; ///< the save dialog's name of it
    PaletteRead (*read)(std::string_view bytes);
    std::string (*nameOf)(std::string_view name); ///< a palette colour's name in the file
    Names names;
    /// The scheme as the file holds it.
    FilePalette (*ofScheme)(const SchemeColors& colors, const ExportOptions& options,
                            std::string_view schemeState);
    std::vector<uint8_t> (*write)(const FilePalette& palette);
};

template <std::string (*Text)(const FilePalette&)>
std::vector<uint8_t> textBytes(const FilePalette& palette) {
    return bytesOf(Text(palette));
}

PaletteRead readCss(std::string_view bytes) {
    return readCssProperties(bytes, false);
}

PaletteRead readScss(std::string_view bytes) {
    return readCssProperties(bytes, true);
}

std::string scssNameOf(std::string_view name) {
    std::string identifier = cssIdentifierOf(name);
    const auto first = static_cast<unsigned char>(identifier.empty() ? '\0' : identifier[0]);
    const bool letter = (first >= 'a' && first <= 'z') || (first >= 'A' && first <= 'Z');
    if (!identifier.empty() && !letter && first != '_' && first < 0x80)
        identifier.insert(0, "color-");
    return identifier;
}

FilePalette plainScheme(const SchemeColors& colors, const ExportOptions& options,
                        std::string_view) {
    return schemeEntries(colors, options);
}

FilePalette styleSheet(const SchemeColors& colors, const ExportOptions& options, std::string_view) {
    return schemeStyleSheet(colors, options);
}

FilePalette ramps(const SchemeColors& colors, const ExportOptions& options, std::string_view) {
    return schemeRamps(colors, options);
}

FilePalette theme(const SchemeColors& colors, const ExportOptions& options, std::string_view) {
    return schemeTheme(colors, options);
}

const FormatInfo kTable[] = {
    {Format::Css, ".css", ".css", "CSS Custom Properties", readCss, cssIdentifierOf, Names::Unique,
     styleSheet, textBytes<cssText>},
    {Format::Scss, ".scss", ".scss", "SCSS Variables", readScss, scssNameOf, Names::Sass,
     styleSheet, textBytes<scssText>},
    {Format::DesignTokens, ".tokens.json", ".json", "Design Tokens", readDesignTokens, tokenNameOf,
     Names::Unique, schemeTokens, textBytes<designTokensText>},
    {Format::GimpPalette, ".gpl", ".gpl", "GIMP/Inkscape Palette", readGimpPalette, gimpNameOf,
     Names::AsGiven, plainScheme, textBytes<gimpPaletteText>},
    {Format::AdobeSwatchExchange, ".ase", ".ase", "Adobe Swatch Exchange", readAse, aseNameOf,
     Names::AsGiven, plainScheme, aseBytes},
    {Format::OklchCss, ".oklch.css", "", "CSS Color 4 (oklch)", readCss, cssIdentifierOf,
     Names::Unique, styleSheet, textBytes<oklchCssText>},
    {Format::TailwindTheme, ".tailwind.css", "", "Tailwind CSS 4 theme", readCss, cssIdentifierOf,
     Names::Unique, theme, textBytes<tailwindThemeText>},
    {Format::CssRamps, ".ramps.css", "", "CSS Ramps, Light and Dark", readCss, cssIdentifierOf,
     Names::Unique, ramps, textBytes<cssRampsText>},
    // a list is read, never written
    {Format::TextList, "", "", "Colour list", readPlainText, nullptr, Names::AsGiven, nullptr,
     nullptr}};

const FormatInfo& infoOf(Format format) {
    return *std::find_if(std::begin(kTable), std::end(kTable),
                         [format](const FormatInfo& info) { return info.format == format; });
}

bool isNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

/// Whether text declares a name after prefix ("--brand:" or "$brand :") somewhere.
bool declares(std::string_view text, std::string_view prefix) {
    for (size_t at = text.find(prefix); at != std::string_view::npos;
         at = text.find(prefix, at + 1)) {
        size_t end = at + prefix.size();
        while (end < text.size() && isNameChar(text[end]))
            ++end;
        if (end == at + prefix.size())
            continue;
        while (end < text.size() && (text[end] == ' ' || text[end] == '\t'))
            ++end;
        if (end < text.size() && text[end] == ':')
            return true;
    }
    return false;
}

} // namespace

Format paletteFormatOf(std::string_view bytes, std::string_view fileName) {
    if (bytes.substr(0, 4) == "ASEF")
        return Format::AdobeSwatchExchange;
    const std::string_view text = trimmed(withoutBom(bytes));
    if (text.substr(0, 12) == "GIMP Palette")
        return Format::GimpPalette;
    if (!text.empty() && text.front() == '{')
        return Format::DesignTokens;
    const bool scssName = core::endsWithNoCase(fileName, ".scss");
    if (text.find("@theme") != std::string_view::npos || declares(text, "--"))
        return scssName ? Format::Scss : Format::Css;
    if (declares(text, "$"))
        return Format::Scss;
    for (const FormatInfo& info : kTable) {
        if (!info.readExtension.empty() && core::endsWithNoCase(fileName, info.readExtension))
            return info.format;
    }
    return Format::TextList;
}

PaletteRead readPalette(std::string_view bytes, std::string_view fileName) {
    if (bytes.size() > kMaxPaletteBytes)
        return failedRead("It is larger than " + std::to_string(kMaxPaletteBytes >> 20) +
                          " MB, the most a palette file may be.");
    return infoOf(paletteFormatOf(bytes, fileName)).read(bytes);
}

std::vector<uint8_t> fileBytes(Format format, const SchemeColors& colors,
                               const ExportOptions& options, std::string_view schemeState) {
    const FormatInfo& info = infoOf(format);
    if (info.write == nullptr)
        return {};
    return info.write(info.ofScheme(colors, options, schemeState));
}

std::vector<std::string> paletteNames(Format format, const core::Palette& palette) {
    const FormatInfo& info = infoOf(format);
    std::vector<std::string> names;
    for (size_t i = 0; i < palette.colors.size() && info.nameOf != nullptr; ++i) {
        names.push_back(info.nameOf(palette.colors[i].name));
        if (info.names != Names::AsGiven && names.back().empty())
            names.back() = colorName(i);
    }
    if (info.names != Names::AsGiven)
        makeUnique(names, info.names == Names::Sass);
    return names;
}

std::vector<uint8_t> fileBytes(Format format, const core::Palette& palette) {
    const FormatInfo& info = infoOf(format);
    if (info.write == nullptr)
        return {};
    return info.write(
        paletteEntries(palette, paletteNames(format, palette), format == Format::CssRamps));
}

std::string_view extension(Format format) {
    return infoOf(format).extension;
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
    return std::string(infoOf(format).caption) + " (*" + std::string(extension(format)) + ")";
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
