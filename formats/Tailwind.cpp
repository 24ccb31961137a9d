#include "Tailwind.h"

namespace formats {

namespace {

/// A role as the theme writes a ramp step: the oklch() of its 8-bit colour.
std::vector<std::string> oklchRoleValues(const RoleProperty& role, bool dark) {
    return {core::oklchText(dark ? role.dark : role.light)};
}

} // namespace

std::string tailwindThemeText(const FilePalette& palette) {
    std::string text = palette.preface + "@theme {\n";
    for (size_t i = 0; i < palette.swatches.size(); ++i) {
        const Swatch& s = palette.swatches[i];
        if (i > 0 && s.section != palette.swatches[i - 1].section)
            text += "\n";
        text += "  --color-" + s.name + ": " + oklchOf(s) + ";\n";
    }
    // the light roles are theme colours (bg-primary, text-on-primary, ...); the dark ones
    // override the same variables, which the utilities read, where dark is asked for
    if (!palette.roles.empty())
        text += "\n" + roleLines(palette.roles, false, oklchRoleValues, "color-", "  ");
    // @theme stays at the top level, as Tailwind asks; the theme's variables live on :root
    text += "}\n" + roleThemeRules(palette.roles, oklchRoleValues, "color-", {}, true);
    return text + wideGamutRuleWithRoles(wideDeclarations(palette.swatches, "color-", true),
                                         palette.roles, "color-");
}

FilePalette schemeTheme(const SchemeColors& colors, const ExportOptions& options) {
    const colorscience::DesignSystem system = designSystemOf(colors, options.exact);
    FilePalette file;
    file.preface =
        "/* Tailwind CSS 4 theme: tonal ramps 50 (lightest) to 950 of the scheme's colours and\n"
        "   of a neutral tinted with the base colour's hue, for utilities such as bg-color-1-500\n"
        "   and text-neutral-950. Use it after the framework:\n"
        "   @import \"tailwindcss\";\n"
        "   @import \"./scheme.tailwind.css\";\n"
        "*/\n";
    for (size_t r = 0; r < system.ramps.size(); ++r) {
        for (size_t s = 0; s < colorscience::kRampSize; ++s) {
            Swatch step{stepName(system, r, s),
                        system.ramps[r].steps.at(s).color,
                        {},
                        false,
                        wideTextOf(system, r, s)};
            step.section = std::to_string(r);
            file.swatches.push_back(std::move(step));
        }
    }
    for (size_t i = 0; options.dark && i < system.twins.size(); ++i) {
        file.swatches.push_back({colorName(i) + "-dark", system.twins[i].color});
        file.swatches.back().section = "dark";
    }
    file.roles = schemeRoleProperties(colors, options);
    return file;
}

std::string tailwindThemeText(const SchemeColors& colors, const ExportOptions& options) {
    return tailwindThemeText(schemeTheme(colors, options));
}

} // namespace formats
