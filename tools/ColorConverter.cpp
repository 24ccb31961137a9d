#include "ColorConverter.h"

#include "core/Numeric.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace tools {

namespace {

/// The characters of a UTF-8 text as code points; a stray byte stands for itself.
std::vector<char32_t> characters(const std::string& text) {
    std::vector<char32_t> out;
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t extra = lead >= 0xF8   ? 0
                             : lead >= 0xF0 ? 3
                             : lead >= 0xE0 ? 2
                             : lead >= 0xC0 ? 1
                                            : 0;
        char32_t cp = lead & (0x3F >> extra);
        bool valid = extra > 0;
        for (size_t k = 1; valid && k <= extra; ++k) {
            if (i + k >= text.size() || (static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                valid = false;
            else
                cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        if (valid) {
            out.push_back(cp);
            i += extra + 1;
        } else {
            out.push_back(lead);
            ++i;
        }
    }
    return out;
}

std::string utf8(char32_t cp) {
    std::string s;
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | (cp >> 6));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        s += static_cast<char>(0xE0 | (cp >> 12));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (cp >> 18));
        s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return s;
}

char32_t upperCase(char32_t c) {
    if (c >= U'a' && c <= U'z')
        return c - 0x20;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return c - 0x20;
    if (c == 0xFF)
        return 0x178;
    return c;
}

int characterValue(char32_t c) {
    const int code = static_cast<int>(c);
    return IsDigit(utf8(c)) ? code - 48 : code - 55;
}

/// One component from two characters, stored twice into a byte as the hardware would.
uint8_t pairValue(char32_t high, char32_t low) {
    const auto first = static_cast<uint8_t>(16 * characterValue(high));
    return static_cast<uint8_t>(first + characterValue(low));
}

std::string number(int value) {
    return std::to_string(value);
}

std::string webSafeCode(core::Color value, core::SysColorLookup sysColor) {
    return core::HtmlCode(core::WebSafeColor(value, sysColor));
}

std::vector<std::string> splitAtDashes(const std::string& text) {
    std::vector<std::string> pieces;
    size_t start = 0;
    for (;;) {
        const size_t dash = text.find('-', start);
        if (dash == std::string::npos) {
            pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, dash - start));
        start = dash + 1;
    }
}

// ---- steps: each either completes or leaves its field alone ----

bool setSwatchFromRgbField(ConverterFields& f) {
    const auto value = core::readInt32(f.txtrgb);
    // only ordinary colour values reach the swatch; anything else would paint a system colour
    // or nothing at all
    if (!value || *value < 0 || *value > core::kWhite)
        return false;
    f.piccolor = *value;
    return true;
}

bool setWebSafeFromRgbField(ConverterFields& f, core::SysColorLookup sysColor) {
    const auto value = core::readInt32(f.txtrgb);
    if (!value)
        return false;
    f.txtwebsafe = webSafeCode(*value, sysColor);
    return true;
}

bool setHtmlFromRgbField(ConverterFields& f) {
    const auto value = core::readInt32(f.txtrgb);
    if (!value)
        return false;
    f.txthtml = core::HtmlCode(*value);
    return true;
}

void setComponents(ConverterFields& f, uint8_t r, uint8_t g, uint8_t b) {
    f.txtr = number(r);
    f.txtg = number(g);
    f.txtb = number(b);
}

bool setRgbFromPieces(ConverterFields& f, const std::vector<std::string>& pieces) {
    if (pieces.size() < 3)
        return false;
    int component[3];
    for (size_t i = 0; i < 3; ++i) {
        const auto v = core::readInt16(pieces[i]);
        if (!v)
            return false;
        component[i] = std::clamp<int>(*v, 0, 255);
    }
    f.txtrgb = number(core::rgbValue(component[0], component[1], component[2]));
    return true;
}

void convertHtmlCode(ConverterFields& f, core::SysColorLookup sysColor) {
    uint8_t r = 0, g = 0, b = 0;
    HexToRGB(f.txtsource, r, g, b);
    const core::Color value = core::rgbValue(r, g, b);
    f.txtrgb = number(value);
    setComponents(f, r, g, b);
    setSwatchFromRgbField(f);
    f.txtwebsafe = webSafeCode(value, sysColor);
    f.txthtml = core::HtmlCode(value);
}

void convertComponents(ConverterFields& f, core::SysColorLookup sysColor) {
    const std::vector<std::string> pieces = splitAtDashes(f.txtsource);
    std::string* targets[] = {&f.txtr, &f.txtg, &f.txtb};
    for (size_t i = 0; i < 3 && i < pieces.size(); ++i)
        *targets[i] = pieces[i];
    setRgbFromPieces(f, pieces);
    setSwatchFromRgbField(f);
    setWebSafeFromRgbField(f, sysColor);
    setHtmlFromRgbField(f);
}

void convertDecimal(ConverterFields& f, core::SysColorLookup sysColor) {
    f.txtrgb = f.txtsource;
    setWebSafeFromRgbField(f, sysColor);
    setHtmlFromRgbField(f);
    uint8_t r = 0, g = 0, b = 0;
    HexToRGB(f.txthtml, r, g, b);
    setComponents(f, r, g, b);
    setSwatchFromRgbField(f);
}

} // namespace

bool IsDigit(std::string_view text) {
    return text.size() == 1 && text[0] >= '0' && text[0] <= '9';
}

void HexToRGB(std::string code, uint8_t& r, uint8_t& g, uint8_t& b) {
    std::vector<char32_t> c = characters(code);
    std::transform(c.begin(), c.end(), c.begin(), upperCase);
    size_t first;
    if (c.size() == 7 && c[0] == U'#')
        first = 1;
    else if (c.size() == 6)
        first = 0;
    else
        return;
    r = pairValue(c[first], c[first + 1]);
    g = pairValue(c[first + 2], c[first + 3]);
    b = pairValue(c[first + 4], c[first + 5]);
}

void convertColorCode(ConverterFields& fields, core::SysColorLookup sysColor) {
    if (!fields.txtsource.empty() && fields.txtsource[0] == '#')
        convertHtmlCode(fields, sysColor);
    else if (fields.txtsource.find('-') != std::string::npos)
        convertComponents(fields, sysColor);
    else
        convertDecimal(fields, sysColor);
}

} // namespace tools
