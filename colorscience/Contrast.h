#pragma once

#include "core/ColorCodes.h"

#include <string>

namespace colorscience {

/// The one 8-bit sRGB colour type, as everywhere else in the program.
using core::ColorRGB;

/// WCAG relative luminance 0..1 of an sRGB colour.
double relativeLuminance(ColorRGB color);

/// WCAG contrast ratio 1..21 of two colours, in either order.
double contrastRatio(ColorRGB a, ColorRGB b);

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
double apcaContrast(ColorRGB text, ColorRGB background);

/// Lc with one decimal, signed: "63.1", "-68.5", "0.0".
std::string apcaText(double lc);

} // namespace colorscience
