#include "DesignSystem.h"

namespace colorscience {

DesignSystem designSystemOf(const std::vector<ColorRGB>& colors) {
    DesignSystem system;
    if (colors.size() <= kBaseColorIndex)
        return system;
    system.colors = colors;
    system.ramps.reserve(colors.size() + 1);
    for (const ColorRGB& c : colors)
        system.ramps.push_back(tonalRamp(c));
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
