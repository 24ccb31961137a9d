// The palette readers over any file: a palette or a message, never a crash or a hang, within
// the bounds; whatever they read writes in every format and reads back as many colours.
// The input's first line is the file's name, the rest its bytes.
#include "formats/FormatTable.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

/// Palettes larger than this are not written back: the light and dark file's twins make it
/// slow, and small ones find the same faults.
constexpr size_t kLargestWrittenBack = 40;

void check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t newline = std::min(input.find('\n'), input.size());
    const std::string_view fileName = input.substr(0, newline);
    const std::string_view bytes = input.substr(std::min(newline + 1, input.size()));
    const formats::PaletteRead read = formats::readPalette(bytes, fileName);
    check(read.palette.has_value() == read.error.empty());
    check((read.skipped == 0) == read.firstSkipped.empty());
    if (!read.palette)
        return 0;
    const core::Palette& palette = *read.palette;
    check(!palette.colors.empty() && palette.colors.size() <= formats::kMaxPaletteColors);
    for (const core::PaletteColor& c : palette.colors)
        check(c.rgb == core::rgb8Of(c.color));
    if (palette.colors.size() > kLargestWrittenBack)
        return 0;
    for (formats::Format format : formats::kFormats) {
        const std::vector<uint8_t> written = formats::fileBytes(format, palette);
        const formats::PaletteRead back = formats::readPalette(
            std::string_view(reinterpret_cast<const char*>(written.data()), written.size()),
            "x" + std::string(formats::extension(format)));
        check(back.palette && back.palette->colors.size() == palette.colors.size());
        check(back.palette->colors.front().name == formats::paletteNames(format, palette).front());
    }
    return 0;
}
