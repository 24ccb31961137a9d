#include "PaletteReader.h"

#include "AseReader.h"
#include "CssReader.h"
#include "GplReader.h"
#include "TextReader.h"
#include "TokensReader.h"

#include "core/Text.h"

namespace paletteimport {

namespace {

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

PaletteFormat paletteFormatOf(std::string_view bytes, std::string_view fileName) {
    if (bytes.substr(0, 4) == "ASEF")
        return PaletteFormat::Ase;
    const std::string_view text = trimmed(withoutBom(bytes));
    if (text.substr(0, 12) == "GIMP Palette")
        return PaletteFormat::Gimp;
    if (!text.empty() && text.front() == '{')
        return PaletteFormat::DesignTokens;
    const bool scssName = core::endsWithNoCase(fileName, ".scss");
    if (text.find("@theme") != std::string_view::npos || declares(text, "--"))
        return scssName ? PaletteFormat::Scss : PaletteFormat::Css;
    if (declares(text, "$"))
        return PaletteFormat::Scss;
    if (core::endsWithNoCase(fileName, ".ase"))
        return PaletteFormat::Ase;
    if (core::endsWithNoCase(fileName, ".gpl"))
        return PaletteFormat::Gimp;
    if (core::endsWithNoCase(fileName, ".json"))
        return PaletteFormat::DesignTokens;
    if (core::endsWithNoCase(fileName, ".css"))
        return PaletteFormat::Css;
    if (scssName)
        return PaletteFormat::Scss;
    return PaletteFormat::PlainText;
}

PaletteRead readPalette(std::string_view bytes, std::string_view fileName) {
    if (bytes.size() > kMaxPaletteBytes)
        return failedRead("It is larger than " + std::to_string(kMaxPaletteBytes >> 20) +
                          " MB, the most a palette file may be.");
    switch (paletteFormatOf(bytes, fileName)) {
    case PaletteFormat::Ase:
        return readAse(bytes);
    case PaletteFormat::Gimp:
        return readGimpPalette(bytes);
    case PaletteFormat::DesignTokens:
        return readDesignTokens(bytes);
    case PaletteFormat::Css:
        return readCssProperties(bytes, false);
    case PaletteFormat::Scss:
        return readCssProperties(bytes, true);
    case PaletteFormat::PlainText:
        break;
    }
    return readPlainText(bytes);
}

} // namespace paletteimport
