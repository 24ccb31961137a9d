#include "Scheme.h"

#include "Numeric.h"
#include "Wheel.h"

#include <cmath>

namespace core {

namespace {

constexpr double kSideAngle = 22.5;

struct Derived {
    std::optional<SamplePoint> p1;
    std::optional<SamplePoint> p2;
};

Derived derivedPoints(SchemeType type, double theta, double r, const WheelGeometry& g) {
    switch (type) {
    case SchemeType::Complementary:
        return {pointAt(theta + 180, r, g), std::nullopt};
    case SchemeType::Analogous:
        return {pointAt(theta - kSideAngle, r, g), pointAt(theta + kSideAngle, r, g)};
    case SchemeType::SplitComplementary: {
        const double t = theta + 180;
        return {pointAt(t - kSideAngle, r, g), pointAt(t + kSideAngle, r, g)};
    }
    case SchemeType::Triad: {
        const double t = theta + 180;
        return {pointAt((t - kSideAngle) - 90, r, g), pointAt((t + kSideAngle) + 90, r, g)};
    }
    case SchemeType::Monochromatic:
        return {pointAt(theta, r + r / 5, g), pointAt(theta, r - r / 5, g)};
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

void readInto(SchemeSlots& slots, int k, PixelReader& reader, const std::array<int32_t, 2>& at) {
    writeSlot(slots, k, reader.pixelAt(at[0], at[1]));
}

} // namespace

double pointerTheta(float x, float y, const WheelGeometry& g) {
    const bool right = x >= g.cx;
    const bool above = y < g.cy;
    const float X = right ? x - static_cast<float>(g.cx) : static_cast<float>(g.cx) - x;
    const float Y = g.cy - y;
    if (X == 0.0f) {
        if (Y > 0)
            return 90;
        if (Y < 0)
            return 270;
        return 0;
    }
    const float q = Y / X;
    const double t = std::atan(static_cast<double>(q)) * 180.0 / kPi;
    if (!right && above)
        return (90 - std::fabs(t)) + 90;
    if (!right)
        return 180 + std::fabs(t);
    return t;
}

double clampedRadius(float x, float y, const WheelGeometry& g) {
    const float X = x >= g.cx ? x - static_cast<float>(g.cx) : static_cast<float>(g.cx) - x;
    const float Y = g.cy - y;
    double r =
        std::pow(std::pow(static_cast<double>(X), 2) + std::pow(static_cast<double>(Y), 2), 0.5);
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
        reads.p1 = pixelOf(*d.p1);
    if (d.p2)
        reads.p2 = pixelOf(*d.p2);
    return reads;
}

void runScheme(SchemeType type, float x, float y, const WheelGeometry& g, PixelReader& reader,
               SchemeSlots& slots, ConstructionLines& lines) {
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

    const double theta = pointerTheta(x, y, g);
    const double r = clampedRadius(x, y, g);
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
            lines.placeLine(2, cx, g.cy, toSingle(d.p1->x), toSingle(d.p1->y));
        if (d.p2)
            lines.placeLine(3, cx, g.cy, toSingle(d.p2->x), toSingle(d.p2->y));
    }

    readInto(slots, 2, reader, {pixelCoordinate(x), pixelCoordinate(y)});
    if (d.p1)
        readInto(slots, 1, reader, pixelOf(*d.p1));
    if (d.p2)
        readInto(slots, 3, reader, pixelOf(*d.p2));
    if (type == SchemeType::Complementary) {
        slots.setDecimalText(3, "");
        slots.setHtmlText(3, "");
    }
}

std::optional<SchemeType> schemeTypeFromIndex(int index) {
    if (index < 0 || index > 4)
        return std::nullopt;
    return static_cast<SchemeType>(index);
}

} // namespace core
