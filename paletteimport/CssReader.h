#pragma once

#include "PaletteRead.h"

#include <string_view>

namespace paletteimport {

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

} // namespace paletteimport
