#include "AseReader.h"

#include "core/Oklab.h"
#include "core/Text.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace paletteimport {

namespace {

constexpr uint16_t kColorBlock = 0x0001;
constexpr uint16_t kGroupStart = 0xC001;
constexpr uint16_t kGroupEnd = 0xC002;
constexpr size_t kHeaderSize = 12;
constexpr size_t kBlockHeaderSize = 6;

/// Big-endian reads over a byte range that never step past its end.
class Bytes {
public:
    explicit Bytes(std::string_view bytes) : m_bytes(bytes) {}

    size_t left(size_t at) const { return at <= m_bytes.size() ? m_bytes.size() - at : 0; }
    uint8_t byte(size_t at) const { return static_cast<uint8_t>(m_bytes[at]); }
    uint16_t u16(size_t at) const { return static_cast<uint16_t>(byte(at) << 8 | byte(at + 1)); }
    uint32_t u32(size_t at) const { return uint32_t{u16(at)} << 16 | u16(at + 2); }
    float f32(size_t at) const {
        const uint32_t bits = u32(at);
        float value = 0;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    std::string_view text(size_t at, size_t size) const { return m_bytes.substr(at, size); }

private:
    std::string_view m_bytes;
};

/// UTF-8 of units UTF-16BE code units at `at`, up to the first zero; a lone surrogate
/// becomes U+FFFD.
std::string utf8OfUtf16(const Bytes& bytes, size_t at, size_t units) {
    std::string out;
    for (size_t k = 0; k < units; ++k) {
        const char32_t unit = bytes.u16(at + 2 * k);
        if (unit == 0)
            break;
        if (core::isHighSurrogate(unit) && k + 1 < units) {
            const char32_t low = bytes.u16(at + 2 * (k + 1));
            if (core::isLowSurrogate(low)) {
                core::appendUtf8(out, core::joinSurrogates(unit, low));
                ++k;
                continue;
            }
        }
        core::appendUtf8(out, core::isSurrogate(unit) ? 0xFFFD : unit);
    }
    return out;
}

/// A colour block's colour, or why it has none.
struct Entry {
    std::optional<core::PaletteColor> color;
    std::string error;
};

/// The name at the start of a block's data: a unit count, then that many UTF-16 units.
std::optional<std::string> nameAt(const Bytes& bytes, size_t& at, size_t end) {
    if (end - at < 2)
        return std::nullopt;
    const size_t units = bytes.u16(at);
    if (end - at - 2 < 2 * units)
        return std::nullopt;
    std::string name = utf8OfUtf16(bytes, at + 2, units);
    at += 2 + 2 * units;
    return name;
}

/// The colour of a colour block's data from `at` (after the name) to end.
Entry colorAt(const Bytes& bytes, size_t at, size_t end) {
    if (end - at < 4)
        return {std::nullopt, "the colour block ends before its colour model"};
    const std::string_view model = bytes.text(at, 4);
    at += 4;
    size_t count = 0;
    if (model == "RGB " || model == "LAB ")
        count = 3;
    else if (model == "CMYK")
        count = 4;
    else if (model == "Gray")
        count = 1;
    else
        return {std::nullopt, "the colour model \"" + std::string(model) + "\" is not known"};
    if (end - at < 4 * count)
        return {std::nullopt, "the colour block ends before its values"};
    double v[4] = {};
    for (size_t k = 0; k < count; ++k) {
        v[k] = bytes.f32(at + 4 * k);
        if (!std::isfinite(v[k]) || std::fabs(v[k]) > 1e6)
            return {std::nullopt, "a value of the colour is not a number in range"};
    }
    core::PaletteColor color;
    if (model == "RGB ") {
        color.color = cssColorOfSrgb({v[0], v[1], v[2]});
    } else if (model == "Gray") {
        color.color = cssColorOfSrgb({v[0], v[0], v[0]});
    } else if (model == "LAB ") {
        // the lightness is kept as 0..1, a and b as they are
        color.color = cssColorOfLinear(core::linearOf(core::CieLab{v[0] * 100, v[1], v[2]}));
    } else {
        // without the printer's profile, the plain complement is the best there is
        const double k = 1 - v[3];
        color.color = cssColorOfSrgb({(1 - v[0]) * k, (1 - v[1]) * k, (1 - v[2]) * k});
        color.approximate = true;
    }
    color.rgb = core::rgb8Of(color.color);
    return {color, {}};
}

} // namespace

PaletteRead readAse(std::string_view data) {
    const Bytes bytes(data);
    if (data.size() < 4 || data.substr(0, 4) != "ASEF")
        return failedRead("offset 0: an Adobe swatch exchange file starts with \"ASEF\".");
    if (data.size() < kHeaderSize)
        return failedRead("offset 4: the file ends inside its header.");
    PaletteCollector collector;
    std::string group;
    size_t at = kHeaderSize;
    while (at < data.size() && !collector.full()) {
        const std::string where = "offset " + std::to_string(at) + ": ";
        if (bytes.left(at) < kBlockHeaderSize ||
            bytes.left(at + kBlockHeaderSize) < bytes.u32(at + 2)) {
            // the blocks before it stand; nothing after it can be found
            collector.skip(where + "the block runs past the end of the file");
            break;
        }
        const uint16_t type = bytes.u16(at);
        const size_t begin = at + kBlockHeaderSize;
        const size_t end = begin + bytes.u32(at + 2);
        at = end;
        if (type == kGroupEnd) {
            group.clear();
            continue;
        }
        if (type != kColorBlock && type != kGroupStart)
            continue;
        size_t inside = begin;
        const std::optional<std::string> name = nameAt(bytes, inside, end);
        if (!name) {
            collector.skip(where + "the name runs past the end of its block");
            continue;
        }
        if (type == kGroupStart) {
            group = *name;
            continue;
        }
        Entry entry = colorAt(bytes, inside, end);
        if (!entry.color) {
            collector.skip(where + entry.error);
            continue;
        }
        entry.color->name = *name;
        entry.color->group = group;
        collector.add(std::move(*entry.color));
    }
    return collector.finish();
}

} // namespace paletteimport
