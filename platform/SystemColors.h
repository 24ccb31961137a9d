#pragma once

#include "core/ColorCodes.h"

namespace platform {

/// Entry of the system colour table (the classic desktop defaults); 0 for an unknown entry.
core::Color GetSysColor(int32_t index);

/// Index of the button-face colour, the background of picture surfaces.
constexpr int32_t kColorBtnFace = 15;
/// Index of the title-bar text colour, the swatches' colour before the first pick.
constexpr int32_t kColorCaptionText = 9;

/// The colour a value shows on screen: system colour references resolved, top byte dropped.
core::Color displayedColor(core::Color value);

} // namespace platform
