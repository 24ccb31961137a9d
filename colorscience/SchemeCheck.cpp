#include "SchemeCheck.h"

#include "ColorDifference.h"
#include "core/Oklab.h"

#include <cmath>
#include <cstdio>

namespace colorscience {

namespace {

constexpr int kPairsOfThree[3][2] = {{0, 1}, {0, 2}, {1, 2}};

std::string name(int index) {
    return checkedColorName(index);
}

} // namespace

const char* checkedColorName(int index) {
    static const char* const kNames[kCheckedColors] = {"Color 1", "Color2", "Color 3", "White",
                                                       "Black"};
    return index >= 0 && index < kCheckedColors ? kNames[index] : "";
}

SchemeCheck checkScheme(const std::array<ColorRGB, 3>& schemeColors, int count) {
    SchemeCheck check;
    check.schemeColors = count == 2 ? 2 : 3;
    for (int i = 0; i < 3; ++i)
        check.colors[size_t(i)] = schemeColors[size_t(i)];
    check.colors[3] = ColorRGB{255, 255, 255};
    check.colors[4] = ColorRGB{0, 0, 0};
    for (size_t row = 0; row < kCheckedColors; ++row)
        for (size_t column = 0; column < kCheckedColors; ++column) {
            check.ratio[row][column] = contrastRatio(check.colors[row], check.colors[column]);
            check.lc[row][column] = apcaContrast(check.colors[row], check.colors[column]);
        }
    size_t n = 0;
    for (int s = 0; s < kSimulationCount; ++s)
        for (const auto& pair : kPairsOfThree) {
            SimulatedPair& p = check.pairs[n++];
            p.simulation = static_cast<Simulation>(s);
            p.first = pair[0];
            p.second = pair[1];
            p.firstSeen = simulate(p.simulation, check.colors[size_t(pair[0])]);
            p.secondSeen = simulate(p.simulation, check.colors[size_t(pair[1])]);
            p.difference = colorDifference(p.firstSeen, p.secondSeen);
            p.hardToTell = p.difference < kHardToTellApart;
        }
    return check;
}

std::string contrastWords(const SchemeCheck& check, int row, int column) {
    const double ratio = check.ratio[size_t(row)][size_t(column)];
    return name(row) + " on " + name(column) + ": " + ratioWords(ratio) + "; " + levelWords(ratio);
}

std::string apcaWords(const SchemeCheck& check, int row, int column) {
    return name(row) + " text on " + name(column) + " background: APCA Lc " +
           apcaText(check.lc[size_t(row)][size_t(column)]);
}

std::string differenceText(double difference) {
    // cut, not rounded, so that a pair flagged as under 10 never shows "10.0"
    const long long tenths = static_cast<long long>(std::floor(difference * 10.0 + 1e-9));
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%lld.%lld", tenths / 10, tenths % 10);
    return buffer;
}

std::string pairWords(const SchemeCheck& check, int index) {
    const SimulatedPair& p = check.pairs[size_t(index)];
    return std::string(simulationName(p.simulation)) + ", " + name(p.first) + " and " +
           name(p.second) + ": difference " + differenceText(p.difference) +
           (p.hardToTell ? ", hard to tell apart" : ", distinct");
}

std::string reportText(const SchemeCheck& check) {
    std::string text = "Accessibility check of the scheme";
    for (int i = 0; i < check.schemeColors; ++i)
        text += (i ? ", " : " ") + name(i) + " " + core::hexText(check.colors[size_t(i)]);
    text += "\n\nWCAG 2.2 contrast ratio (AA normal text 4.5, AA large text 3, AAA normal text 7, "
            "AAA large text 4.5, non-text 3)\n";
    for (int row = 0; row < kCheckedColors; ++row)
        for (int column = row + 1; column < kCheckedColors; ++column) {
            if (!check.compared(row) || !check.compared(column))
                continue;
            const double ratio = check.ratio[size_t(row)][size_t(column)];
            text += name(row) + " on " + name(column) + ": " + ratioText(ratio) + "; " +
                    levelWords(ratio) + "\n";
        }
    text += "\nAPCA lightness contrast Lc (text on background)\n";
    for (int row = 0; row < kCheckedColors; ++row)
        for (int column = 0; column < kCheckedColors; ++column)
            if (row != column && check.compared(row) && check.compared(column))
                text += name(row) + " on " + name(column) + ": Lc " +
                        apcaText(check.lc[size_t(row)][size_t(column)]) + "\n";
    text += "\nColor difference CIEDE2000 of the scheme colors as seen with each "
            "color-vision deficiency (under 10: hard to tell apart)\n";
    for (int i = 0; i < kPairCount; ++i)
        if (check.compared(check.pairs[size_t(i)]))
            text += pairWords(check, i) + "\n";
    return text;
}

} // namespace colorscience
