#include "FilePalette.h"

#include "colorscience/Ramps.h"
#include "core/Text.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace formats {

std::string colorName(size_t i) {
    return "color-" + std::to_string(i + 1);
}

std::string wideGamutText(const std::optional<core::Oklch>& exact) {
    if (!exact || !core::outsideSrgb(*exact))
        return {};
    return core::displayP3Text(core::mapToDisplayP3(*exact));
}

colorscience::DesignSystem designSystemOf(const SchemeColors& colors,
                                          const std::vector<std::optional<core::Oklch>>& exact) {
    std::vector<core::ColorRGB> rgb;
    rgb.reserve(colors.size());
    for (core::Color c : colors)
        rgb.push_back(core::splitColor(c));
    return colorscience::designSystemOf(rgb, exact);
}

std::string stepName(const colorscience::DesignSystem& system, size_t ramp, size_t step) {
    return colorscience::rampName(ramp, system.colors.size()) + "-" +
           std::to_string(colorscience::kRampSteps.at(step));
}

std::string wideTextOf(const ExportOptions& options, size_t i) {
    return i < options.exact.size() ? wideGamutText(options.exact[i]) : std::string();
}

std::string wideTextOf(const colorscience::DesignSystem& system, size_t r, size_t s) {
    return wideGamutText(system.ramps.at(r).steps.at(s).exact);
}

std::vector<RoleProperty> schemeRoleProperties(const SchemeColors& colors,
                                               const ExportOptions& options) {
    if (colors.size() < 2)
        return {};
    std::vector<core::ColorRGB> rgb;
    for (core::Color c : colors)
        rgb.push_back(core::splitColor(c));
    return roleProperties(colorscience::deriveRoles(rgb, options.exact, options.roleOverrides));
}

FilePalette schemeEntries(const SchemeColors& colors, const ExportOptions& options) {
    FilePalette file;
    file.columns = colors.size();
    for (size_t i = 0; i < colors.size(); ++i)
        file.swatches.push_back(
            {colorName(i), core::splitColor(colors[i]), {}, false, wideTextOf(options, i)});
    if (!options.ramps && !options.dark)
        return file;
    const colorscience::DesignSystem system = designSystemOf(colors, options.exact);
    for (size_t r = 0; options.ramps && r < system.ramps.size(); ++r) {
        for (size_t s = 0; s < colorscience::kRampSize; ++s)
            file.swatches.push_back({stepName(system, r, s),
                                     system.ramps[r].steps.at(s).color,
                                     {},
                                     false,
                                     wideTextOf(system, r, s)});
    }
    for (size_t i = 0; options.dark && i < system.twins.size(); ++i)
        file.swatches.push_back({colorName(i) + "-dark", system.twins[i].color});
    return file;
}

FilePalette schemeStyleSheet(const SchemeColors& colors, const ExportOptions& options) {
    FilePalette file = schemeEntries(colors, options);
    file.roles = schemeRoleProperties(colors, options);
    return file;
}

namespace {

/// Whether a colour is its 8-bit colour exactly, so an sRGB token of that colour holds it.
bool isEightBit(const core::PaletteColor& c) {
    const double channels[] = {c.color.srgb.r, c.color.srgb.g, c.color.srgb.b};
    const uint8_t bytes[] = {c.rgb.r, c.rgb.g, c.rgb.b};
    for (size_t k = 0; k < 3; ++k) {
        if (c.color.outOfGamut || std::fabs(channels[k] * 255.0 - bytes[k]) > 1e-6)
            return false;
    }
    return true;
}

} // namespace

FilePalette paletteEntries(const core::Palette& palette, const std::vector<std::string>& names,
                           bool twins) {
    const std::vector<core::PaletteColor>& colors = palette.colors;
    FilePalette file;
    if (!palette.name.empty())
        file.name = palette.name;
    file.columns = std::min<size_t>(colors.size(), 16);
    const core::ColorRGB background =
        colors.empty() || !twins ? core::ColorRGB{}
                                 : colorscience::neutralRamp(colors[0].rgb).steps.back().color;
    for (size_t i = 0; i < colors.size(); ++i) {
        const core::PaletteColor& c = colors[i];
        const core::Oklch own = core::toOklch(c.color.oklab);
        // a colour beyond sRGB keeps its own value where a file can hold it, as a scheme's does
        Swatch swatch{names[i], c.rgb, own, !isEightBit(c), wideGamutText(own), c.group};
        if (twins)
            swatch.dark = colorscience::darkTwin(c.rgb, background).color;
        file.swatches.push_back(std::move(swatch));
    }
    return file;
}

void makeUnique(std::vector<std::string>& names, bool sassVariables) {
    const auto keyOf = [sassVariables](std::string key) {
        if (sassVariables)
            std::replace(key.begin(), key.end(), '_', '-');
        return key;
    };
    std::set<std::string> taken;
    for (std::string& name : names) {
        std::string unique = name;
        for (int k = 2; taken.count(keyOf(unique)) > 0; ++k)
            unique = name + "-" + std::to_string(k);
        taken.insert(keyOf(unique));
        name = unique;
    }
}

std::string cssIdentifierOf(std::string_view name) {
    std::u32string codes = core::codePointsOf(name);
    for (char32_t& c : codes) {
        const bool kept = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                          (c >= '0' && c <= '9') || c == '-' || c == '_' ||
                          (c >= 0x80 && c != 0xFFFD);
        c = kept ? c : '-';
    }
    return core::utf8Of(codes);
}

std::vector<std::string> wideDeclarations(const std::vector<Swatch>& swatches,
                                          std::string_view prefix, bool oklch) {
    std::vector<std::string> declarations;
    for (const Swatch& s : swatches) {
        // oklch() of a colour's own OKLCH already holds it exactly, beyond display-p3 too
        if (!s.wide.empty() && !(oklch && s.own))
            declarations.push_back("--" + std::string(prefix) + s.name + ": " + s.wide + ";");
    }
    return declarations;
}

std::string wideGamutRule(const std::vector<std::string>& declarations, std::string_view rules) {
    if (declarations.empty())
        return {};
    std::string text = "@media (color-gamut: p3) {\n  :root {\n";
    for (const std::string& d : declarations)
        text += "    " + d + "\n";
    return text + "  }\n" + std::string(rules) + "}\n";
}

std::string oklchOf(const Swatch& swatch) {
    return swatch.own ? core::oklchText(*swatch.own) : core::oklchText(swatch.rgb);
}

std::vector<uint8_t> bytesOf(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

} // namespace formats
