#include "Numeric.h"

#include <cmath>
#include <limits>

namespace core {

double roundHalfEven(double v) {
    const double floorV = std::floor(v);
    const double diff = v - floorV;
    if (diff < 0.5)
        return floorV;
    if (diff > 0.5)
        return floorV + 1.0;
    return std::fmod(floorV, 2.0) == 0.0 ? floorV : floorV + 1.0;
}

int32_t pixelCoordinate(double v) {
    const double rounded = roundHalfEven(static_cast<double>(toSingle(v)));
    if (std::isnan(rounded))
        return std::numeric_limits<int32_t>::min();
    if (rounded >= 2147483647.0)
        return std::numeric_limits<int32_t>::max();
    if (rounded <= -2147483648.0)
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(rounded);
}

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigitChar(char c) {
    return c >= '0' && c <= '9';
}

// Exact decimal reading: the integer part is accumulated while it can still fit, the
// fraction is only compared with one half, so no binary rounding creeps in.
std::optional<int64_t> readWhole(std::string_view text, int64_t lo, int64_t hi) {
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const size_t intStart = i;
    int64_t whole = 0;
    bool overflow = false;
    while (i < n && isDigitChar(text[i])) {
        if (!overflow) {
            whole = whole * 10 + (text[i] - '0');
            if (whole > (int64_t{1} << 40))
                overflow = true;
        }
        ++i;
    }
    const size_t intDigits = i - intStart;
    size_t fracDigits = 0;
    int firstFrac = 0;
    bool restNonZero = false;
    if (i < n && text[i] == '.') {
        ++i;
        const size_t fracStart = i;
        while (i < n && isDigitChar(text[i])) {
            if (i == fracStart)
                firstFrac = text[i] - '0';
            else if (text[i] != '0')
                restNonZero = true;
            ++i;
        }
        fracDigits = i - fracStart;
    }
    if (intDigits == 0 && fracDigits == 0)
        return std::nullopt;
    while (i < n && isBlank(text[i]))
        ++i;
    if (i != n || overflow)
        return std::nullopt;

    const bool aboveHalf = firstFrac > 5 || (firstFrac == 5 && restNonZero);
    const bool exactlyHalf = firstFrac == 5 && !restNonZero;
    if (aboveHalf || (exactlyHalf && whole % 2 == 1))
        ++whole;
    const int64_t value = negative ? -whole : whole;
    if (value < lo || value > hi)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<int16_t> readInt16(std::string_view text) {
    const auto v =
        readWhole(text, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max());
    if (!v)
        return std::nullopt;
    return static_cast<int16_t>(*v);
}

std::optional<int32_t> readInt32(std::string_view text) {
    const auto v =
        readWhole(text, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
    if (!v)
        return std::nullopt;
    return static_cast<int32_t>(*v);
}

} // namespace core
