#pragma once

#include "RoleCss.h"

#include "colorscience/ColorRoles.h"
#include "colorscience/DesignSystem.h"
#include "core/ColorCodes.h"
#include "core/Oklab.h"
#include "core/Palette.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What every writer writes: a palette of named colours. A scheme becomes one first (its
// colours, ramp steps and dark twins, each format's own selection), so one writer a format
// serves schemes and palettes alike.

namespace formats {

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
    /// The roles the designer set (the scheme document's); the others are chosen by contrast.
    /// Every scheme export but the GIMP palette and the swatch exchange file holds the roles.
    colorscience::RoleOverrides roleOverrides{};
};

/// The scheme's colours as plain colour values (red in the low byte; the top byte is
/// ignored): two for a complementary scheme, three for the others.
using SchemeColors = std::vector<core::Color>;

/// The key under "$extensions" of a design token that holds this program's extra values.
constexpr std::string_view kTokenExtensionKey = "io.github.moonquill.chromalune";

/// Name of colour i (0-2) in every format: "color-1" .. "color-3".
std::string colorName(size_t i);

/// "color(display-p3 r g b)" of an exact colour outside sRGB, mapped into display-p3 by the CSS
/// algorithm; empty for none or a colour inside sRGB, which its 8-bit colour holds.
std::string wideGamutText(const std::optional<core::Oklch>& exact);

/// The ramps and dark twins the files hold for the colours (none for fewer than two), with the
/// colours' exact OKLCH as ExportOptions::exact gives them.
colorscience::DesignSystem
designSystemOf(const SchemeColors& colors,
               const std::vector<std::optional<core::Oklch>>& exact = {});

/// One named colour of a file.
struct Swatch {
    std::string name; ///< as the file writes it
    core::ColorRGB rgb;
    /// The colour's own OKLCH, which oklch() texts write and which then holds it exactly (no
    /// display-p3 line); none: the 8-bit colour's.
    std::optional<core::Oklch> own{};
    bool oklchToken = false; ///< design tokens hold it as an oklch token: rgb is not the colour
    std::string wide{};      ///< its display-p3 text when it lies outside sRGB, else empty
    std::string group{};     ///< the palette's group of it (swatch exchange group blocks)
    /// The part of a scheme's file it belongs to: design tokens nest it in these groups
    /// ("ramp/color-1"), a Tailwind theme puts a blank line between parts.
    std::string section{};
    std::optional<core::ColorRGB> dark{}; ///< its colour in dark mode (light and dark CSS)
    std::string darkWide{};               ///< that colour's display-p3 text, else empty
};

/// A palette as a file writes it.
struct FilePalette {
    std::string name = "ChromaLune"; ///< the GIMP palette's name
    size_t columns = 0;              ///< the GIMP palette's columns
    std::string preface{};           ///< a comment at the top of a style sheet
    std::vector<Swatch> swatches;
    std::map<std::string, std::string> descriptions{}; ///< of design-token groups by section
    std::string schemeState{}; ///< a JSON object's text under the tokens' root "$extensions"
    /// The colour roles the style sheets declare after the swatches (schemeRoleProperties);
    /// none in a palette's file.
    std::vector<RoleProperty> roles{};
};

/// The roles of a scheme with its exact colours and the designer's overrides
/// (colorscience::deriveRoles); none for fewer than two colours.
std::vector<RoleProperty> schemeRoleProperties(const SchemeColors& colors,
                                               const ExportOptions& options);

/// "color-1-50" .. "neutral-950": the name of ramp's step of a design system.
std::string stepName(const colorscience::DesignSystem& system, size_t ramp, size_t step);

/// The wide-gamut text of scheme colour i (empty for none).
std::string wideTextOf(const ExportOptions& options, size_t i);

/// The wide-gamut text of ramp r's step s (empty inside sRGB).
std::string wideTextOf(const colorscience::DesignSystem& system, size_t r, size_t s);

/// A scheme as the plain lists write it: the colours, then with options.ramps every ramp
/// step, then with options.dark the twins ("color-1-dark"); the GIMP palette's columns are
/// the colours.
FilePalette schemeEntries(const SchemeColors& colors, const ExportOptions& options);

/// schemeEntries with the scheme's roles, as the CSS, oklch and SCSS files write it.
FilePalette schemeStyleSheet(const SchemeColors& colors, const ExportOptions& options);

/// A palette's colours under names (paletteNames of the format), each with its own OKLCH
/// and display-p3 text; with twins each also gets its dark twin on the neutral 950 of the
/// first colour. The GIMP palette is named for the palette ("ChromaLune" when it has none)
/// and has up to 16 columns.
FilePalette paletteEntries(const core::Palette& palette, const std::vector<std::string>& names,
                           bool twins);

/// Names made unique as a format compares them: a repeated one gets "-2", "-3", ...; with
/// sassVariables "-" and "_" count as the same, as Sass takes them.
void makeUnique(std::vector<std::string>& names, bool sassVariables);

/// A name as a CSS identifier: ASCII letters and digits, "-", "_" and non-ASCII characters
/// kept, the rest "-".
std::string cssIdentifierOf(std::string_view name);

/// The display-p3 declarations "--<prefix><name>: <display-p3>;" of the swatches that have
/// one; with oklch, not of those written with their own OKLCH, which already holds them.
std::vector<std::string> wideDeclarations(const std::vector<Swatch>& swatches,
                                          std::string_view prefix, bool oklch);

/// An "@media (color-gamut: p3)" rule whose :root rule holds the declarations (each "name:
/// value;"), then the rules given (indented by two spaces), or nothing when there are no
/// declarations, so a file of colours inside sRGB stays as it was.
std::string wideGamutRule(const std::vector<std::string>& declarations,
                          std::string_view rules = {});

/// The oklch() text of a swatch: of its own OKLCH, else of its 8-bit colour.
std::string oklchOf(const Swatch& swatch);

/// Text as the bytes of a file.
std::vector<uint8_t> bytesOf(const std::string& text);

} // namespace formats
