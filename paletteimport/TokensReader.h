#pragma once

#include "PaletteRead.h"

#include <string_view>

namespace paletteimport {

/// The colour tokens of a design-tokens JSON file, named by their path ("brand.primary").
/// A token is an object with "$value" (or, in the older shape, "value"); its type is its own
/// "$type" (or "type"), else its nearest group's. A colour is a CSS colour string or an
/// object {"colorSpace", "components", "alpha", "hex"} (srgb, srgb-linear, display-p3, hsl,
/// hwb, lab, lch, oklab, oklch; another space takes its "hex", marked approximate); an alias
/// "{group.token}" takes that token's colour. Members starting with "$" are metadata, but for
/// a group's own "$root" token. Tokens of other types are left out; a colour token that cannot
/// be read is skipped ("line 12: ...").
PaletteRead readDesignTokens(std::string_view bytes);

} // namespace paletteimport
