#include "Ase.h"

#include "core/Oklab.h"
#include "core/Text.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace formats {

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

/// Longest name a swatch exchange block holds, in UTF-16 units without the closing zero.
constexpr size_t kMaxAseNameUnits = 0xFFFE;

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

namespace {

void putU16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v & 0xFF));
}

void putU32(std::vector<uint8_t>& out, uint32_t v) {
    putU16(out, static_cast<uint16_t>(v >> 16));
    putU16(out, static_cast<uint16_t>(v & 0xFFFF));
}

void putFloat(std::vector<uint8_t>& out, float v) {
    static_assert(sizeof(float) == sizeof(uint32_t), "IEEE single expected");
    uint32_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    putU32(out, bits);
}

/// The UTF-16 units of a swatch exchange name: up to a zero character and kMaxAseNameUnits.
std::u16string aseUnitsOf(std::string_view name) {
    std::u16string units;
    for (const char32_t code : core::codePointsOf(name)) {
        const size_t size = code >= 0x10000 ? 2 : 1;
        if (code == 0 || units.size() + size > kMaxAseNameUnits)
            break;
        if (size == 1) {
            units += static_cast<char16_t>(code);
        } else {
            units += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            units += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        }
    }
    return units;
}

} // namespace

std::string aseNameOf(std::string_view name) {
    // read back as the reader reads a block's name, so the two never part
    std::vector<uint8_t> bytes;
    const std::u16string units = aseUnitsOf(name);
    for (const char16_t unit : units)
        putU16(bytes, unit);
    return utf8OfUtf16(Bytes({reinterpret_cast<const char*>(bytes.data()), bytes.size()}), 0,
                       units.size());
}

std::vector<uint8_t> aseBytes(const FilePalette& palette) {
    std::vector<uint8_t> blocks;
    uint32_t count = 0;
    const auto putName = [&blocks](const std::u16string& units) {
        putU16(blocks, static_cast<uint16_t>(units.size() + 1));
        for (const char16_t unit : units)
            putU16(blocks, unit);
        putU16(blocks, 0);
    };
    std::string group;
    const auto switchGroup = [&](const std::string& next) {
        if (next == group)
            return;
        if (!group.empty()) {
            putU16(blocks, kGroupEnd);
            putU32(blocks, 0);
            ++count;
        }
        group = next;
        if (!group.empty()) {
            const std::u16string units = aseUnitsOf(group);
            putU16(blocks, kGroupStart);
            putU32(blocks, static_cast<uint32_t>(2 + 2 * (units.size() + 1)));
            putName(units);
            ++count;
        }
    };
    for (const Swatch& s : palette.swatches) {
        switchGroup(s.group);
        const std::u16string units = aseUnitsOf(s.name);
        putU16(blocks, kColorBlock);
        // the name's unit count, its units and closing zero, "RGB ", three floats, the type
        putU32(blocks, static_cast<uint32_t>(2 + 2 * (units.size() + 1) + 4 + 3 * size_t{4} + 2));
        putName(units);
        for (const char ch : std::string_view("RGB "))
            blocks.push_back(static_cast<uint8_t>(ch));
        for (const uint8_t channel : {s.rgb.r, s.rgb.g, s.rgb.b})
            putFloat(blocks, static_cast<float>(channel / 255.0));
        putU16(blocks, 2); // normal (neither global nor spot)
        ++count;
    }
    switchGroup({});
    std::vector<uint8_t> out = {'A', 'S', 'E', 'F'};
    putU16(out, 1); // version 1.0
    putU16(out, 0);
    putU32(out, count);
    out.insert(out.end(), blocks.begin(), blocks.end());
    return out;
}

std::vector<uint8_t> aseBytes(const SchemeColors& colors, const ExportOptions& options) {
    return aseBytes(schemeEntries(colors, options));
}

} // namespace formats
