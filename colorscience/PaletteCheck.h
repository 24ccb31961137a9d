#pragma once

#include "SchemeCheck.h"

#include <array>
#include <string>
#include <vector>

namespace colorscience {

/// The most colours a palette check compares: every pair of them is shown, so beyond this the
/// matrix and the list are too large to read.
constexpr int kMostCheckedPaletteColors = 100;

/// Two colours of a palette compared: contrast both ways and how far apart they look.
struct PalettePair {
    int first = 0;              ///< colour index, before second
    int second = 1;             ///< colour index
    double ratio = 1.0;         ///< WCAG contrast ratio 1..21 (the same either way)
    double lcFirstOnSecond = 0; ///< APCA Lc of first as text on second
    double lcSecondOnFirst = 0; ///< APCA Lc of second as text on first
    double difference = 0;      ///< CIEDE2000 in normal vision
    std::array<double, kSimulationCount> seenDifference{}; ///< CIEDE2000 under each simulation
    /// Hard to tell apart already in normal vision (difference under kHardToTellApart): no
    /// vision tells them apart, so the pair fails for every deficiency.
    bool tooClose = false;
    /// Distinct in normal vision but hard to tell apart under the simulation.
    std::array<bool, kSimulationCount> hardUnder{};

    /// Whether the pair fails for the simulation: hard under it, or too close for anyone.
    bool failsUnder(int simulation) const { return tooClose || hardUnder[size_t(simulation)]; }
};

/// Every pair of a palette's colours.
struct PaletteCheck {
    std::vector<ColorRGB> colors;   ///< the colours compared (at most kMostCheckedPaletteColors)
    std::vector<std::string> names; ///< their names in the palette, "" for none
    int leftOut = 0;                ///< colours of the palette beyond those compared
    /// The pairs, those passing AA normal text first, each part by falling contrast ratio,
    /// then by index.
    std::vector<PalettePair> pairs;
    /// Per simulation, the indices into pairs of those that fail under it, in pairs' order.
    std::array<std::vector<int>, kSimulationCount> failing;
};

/// Checks a palette's colours, named names (by index; fewer names leave the rest
/// unnamed): the first kMostCheckedPaletteColors of them.
PaletteCheck checkPalette(const std::vector<ColorRGB>& colors,
                          const std::vector<std::string>& names = {});

/// Colour index of the check as a reader finds it in the palette: "Brand red #D03030" (the
/// name cut after kShownNameLength characters), "#D03030" for a colour without a name.
std::string colorLabel(const PaletteCheck& check, int index);
/// Characters of a colour's name colorLabel shows.
constexpr size_t kShownNameLength = 24;

/// Pairs a verdict names before it counts the rest, so that every verdict stays a line or two.
constexpr size_t kNamedPairs = 3;

/// "Protanopia: safe", or "Protanopia: 5 pairs fail (red #FF0000 and green #00FF00, ...,
/// and 2 more)": the first kNamedPairs pairs named by colorLabel.
std::string verdictText(const PaletteCheck& check, int simulation);

} // namespace colorscience
