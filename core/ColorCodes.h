#pragma once

#include <cstdint>
#include <string>

namespace core {

/// A colour value: red in bits 0-7, green 8-15, blue 16-23. -1 means "no colour";
/// a value with bit 31 set refers to entry (low 24 bits) of the system colour table.
using Color = int32_t;

constexpr Color kNoColor = -1;
constexpr Color kWhite = 16777215;

struct ColorRGB {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    friend bool operator==(const ColorRGB& lhs, const ColorRGB& rhs) {
        return lhs.r == rhs.r && lhs.g == rhs.g && lhs.b == rhs.b;
    }
};

/// Resolves a system colour table entry (0-based index) to a plain colour value.
using SystemColorLookup = Color (*)(int32_t index);

/// Colour value of three components 0-255: r + 256 g + 65536 b.
constexpr Color rgbValue(int r, int g, int b) {
    return r + 256 * g + 65536 * b;
}

/// The colour value of an 8-bit colour: r + 256 g + 65536 b.
constexpr Color colorValue(ColorRGB c) {
    return rgbValue(c.r, c.g, c.b);
}

/// True when bit 31 is set: the value refers to the system colour table.
constexpr bool isSystemColor(Color v) {
    return (v & INT32_MIN) != 0;
}

/// Components of the low three bytes; the top byte is ignored.
ColorRGB splitColor(Color value);

/// "#RRGGBB" (upper case) of the low 24 bits; always 7 characters.
std::string htmlCode(Color value);

/// Nearest web-safe colour (components on multiples of 51); a system colour reference is
/// resolved through sysColor first.
Color webSafeColor(Color value, SystemColorLookup sysColor);

/// Nearest web-safe level (0, 51, ..., 255) of one component 0-255.
int webSafeLevel(int component);

/// The decimal code: the value as a signed decimal number.
std::string decimalCode(Color value);

} // namespace core
