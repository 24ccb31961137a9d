#include "PrintableText.h"

#include <algorithm>
#include <cstdio>

namespace core {

namespace {

/// The length of the well-formed UTF-8 sequence at text[i] and its code point; 0 when the
/// bytes there are not one.
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
    if (code < kLeast[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

/// The escape a control character is shown as, or "" for a character shown as it is.
std::string escapeOf(char32_t code) {
    switch (code) {
    case '\n':
        return "\\n";
    case '\t':
        return "\\t";
    case '\r':
        return "\\r";
    case 0x1B:
        return "\\e";
    default:
        break;
    }
    char text[16] = {};
    if (code < 0x20 || code == 0x7F)
        std::snprintf(text, sizeof text, "\\x%02X", static_cast<unsigned>(code));
    else if (code >= 0x80 && code <= 0x9F)
        std::snprintf(text, sizeof text, "\\u%04X", static_cast<unsigned>(code));
    return text;
}

} // namespace

std::string printableText(std::string_view text, size_t longest) {
    std::string shown;
    size_t count = 0;
    for (size_t i = 0; i < text.size();) {
        char32_t code = 0;
        const size_t length = utf8Sequence(text, i, code);
        std::string piece;
        if (length == 0) {
            char byte[16];
            std::snprintf(byte, sizeof byte, "\\x%02X", static_cast<unsigned char>(text[i]));
            piece = byte;
        } else {
            piece = escapeOf(code);
        }
        const size_t width = piece.empty() ? 1 : piece.size();
        if (count + width > longest) {
            shown += "...";
            break;
        }
        shown += piece.empty() ? std::string(text.substr(i, length)) : piece;
        count += width;
        i += std::max<size_t>(length, 1);
    }
    return shown;
}

std::string quotedText(std::string_view text) {
    return "'" + printableText(text, kQuotedLength) + "'";
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

} // namespace core
