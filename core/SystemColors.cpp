#include "SystemColors.h"

#include <array>

namespace core {

Color systemColor(int32_t index) {

    static const std::array<Color, 31> kClassic = {
        rgbValue(212, 208, 200), // 0 scroll bar
        rgbValue(58, 110, 165),  // 1 desktop
        rgbValue(10, 36, 106),   // 2 active caption
        rgbValue(128, 128, 128), // 3 inactive caption
        rgbValue(212, 208, 200), // 4 menu
        rgbValue(255, 255, 255), // 5 window
        rgbValue(0, 0, 0),       // 6 window frame
        rgbValue(0, 0, 0),       // 7 menu text
        rgbValue(0, 0, 0),       // 8 window text
        rgbValue(255, 255, 255), // 9 caption text
        rgbValue(212, 208, 200), // 10 active border
        rgbValue(212, 208, 200), // 11 inactive border
        rgbValue(128, 128, 128), // 12 application workspace
        rgbValue(10, 36, 106),   // 13 highlight
        rgbValue(255, 255, 255), // 14 highlight text
        rgbValue(212, 208, 200), // 15 button face
        rgbValue(128, 128, 128), // 16 button shadow
        rgbValue(128, 128, 128), // 17 grey text
        rgbValue(0, 0, 0),       // 18 button text
        rgbValue(212, 208, 200), // 19 inactive caption text
        rgbValue(255, 255, 255), // 20 button highlight
        rgbValue(64, 64, 64),    // 21 3-D dark shadow
        rgbValue(212, 208, 200), // 22 3-D light
        rgbValue(0, 0, 0),       // 23 tooltip text
        rgbValue(255, 255, 225), // 24 tooltip background
        rgbValue(181, 181, 181), // 25 (unused entry)
        rgbValue(0, 0, 128),     // 26 hot-tracked item
        rgbValue(166, 202, 240), // 27 gradient active caption
        rgbValue(192, 192, 192), // 28 gradient inactive caption
        rgbValue(49, 106, 197),  // 29 menu highlight
        rgbValue(212, 208, 200), // 30 menu bar
    };
    if (index < 0 || index >= static_cast<int32_t>(kClassic.size()))
        return 0;
    return kClassic[static_cast<size_t>(index)];
}

Color displayedColor(Color value) {
    if (isSystemColor(value))
        value = systemColor(value & 0xFFFFFF);
    return value & 0xFFFFFF;
}

} // namespace core
