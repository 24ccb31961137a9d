#pragma once

#include "FilePalette.h"
#include "PaletteRead.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The file formats: one table of what each is called, which extension it takes, and how it is
// read and written; every question about a format is answered from it.

namespace formats {

/// The file formats palettes and schemes are read from and written to.
enum class Format {
    Css,
    Scss,
    DesignTokens,
    GimpPalette,
    AdobeSwatchExchange,
    OklchCss,
    TailwindTheme,
    CssRamps,
    TextList ///< a plain list of CSS colours: read, never written
};

/// The formats written, in the order a save dialog lists them; new ones go last, so a filter's
/// index keeps naming the same format.
constexpr std::array<Format, 8> kFormats = {Format::Css,
                                            Format::Scss,
                                            Format::DesignTokens,
                                            Format::GimpPalette,
                                            Format::AdobeSwatchExchange,
                                            Format::OklchCss,
                                            Format::TailwindTheme,
                                            Format::CssRamps};

/// The format of a file: by its content first ("ASEF", a "GIMP Palette" header, a JSON
/// object, "@theme" or custom properties, SCSS variables), then by the extension of
/// fileName (.ase, .gpl, .json, .css, .scss, case-insensitive); a text list when neither
/// says. A file of any style sheet format is Css (or Scss), whose reader reads them all.
Format paletteFormatOf(std::string_view bytes, std::string_view fileName);

/// The palette a file's bytes hold, read as paletteFormatOf says; a file larger than
/// kMaxPaletteBytes or with more than kMaxPaletteColors colours is refused. Never throws.
PaletteRead readPalette(std::string_view bytes, std::string_view fileName);

/// The whole file for a format of a scheme (the GIMP palette named "ChromaLune"), with a
/// schemeState in the design tokens, and the scheme's colour roles (with options'
/// roleOverrides) in every format but the GIMP palette and the swatch exchange file. The
/// window writes it with the default options, as the
/// command line does without --ramps and --dark.
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
