#include "VisionSimulation.h"

#include "core/Oklab.h"

#include <array>

namespace colorscience {

namespace {

using Matrix = std::array<std::array<double, 3>, 3>;

// Machado, Oliveira and Fernandes (2009), severity 1.0, rows give linear R, G, B
constexpr Matrix kProtanopia = {{{0.152286, 1.052583, -0.204868},
                                 {0.114503, 0.786281, 0.099216},
                                 {-0.003882, -0.048116, 1.051998}}};
constexpr Matrix kDeuteranopia = {{{0.367322, 0.860646, -0.227968},
                                   {0.280085, 0.672501, 0.047413},
                                   {-0.011820, 0.042940, 0.968881}}};
constexpr Matrix kTritanopia = {{{1.255528, -0.076749, -0.178779},
                                 {-0.078411, 0.930809, 0.147602},
                                 {0.004733, 0.691367, 0.303900}}};
// WCAG relative luminance, the grey an achromat sees
constexpr std::array<double, 3> kLuminance = {0.2126, 0.7152, 0.0722};

const Matrix& matrixOf(Simulation simulation) {
    switch (simulation) {
    case Simulation::Deuteranopia:
        return kDeuteranopia;
    case Simulation::Tritanopia:
        return kTritanopia;
    default:
        return kProtanopia;
    }
}

/// One output channel. The exact and the table paths both go through here, so both compute
/// the same double.
inline double mix(const std::array<double, 3>& row, double r, double g, double b) {
    return row[0] * r + row[1] * g + row[2] * b;
}

/// Linear light of each 8-bit code, so that whole pictures look it up instead of raising to a
/// power; filled from the one sRGB curve, so a pixel gets the very doubles simulate() uses.
class LinearTable {
public:
    static const LinearTable& get() {
        static const LinearTable kTable;
        return kTable;
    }

    double operator()(int code) const { return m_linear[static_cast<size_t>(code)]; }

private:
    LinearTable() {
        for (size_t i = 0; i < m_linear.size(); ++i)
            m_linear[i] = core::srgbToLinearLight(static_cast<double>(i) / 255.0);
    }

    std::array<double, 256> m_linear{};
};

/// The colour seen with the deficiency, of its three channels in linear light.
ColorRGB simulateLinear(Simulation simulation, double r, double g, double b) {
    if (simulation == Simulation::Achromatopsia) {
        const uint8_t grey = core::toByte(mix(kLuminance, r, g, b));
        return {grey, grey, grey};
    }
    const Matrix& m = matrixOf(simulation);
    return {core::toByte(mix(m[0], r, g, b)), core::toByte(mix(m[1], r, g, b)),
            core::toByte(mix(m[2], r, g, b))};
}

} // namespace

const char* simulationName(Simulation simulation) {
    switch (simulation) {
    case Simulation::Protanopia:
        return "Protanopia";
    case Simulation::Deuteranopia:
        return "Deuteranopia";
    case Simulation::Tritanopia:
        return "Tritanopia";
    case Simulation::Achromatopsia:
        return "Achromatopsia";
    }
    return "";
}

ColorRGB simulate(Simulation simulation, ColorRGB color) {
    const core::LinearRgb linear = core::linearOf(color);
    return simulateLinear(simulation, linear.r, linear.g, linear.b);
}

void simulatePixels(Simulation simulation, const uint32_t* src, uint32_t* dst, size_t count) {
    const LinearTable& linear = LinearTable::get();
    // pictures hold long stretches of one colour: a repeat costs a compare
    uint32_t lastIn = 0;
    uint32_t lastOut = 0;
    bool any = false;
    for (size_t i = 0; i < count; ++i) {
        const uint32_t in = src[i] & 0xFFFFFFu;
        if (!any || in != lastIn) {
            lastIn = in;
            const ColorRGB seen =
                simulateLinear(simulation, linear(int(in >> 16)), linear(int(in >> 8 & 0xFFu)),
                               linear(int(in & 0xFFu)));
            lastOut = 0xFF000000u | uint32_t(seen.r) << 16 | uint32_t(seen.g) << 8 | seen.b;
            any = true;
        }
        dst[i] = lastOut;
    }
}

} // namespace colorscience
