#include "ColorDifference.h"

#include "core/Oklab.h"

#include <cmath>

namespace colorscience {

namespace {

constexpr double kPi = 3.14159265358979323846;

double degrees(double radians) {
    return radians * 180.0 / kPi;
}

double radians(double degrees) {
    return degrees * kPi / 180.0;
}

double labCurve(double t) {
    constexpr double kDelta = 6.0 / 29.0;
    return t > kDelta * kDelta * kDelta ? std::cbrt(t) : t / (3.0 * kDelta * kDelta) + 4.0 / 29.0;
}

/// Hue angle in degrees 0..360 of (a, b); 0 for a neutral colour.
double hueAngle(double b, double a) {
    if (a == 0.0 && b == 0.0)
        return 0.0;
    const double h = degrees(std::atan2(b, a));
    return h < 0.0 ? h + 360.0 : h;
}

} // namespace

Lab srgbToLab(ColorRGB color) {
    const auto [r, g, b] = core::linearOf(color);
    const double x = 0.4124564 * r + 0.3575761 * g + 0.1804375 * b;
    const double y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
    const double z = 0.0193339 * r + 0.1191920 * g + 0.9503041 * b;
    // the white point is the matrix's own white, so white comes out neutral
    const double fx = labCurve(x / 0.95047);
    const double fy = labCurve(y / 1.0);
    const double fz = labCurve(z / 1.08883);
    return {116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)};
}

double ciede2000(const Lab& first, const Lab& second) {
    const double c1 = std::hypot(first.a, first.b);
    const double c2 = std::hypot(second.a, second.b);
    const double meanC = (c1 + c2) / 2.0;
    const double meanC7 = std::pow(meanC, 7.0);
    const double g = 0.5 * (1.0 - std::sqrt(meanC7 / (meanC7 + std::pow(25.0, 7.0))));
    const double a1 = (1.0 + g) * first.a;
    const double a2 = (1.0 + g) * second.a;
    const double cp1 = std::hypot(a1, first.b);
    const double cp2 = std::hypot(a2, second.b);
    const double hp1 = hueAngle(first.b, a1);
    const double hp2 = hueAngle(second.b, a2);

    const double dL = second.L - first.L;
    const double dC = cp2 - cp1;
    double dh = 0.0;
    if (cp1 * cp2 != 0.0) {
        dh = hp2 - hp1;
        if (dh > 180.0)
            dh -= 360.0;
        else if (dh < -180.0)
            dh += 360.0;
    }
    const double dH = 2.0 * std::sqrt(cp1 * cp2) * std::sin(radians(dh / 2.0));

    const double meanL = (first.L + second.L) / 2.0;
    const double meanCp = (cp1 + cp2) / 2.0;
    double meanH = hp1 + hp2;
    if (cp1 * cp2 != 0.0) {
        if (std::fabs(hp1 - hp2) <= 180.0)
            meanH /= 2.0;
        else if (hp1 + hp2 < 360.0)
            meanH = (meanH + 360.0) / 2.0;
        else
            meanH = (meanH - 360.0) / 2.0;
    }

    const double t =
        1.0 - 0.17 * std::cos(radians(meanH - 30.0)) + 0.24 * std::cos(radians(2.0 * meanH)) +
        0.32 * std::cos(radians(3.0 * meanH + 6.0)) - 0.20 * std::cos(radians(4.0 * meanH - 63.0));
    const double dTheta = 30.0 * std::exp(-std::pow((meanH - 275.0) / 25.0, 2.0));
    const double meanCp7 = std::pow(meanCp, 7.0);
    const double rc = 2.0 * std::sqrt(meanCp7 / (meanCp7 + std::pow(25.0, 7.0)));
    const double l50 = (meanL - 50.0) * (meanL - 50.0);
    const double sl = 1.0 + 0.015 * l50 / std::sqrt(20.0 + l50);
    const double sc = 1.0 + 0.045 * meanCp;
    const double sh = 1.0 + 0.015 * meanCp * t;
    const double rt = -std::sin(radians(2.0 * dTheta)) * rc;

    const double l = dL / sl;
    const double c = dC / sc;
    const double h = dH / sh;
    return std::sqrt(l * l + c * c + h * h + rt * c * h);
}

double colorDifference(ColorRGB first, ColorRGB second) {
    return ciede2000(srgbToLab(first), srgbToLab(second));
}

} // namespace colorscience
