#pragma once

#include "Oklab.h"

#include <optional>
#include <string>
#include <string_view>

namespace core {

/// A colour read from CSS text, before any gamut mapping.
struct CssColor {
    Oklab oklab;             ///< the colour in OKLab (exact for every notation)
    LinearRgb linear;        ///< the same colour in linear sRGB, channels outside 0..1 when wider
    Srgb srgb;               ///< the same colour in encoded sRGB, as the text gave it for rgb()
    double alpha = 1.0;      ///< 0..1, clamped as CSS does
    bool hadAlpha = false;   ///< the text gave an alpha (4 or 8 hex digits, a fourth value,
                             ///< "/ alpha" or "transparent"), whatever its value
    bool outOfGamut = false; ///< outside sRGB: it must be gamut-mapped before it is shown
};

/// The colour, or a message for the user saying what is wrong with the text.
struct CssParseResult {
    std::optional<CssColor> color;
    std::string error; ///< empty when color is set
};

/// Reads a CSS colour as a designer types or pastes it: #RGB, #RGBA, #RRGGBB, #RRGGBBAA,
/// rgb()/rgba() (comma and space forms), hsl()/hsla(), hwb(), lab(), lch(), oklab(),
/// oklch(), color(srgb | srgb-linear | display-p3 ...), the 148 named colours and
/// "transparent"; case-insensitive, surrounding white space ignored. Never throws.
CssParseResult parseCssColor(std::string_view text);

/// The 8-bit colour a designer expects of c: inside sRGB each encoded channel times 255
/// rounded half up (rgb(50% 50% 50%) is #808080, as browsers show it), outside it the CSS
/// gamut mapping of its OKLCH.
ColorRGB rgb8Of(const CssColor& c);

/// The colour a base is set to, in the two forms the wheels need.
struct BaseColor {
    /// The 8-bit colour a user sees and copies: the text's colour rounded, or its gamut
    /// mapping rounded when it lies outside sRGB.
    ColorRGB rgb8;
    /// The same colour exactly, before rounding to 8 bits: the text's own OKLCH, beyond sRGB
    /// too, so a wide colour stays wide; a lightness outside 0..1 or a chroma above
    /// kLargestBaseChroma (no colour an eye sees) is brought inside display-p3 by the CSS
    /// gamut mapping. The hue is 0 for a grey. The perceptual wheel lands on this; the classic
    /// wheels use rgb8.
    Oklch exact;
};

/// The largest OKLCH chroma a base keeps as it is.
constexpr double kLargestBaseChroma = 1.0;

/// The BaseColor of a colour read from CSS text.
BaseColor baseColorOf(const CssColor& color);

/// The 8-bit colour of a named CSS colour ("rebeccapurple", lower case), if there is one.
std::optional<ColorRGB> namedCssColor(std::string_view lowerCaseName);

/// The CSS named colour nearest to c: the name and whether it is exactly c. Exact when a
/// named colour is c (the first name alphabetically where names share a colour), else the
/// nearest in OKLab.
struct NearestName {
    std::string_view name;
    bool exact = false;
};
NearestName nearestNamedColor(ColorRGB c);

/// The farthest (deltaEOK) a CSS named colour may lie from a colour and still be named as
/// near it: about two and a half just noticeable differences, close enough that a designer
/// would call the colour by that name.
constexpr double kNearNamedColor = 0.05;

/// The CSS name a colour is shown with (UTF-8): "= name" when a named colour is exactly c,
/// "\u2248 name" for the nearest within kNearNamedColor, empty when none is that near.
std::string namedColorText(ColorRGB c);

/// How many named colours namedCssColor knows (148; "transparent" is not among them).
int namedCssColorCount();
/// The name of named colour index (0..count-1, alphabetical), or "" outside.
std::string_view namedCssColorName(int index);

} // namespace core
