#include "PaletteRead.h"

#include "core/Text.h"

#include <algorithm>

namespace formats {

bool PaletteCollector::add(core::PaletteColor color) {
    if (full())
        return false;
    m_colors.push_back(std::move(color));
    return !full();
}

void PaletteCollector::reserve(size_t count) {
    m_colors.reserve(std::min(count, kMaxPaletteColors + 1));
}

void PaletteCollector::skip(std::string message) {
    if (m_skipped++ == 0)
        m_firstSkipped = std::move(message);
}

PaletteRead PaletteCollector::finish() {
    if (full())
        return failedRead("It holds more than " + std::to_string(kMaxPaletteColors) + " colours.");
    if (m_colors.empty()) {
        PaletteRead read = failedRead(m_skipped == 0 ? std::string("It holds no colours.")
                                                     : "It holds no colour that can be read (" +
                                                           m_firstSkipped + ").");
        read.skipped = m_skipped;
        read.firstSkipped = m_firstSkipped;
        return read;
    }
    PaletteRead read;
    read.palette = core::Palette{m_name, std::move(m_colors)};
    read.skipped = m_skipped;
    read.firstSkipped = m_firstSkipped;
    return read;
}

PaletteRead failedRead(std::string error) {
    PaletteRead read;
    read.error = std::move(error);
    return read;
}

std::string_view withoutBom(std::string_view bytes) {
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    return bytes.substr(0, kBom.size()) == kBom ? bytes.substr(kBom.size()) : bytes;
}

std::string_view trimmed(std::string_view text) {
    constexpr std::string_view kSpace = " \t\r\n\f\v";
    const size_t begin = text.find_first_not_of(kSpace);
    if (begin == std::string_view::npos)
        return {};
    return text.substr(begin, text.find_last_not_of(kSpace) - begin + 1);
}

bool looksLikeCssColor(std::string_view value) {
    if (!value.empty() && value.front() == '#')
        return true;
    const std::string lower = core::lower(value.substr(0, 12));
    for (std::string_view fn : {"rgb(", "rgba(", "hsl(", "hsla(", "hwb(", "lab(", "lch(", "oklab(",
                                "oklch(", "color(", "light-dark("}) {
        if (lower.compare(0, fn.size(), fn) == 0)
            return true;
    }
    return false;
}

core::CssColor cssColorOfSrgb(const core::Srgb& srgb) {
    core::CssColor c = cssColorOfLinear(core::toLinear(srgb));
    c.srgb = srgb;
    return c;
}

core::CssColor cssColorOfLinear(const core::LinearRgb& linear) {
    core::CssColor c;
    c.linear = linear;
    c.srgb = core::toEncoded(linear);
    c.oklab = core::oklabOf(linear);
    c.outOfGamut = !core::inSrgbGamut(linear);
    return c;
}

} // namespace formats
