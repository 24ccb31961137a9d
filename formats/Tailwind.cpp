#include "Tailwind.h"

namespace formats {

std::string tailwindThemeText(const FilePalette& palette) {
    std::string text = palette.preface + "@theme {\n";
    for (size_t i = 0; i < palette.swatches.size(); ++i) {
        const Swatch& s = palette.swatches[i];
        if (i > 0 && s.section != palette.swatches[i - 1].section)
            text += "\n";
        text += "  --color-" + s.name + ": " + oklchOf(s) + ";\n";
    }
    // @theme stays at the top level, as Tailwind asks; the theme's variables live on :root
    return text + "}\n" + wideGamutRule(wideDeclarations(palette.swatches, "color-", true));
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
    return file;
}

std::string tailwindThemeText(const SchemeColors& colors, const ExportOptions& options) {
    return tailwindThemeText(schemeTheme(colors, options));
}

} // namespace formats
