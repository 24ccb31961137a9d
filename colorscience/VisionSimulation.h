#pragma once

#include "Contrast.h"

#include <cstddef>
#include <cstdint>

namespace colorscience {

/// The colour-vision deficiencies the check shows, in display order.
enum class Simulation { Protanopia, Deuteranopia, Tritanopia, Achromatopsia };
constexpr int kSimulationCount = 4;

/// "Protanopia", "Deuteranopia", "Tritanopia", "Achromatopsia".
const char* simulationName(Simulation simulation);

/// 8-bit sRGB 0..255 of linear light, clamped to 0..1 first (NaN counts as 0), rounded to
/// the nearest code.
int encodeLinear(double linear);

/// The colour as seen with the deficiency. The dichromacies apply the full-severity matrices
/// of Machado, Oliveira and Fernandes (2009) to linear light; achromatopsia keeps only the
/// WCAG relative luminance, as a grey.
Rgb24 simulate(Simulation simulation, Rgb24 color);

/// simulate() over count pixels stored as 0xAARRGGBB words: dst gets exactly what
/// simulate() gives for each pixel, with alpha 0xFF. Table-driven, for whole pictures;
/// src and dst may be the same buffer.
void simulatePixels(Simulation simulation, const uint32_t* src, uint32_t* dst, size_t count);

} // namespace colorscience
