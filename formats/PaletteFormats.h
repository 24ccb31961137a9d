#pragma once

#include "colorscience/DesignSystem.h"
#include "core/ColorCodes.h"
#include "core/Oklab.h"
#include "core/Palette.h"
#include "core/Scheme.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace formats {

/// The file formats a scheme can be exported to.
enum class Format {
    Css,
    Scss,
    DesignTokens,
    GimpPalette,
    AdobeSwatchExchange,
    OklchCss,
    TailwindTheme,
    CssRamps
};

/// The formats in the order a save dialog lists them; new ones go last, so a filter's index
/// keeps naming the same format.
constexpr std::array<Format, 8> kFormats = {Format::Css,
                                            Format::Scss,
                                            Format::DesignTokens,
                                            Format::GimpPalette,
                                            Format::AdobeSwatchExchange,
                                            Format::OklchCss,
                                            Format::TailwindTheme,
                                            Format::CssRamps};

/// What a file holds beside the scheme's colours, in the formats that otherwise hold only
/// them (the tokens, Tailwind and ramps files always hold the ramps; the ramps file also
/// always holds the dark twins).
struct ExportOptions {
    bool ramps = false; ///< the tonal ramps: "color-1-50" .. "neutral-950" after the colours
    bool dark = false;  ///< each colour's dark twin: "color-1-dark" .. after everything else
    /// The colours' exact OKLCH, in the scheme's order (none, or fewer: the 8-bit colour is the
    /// colour). A colour outside sRGB is written also as its display-p3 value (wideGamutText):
    /// the CSS, oklch, ramps and Tailwind files add an "@media (color-gamut: p3)" rule after
    /// everything else, the tokens a "display-p3" under "$extensions", the SCSS a comment after
    /// the variable. Such a colour's ramp is made from its exact colour (designSystemOf): each
    /// step beyond sRGB has a display-p3 value too, and its 8-bit code is that value as an
    /// sRGB screen shows it. The twins are made inside sRGB, from the 8-bit colours.
    std::vector<std::optional<core::Oklch>> exact{};
};

/// "color(display-p3 r g b)" of an exact colour outside sRGB, mapped into display-p3 by the CSS
/// algorithm; empty for none or a colour inside sRGB, which its 8-bit colour holds.
std::string wideGamutText(const std::optional<core::Oklch>& exact);

/// The key under "$extensions" of a design token that holds this program's extra values.
constexpr std::string_view kTokenExtensionKey = "io.github.moonquill.chromalune";

/// The scheme's colours as plain colour values (red in the low byte; the top byte is
/// ignored): two for a complementary scheme, three for the others.
using SchemeColors = std::vector<core::Color>;

/// Name of colour i (0-2) in every format: "color-1" .. "color-3".
std::string colorName(size_t i);

/// The ramps and dark twins the files hold for the colours (none for fewer than two), with the
/// colours' exact OKLCH as ExportOptions::exact gives them.
colorscience::DesignSystem
designSystemOf(const SchemeColors& colors,
               const std::vector<std::optional<core::Oklch>>& exact = {});

/// CSS custom properties in a :root rule, "#RRGGBB" codes, LF line ends.
std::string cssText(const SchemeColors& colors, const ExportOptions& options = {});

/// CSS Color 4 custom properties in a :root rule: each colour as "#RRGGBB", then again as
/// oklch() (the same property twice, so a browser without oklch() keeps the hex), LF line ends.
std::string oklchCssText(const SchemeColors& colors, const ExportOptions& options = {});

/// SCSS variables "$color-1: #RRGGBB;", LF line ends.
std::string scssText(const SchemeColors& colors, const ExportOptions& options = {});

/// Design tokens (JSON): one sRGB colour token per colour with components 0-1 and a
/// lower-case "#rrggbb" hex, and its oklch() text under "$extensions" (kTokenExtensionKey,
/// "oklch"); then the group "ramp" holding a group per ramp ("color-1" .. "neutral") of
/// tokens "50" .. "950"; with options.dark a group "dark" of the colours' twins; with a
/// schemeState (a JSON object's text) that state under the root's "$extensions"
/// (kTokenExtensionKey, "scheme"), which makes the file a scheme document. LF line ends.
std::string designTokensText(const SchemeColors& colors, const ExportOptions& options = {},
                             std::string_view schemeState = {});

/// A Tailwind CSS 4 theme: one @theme block of "--color-<ramp>-<step>: oklch(...)" for each
/// ramp (color-1 .. neutral) and step (50 .. 950), each the oklch() of the step's 8-bit
/// colour; with options.dark also "--color-color-1-dark" .. LF line ends.
std::string tailwindThemeText(const SchemeColors& colors, const ExportOptions& options = {});

/// CSS for light and dark mode: a :root rule with "color-scheme: light dark", each colour as
/// "--color-1: light-dark(#RRGGBB, <its dark twin>)", then each ramp step as
/// "--<ramp>-<step>: light-dark(<step>, <mirrored step>)" (50 with 950, 100 with 900, ..,
/// 500 with itself). Of options only the exact colours count. LF line ends.
std::string cssRampsText(const SchemeColors& colors, const ExportOptions& options = {});

/// A channel 0-255 as a token component 0-1: the shortest decimal that reads back as
/// exactly channel / 255 in double precision ("0", "1", "0.5019607843137255").
std::string tokenComponent(int channel);

/// GIMP palette text: header, name, one column a colour, then "RRR GGG BBB<tab>name" lines.
std::string gimpPaletteText(const SchemeColors& colors, std::string_view paletteName,
                            const ExportOptions& options = {});

/// Adobe Swatch Exchange 1.0 bytes: one global RGB colour entry a colour, big-endian.
std::vector<uint8_t> aseBytes(const SchemeColors& colors, const ExportOptions& options = {});

/// The whole file for a format (the GIMP palette named "ChromaLune"). The window writes it
/// with the default options, as the command line does without --ramps and --dark.
std::vector<uint8_t> fileBytes(Format format, const SchemeColors& colors,
                               const ExportOptions& options = {},
                               std::string_view schemeState = {});

/// The names a palette's colours get in a file of the format, in order. Formats naming CSS
/// custom properties or SCSS variables keep ASCII letters and digits, "-", "_" and every
/// character beyond ASCII, and turn the others into "-" (an SCSS name starting with neither
/// a letter nor "_" gets "color-" before it); tokens turn ".", "{", "}" and a leading "$"
/// into "-". In those formats a colour without a name is "color-<position from 1>" and a name
/// taken before gets "-2", "-3", ... The GIMP palette keeps the name, its control characters
/// as spaces and without blanks at its ends; the swatch exchange file keeps it as UTF-16
/// holds it (up to a zero character, at most 65534 units, a broken UTF-8 byte as U+FFFD).
std::vector<std::string> paletteNames(Format format, const core::Palette& palette);

/// The whole file for a format holding a palette's colours under paletteNames, in order: each
/// colour's 8-bit code, and in the oklch and Tailwind files the colour's own OKLCH (outside
/// sRGB too); design tokens hold a colour that is not an 8-bit one as an oklch token. A colour
/// outside sRGB is written also as its display-p3 value (wideGamutText), as a scheme's is: in
/// an "@media (color-gamut: p3)" rule after the CSS and light and dark files' :root rule, and
/// as a comment after its SCSS variable. The
/// GIMP palette is named for the palette ("ChromaLune" when it has no name); the swatch
/// exchange file puts colours of a group between its start and end blocks; the light and
/// dark file gives each colour its dark twin on the neutral 950 of the first colour.
std::vector<uint8_t> fileBytes(Format format, const core::Palette& palette);

/// The format a file name asks for by its extension, case-insensitive, the longest extension
/// winning (".oklch.css" or ".tailwind.css" before ".css"); none when unknown.
std::optional<Format> formatForFileName(std::string_view fileName);

/// The extension a file of the format gets (".tokens.json" for design tokens).
std::string_view extension(Format format);

/// Filter text of a save dialog for the format, e.g. "CSS Custom Properties (*.css)".
std::string dialogFilter(Format format);

/// Every supported extension for a message: ".css, .scss, ..., .tailwind.css or .ramps.css".
std::string supportedExtensionsText();

} // namespace formats
