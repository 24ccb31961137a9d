#pragma once

#include "ColorCodes.h"

// The design's named colours, shared by the program, the asset tools and the build (which
// reads the template colours from this file, so keep each on one line as written).

namespace core {

/// Back colour of the main window, the HTML windows and the colour map.
constexpr Color kWindowBackColor = rgbValue(228, 234, 254);
/// Light blue of the copy buttons and the back of the converter and the about window.
constexpr Color kLightBlueBackColor = rgbValue(196, 221, 249);
/// Button-face grey: the ground of the wheel and the preview surfaces.
constexpr Color kButtonFaceColor = rgbValue(212, 208, 200);

/// The construction line from the disc's centre to the pick.
constexpr Color kPickLineColor = rgbValue(255, 255, 255);
/// The construction lines from the centre to the two partner colours.
constexpr Color kPartnerLineColor = rgbValue(64, 64, 64);

/// Template colours of the preview mock-ups; the preview paints the scheme's colours over
/// the pixels of each.
constexpr Color kTemplateBlue = rgbValue(0, 0, 255);
constexpr Color kTemplateGrey = rgbValue(192, 192, 192);
constexpr Color kTemplateLightBlue = rgbValue(0, 255, 255);

} // namespace core
