#pragma once

#include <array>
#include <string>

namespace io {

/// The texts one column of the swatch panel shows for one scheme colour.
struct ColorFields {
    std::string red;
    std::string green;
    std::string blue;
    std::string decimal;
    std::string html;
    std::string webSafe;
};

/// Line k (1-3) of the colours file, ended by CR LF; empty fields give empty pieces.
std::string colorsFileLine(int k, const ColorFields& fields);

/// The whole colours file: the lines of colours 1, 2 and 3 and nothing else.
std::string colorsFileText(const std::array<ColorFields, 3>& colors);

} // namespace io
