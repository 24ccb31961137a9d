#pragma once

#include "ColorCodes.h"

namespace core {

/// Entry of the system colour table (the classic desktop defaults); 0 for an entry no window
/// shows.
Color systemColor(int32_t index);

/// Index of the button-face colour, the background of picture surfaces.
constexpr int32_t kSystemButtonFace = 15;
/// Index of the title-bar text colour, the swatches' colour before the first pick.
constexpr int32_t kSystemCaptionText = 9;
constexpr int32_t kSystemButtonShadow = 16;
constexpr int32_t kSystemButtonHighlight = 20;
constexpr int32_t kSystemDarkShadow = 21;
constexpr int32_t kSystemLight = 22;

/// The colour a swatch value shows on screen (24-bit), a reference resolved through the table.
Color displayedColor(const SwatchValue& value);
/// The colour a decimal code (swatchValueOfCode) shows on screen (24-bit).
Color displayedColor(Color code);

} // namespace core
