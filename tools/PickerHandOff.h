#pragma once

#include <QString>

namespace tools {

/// The code the web-safe map hands to the converter: written when the map closes through
/// "OK" or "More Colors", read by the converter once the map has closed. Empty at start.
inline QString PickedColorCode;

/// True while the web-safe map opened by the converter is showing; every close clears it.
inline bool PickerOpen = false;

} // namespace tools
