#include "Gpl.h"

#include "core/PrintableText.h"

#include <charconv>
#include <cstdio>

namespace formats {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

/// Reads a channel 0..255 at line[i], moving i past it and the blanks after it.
std::optional<int> channelAt(std::string_view line, size_t& i) {
    int value = -1;
    const char* begin = line.data() + i;
    const auto [end, error] = std::from_chars(begin, line.data() + line.size(), value);
    if (error != std::errc() || value < 0 || value > 255)
        return std::nullopt;
    i += static_cast<size_t>(end - begin);
    // a channel ends at a blank or the line's end, so "12.5" and "12a" are refused
    if (i < line.size() && !isBlank(line[i]))
        return std::nullopt;
    while (i < line.size() && isBlank(line[i]))
        ++i;
    return value;
}

} // namespace

PaletteRead readGimpPalette(std::string_view bytes) {
    const std::string_view text = withoutBom(bytes);
    PaletteCollector collector;
    size_t lineNumber = 0;
    bool headerRead = false;
    bool colorsBegun = false;
    for (size_t start = 0; start < text.size() && !collector.full();) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!headerRead) {
            if (line.substr(0, 12) != "GIMP Palette")
                return failedRead("line 1: a GIMP palette starts with \"GIMP Palette\", not " +
                                  core::quotedText(line) + ".");
            headerRead = true;
            continue;
        }
        if (!colorsBegun && line.substr(0, 5) == "Name:") {
            collector.setName(std::string(trimmed(line.substr(5))));
            continue;
        }
        if (!colorsBegun && line.substr(0, 8) == "Columns:")
            continue;
        const std::string_view content = trimmed(line);
        if (content.empty() || content.front() == '#')
            continue;
        colorsBegun = true;
        size_t i = static_cast<size_t>(content.data() - line.data());
        const std::optional<int> r = channelAt(line, i);
        const std::optional<int> g = r ? channelAt(line, i) : std::nullopt;
        const std::optional<int> b = g ? channelAt(line, i) : std::nullopt;
        if (!b) {
            collector.skip("line " + std::to_string(lineNumber) + ": " + core::quotedText(content) +
                           " is not three channels 0..255 and a name");
            continue;
        }
        const std::string name(trimmed(line.substr(i)));
        collector.add(
            core::paletteColorOf(name, cssColorOfSrgb({*r / 255.0, *g / 255.0, *b / 255.0})));
    }
    if (!headerRead)
        return failedRead("line 1: a GIMP palette starts with \"GIMP Palette\"; the file is "
                          "empty.");
    return collector.finish();
}

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

std::string gimpPaletteText(const FilePalette& palette) {
    std::string text = "GIMP Palette\nName: " + gimpNameOf(palette.name) +
                       "\nColumns: " + std::to_string(palette.columns) + "\n#\n";
    for (const Swatch& s : palette.swatches) {
        char line[16];
        std::snprintf(line, sizeof line, "%3d %3d %3d\t", s.rgb.r, s.rgb.g, s.rgb.b);
        text += line + s.name + "\n";
    }
    return text;
}

std::string gimpPaletteText(const SchemeColors& colors, std::string_view paletteName,
                            const ExportOptions& options) {
    FilePalette palette = schemeEntries(colors, options);
    palette.name = std::string(paletteName);
    return gimpPaletteText(palette);
}

} // namespace formats
