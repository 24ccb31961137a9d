#include "Text.h"

namespace core {

namespace {

constexpr char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

size_t utf8Sequence(std::string_view text, size_t i, char32_t& code) {
    const auto byte = [text](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    size_t length = 0;
    if (lead < 0x80)
        length = 1;
    else if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    if (length == 0 || length > text.size() - i)
        return 0;
    code = length == 1 ? lead : lead & (0x7Fu >> length);
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        code = code << 6 | (byte(i + k) & 0x3Fu);
    }
    // the shortest form only, and no surrogate halves
    constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kLeast[length] || code > 0x10FFFF || isSurrogate(code))
        return 0;
    return length;
}

std::u32string codePointsOf(std::string_view text) {
    std::u32string out;
    for (size_t i = 0; i < text.size();) {
        char32_t code = 0;
        const size_t length = utf8Sequence(text, i, code);
        out += length > 0 ? code : char32_t{0xFFFD};
        i += length > 0 ? length : 1;
    }
    return out;
}

void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | code >> 18);
        out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::string utf8Of(const std::u32string& codes) {
    std::string out;
    for (const char32_t code : codes)
        appendUtf8(out, code);
    return out;
}

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = lowerAscii(c);
    return out;
}

bool endsWithNoCase(std::string_view text, std::string_view tail) {
    if (text.size() < tail.size())
        return false;
    const std::string_view end = text.substr(text.size() - tail.size());
    for (size_t i = 0; i < tail.size(); ++i) {
        if (lowerAscii(end[i]) != lowerAscii(tail[i]))
            return false;
    }
    return true;
}

} // namespace core
