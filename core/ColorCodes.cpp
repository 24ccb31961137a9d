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

Color webSafeColor(Color value, SystemColorLookup sysColor) {
    if (isSystemColor(value) && sysColor != nullptr)
        value = sysColor(value & 0xFFFFFF);
    const ColorRGB c = splitColor(value);
    return rgbValue(webSafeLevel(c.r), webSafeLevel(c.g), webSafeLevel(c.b));
}

std::string decimalCode(Color value) {
    return std::to_string(value);
}

} // namespace core
