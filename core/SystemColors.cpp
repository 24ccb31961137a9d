#include "SystemColors.h"

namespace core {

Color systemColor(int32_t index) {
    // the classic desktop defaults of the entries the windows show: the swatches' start
    // colour, and the faces and edges of picture surfaces and their sunken borders
    switch (index) {
    case kSystemCaptionText:
        return rgbValue(255, 255, 255);
    case kSystemButtonFace:
    case kSystemLight:
        return rgbValue(212, 208, 200);
    case kSystemButtonShadow:
        return rgbValue(128, 128, 128);
    case kSystemButtonHighlight:
        return rgbValue(255, 255, 255);
    case kSystemDarkShadow:
        return rgbValue(64, 64, 64);
    default:
        return 0;
    }
}

Color displayedColor(const SwatchValue& value) {
    return shownColor(value, &systemColor);
}

Color displayedColor(Color code) {
    return displayedColor(swatchValueOfCode(code));
}

} // namespace core
