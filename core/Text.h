#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text as bytes: UTF-8 read and written by code point, UTF-16 surrogate pairs joined, and the
// ASCII-only case rules that file extensions and option words follow whatever the locale.

namespace core {

/// The length of the well-formed UTF-8 sequence at text[i] and its code point in code; 0 when
/// the bytes there are not one (overlong forms and surrogate halves are not).
size_t utf8Sequence(std::string_view text, size_t i, char32_t& code);

/// The code points of UTF-8 text, a byte that starts no well-formed character as U+FFFD.
std::u32string codePointsOf(std::string_view text);

/// Appends a code point (0..0x10FFFF, not a surrogate) to out as UTF-8.
void appendUtf8(std::string& out, char32_t code);

/// UTF-8 of code points, each as appendUtf8 writes it.
std::string utf8Of(const std::u32string& codes);

constexpr bool isSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}
constexpr bool isHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
constexpr bool isLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}
/// The code point a high and a low surrogate stand for together.
constexpr char32_t joinSurrogates(char32_t high, char32_t low) {
    return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
}

/// text with A..Z made a..z; other bytes, UTF-8 ones included, stay.
std::string lower(std::string_view text);

/// Whether text ends with tail, A..Z and a..z compared as the same.
bool endsWithNoCase(std::string_view text, std::string_view tail);

} // namespace core
