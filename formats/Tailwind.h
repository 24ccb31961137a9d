#pragma once

#include "FilePalette.h"

#include <string>

// Tailwind CSS 4 themes; the style sheet reader reads them (its "@theme" blocks).

namespace formats {

/// A Tailwind CSS 4 theme: one @theme block of "--color-<name>: oklch(...)" a swatch, a blank
/// line between the parts of a scheme's file, then the display-p3 values of the swatches whose
/// oklch() does not hold them in an "@media (color-gamut: p3)" rule. A scheme's light roles
/// close the @theme block ("--color-bg: oklch(...)"), its dark and data-theme rules follow
/// it, its wide roles go in the display-p3 rule. LF line ends.
std::string tailwindThemeText(const FilePalette& palette);

/// A scheme's theme: each ramp (color-1 .. neutral) and step (50 .. 950) as the oklch() of the
/// step's 8-bit colour; with options.dark also "--color-color-1-dark" ..
FilePalette schemeTheme(const SchemeColors& colors, const ExportOptions& options);

/// tailwindThemeText of schemeTheme.
std::string tailwindThemeText(const SchemeColors& colors, const ExportOptions& options = {});

} // namespace formats
