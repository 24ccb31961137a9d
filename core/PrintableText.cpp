#include "PrintableText.h"

#include "Text.h"

#include <algorithm>
#include <cstdio>

namespace core {

namespace {

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

} // namespace core
