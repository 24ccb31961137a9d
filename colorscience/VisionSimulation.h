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

/// The colour as seen with the deficiency. The dichromacies apply the full-severity matrices
/// of Machado, Oliveira and Fernandes (2009) to linear light; achromatopsia keeps only the
/// WCAG relative luminance, as a grey.
ColorRGB simulate(Simulation simulation, ColorRGB color);

/// simulate() over count pixels stored as 0xAARRGGBB words: dst gets exactly what
/// simulate() gives for each pixel, with alpha 0xFF. Table-driven, for whole pictures;
/// src and dst may be the same buffer.
void simulatePixels(Simulation simulation, const uint32_t* src, uint32_t* dst, size_t count);

} // namespace colorscience
