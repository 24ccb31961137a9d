#pragma once

#include "SchemeModel.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace scheme {

/// One wheel by its two names: the sheet's and the word that files and the command line use.
/// Kept in one table so that a wheel added or renamed reads the same everywhere.
struct WheelName {
    WheelRaster raster;
    /// As the sheet names it; the start wheel is the default one cut to fewer levels.
    const char* caption;
    /// Lower case, as documents store it and the command line takes it.
    const char* word;
};

/// Every wheel, by WheelRaster.
inline constexpr std::array<WheelName, 4> kWheelNames = {{
    {WheelRaster::Start, "Start", "start"},
    {WheelRaster::Default, "Default", "default"},
    {WheelRaster::WebSafe, "Websafe", "websafe"},
    {WheelRaster::Perceptual, "Perceptual", "perceptual"},
}};

/// The table's entry of a wheel.
inline const WheelName& wheelName(WheelRaster raster) {
    return kWheelNames[static_cast<std::size_t>(raster)];
}

/// The wheel a word names, compared exactly; the start wheel is no choice, so nothing for
/// "start" as for an unknown word.
inline std::optional<WheelRaster> chosenWheelFromWord(std::string_view word) {
    for (std::size_t i = 1; i < kWheelNames.size(); ++i) {
        if (word == kWheelNames[i].word)
            return kWheelNames[i].raster;
    }
    return std::nullopt;
}

} // namespace scheme
