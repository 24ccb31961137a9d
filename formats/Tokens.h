#pragma once

#include "FilePalette.h"
#include "PaletteRead.h"

#include <string_view>

namespace formats {

/// The colour tokens of a design-tokens JSON file, named by their path ("brand.primary").
/// A token is an object with "$value" (or, in the older shape, "value"); its type is its own
/// "$type" (or "type"), else its nearest group's. A colour is a CSS colour string or an
/// object {"colorSpace", "components", "alpha", "hex"} (srgb, srgb-linear, display-p3, hsl,
/// hwb, lab, lch, oklab, oklch; another space takes its "hex", marked approximate); an alias
/// "{group.token}" takes that token's colour. Members starting with "$" are metadata, but for
/// a group's own "$root" token. Tokens of other types are left out; a colour token that cannot
/// be read is skipped ("line 12: ...").
PaletteRead readDesignTokens(std::string_view bytes);

/// A name as a design token's: no "{", "}" or "." (which make aliases and paths) and no
/// "$" first (which marks metadata); a broken UTF-8 byte as U+FFFD.
std::string tokenNameOf(std::string_view name);

/// A channel 0-255 as a token component 0-1: the shortest decimal that reads back as
/// exactly channel / 255 in double precision ("0", "1", "0.5019607843137255").
std::string tokenComponent(int channel);

/// Design tokens (JSON): one colour token a swatch, nested in the groups of its section
/// ("ramp/color-1"), each group with its description. An sRGB token has components 0-1, a
/// lower-case "#rrggbb" hex, and its oklch() text (and display-p3 value) under "$extensions"
/// (kTokenExtensionKey); a swatch whose 8-bit colour is not the colour is an oklch token with
/// that colour as its "hex". A scheme state goes last under the root's "$extensions"
/// (kTokenExtensionKey, "scheme"), which makes the file a scheme document. LF line ends.
std::string designTokensText(const FilePalette& palette);

/// A scheme's tokens: the colours at the top, then the group "ramp" holding a group per ramp
/// ("color-1" .. "neutral") of tokens "50" .. "950"; with options.dark a group "dark" of the
/// colours' twins; then the group "roles" of the groups "light" and "dark" of a token a role
/// (the role table's tokenName); with a schemeState (a JSON object's text) that state.
FilePalette schemeTokens(const SchemeColors& colors, const ExportOptions& options,
                         std::string_view schemeState);

/// designTokensText of schemeTokens.
std::string designTokensText(const SchemeColors& colors, const ExportOptions& options = {},
                             std::string_view schemeState = {});

} // namespace formats
