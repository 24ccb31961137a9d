#pragma once

#include "core/Palette.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// What reading a palette file gives, and the bounds every reader keeps.

namespace formats {

/// Largest file read, in bytes (8 MB).
constexpr size_t kMaxPaletteBytes = size_t{8} * 1024 * 1024;
/// Most colours a palette may hold; a file with more is refused.
constexpr size_t kMaxPaletteColors = 10000;

/// The palette a file holds, or why there is none; with the entries that could not be read.
struct PaletteRead {
    std::optional<core::Palette> palette;
    std::string error;        ///< one sentence when there is no palette, else empty
    size_t skipped = 0;       ///< entries that look like colours but could not be read
    std::string firstSkipped; ///< why the first of them was skipped ("line 12: ...")
};

/// Gathers a reader's colours and skipped entries, keeping the bounds.
class PaletteCollector {
public:
    /// Adds a colour; false once there are more than kMaxPaletteColors (the reader stops).
    bool add(core::PaletteColor color);
    /// Counts an entry that could not be read; message names where it is ("line 3: ...").
    void skip(std::string message);
    /// Whether more than kMaxPaletteColors were added: nothing more is taken.
    bool full() const { return m_colors.size() > kMaxPaletteColors; }
    /// Makes room for count colours at once (at most the bound), for a reader that knows how
    /// many entries it holds: a palette grown colour by colour copies itself again and again.
    void reserve(size_t count);
    /// The palette's own name, when the file gives one.
    void setName(std::string name) { m_name = std::move(name); }
    /// The palette, or the reason there is none: too many colours, or none read at all.
    PaletteRead finish();

private:
    std::string m_name;
    std::vector<core::PaletteColor> m_colors;
    size_t m_skipped = 0;
    std::string m_firstSkipped;
};

/// A PaletteRead holding only the error.
PaletteRead failedRead(std::string error);

/// The bytes after a UTF-8 byte order mark, when there is one.
std::string_view withoutBom(std::string_view bytes);

/// text without the spaces, tabs, line ends and form feeds at either end.
std::string_view trimmed(std::string_view text);

/// Whether a value is written as a colour: a "#" code or a colour function "rgb(" ..
/// "light-dark(", so that a value that cannot be read is reported rather than passed over.
bool looksLikeCssColor(std::string_view value);

/// The CssColor of encoded sRGB channels (any values; outside 0..1 is outside sRGB).
core::CssColor cssColorOfSrgb(const core::Srgb& srgb);
/// The CssColor of linear sRGB channels (any values).
core::CssColor cssColorOfLinear(const core::LinearRgb& linear);

} // namespace formats
