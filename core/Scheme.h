#pragma once

#include "ColorCodes.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace core {

/// The five scheme types by their selector index.
enum class SchemeType : int {
    Complementary = 0,
    Analogous = 1,
    SplitComplementary = 2,
    Triad = 3,
    Monochromatic = 4,
};

/// Centre and largest radius the rules work with, in wheel pixels.
struct WheelGeometry {
    int16_t cx = 130; ///< wheel_half_width
    float cy = 130;   ///< wheel_half_height
    float rmax = 130; ///< half the wheel's width, unrounded
};

/// Reads one pixel of the wheel surface: its colour value, or -1 outside the surface.
class PixelReader {
public:
    virtual ~PixelReader() = default;
    virtual Color pixelAt(int32_t x, int32_t y) = 0;
};

/// The three scheme slots of the swatch panel (k = 1, 2, 3).
class SchemeSlots {
public:
    virtual ~SchemeSlots() = default;
    virtual void setSwatchColor(int k, Color v) = 0;
    virtual void setDecimalText(int k, const std::string& text) = 0;
    virtual void setHtmlText(int k, const std::string& text) = 0;
};

/// The three construction lines over the wheel (line 1 = white, 2 and 3 = grey).
class ConstructionLines {
public:
    virtual ~ConstructionLines() = default;
    virtual void setLineVisible(int line, bool visible) = 0;
    virtual void placeLine(int line, float x1, float y1, float x2, float y2) = 0;
};

/// A sample position before rounding, in wheel pixels (64-bit floats).
struct SamplePoint {
    double x = 0;
    double y = 0;
};

/// The pointer's counter-clockwise angle around the centre in degrees,
/// -90 < theta <= 270; never normalised.
double pointerTheta(float x, float y, const WheelGeometry& g);

/// Distance of the pointer from the centre, clamped to g.rmax.
double clampedRadius(float x, float y, const WheelGeometry& g);

/// The point at angle (degrees, used as it is) and radius rho around the centre.
SamplePoint pointAt(double angle, double rho, const WheelGeometry& g);

/// Where a rule reads: the pointer and up to two derived points, as pixel coordinates.
struct SchemeReads {
    std::array<int32_t, 2> base{};
    std::optional<std::array<int32_t, 2>> p1;
    std::optional<std::array<int32_t, 2>> p2;
};

/// The pixels the rule of type reads for a pointer at (x, y).
SchemeReads schemeReads(SchemeType type, float x, float y, const WheelGeometry& g);

/// Runs the rule of type at (x, y): places the lines, reads the samples and writes the slots.
void runScheme(SchemeType type, float x, float y, const WheelGeometry& g, PixelReader& reader,
               SchemeSlots& slots, ConstructionLines& lines);

/// Gives the colour of a point by its angle and radius, for a wheel whose colours are computed
/// rather than read from pixels.
class PolarColorSource {
public:
    virtual ~PolarColorSource() = default;
    /// The colour value at angle (degrees, as the rule derived it, never normalised) and
    /// radius (wheel pixels, unrounded and unclamped).
    virtual Color colorAt(double angle, double radius) = 0;
};

/// Runs the rule of type around the point at angle theta and radius r (the pointer, drawn at
/// (x, y)): the same lines and derived angles and radii as runScheme, but every colour comes
/// from source at the exact angle and radius, with no rounding to pixels.
void runSchemeAround(SchemeType type, double theta, double r, float x, float y,
                     const WheelGeometry& g, PolarColorSource& source, SchemeSlots& slots,
                     ConstructionLines& lines);

/// Where runSchemeAround takes each column's colour for a rule around the point at angle theta
/// and radius r: per column (k = 1..3 at index k - 1) the angle (degrees, as derived) and radius
/// (wheel pixels), none for the column the rule leaves alone (complementary's third).
std::array<std::optional<std::array<double, 2>>, 3>
schemePolarPoints(SchemeType type, double theta, double r, const WheelGeometry& g);

/// Scheme type for a selector index 0-4.
std::optional<SchemeType> schemeTypeFromIndex(int index);

} // namespace core
