#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace core {

/// The value narrowed to a 32-bit float (round to nearest, as a store into a float does).
inline float toSingle(double v) {
    return static_cast<float>(v);
}

/// Nearest whole number, halves to even (130.5 -> 130, 131.5 -> 132).
double roundHalfEven(double v);

/// A pixel coordinate: narrowed to a 32-bit float, then rounded half to even.
/// Values beyond the 32-bit range saturate, so they still read as "outside".
int32_t pixelCoordinate(double v);

/// Whole number text read as a 16-bit integer: blanks around it allowed, an optional sign,
/// a fraction rounded half to even. Anything else, or a result outside the range, fails.
std::optional<int16_t> readInt16(std::string_view text);

/// As readInt16, for the 32-bit signed range.
std::optional<int32_t> readInt32(std::string_view text);

} // namespace core
