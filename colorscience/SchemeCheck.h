#pragma once

#include "Contrast.h"
#include "VisionSimulation.h"

#include <array>
#include <string>

namespace colorscience {

/// The colours the check compares: the three scheme colours, then white and black.
constexpr int kCheckedColors = 5;
/// "Color 1", "Color2", "Color 3", "White", "Black" (the swatch captions, as they read).
const char* checkedColorName(int index);

/// Two scheme colours as one simulation shows them, and how far apart they look.
struct SimulatedPair {
    Simulation simulation = Simulation::Protanopia;
    int first = 0;  ///< scheme colour index 0..2
    int second = 1; ///< scheme colour index 0..2, after first
    ColorRGB firstSeen;
    ColorRGB secondSeen;
    double difference = 0.0; ///< CIEDE2000
    bool hardToTell = false; ///< difference under kHardToTellApart
};

/// Simulated colours closer than this CIEDE2000 difference are hard to tell apart.
constexpr double kHardToTellApart = 10.0;
/// Pairs per simulation (of three colours) times the simulations.
constexpr int kPairCount = 3 * kSimulationCount;

/// Everything the check reports about one scheme.
struct SchemeCheck {
    /// How many of the first colours belong to the scheme: 2 (complementary) or 3. A colour
    /// beyond them is not in the scheme, and nothing is checked or reported against it.
    int schemeColors = 3;
    std::array<ColorRGB, kCheckedColors> colors{};
    /// WCAG contrast ratio of colours[row] and colours[column].
    std::array<std::array<double, kCheckedColors>, kCheckedColors> ratio{};
    /// APCA Lc of colours[row] as text on colours[column] as background.
    std::array<std::array<double, kCheckedColors>, kCheckedColors> lc{};
    /// Pairs in simulation order, then (1, 2), (1, 3), (2, 3).
    std::array<SimulatedPair, kPairCount> pairs{};

    /// Whether colour index (0-4) is compared: white, black and the scheme's own colours.
    bool compared(int index) const { return index < schemeColors || index >= 3; }
    /// Whether both colours of pair i are in the scheme.
    bool compared(const SimulatedPair& pair) const {
        return compared(pair.first) && compared(pair.second);
    }
};

/// Checks the scheme colours: the first count (2 or 3) of them.
SchemeCheck checkScheme(const std::array<ColorRGB, 3>& schemeColors, int count = 3);

/// "Color 1 on White: 4.47 to 1; passes AA large text, non-text; fails ..."
std::string contrastWords(const SchemeCheck& check, int row, int column);
/// "Color 1 text on White background: APCA Lc 63.1"
std::string apcaWords(const SchemeCheck& check, int row, int column);
/// "Protanopia, Color 1 and Color2: difference 8.2, hard to tell apart"
std::string pairWords(const SchemeCheck& check, int index);
/// The difference with one decimal cut, never rounded up: "8.2" for 8.29, "9.9" for 9.99.
std::string differenceText(double difference);

/// The plain-text report for a design review, lines ending in "\n": the scheme, every pair
/// of different colours with its contrast ratio and levels, APCA Lc of every colour as text
/// on every other, and the simulated pairs, the hard ones flagged.
std::string reportText(const SchemeCheck& check);

} // namespace colorscience
