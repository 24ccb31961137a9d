#pragma once

#include "Oklab.h"
#include "Scheme.h"
#include "Wheel.h"

#include <array>
#include <cstdint>
#include <vector>

// The perceptual wheel: the OKLCH hue-chroma disc at one lightness, on the same surface and
// with the same pointer geometry as the classic wheels. A pointer at angle theta (as the
// rules compute it) and radius rho stands for oklch(L, 0.33 * rho / rmax, theta mod 360).

namespace core {

/// Chroma at the disc's rim.
constexpr double kPerceptualRimChroma = 0.33;

/// OKLCH the pointer at wheel pixel (x, y) stands for at lightness L (0..1): hue the rules'
/// pointerTheta mod 360, chroma 0.33 * clampedRadius / g.rmax (0..0.33).
Oklch perceptualPoint(float x, float y, double L, const WheelGeometry& g = WheelGeometry{});

/// OKLCH of a rule's derived point at angle (degrees, any, counter-clockwise) and radius
/// (wheel pixels, >= 0, not clamped: a chroma above 0.33 is gamut-mapped like any other).
Oklch perceptualPolar(double angle, double radius, double L,
                      const WheelGeometry& g = WheelGeometry{});

/// The 8-bit colour of the pointer at (x, y), lightness L 0..1: perceptualPoint gamut-mapped
/// by the CSS algorithm and rounded (mapToRgb8). Exact: computed, never read from pixels.
ColorRGB perceptualColorAt(float x, float y, double L, const WheelGeometry& g = WheelGeometry{});

/// Lightness step 0..1 between Monochromatic's colours on the perceptual wheel.
constexpr double kMonochromeLightnessStep = 0.15;

/// Monochromatic's partners of base on the perceptual wheel: the same hue and chroma at
/// L + 0.15 (colour 1) and L - 0.15 (colour 3), lightness clamped to 0..1. Scaling the chroma
/// instead, as the classic wheels do, would map both partners onto the base outside sRGB.
std::array<Oklch, 2> monochromePartners(const Oklch& base);

/// The colour of the one-pixel sRGB gamut line at lightness L (0..1): black, or white below
/// L = 0.5637, where a grey of that lightness has more WCAG contrast against white.
ColorRGB gamutLineColor(double L);

/// Length in pixels of one dash and one gap of the display-p3 line, measured along the line.
constexpr double kP3DashLength = 3.0;
constexpr double kP3GapLength = 3.0;

/// The disc on a square surface (0xFFRRGGBB pixels, row by row, as QImage::Format_RGB32
/// reads them). Pixels within g.rmax of the centre show the gamut-mapped colour of the
/// pointer there; the pixels just outside sRGB that touch (4-neighbour) an in-gamut pixel
/// show the gamut line; the pixels just outside display-p3 that touch a pixel inside it show
/// the same colour dashed (kP3DashLength on, kP3GapLength off, along the line), where the sRGB
/// line does not run; the rest shows kWheelBackground. Inside sRGB a pixel equals
/// perceptualColorAt exactly; outside it the disc maps each hue's chroma beyond the
/// just-noticeable clip to that clip, which is within one level per channel of the exact
/// binary search.
class PerceptualDisc {
public:
    /// A disc for geometry g on a surface of size x size pixels (size >= 1).
    explicit PerceptualDisc(const WheelGeometry& g = WheelGeometry{}, int size = kWheelSurfaceSize);

    /// Redraws the disc at lightness L (0..1, clamped) and returns its pixels.
    const std::vector<uint32_t>& draw(double L);
    /// The pixels of the last draw (empty before the first).
    const std::vector<uint32_t>& pixels() const { return m_pixels; }
    /// Side of the square surface in pixels.
    int size() const { return m_size; }
    /// Lightness 0..1 of the last draw.
    double lightness() const { return m_lightness; }
    /// Largest in-gamut chroma (0..0.33+) at hue (degrees, any) for the last draw's
    /// lightness, interpolated between 0.5 degree samples.
    double maxChroma(double hue) const;
    /// The same for display-p3: its largest chroma (0..0.5) at hue for the last draw.
    double maxChromaP3(double hue) const;
    /// How many pixels the last draw mapped by the full CSS search (at gamut corners).
    int exactlyMappedPixels() const { return m_exactPixels; }

    static constexpr int kHueSamples = 720;

private:
    struct DiscPixel {
        uint32_t index;     ///< into the surface
        uint32_t hueSample; ///< the hue sample at or below the pixel's hue
        double hueFraction; ///< 0..1 of the way to the next sample
        double chroma;      ///< 0..0.33
        double hue;         ///< degrees 0..360, as perceptualPoint gives it
        /// what one unit of chroma at the pixel's hue adds to each cube-root cone response
        double dl, dm, ds;
    };

    void buildHueTables(double L);
    double sampled(const std::vector<double>& table, double huePos) const;

    WheelGeometry m_geometry;
    int m_size;
    double m_lightness = -1;
    std::vector<DiscPixel> m_disc;
    std::vector<uint32_t> m_pixels;
    std::vector<uint8_t> m_inGamut;
    std::vector<uint8_t> m_inP3;     ///< padded as m_inGamut
    std::vector<double> m_maxChroma; ///< per hue sample, one extra wrapping sample
    std::vector<double> m_maxChromaP3;
    /// per hue sample, the length in pixels along the display-p3 edge from hue 0: the dashes'
    /// phase, so that they keep their length where the edge runs nearly radially
    std::vector<double> m_p3Arc;
    /// per hue sample, where the clip's deltaEOK reaches the JND, and where it comes within
    /// the search's epsilon of it: with the edge, they replay the CSS search per pixel
    std::vector<double> m_clipChroma;
    std::vector<double> m_windowChroma;
    /// per hue sample: the thresholds jump before the next sample (a corner of the gamut),
    /// so interpolating them is not safe and pixels beyond the JND there are mapped exactly
    std::vector<uint8_t> m_rough;
    int m_exactPixels = 0;
};

} // namespace core
