#pragma once

#include "core/SchemeState.h"

#include <array>
#include <string>

namespace io {

/// Line k (1-3) of the colours file from the texts column k of the swatch panel shows, ended by
/// CR LF; empty fields give empty pieces.
std::string colorsFileLine(int k, const core::ColumnTexts& fields);

/// The whole colours file: the lines of colours 1, 2 and 3 and nothing else.
std::string colorsFileText(const std::array<core::ColumnTexts, 3>& colors);

} // namespace io
