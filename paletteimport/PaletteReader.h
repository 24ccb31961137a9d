#pragma once

#include "PaletteRead.h"

#include <string_view>

// Reading palettes: one entry point that finds the format of a file and reads it with the
// reader of that format.

namespace paletteimport {

/// The families of palette files the readers know.
enum class PaletteFormat { Ase, Gimp, DesignTokens, Css, Scss, PlainText };

/// The format of a file: by its content first ("ASEF", a "GIMP Palette" header, a JSON
/// object, "@theme" or custom properties, SCSS variables), then by the extension of
/// fileName (.ase, .gpl, .json, .css, .scss, case-insensitive); plain text when neither says.
PaletteFormat paletteFormatOf(std::string_view bytes, std::string_view fileName);

/// The palette a file's bytes hold, read as paletteFormatOf says; a file larger than
/// kMaxPaletteBytes or with more than kMaxPaletteColors colours is refused. Never throws.
PaletteRead readPalette(std::string_view bytes, std::string_view fileName);

} // namespace paletteimport
