#pragma once

#include "core/ColorCodes.h"
#include "core/Scheme.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace palette {

/// The file formats a scheme can be exported to.
enum class Format { Css, Scss, DesignTokens, GimpPalette, AdobeSwatchExchange, OklchCss };

/// The formats in the order a save dialog lists them; new ones go last, so a filter's index
/// keeps naming the same format.
constexpr std::array<Format, 6> kFormats = {Format::Css,
                                            Format::Scss,
                                            Format::DesignTokens,
                                            Format::GimpPalette,
                                            Format::AdobeSwatchExchange,
                                            Format::OklchCss};

/// The key under "$extensions" of a design token that holds this program's extra values.
constexpr std::string_view kTokenExtensionKey = "io.github.moonquill.chromalune";

/// The scheme's colours as plain colour values (red in the low byte; the top byte is
/// ignored): two for a complementary scheme, three for the others.
using SchemeColors = std::vector<core::Color>;

/// Name of colour i (0-2) in every format: "color-1" .. "color-3".
std::string colorName(size_t i);

/// CSS custom properties in a :root rule, "#RRGGBB" codes, LF line ends.
std::string cssText(const SchemeColors& colors);

/// CSS Color 4 custom properties in a :root rule: each colour as "#RRGGBB", then again as
/// oklch() (the same property twice, so a browser without oklch() keeps the hex), LF line ends.
std::string oklchCssText(const SchemeColors& colors);

/// SCSS variables "$color-1: #RRGGBB;", LF line ends.
std::string scssText(const SchemeColors& colors);

/// Design tokens (JSON): one sRGB colour token per colour with components 0-1 and a
/// lower-case "#rrggbb" hex, and its oklch() text under "$extensions" (kTokenExtensionKey,
/// "oklch"), LF line ends.
std::string designTokensText(const SchemeColors& colors);

/// A channel 0-255 as a token component 0-1: the shortest decimal that reads back as
/// exactly channel / 255 in double precision ("0", "1", "0.5019607843137255").
std::string tokenComponent(int channel);

/// GIMP palette text: header, name, one column a colour, then "RRR GGG BBB<tab>name" lines.
std::string gimpPaletteText(const SchemeColors& colors, std::string_view paletteName);

/// Adobe Swatch Exchange 1.0 bytes: one global RGB colour entry a colour, big-endian.
std::vector<uint8_t> aseBytes(const SchemeColors& colors);

/// The whole file for a format (the GIMP palette named "ChromaLune").
std::vector<uint8_t> fileBytes(Format format, const SchemeColors& colors);

/// The format a file name asks for by its extension, case-insensitive, the longest extension
/// winning (".oklch.css" before ".css"); none when unknown.
std::optional<Format> formatForFileName(std::string_view fileName);

/// The extension a file of the format gets (".tokens.json" for design tokens).
std::string_view extension(Format format);

/// Filter text of a save dialog for the format, e.g. "CSS Custom Properties (*.css)".
std::string dialogFilter(Format format);

/// Every supported extension for a message: ".css, .scss, ..., .ase or .oklch.css".
std::string supportedExtensionsText();

} // namespace palette
