#pragma once

#include "Ramps.h"

#include <string>
#include <vector>

namespace colorscience {

/// The scheme's base colour is its second: the colour under the pointer.
constexpr size_t kBaseColorIndex = 1;

/// Everything a scheme gives a design system: a tonal ramp for each scheme colour, then the
/// neutral tinted with the base colour's hue, and each colour's dark twin on the neutral 950.
struct DesignSystem {
    std::vector<ColorRGB> colors; ///< the scheme's colours: 2 (complementary) or 3
    std::vector<Ramp> ramps;      ///< colors.size() + 1: the colours' ramps, the neutral last
    std::vector<DarkTwin> twins;  ///< one for each colour

    const Ramp& neutral() const { return ramps.back(); }
    /// The dark mode's background: the neutral 950.
    ColorRGB darkBackground() const { return neutral().steps[kRampSize - 1].color; }
};

/// The design system of the scheme colours (2 or 3; fewer than two give no neutral base and
/// an empty result), with their exact OKLCH where known (in the same order; none, or fewer:
/// the 8-bit colour is the colour): a colour beyond sRGB gets its ramp from its exact colour
/// (tonalRamp). The neutral and the twins are made from the 8-bit colours.
DesignSystem designSystemOf(const std::vector<ColorRGB>& colors,
                            const std::vector<std::optional<Oklch>>& exact = {});

/// Name of ramp i of a design system with colorCount scheme colours: "color-1" ..
/// "color-<colorCount>", then "neutral".
std::string rampName(size_t i, size_t colorCount);

} // namespace colorscience
