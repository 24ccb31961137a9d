#include "PaletteCheck.h"

#include "ColorDifference.h"
#include "core/Oklab.h"
#include "core/PrintableText.h"

#include <algorithm>

namespace colorscience {

PaletteCheck checkPalette(const std::vector<ColorRGB>& colors,
                          const std::vector<std::string>& names) {
    PaletteCheck check;
    const size_t count = std::min(colors.size(), size_t(kMostCheckedPaletteColors));
    check.leftOut = static_cast<int>(colors.size() - count);
    for (size_t i = 0; i < count; ++i) {
        check.colors.push_back(colors[i]);
        check.names.push_back(i < names.size() ? names[i] : std::string());
    }
    // each colour seen once per vision, so that a pair costs only its differences
    std::vector<Lab> normal;
    std::array<std::vector<Lab>, kSimulationCount> seen;
    for (ColorRGB color : check.colors) {
        normal.push_back(srgbToLab(color));
        for (int s = 0; s < kSimulationCount; ++s)
            seen[size_t(s)].push_back(srgbToLab(simulate(static_cast<Simulation>(s), color)));
    }
    for (size_t i = 0; i < count; ++i) {
        for (size_t j = i + 1; j < count; ++j) {
            PalettePair pair;
            pair.first = static_cast<int>(i);
            pair.second = static_cast<int>(j);
            pair.ratio = contrastRatio(check.colors[i], check.colors[j]);
            pair.lcFirstOnSecond = apcaContrast(check.colors[i], check.colors[j]);
            pair.lcSecondOnFirst = apcaContrast(check.colors[j], check.colors[i]);
            pair.difference = ciede2000(normal[i], normal[j]);
            pair.tooClose = pair.difference < kHardToTellApart;
            for (size_t s = 0; s < kSimulationCount; ++s) {
                pair.seenDifference[s] = ciede2000(seen[s][i], seen[s][j]);
                pair.hardUnder[s] = !pair.tooClose && pair.seenDifference[s] < kHardToTellApart;
            }
            check.pairs.push_back(pair);
        }
    }
    std::stable_sort(check.pairs.begin(), check.pairs.end(),
                     [](const PalettePair& a, const PalettePair& b) {
                         const bool aPasses = passes(a.ratio, Level::AaNormal);
                         const bool bPasses = passes(b.ratio, Level::AaNormal);
                         if (aPasses != bPasses)
                             return aPasses;
                         return a.ratio > b.ratio;
                     });
    for (size_t p = 0; p < check.pairs.size(); ++p) {
        for (int s = 0; s < kSimulationCount; ++s) {
            if (check.pairs[p].failsUnder(s))
                check.failing[size_t(s)].push_back(static_cast<int>(p));
        }
    }
    return check;
}

std::string colorLabel(const PaletteCheck& check, int index) {
    if (index < 0 || size_t(index) >= check.colors.size())
        return {};
    const std::string hex = core::hexText(check.colors[size_t(index)]);
    const std::string name = size_t(index) < check.names.size() ? check.names[size_t(index)] : "";
    return name.empty() ? hex : core::printableText(name, kShownNameLength) + " " + hex;
}

std::string verdictText(const PaletteCheck& check, int simulation) {
    const std::string name = simulationName(static_cast<Simulation>(simulation));
    const std::vector<int>& failing = check.failing[size_t(simulation)];
    if (failing.empty())
        return name + ": safe";
    std::string text = name + ": " + std::to_string(failing.size()) +
                       (failing.size() == 1 ? " pair fails (" : " pairs fail (");
    for (size_t i = 0; i < failing.size() && i < kNamedPairs; ++i) {
        const PalettePair& pair = check.pairs[size_t(failing[i])];
        text += (i == 0 ? "" : ", ") + colorLabel(check, pair.first) + " and " +
                colorLabel(check, pair.second);
        if (pair.tooClose)
            text += " too close in any vision";
    }
    if (failing.size() > kNamedPairs)
        text += ", and " + std::to_string(failing.size() - kNamedPairs) + " more";
    return text + ")";
}

} // namespace colorscience
