#pragma once

#include "FilePalette.h"
#include "PaletteRead.h"

#include <string_view>

namespace formats {

/// The colours of a style sheet's custom properties "--name: <colour>;" and, in SCSS,
/// variables "$name: <colour>;" (also "!default" and "!important" ones), named without the
/// "--" or "$". Inside "@theme { }" (Tailwind CSS 4) only "--color-*" properties count,
/// named without "--color-". A value may be any CSS colour, "light-dark(a, b)" (its light
/// colour a), or a reference "var(--x)", "var(--x, fallback)" or "$x" to another property of
/// the file; a "var()" inside a value ("oklch(60% 0.1 var(--hue))") stands for the text of
/// that property's value, or of its fallback. A property set twice keeps its place and its
/// later value. Comments "/* */" and, with scss, "//" are passed over. A property whose value
/// is not a colour is left out; one that looks like a colour (by its name or value), or whose
/// references run in a loop, but cannot be read is skipped ("line 12: ...").
PaletteRead readCssProperties(std::string_view bytes, bool scss);

/// CSS custom properties in a :root rule, "#RRGGBB" codes, then the display-p3 values of the
/// swatches beyond sRGB in an "@media (color-gamut: p3)" rule. A scheme's roles follow each
/// part: "color-scheme: light dark" and the light roles at the end of :root, the dark and
/// data-theme rules after it (roleThemeRules), the wide roles in the display-p3 rule (the
/// oklch and light and dark files alike). LF line ends.
std::string cssText(const FilePalette& palette);

/// CSS Color 4 custom properties in a :root rule: each swatch as "#RRGGBB", then again as
/// oklch() (the same property twice, so a browser without oklch() keeps the hex), LF line ends.
std::string oklchCssText(const FilePalette& palette);

/// SCSS variables "$name: #RRGGBB;", a display-p3 value as a comment after it, then a
/// scheme's light roles "$bg: ..;" and dark roles "$bg-dark: ..;". LF line ends.
std::string scssText(const FilePalette& palette);

/// CSS for light and dark mode: a :root rule with "color-scheme: light dark" and each swatch
/// as "--name: light-dark(#RRGGBB, <its dark colour>)". LF line ends.
std::string cssRampsText(const FilePalette& palette);

/// A scheme's CSS custom properties (ExportOptions).
std::string cssText(const SchemeColors& colors, const ExportOptions& options = {});

/// A scheme's CSS Color 4 custom properties (ExportOptions).
std::string oklchCssText(const SchemeColors& colors, const ExportOptions& options = {});

/// A scheme's SCSS variables "$color-1: #RRGGBB;" (ExportOptions).
std::string scssText(const SchemeColors& colors, const ExportOptions& options = {});

/// A scheme's colours and ramps for light and dark mode: each colour as
/// "--color-1: light-dark(#RRGGBB, <its dark twin>)", then each ramp step as
/// "--<ramp>-<step>: light-dark(<step>, <mirrored step>)" (50 with 950, 100 with 900, ..,
/// 500 with itself). Of options only the exact colours count.
FilePalette schemeRamps(const SchemeColors& colors, const ExportOptions& options);

/// cssRampsText of schemeRamps.
std::string cssRampsText(const SchemeColors& colors, const ExportOptions& options = {});

} // namespace formats
