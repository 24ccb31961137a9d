#include "VisionSimulation.h"

#include <array>
#include <cmath>
#include <cstring>
#include <limits>

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

/// The table path: linear light of each 8-bit code, and the least linear value that encodes
/// to each code, so that encoding is a table look-up and at most a step or two.
class Tables {
public:
    static const Tables& get() {
        static const Tables kTables;
        return kTables;
    }

    double linear(int code) const { return m_linear[static_cast<size_t>(code)]; }

    int encode(double v) const {
        if (!(v > 0.0))
            return 0;
        if (v >= 1.0)
            return 255;
        int code = m_start[static_cast<size_t>(static_cast<int>(v * kBins))];
        // the bins are narrower than the gap between two thresholds, so these run once at most
        while (v >= m_threshold[static_cast<size_t>(code) + 1])
            ++code;
        while (v < m_threshold[static_cast<size_t>(code)])
            --code;
        return code;
    }

private:
    static constexpr int kBins = 4096;

    Tables() {
        for (size_t i = 0; i < m_linear.size(); ++i)
            m_linear[i] = srgbToLinear(static_cast<int>(i));
        m_threshold[0] = -std::numeric_limits<double>::infinity();
        m_threshold[256] = std::numeric_limits<double>::infinity();
        for (int k = 1; k < 256; ++k)
            m_threshold[static_cast<size_t>(k)] = leastEncodingTo(k);
        for (int i = 0; i <= kBins; ++i)
            m_start[static_cast<size_t>(i)] = static_cast<uint8_t>(encodeLinear(double(i) / kBins));
    }

    /// The least double in 0..1 that encodes to code or more, found over the doubles' bit
    /// patterns (ordered like their values for non-negative doubles).
    static double leastEncodingTo(int code) {
        uint64_t low = bits(0.0);
        uint64_t high = bits(1.0);
        while (low < high) {
            const uint64_t mid = low + (high - low) / 2;
            if (encodeLinear(value(mid)) >= code)
                high = mid;
            else
                low = mid + 1;
        }
        return value(low);
    }
    static uint64_t bits(double v) {
        uint64_t b = 0;
        std::memcpy(&b, &v, sizeof b);
        return b;
    }
    static double value(uint64_t b) {
        double v = 0.0;
        std::memcpy(&v, &b, sizeof v);
        return v;
    }

    std::array<double, 256> m_linear{};
    std::array<double, 257> m_threshold{};
    std::array<uint8_t, kBins + 1> m_start{};
};

template <typename Linear, typename Encode>
Rgb24 simulateWith(Simulation simulation, Rgb24 color, Linear linear, Encode encode) {
    const double r = linear(redOf(color));
    const double g = linear(greenOf(color));
    const double b = linear(blueOf(color));
    if (simulation == Simulation::Achromatopsia) {
        const int grey = encode(mix(kLuminance, r, g, b));
        return rgb24(grey, grey, grey);
    }
    const Matrix& m = matrixOf(simulation);
    return rgb24(encode(mix(m[0], r, g, b)), encode(mix(m[1], r, g, b)),
                 encode(mix(m[2], r, g, b)));
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

int encodeLinear(double linear) {
    if (!(linear > 0.0))
        return 0;
    if (linear >= 1.0)
        return 255;
    const double v =
        linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
    const int code = static_cast<int>(std::floor(v * 255.0 + 0.5));
    return code < 0 ? 0 : (code > 255 ? 255 : code);
}

Rgb24 simulate(Simulation simulation, Rgb24 color) {
    return simulateWith(simulation, color, srgbToLinear, encodeLinear);
}

void simulatePixels(Simulation simulation, const uint32_t* src, uint32_t* dst, size_t count) {
    const Tables& t = Tables::get();
    auto linear = [&t](int code) { return t.linear(code); };
    auto encode = [&t](double v) { return t.encode(v); };
    // pictures hold long stretches of one colour: a repeat costs a compare
    uint32_t lastIn = 0;
    uint32_t lastOut = 0;
    bool any = false;
    for (size_t i = 0; i < count; ++i) {
        const uint32_t in = src[i] & 0xFFFFFFu;
        if (!any || in != lastIn) {
            lastIn = in;
            lastOut = 0xFF000000u | simulateWith(simulation, in, linear, encode);
            any = true;
        }
        dst[i] = lastOut;
    }
}

} // namespace colorscience
