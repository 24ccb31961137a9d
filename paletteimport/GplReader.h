#pragma once

#include "PaletteRead.h"

#include <string_view>

namespace paletteimport {

/// A GIMP/Inkscape palette as GIMP reads it: the "GIMP Palette" header line, then "Name:" and
/// "Columns:", "#" comments and blank lines, and a colour a line: three channels 0..255
/// separated by any spaces or tabs, then its name (which may hold spaces, or be missing).
/// LF or CRLF line ends, an optional UTF-8 byte order mark. A line that is not a colour is
/// skipped ("line 7: ...").
PaletteRead readGimpPalette(std::string_view bytes);

} // namespace paletteimport
