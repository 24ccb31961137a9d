#pragma once

#include "PaletteRead.h"

#include <string_view>

namespace paletteimport {

/// An Adobe Swatch Exchange file: "ASEF", version, block count, then big-endian blocks. A
/// colour block gives its UTF-16 name and an "RGB ", "LAB " (D50, exact), "Gray" or "CMYK"
/// (converted naively, so marked approximate) colour; the colours between a group's start
/// and end blocks get its name as their group. Blocks of other types are passed over by
/// their length. A block that runs past the file's end ends the reading ("offset 40: ...").
PaletteRead readAse(std::string_view bytes);

} // namespace paletteimport
