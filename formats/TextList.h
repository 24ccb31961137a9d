#pragma once

#include "PaletteRead.h"

#include <string_view>

namespace formats {

/// A plain list: a CSS colour a line ("#3366cc", "rgb(1 2 3)", "rebeccapurple"), then
/// optionally its name ("#3366cc Brand blue"). Blank lines and lines starting with "//" or
/// ";" are passed over; another line that is not a colour is skipped ("line 4: ...").
PaletteRead readPlainText(std::string_view bytes);

} // namespace formats
