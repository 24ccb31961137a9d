#include "TextList.h"

#include "core/PrintableText.h"

namespace formats {

namespace {

/// The length of the colour at the start of a line: a function call to its closing
/// parenthesis, anything else to the first blank.
size_t colorLength(std::string_view line) {
    const size_t blank = std::min(line.find_first_of(" \t"), line.size());
    const size_t open = line.find('(');
    if (open == std::string_view::npos || open > blank)
        return blank;
    const size_t close = line.find(')', open);
    return close == std::string_view::npos ? line.size() : close + 1;
}

} // namespace

PaletteRead readPlainText(std::string_view bytes) {
    const std::string_view text = withoutBom(bytes);
    PaletteCollector collector;
    size_t lineNumber = 0;
    for (size_t start = 0; start < text.size() && !collector.full();) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = trimmed(text.substr(start, end - start));
        start = end + 1;
        ++lineNumber;
        if (line.empty() || line.front() == ';' || line.substr(0, 2) == "//")
            continue;
        const size_t length = colorLength(line);
        const core::CssParseResult read = core::parseCssColor(line.substr(0, length));
        if (!read.color) {
            collector.skip("line " + std::to_string(lineNumber) + ": " +
                           core::quotedText(line.substr(0, length)) +
                           " is not a colour: " + read.error);
            continue;
        }
        collector.add(core::paletteColorOf(std::string(trimmed(line.substr(length))), *read.color));
    }
    return collector.finish();
}

} // namespace formats
