#pragma once

#include "core/ColorCodes.h"
#include "core/SystemColors.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tools {

/// The colour the converter's swatch shows before its first conversion: the button face.
constexpr core::Color kInitialSwatchColor =
    core::swatchCode(core::SwatchValue::system(core::kSystemButtonFace));

/// The converter window's fields as texts (UTF-8), plus the colour value of its swatch.
struct ConverterFields {
    std::string source;  ///< txtsource: the code typed
    std::string decimal; ///< txtrgb: the colour value in decimal
    std::string html;    ///< txthtml: the HTML code
    std::string webSafe; ///< txtwebsafe: the nearest web-safe colour's HTML code
    std::string red;     ///< txtr, txtg, txtb: the components
    std::string green;
    std::string blue;
    core::Color swatch = kInitialSwatchColor; ///< piccolor
};

/// True when the text is exactly one character, "0" to "9".
bool isDigit(std::string_view text);

/// Components of "#RRGGBB" (7 characters) or any 6-character text, pairs read as hexadecimal
/// without any check (a character is worth its code minus 48 for a digit, minus 55 otherwise,
/// kept to 8 bits). A code of any other length leaves r, g and b as they are.
void hexToRgb(const std::string& code, uint8_t& r, uint8_t& g, uint8_t& b);

/// One conversion of fields.source into every other field. Each step either completes or
/// is skipped, and later steps read back the fields earlier steps wrote.
void convertColorCode(ConverterFields& fields, core::SystemColorLookup sysColor);

} // namespace tools
