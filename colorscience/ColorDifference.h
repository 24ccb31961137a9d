#pragma once

#include "Contrast.h"

namespace colorscience {

/// A CIELAB colour (D65 white): L 0..100, a and b about -128..128.
struct Lab {
    double L = 0.0;
    double a = 0.0;
    double b = 0.0;
};

/// CIELAB of an 8-bit sRGB colour: linear light, XYZ under D65, then L*a*b*.
Lab srgbToLab(ColorRGB color);

/// CIEDE2000 colour difference (kL = kC = kH = 1), 0 for equal colours.
double ciede2000(const Lab& first, const Lab& second);

/// CIEDE2000 difference of two sRGB colours.
double colorDifference(ColorRGB first, ColorRGB second);

} // namespace colorscience
