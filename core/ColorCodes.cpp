#include "ColorCodes.h"

namespace core {

ColorRGB splitColor(Color value) {
    const auto bits = static_cast<uint32_t>(value);
    return {static_cast<uint8_t>(bits & 0xFF), static_cast<uint8_t>((bits >> 8) & 0xFF),
            static_cast<uint8_t>((bits >> 16) & 0xFF)};
}

std::string htmlCode(Color value) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    const ColorRGB c = splitColor(value);
    std::string code = "#";
    for (uint8_t part : {c.r, c.g, c.b}) {
        code += kHex[part >> 4];
        code += kHex[part & 0xF];
    }
    return code;
}

int webSafeLevel(int component) {
    // c / 51 never ends in exactly one half for whole c, so plain nearest is enough.
    return 51 * ((component + 25) / 51);
}

Color shownColor(const SwatchValue& v, SystemColorLookup sysColor) {
    if (v.systemEntry && sysColor != nullptr)
        return sysColor(*v.systemEntry) & 0xFFFFFF;
    return swatchCode(v) & 0xFFFFFF;
}

Color webSafeColor(const SwatchValue& v, SystemColorLookup sysColor) {
    const ColorRGB c = splitColor(shownColor(v, sysColor));
    return rgbValue(webSafeLevel(c.r), webSafeLevel(c.g), webSafeLevel(c.b));
}

Color webSafeColor(Color code, SystemColorLookup sysColor) {
    return webSafeColor(swatchValueOfCode(code), sysColor);
}

std::string decimalCode(Color value) {
    return std::to_string(value);
}

} // namespace core
