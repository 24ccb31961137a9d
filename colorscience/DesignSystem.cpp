#include "DesignSystem.h"

namespace colorscience {

DesignSystem designSystemOf(const std::vector<ColorRGB>& colors,
                            const std::vector<std::optional<Oklch>>& exact) {
    DesignSystem system;
    if (colors.size() <= kBaseColorIndex)
        return system;
    system.colors = colors;
    system.ramps.reserve(colors.size() + 1);
    for (size_t i = 0; i < colors.size(); ++i)
        system.ramps.push_back(
            tonalRamp(colors[i], i < exact.size() ? exact[i] : std::optional<Oklch>()));
    system.ramps.push_back(neutralRamp(colors[kBaseColorIndex]));
    const ColorRGB background = system.darkBackground();
    system.twins.reserve(colors.size());
    for (const ColorRGB& c : colors)
        system.twins.push_back(darkTwin(c, background));
    return system;
}

std::string rampName(size_t i, size_t colorCount) {
    return i < colorCount ? "color-" + std::to_string(i + 1) : std::string("neutral");
}

} // namespace colorscience
