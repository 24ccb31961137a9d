#pragma once

#include "FilePalette.h"
#include "PaletteRead.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace formats {

/// An Adobe Swatch Exchange file: "ASEF", version, block count, then big-endian blocks. A
/// colour block gives its UTF-16 name and an "RGB ", "LAB " (D50, exact), "Gray" or "CMYK"
/// (converted naively, so marked approximate) colour; the colours between a group's start
/// and end blocks get its name as their group. Blocks of other types are passed over by
/// their length. A block that runs past the file's end ends the reading ("offset 40: ...").
PaletteRead readAse(std::string_view bytes);

/// A name as a swatch exchange file keeps it: UTF-16 up to a zero character, at most 65534
/// units, a broken UTF-8 byte as U+FFFD.
std::string aseNameOf(std::string_view name);

/// Adobe Swatch Exchange 1.0 bytes, big-endian: one RGB colour block a swatch, named as
/// aseNameOf keeps it; the swatches of a group between its start and end blocks.
std::vector<uint8_t> aseBytes(const FilePalette& palette);

/// The swatch exchange file of a scheme (ExportOptions).
std::vector<uint8_t> aseBytes(const SchemeColors& colors, const ExportOptions& options = {});

} // namespace formats
