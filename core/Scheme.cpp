#include "Scheme.h"

#include "Numeric.h"
#include "Wheel.h"

#include <cmath>

namespace core {

namespace {

constexpr double kSideAngle = 22.5;

/// A derived point: where it lies, and the angle and radius it was placed at.
struct DerivedPoint {
    SamplePoint at;
    double angle;
    double radius;
};

DerivedPoint derivedAt(double angle, double rho, const WheelGeometry& g) {
    return {pointAt(angle, rho, g), angle, rho};
}

struct Derived {
    std::optional<DerivedPoint> p1;
    std::optional<DerivedPoint> p2;
};

Derived derivedPoints(SchemeType type, double theta, double r, const WheelGeometry& g) {
    switch (type) {
    case SchemeType::Complementary:
        return {derivedAt(theta + 180, r, g), std::nullopt};
    case SchemeType::Analogous:
        return {derivedAt(theta - kSideAngle, r, g), derivedAt(theta + kSideAngle, r, g)};
    case SchemeType::SplitComplementary: {
        const double t = theta + 180;
        return {derivedAt(t - kSideAngle, r, g), derivedAt(t + kSideAngle, r, g)};
    }
    case SchemeType::Triad: {
        const double t = theta + 180;
        return {derivedAt((t - kSideAngle) - 90, r, g), derivedAt((t + kSideAngle) + 90, r, g)};
    }
    case SchemeType::Monochromatic:
        return {derivedAt(theta, r + r / 5, g), derivedAt(theta, r - r / 5, g)};
    }
    return {};
}

std::array<int32_t, 2> pixelOf(const SamplePoint& p) {
    return {pixelCoordinate(p.x), pixelCoordinate(p.y)};
}

void writeSlot(SchemeSlots& slots, int k, Color v) {
    slots.setSwatchColor(k, v);
    slots.setDecimalText(k, decimalCode(v));
    slots.setHtmlText(k, htmlCode(v));
}

/// Runs a rule whose points lie at angle theta and radius r around the centre, the pointer at
/// (x, y): places the lines and writes the slots with what read gives for each point (the
/// slot, the point's unrounded position, its angle and radius).
template <typename Read>
void runRule(SchemeType type, float x, float y, double theta, double r, const WheelGeometry& g,
             Read&& read, SchemeSlots& slots, ConstructionLines& lines) {
    switch (type) {
    case SchemeType::Complementary:
        lines.setLineVisible(1, true);
        lines.setLineVisible(2, true);
        lines.setLineVisible(3, false);
        break;
    case SchemeType::Monochromatic:
        lines.setLineVisible(3, false);
        break;
    default:
        for (int line = 1; line <= 3; ++line)
            lines.setLineVisible(line, true);
        break;
    }

    const Derived d = derivedPoints(type, theta, r, g);

    // lines take the unrounded positions; reads take the rounded pixels
    const auto cx = static_cast<float>(g.cx);
    lines.placeLine(1, cx, g.cy, x, y);
    if (type == SchemeType::Monochromatic) {
        lines.setLineVisible(1, true);
        lines.setLineVisible(2, false);
        lines.setLineVisible(3, false);
    } else {
        if (d.p1)
            lines.placeLine(2, cx, g.cy, toSingle(d.p1->at.x), toSingle(d.p1->at.y));
        if (d.p2)
            lines.placeLine(3, cx, g.cy, toSingle(d.p2->at.x), toSingle(d.p2->at.y));
    }

    writeSlot(slots, 2, read(SamplePoint{x, y}, theta, r));
    if (d.p1)
        writeSlot(slots, 1, read(d.p1->at, d.p1->angle, d.p1->radius));
    if (d.p2)
        writeSlot(slots, 3, read(d.p2->at, d.p2->angle, d.p2->radius));
    if (type == SchemeType::Complementary) {
        slots.setDecimalText(3, "");
        slots.setHtmlText(3, "");
    }
}

} // namespace

double pointerTheta(float x, float y, const WheelGeometry& g) {
    const bool right = x >= g.cx;
    const bool above = y < g.cy;
    const float dx = right ? x - static_cast<float>(g.cx) : static_cast<float>(g.cx) - x;
    const float dy = g.cy - y;
    if (dx == 0.0f) {
        if (dy > 0)
            return 90;
        if (dy < 0)
            return 270;
        return 0;
    }
    const float q = dy / dx;
    const double t = std::atan(static_cast<double>(q)) * 180.0 / kPi;
    if (!right && above)
        return (90 - std::fabs(t)) + 90;
    if (!right)
        return 180 + std::fabs(t);
    return t;
}

double clampedRadius(float x, float y, const WheelGeometry& g) {
    const float dx = x >= g.cx ? x - static_cast<float>(g.cx) : static_cast<float>(g.cx) - x;
    const float dy = g.cy - y;
    double r =
        std::pow(std::pow(static_cast<double>(dx), 2) + std::pow(static_cast<double>(dy), 2), 0.5);
    if (r > g.rmax)
        r = g.rmax;
    return r;
}

SamplePoint pointAt(double angle, double rho, const WheelGeometry& g) {
    const double radians = angle * kPi / 180;
    return {rho * std::cos(radians) + g.cx, static_cast<double>(g.cy) - rho * std::sin(radians)};
}

SchemeReads schemeReads(SchemeType type, float x, float y, const WheelGeometry& g) {
    const double theta = pointerTheta(x, y, g);
    const double r = clampedRadius(x, y, g);
    const Derived d = derivedPoints(type, theta, r, g);
    SchemeReads reads;
    reads.base = {pixelCoordinate(x), pixelCoordinate(y)};
    if (d.p1)
        reads.p1 = pixelOf(d.p1->at);
    if (d.p2)
        reads.p2 = pixelOf(d.p2->at);
    return reads;
}

void runScheme(SchemeType type, float x, float y, const WheelGeometry& g, PixelReader& reader,
               SchemeSlots& slots, ConstructionLines& lines) {
    const auto read = [&reader](const SamplePoint& at, double, double) {
        return reader.pixelAt(pixelCoordinate(at.x), pixelCoordinate(at.y));
    };
    runRule(type, x, y, pointerTheta(x, y, g), clampedRadius(x, y, g), g, read, slots, lines);
}

void runSchemeAround(SchemeType type, double theta, double r, float x, float y,
                     const WheelGeometry& g, PolarColorSource& source, SchemeSlots& slots,
                     ConstructionLines& lines) {
    const auto read = [&source](const SamplePoint&, double angle, double radius) {
        return source.colorAt(angle, radius);
    };
    runRule(type, x, y, theta, r, g, read, slots, lines);
}

std::array<std::optional<std::array<double, 2>>, 3>
schemePolarPoints(SchemeType type, double theta, double r, const WheelGeometry& g) {
    const Derived d = derivedPoints(type, theta, r, g);
    std::array<std::optional<std::array<double, 2>>, 3> points;
    points[1] = std::array<double, 2>{theta, r};
    if (d.p1)
        points[0] = std::array<double, 2>{d.p1->angle, d.p1->radius};
    if (d.p2)
        points[2] = std::array<double, 2>{d.p2->angle, d.p2->radius};
    return points;
}

std::optional<SchemeType> schemeTypeFromIndex(int index) {
    if (index < 0 || index > 4)
        return std::nullopt;
    return static_cast<SchemeType>(index);
}

} // namespace core
