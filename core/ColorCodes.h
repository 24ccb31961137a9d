#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace core {

/// A colour value: red in bits 0-7, green 8-15, blue 16-23. -1 means "no colour". As a decimal
/// code (a field's, a document's) a number with bit 31 set stands for a system colour
/// reference: see SwatchValue.
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

/// What a swatch holds: an 8-bit colour, or a reference to an entry of the system colour table
/// (the colour a swatch shows before the first scheme), which the table resolves when shown.
struct SwatchValue {
    ColorRGB rgb; ///< the colour; black for a reference
    std::optional<int32_t> systemEntry;

    static constexpr SwatchValue system(int32_t entry) { return {{}, entry}; }
    friend bool operator==(const SwatchValue& lhs, const SwatchValue& rhs) {
        return lhs.rgb == rhs.rgb && lhs.systemEntry == rhs.systemEntry;
    }
    friend bool operator!=(const SwatchValue& lhs, const SwatchValue& rhs) { return !(lhs == rhs); }
};

/// The number a swatch value is in its decimal code and in documents: the colour value, or
/// for a reference the entry with bit 31 set.
constexpr Color swatchCode(const SwatchValue& v) {
    return v.systemEntry ? (INT32_MIN | *v.systemEntry) : colorValue(v.rgb);
}

/// The swatch value a number stands for, as swatchCode writes it: with bit 31 set a reference
/// to the entry in the low 24 bits, otherwise the colour of the low 24 bits.
constexpr SwatchValue swatchValueOfCode(Color code) {
    const auto bits = static_cast<uint32_t>(code);
    if ((bits & 0x80000000U) != 0)
        return SwatchValue::system(static_cast<int32_t>(bits & 0xFFFFFFU));
    return {{static_cast<uint8_t>(bits & 0xFF), static_cast<uint8_t>((bits >> 8) & 0xFF),
             static_cast<uint8_t>((bits >> 16) & 0xFF)},
            std::nullopt};
}

/// Components of the low three bytes; the top byte is ignored.
ColorRGB splitColor(Color value);

/// "#RRGGBB" (upper case) of the low 24 bits; always 7 characters.
std::string htmlCode(Color value);

/// The colour (24-bit) a swatch value shows: a reference resolved through sysColor; without
/// sysColor, the colour of its code's low 24 bits.
Color shownColor(const SwatchValue& v, SystemColorLookup sysColor);

/// Nearest web-safe colour (components on multiples of 51) of the colour v shows.
Color webSafeColor(const SwatchValue& v, SystemColorLookup sysColor);
/// Nearest web-safe colour of the colour a decimal code stands for (swatchValueOfCode).
Color webSafeColor(Color code, SystemColorLookup sysColor);

/// Nearest web-safe level (0, 51, ..., 255) of one component 0-255.
int webSafeLevel(int component);

/// The decimal code: the value as a signed decimal number.
std::string decimalCode(Color value);

} // namespace core
