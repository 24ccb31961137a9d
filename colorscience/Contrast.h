#pragma once

#include <cstdint>
#include <string>

namespace colorscience {

/// An 8-bit sRGB colour as 0xRRGGBB; any bits above the low 24 are ignored.
using Rgb24 = uint32_t;

constexpr int redOf(Rgb24 c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
constexpr int greenOf(Rgb24 c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int blueOf(Rgb24 c) {
    return static_cast<int>(c & 0xFF);
}
constexpr Rgb24 rgb24(int r, int g, int b) {
    return (static_cast<Rgb24>(r & 0xFF) << 16) | (static_cast<Rgb24>(g & 0xFF) << 8) |
           static_cast<Rgb24>(b & 0xFF);
}

/// Linear light 0..1 of an sRGB channel 0..255 (piecewise curve, threshold 0.04045).
double srgbToLinear(int channel);

/// WCAG relative luminance 0..1 of an sRGB colour.
double relativeLuminance(Rgb24 color);

/// WCAG contrast ratio 1..21 of two colours, in either order.
double contrastRatio(Rgb24 a, Rgb24 b);

/// The ratio with two decimals cut, never rounded up: "4.47:1".
std::string ratioText(double ratio);
/// The same figure in words for a screen reader: "4.47 to 1".
std::string ratioWords(double ratio);

/// The WCAG success levels a ratio is checked against, in display order.
enum class Level { AaNormal, AaLarge, AaaNormal, AaaLarge, NonText };
constexpr int kLevelCount = 5;

/// The least ratio that passes the level.
double levelThreshold(Level level);
/// "AA normal text", "AA large text", "AAA normal text", "AAA large text", "non-text".
const char* levelName(Level level);
/// Whether the ratio passes the level; judged on the exact ratio, not the text shown.
bool passes(double ratio, Level level);

/// The strongest band a ratio reaches, as a short mark: "AAA" (passes every level), "AA" (AA
/// normal text, AAA large text and non-text), "AA large" (AA large text and non-text), "fail".
const char* levelMark(double ratio);

/// "passes A, B; fails C, D" over all five levels (one half left out when empty).
std::string levelWords(double ratio);

/// APCA-W3 0.1.9 lightness contrast Lc of text on a background, about -108..106: positive
/// for dark text on a light background, negative for light text on a dark one.
double apcaContrast(Rgb24 text, Rgb24 background);

/// Lc with one decimal, signed: "63.1", "-68.5", "0.0".
std::string apcaText(double lc);

} // namespace colorscience
