#pragma once

#include "FilePalette.h"
#include "PaletteRead.h"

#include <string_view>

namespace formats {

/// A GIMP/Inkscape palette as GIMP reads it: the "GIMP Palette" header line, then "Name:" and
/// "Columns:", "#" comments and blank lines, and a colour a line: three channels 0..255
/// separated by any spaces or tabs, then its name (which may hold spaces, or be missing).
/// LF or CRLF line ends, an optional UTF-8 byte order mark. A line that is not a colour is
/// skipped ("line 7: ...").
PaletteRead readGimpPalette(std::string_view bytes);

/// A GIMP palette's name of a colour or of the palette: one line, without blanks at its ends.
std::string gimpNameOf(std::string_view name);

/// GIMP palette text: header, name, columns, then "RRR GGG BBB<tab>name" lines.
std::string gimpPaletteText(const FilePalette& palette);

/// The GIMP palette of a scheme (ExportOptions): one column a colour.
std::string gimpPaletteText(const SchemeColors& colors, std::string_view paletteName,
                            const ExportOptions& options = {});

} // namespace formats
