#pragma once

#include "ColorCodes.h"

#include <string>

// Perceptual colour: sRGB, OKLab and OKLCH in double precision with the CSS Color 4
// matrices, the CSS Color 4 gamut mapping into sRGB, the other notations a designer types
// (HSL, HWB, CIE Lab and LCH, display-p3) and CSS texts of a colour.

namespace core {

/// Gamma-encoded sRGB, each channel 0..1 inside the gamut (outside it for wider colours).
struct Srgb {
    double r = 0;
    double g = 0;
    double b = 0;
};

/// Linear-light sRGB, each channel 0..1 inside the gamut.
struct LinearRgb {
    double r = 0;
    double g = 0;
    double b = 0;
};

/// Linear-light display-p3 (the P3 primaries, white D65), each channel 0..1 inside its gamut.
struct LinearP3 {
    double r = 0;
    double g = 0;
    double b = 0;
};

/// Gamma-encoded display-p3 (the sRGB transfer curve), each channel 0..1 inside its gamut.
struct DisplayP3 {
    double r = 0;
    double g = 0;
    double b = 0;
};

/// OKLab: L 0..1 (black to white), a and b about -0.4..0.4.
struct Oklab {
    double L = 0;
    double a = 0;
    double b = 0;
};

/// OKLCH: L 0..1, chroma C >= 0 (sRGB reaches about 0.32), hue h in degrees 0 <= h < 360.
struct Oklch {
    double L = 0;
    double C = 0;
    double h = 0;
};

/// CIE Lab relative to D50: L 0..100, a and b about -128..127.
struct CieLab {
    double L = 0;
    double a = 0;
    double b = 0;
};

/// Linear light of an encoded sRGB channel; odd-symmetric, so negative input stays negative.
double srgbToLinearLight(double encoded);
/// Encoded sRGB channel of linear light; odd-symmetric like srgbToLinearLight.
double linearLightToSrgb(double linear);

/// Linear sRGB of an encoded sRGB colour (channels unbounded).
LinearRgb toLinear(const Srgb& c);
/// Encoded sRGB of a linear sRGB colour (channels unbounded).
Srgb toEncoded(const LinearRgb& c);
/// Linear sRGB of an 8-bit colour (channels 0..255 to 0..1 linear light).
LinearRgb linearOf(ColorRGB c);

/// OKLab of a linear sRGB colour (any channels, also outside 0..1).
Oklab oklabOf(const LinearRgb& c);
/// Linear sRGB of an OKLab colour (channels outside 0..1 when it is outside sRGB).
LinearRgb linearOf(const Oklab& c);
/// OKLab of an 8-bit sRGB colour.
Oklab oklabOf(ColorRGB c);

/// OKLCH of OKLab; hue in degrees 0 <= h < 360 (0 for a grey).
Oklch toOklch(const Oklab& c);
/// OKLab of OKLCH; any hue in degrees, chroma below 0 taken as 0.
Oklab toOklab(const Oklch& c);

/// deltaEOK: the Euclidean distance of two OKLab colours (0 for equal, about 1 black-white).
double deltaEOK(const Oklab& x, const Oklab& y);

/// Whether every linear channel lies in 0..1, allowing 1e-9 of floating-point noise.
bool inSrgbGamut(const LinearRgb& c);

/// Linear sRGB 0..1 of an OKLCH colour by the CSS Color 4 gamut mapping: L >= 1 is white,
/// L <= 0 black, a colour inside sRGB itself, else the binary search on chroma (deltaEOK
/// JND 0.02, epsilon 0.0001) ending in a clip. Any input ends in a bounded search: an
/// endless chroma reaches the edge at its hue, a chroma or hue that is NaN (or an endless
/// hue) gives the grey of L, and L that is NaN gives black.
LinearRgb gamutMap(const Oklch& c);

/// 8-bit channel 0..255 of linear light: the encoded value times 255 rounded half up; input
/// is clamped to 0..1 first.
uint8_t toByte(double linear);
/// 8-bit colour of linear sRGB, each channel clamped to 0..1 and rounded by toByte.
ColorRGB toRgb8(const LinearRgb& c);
/// The gamut-mapped 8-bit colour of OKLCH: toRgb8(gamutMap(c)).
ColorRGB mapToRgb8(const Oklch& c);

/// Encoded sRGB of HSL: hue in degrees (any), saturation and lightness 0..1.
Srgb hslToSrgb(double hue, double saturation, double lightness);
/// Encoded sRGB of HWB: hue in degrees (any), whiteness and blackness 0..1 (a sum above 1 is
/// scaled down to 1, giving a grey).
Srgb hwbToSrgb(double hue, double whiteness, double blackness);

/// HSL of an encoded sRGB colour: hue in degrees 0 <= h < 360 (0 for a grey), s and l 0..1.
struct Hsl {
    double h = 0;
    double s = 0;
    double l = 0;
};
Hsl hslOf(const Srgb& c);

/// Linear sRGB of CIE Lab (D50), through XYZ and the Bradford adaptation to D65.
LinearRgb linearOf(const CieLab& c);
/// CIE Lab (D50) of CIE LCH: L 0..100, chroma >= 0, hue in degrees.
CieLab labOfLch(double L, double C, double hue);
/// CIE Lab (D50) of linear sRGB.
CieLab labOf(const LinearRgb& c);

/// Linear sRGB of an encoded display-p3 colour (channels 0..1 inside display-p3).
LinearRgb linearOfDisplayP3(const Srgb& p3);

/// Linear display-p3 of OKLab (channels outside 0..1 when it is outside display-p3).
LinearP3 linearP3Of(const Oklab& c);
/// OKLab of linear display-p3 (any channels).
Oklab oklabOf(const LinearP3& c);
/// Linear display-p3 of linear sRGB; sRGB lies inside display-p3, so 0..1 stays 0..1.
LinearP3 linearP3Of(const LinearRgb& c);
/// Encoded display-p3 of linear display-p3 (channels unbounded, odd-symmetric).
DisplayP3 displayP3Of(const LinearP3& c);
/// Linear display-p3 of encoded display-p3 (channels unbounded, odd-symmetric).
LinearP3 linearP3Of(const DisplayP3& c);
/// Whether every linear display-p3 channel lies in 0..1, allowing 1e-9 of floating-point noise.
bool inP3Gamut(const LinearP3& c);
/// Whether the CSS gamut mapping into sRGB changes an OKLCH colour: 0 < L < 1 and some linear
/// sRGB channel outside 0..1 (a lightness at 0 or 1 or beyond is black or white, inside).
bool outsideSrgb(const Oklch& c);

/// Linear display-p3 0..1 of an OKLCH colour by the CSS Color 4 gamut mapping with display-p3
/// as destination: the same steps, bounds and answers for odd input as gamutMap.
LinearP3 gamutMapP3(const Oklch& c);
/// The gamut-mapped encoded display-p3 0..1 of an OKLCH colour: displayP3Of(gamutMapP3(c)).
DisplayP3 mapToDisplayP3(const Oklch& c);
/// Encoded display-p3 0..1 of an 8-bit sRGB colour (always inside display-p3).
DisplayP3 displayP3Of(ColorRGB c);
/// The display-p3 value a file holds of a colour beyond sRGB: mapToDisplayP3(c) with each
/// channel as displayP3Text writes it (0..1, 4 decimals).
DisplayP3 writtenDisplayP3(const Oklch& c);
/// The 8-bit colour an sRGB screen shows for that value: writtenDisplayP3(c) gamut-mapped into
/// sRGB and rounded, so a file's sRGB fallback and its display-p3 line agree.
ColorRGB shownOfDisplayP3(const Oklch& c);

/// "#RRGGBB", upper case.
std::string hexText(ColorRGB c);
/// "rgb(r, g, b)" with channels 0..255, the form browsers serialise.
std::string rgbText(ColorRGB c);
/// "hsl(h, s%, l%)": each figure to at most 2 decimals without trailing zeros, precise
/// enough that it reads back to the same 8-bit colour; hue 0 for a grey.
std::string hslText(ColorRGB c);
/// "oklch(L% C H)": L in percent to 2 decimals, C to 4 significant digits (at most 6
/// decimals), H in degrees to 2 decimals, trailing zeros and a bare point dropped as CSSOM number
/// serialisation does; H is 0 when C shows as 0.
std::string oklchText(const Oklch& c);
/// oklchText of the OKLCH of an 8-bit colour.
std::string oklchText(ColorRGB c);
/// "color(display-p3 r g b)": each channel clamped to 0..1 and written to 4 decimals (a
/// hundredth of an 8-bit step), trailing zeros and a bare point dropped ("1", "0.5", "0.9176").
std::string displayP3Text(const DisplayP3& c);

} // namespace core
